// An ordered list of other graphics handled as one. While it is controlled
// as a group, changes to its common properties go on to every member,
// moving its centroid moves every member by the same offset, and its update
// level reports the highest level of its members. Its centroid follows the
// members whenever membership changes; its extent is what UpdateExtent last
// made of the members' extents.
#pragma once

#include "frame/HostCollections.h"
#include "graphics/Graphic3DBase.h"

class GroupGraphic3D : public Graphic3DBase, public zelph::DispatchImpl<IGroupGraphic3D>, public IPersistVariant {
 public:
  using InterfaceMap =
      zelph::InterfaceMap<IGroupGraphic3D, zelph::DispatchAs<IGroupGraphic3D>, IGraphic3D, IPersistVariant, IUpdate3D>;

  GroupGraphic3D();

  // IGroupGraphic3D
  STDMETHODIMP AddGraphic(IGraphic3D* graphic) override;
  STDMETHODIMP RemoveGraphic(IGraphic3D* graphic) override;
  STDMETHODIMP Clear() override;
  STDMETHODIMP get_Graphics(IArray** graphics) override;
  STDMETHODIMP get_ControlAsGroup(VARIANT_BOOL* control) override;
  STDMETHODIMP put_ControlAsGroup(VARIANT_BOOL control) override;

  // IGraphic3D: what is passed on to the members.
  STDMETHODIMP putref_Centroid(IPoint* centroid) override;
  STDMETHODIMP put_DisplayOption(kestGLDisplayOption option) override;
  STDMETHODIMP putref_Material(IMaterial3D* material) override;
  STDMETHODIMP putref_Orientation(IOrientation3D* orientation) override;
  STDMETHODIMP put_Selected(VARIANT_BOOL selected) override;
  STDMETHODIMP put_Transparency(LONG transparency) override;
  STDMETHODIMP put_Visible(VARIANT_BOOL visible) override;
  STDMETHODIMP put_ThresholdElevation(DOUBLE elevation) override;

  // IUpdate3D: reading the level takes in the members' levels.
  STDMETHODIMP get_UpdateLevel(kestGLUpdateLevel* level) override;

  // IPersistVariant: member count, members, ControlAsGroup, base block.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

  // The union of the members' extents.
  void UpdateExtent() override;

 private:
  bool Controlled() const { return m_ControlAsGroup == VARIANT_TRUE; }
  LONG MemberCount() const;
  CComPtr<IGraphic3D> Member(LONG index) const;
  // Calls `set` on every member; a member without IGraphic3D fails the call.
  template <class Setter>
  void ForEachMember(Setter&& set);
  // Whether `graphic` is this group or holds it, at any depth: such a
  // member would make every pass-on run round for ever.
  bool WouldHoldItself(IGraphic3D* graphic);
  // A new centroid in the middle of the members' centroids (the origin for
  // none).
  void ReCalculateCentroid();
  // Moves every member by newCentre - oldCentre.
  void ReCenterGraphics(IPoint* oldCentre, IPoint* newCentre);

  CComPtr<IArray> m_Graphics;
  CComPtr<IArray> m_Junk;
  VARIANT_BOOL m_ControlAsGroup = VARIANT_TRUE;
};
