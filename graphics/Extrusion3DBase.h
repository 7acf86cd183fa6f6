// The extrusion settings of a shape or a text (IExtrusion3D): whether it is
// extruded, how deep (or automatically), with what material and opacity,
// and whether and with what symbol its outline is drawn; with the block of
// the stored record that holds them.
//
// Where extrusions differ, the hooks decide: by default a setter stores the
// value as given and nothing else happens (an extruded font); a graphic
// raises its update level in ExtrusionChanged, refuses transparencies in
// CheckExtrusionTransparency and follows transparency and symbol changes
// with its outline colour.
//
// Not a component class by itself: ExtrudedFont3D and GeoExtrusion3D
// derive from it.
#pragma once

#include "frame/DispatchImpl.h"
#include "frame/GraphicInterfaces.h"
#include "frame/HostCollections.h"
#include "frame/MaterialInterfaces.h"
#include "graphics/SerialHelper.h"
#include "platform/ComPtr.h"

class Extrusion3DBase : public zelph::DispatchImpl<IExtrusion3D> {
 public:
  explicit Extrusion3DBase(double defaultDepth) : m_ExtDepth(defaultDepth) {}
  virtual ~Extrusion3DBase() = default;

  STDMETHODIMP get_EnableExtrusion(VARIANT_BOOL* enabled) override;
  STDMETHODIMP put_EnableExtrusion(VARIANT_BOOL enabled) override;
  STDMETHODIMP get_EnableAutoExtrusionDepth(VARIANT_BOOL* automatic) override;
  STDMETHODIMP put_EnableAutoExtrusionDepth(VARIANT_BOOL automatic) override;
  STDMETHODIMP get_ExtrusionDepth(DOUBLE* depth) override;
  // E_FAIL for NaN, with nothing changed.
  STDMETHODIMP put_ExtrusionDepth(DOUBLE depth) override;
  STDMETHODIMP get_ExtrusionMaterial(IMaterial3D** material) override;
  // Held by reference; null is held too.
  STDMETHODIMP putref_ExtrusionMaterial(IMaterial3D* material) override;
  STDMETHODIMP get_ExtrusionTransparency(LONG* transparency) override;
  STDMETHODIMP put_ExtrusionTransparency(LONG transparency) override;
  STDMETHODIMP get_EnableOutlining(VARIANT_BOOL* enabled) override;
  STDMETHODIMP put_EnableOutlining(VARIANT_BOOL enabled) override;
  STDMETHODIMP get_OutlineLineSymbol(ISimpleLineSymbol** symbol) override;
  // Held by reference; null is held too.
  STDMETHODIMP putref_OutlineLineSymbol(ISimpleLineSymbol* symbol) override;

 protected:
  // A new SimpleMaterial3D and a new host SimpleLineSymbol; a member that
  // cannot be made stays empty.
  void CreateExtrusionDefaults();

  // After every setter has stored its value.
  virtual void ExtrusionChanged() {}
  // Before put_ExtrusionTransparency stores anything: throws to refuse.
  virtual void CheckExtrusionTransparency(LONG) {}
  // After put_ExtrusionTransparency has stored its value.
  virtual void ExtrusionTransparencyStored() {}
  // After putref_OutlineLineSymbol has stored its symbol.
  virtual void OutlineSymbolStored() {}

  // The stored block: EnableExtrusion (VarBool), ExtDepth (Double),
  // ExtTransparency (Long), EnableOutlining (VarBool), ExtOutlineSymbol
  // (object record), then, when `outlineTransRatio` is given, that ratio
  // (Double), then the material in line. The automatic depth is not stored.
  // With no material held, a new SimpleMaterial3D's record stands in, so the
  // block keeps its layout; on Load it is read into a scratch object. A
  // loaded material is of the kind that was saved.
  void SaveExtrusion(SerialHelper& serial, IVariantStream* stream, const double* outlineTransRatio = nullptr);
  // Stores the values as read, without the setters' checks and hooks.
  void LoadExtrusion(SerialHelper& serial, IVariantStream* stream, double* outlineTransRatio = nullptr);

  VARIANT_BOOL m_EnableExtrusion = VARIANT_TRUE;
  VARIANT_BOOL m_AutoExtrusionDepth = VARIANT_TRUE;
  double m_ExtDepth;
  CComPtr<IMaterial3D> m_ExtMaterial;
  LONG m_ExtTransparency = 255;
  VARIANT_BOOL m_EnableOutlining = VARIANT_TRUE;
  CComPtr<ISimpleLineSymbol> m_ExtOutlineSymbol;
};
