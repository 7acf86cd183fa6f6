// What every 3D graphic component has: identity, name, centroid, material,
// orientation, display option, selection, transparency, visibility, extent
// and threshold elevation (IGraphic3D), and the update level through which
// the scene manager learns how much of the graphic's renderable to redo
// (IUpdate3D). Setters raise the level only after a value was stored.
//
// Not a component class by itself: each graphic derives from it (or from
// Callout3DBase) and keeps its extent with UpdateExtent.
#pragma once

#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/GraphicInterfaces.h"
#include "graphics/SerialHelper.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"

class Graphic3DBase : public zelph::ComObjectRoot,
                      public zelph::DispatchImpl<IGraphic3D>,
                      public zelph::DispatchImpl<IUpdate3D> {
 public:
  Graphic3DBase();
  virtual ~Graphic3DBase() = default;

  // IGraphic3D
  STDMETHODIMP get_UID(BSTR* uid) override;
  STDMETHODIMP put_UID(BSTR uid) override;
  // Raises the level to Location: the caller may move the point it gets.
  STDMETHODIMP get_Centroid(IPoint** centroid) override;
  STDMETHODIMP putref_Centroid(IPoint* centroid) override;
  STDMETHODIMP get_DisplayOption(kestGLDisplayOption* option) override;
  STDMETHODIMP put_DisplayOption(kestGLDisplayOption option) override;
  STDMETHODIMP get_Material(IMaterial3D** material) override;
  STDMETHODIMP putref_Material(IMaterial3D* material) override;
  STDMETHODIMP get_Name(BSTR* name) override;
  STDMETHODIMP put_Name(BSTR name) override;
  STDMETHODIMP get_Orientation(IOrientation3D** orientation) override;
  STDMETHODIMP putref_Orientation(IOrientation3D* orientation) override;
  STDMETHODIMP get_Selected(VARIANT_BOOL* selected) override;
  STDMETHODIMP put_Selected(VARIANT_BOOL selected) override;
  STDMETHODIMP get_Transparency(LONG* transparency) override;
  STDMETHODIMP put_Transparency(LONG transparency) override;
  STDMETHODIMP get_Visible(VARIANT_BOOL* visible) override;
  STDMETHODIMP put_Visible(VARIANT_BOOL visible) override;
  STDMETHODIMP get_Extent(IEnvelope** extent) override;
  STDMETHODIMP get_ThresholdElevation(DOUBLE* elevation) override;
  STDMETHODIMP put_ThresholdElevation(DOUBLE elevation) override;

  // IUpdate3D
  STDMETHODIMP get_UpdateLevel(kestGLUpdateLevel* level) override;
  STDMETHODIMP put_UpdateLevel(kestGLUpdateLevel level) override;

  // Recomputes m_Extent from the graphic's own geometry.
  virtual void UpdateExtent() = 0;

 protected:
  // Raises the pending level to `level`, never lowering it.
  void RaiseUpdateLevel(kestGLUpdateLevel level);

  // The extent rule of the point-like graphics: a box of xSize by ySize
  // centred on the centroid's X and Y, in the centroid's own units. With no
  // centroid the failure is logged and the extent stays as it was.
  void CenterExtentOnCentroid(double xSize, double ySize);

  // The common block of every graphic's record.
  void Save(IVariantStream* stream);
  void Load(IVariantStream* stream);

  SerialHelper m_Serial;
  CComBSTR m_UID;
  CComPtr<IPoint> m_Centroid;
  kestGLDisplayOption m_DisplayOption = kestGLDisplayNormal;
  CComPtr<IMaterial3D> m_Material;
  CComBSTR m_Name;
  CComPtr<IOrientation3D> m_Orientation;
  VARIANT_BOOL m_Selected = VARIANT_FALSE;
  LONG m_Transparency = 255;
  VARIANT_BOOL m_Visible = VARIANT_TRUE;
  CComPtr<IEnvelope> m_Extent;
  double m_ThresholdElevation = 0.0;
  kestGLUpdateLevel m_UpdateLevel = kestGLUpdateNone;
};
