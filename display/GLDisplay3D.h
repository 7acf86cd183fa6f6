// The host's 2D drawing interface on top of the 3D scene. A client selects
// a map symbol and draws points, lines, polygons, rectangles and text as on
// any display; each drawing call makes new 3D graphics (spheres or flat
// circles, extruded lines and areas, text points) dressed from the current
// symbol and the display's options, and hands them to the display's own
// scene manager or to the target group. The display keeps no list of what
// it drew: the graphics live in the scene (or group) until cleared.
#pragma once

#include <cstdint>

#include "display/DisplaySymbology.h"
#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/DisplayInterfaces.h"
#include "frame/HostDisplay.h"
#include "frame/HostGlobe.h"
#include "platform/ComPtr.h"

class GLDisplay3D : public zelph::ComObjectRoot, public zelph::DispatchImpl<IGLDisplay3D>, public IDisplay {
 public:
  using InterfaceMap = zelph::InterfaceMap<IGLDisplay3D, zelph::DispatchAs<IGLDisplay3D>, IDisplay>;

  // Makes the scene manager and the callout line symbol (each left empty
  // when it cannot be made).
  GLDisplay3D();

  // IGLDisplay3D
  STDMETHODIMP InitializeContext(IUnknown* globeDisplay) override;
  STDMETHODIMP UninitializeContext() override;
  STDMETHODIMP get_BaseExaggeration(DOUBLE* exaggeration) override;
  STDMETHODIMP put_BaseExaggeration(DOUBLE exaggeration) override;
  STDMETHODIMP ClearDisplayContents() override;
  // The visible extent's width scaled to a map-like scale figure.
  STDMETHODIMP GetGlobeScaleRatio(DOUBLE* ratio) override;
  STDMETHODIMP get_EnableExtrusion(VARIANT_BOOL* enabled) override;
  STDMETHODIMP put_EnableExtrusion(VARIANT_BOOL enabled) override;
  STDMETHODIMP get_EnableOutlining(VARIANT_BOOL* enabled) override;
  STDMETHODIMP put_EnableOutlining(VARIANT_BOOL enabled) override;
  STDMETHODIMP get_OutlineColorOption(kestGLDisplayOutlineColorOption* option) override;
  STDMETHODIMP put_OutlineColorOption(kestGLDisplayOutlineColorOption option) override;
  STDMETHODIMP get_ManualOutlineColor(IRgbColor** color) override;
  STDMETHODIMP putref_ManualOutlineColor(IRgbColor* color) override;
  STDMETHODIMP get_PointOption(kestGLDisplayPointOption* option) override;
  STDMETHODIMP put_PointOption(kestGLDisplayPointOption option) override;
  STDMETHODIMP get_TextOption(kestGLDisplayTextOption* option) override;
  STDMETHODIMP put_TextOption(kestGLDisplayTextOption option) override;
  STDMETHODIMP get_EnableCallouts(VARIANT_BOOL* enabled) override;
  STDMETHODIMP put_EnableCallouts(VARIANT_BOOL enabled) override;
  STDMETHODIMP get_CalloutLineSymbol(ISimpleLineSymbol** symbol) override;
  STDMETHODIMP putref_CalloutLineSymbol(ISimpleLineSymbol* symbol) override;
  STDMETHODIMP get_Scene(ISceneManager3D** scene) override;
  STDMETHODIMP get_FillOption(kestGLDisplayFillOption* option) override;
  STDMETHODIMP put_FillOption(kestGLDisplayFillOption option) override;
  STDMETHODIMP get_OutlineTransparency(LONG* transparency) override;
  // 0 to 255; anything else is refused with the old value kept.
  STDMETHODIMP put_OutlineTransparency(LONG transparency) override;
  STDMETHODIMP get_DisplayTargetGraphic(IGroupGraphic3D** group) override;
  STDMETHODIMP putref_DisplayTargetGraphic(IGroupGraphic3D* group) override;
  STDMETHODIMP get_ThresholdElevation(DOUBLE* elevation) override;
  STDMETHODIMP put_ThresholdElevation(DOUBLE elevation) override;

  // IDisplay. There is no device context, clip, palette or transformation
  // here: those operations answer E_NOTIMPL (or hand out nothing).
  STDMETHODIMP get_DisplayTransformation(IDisplayTransformation** transformation) override;
  STDMETHODIMP put_DisplayTransformation(IDisplayTransformation* transformation) override;
  STDMETHODIMP get_ClipEnvelope(IEnvelope** envelope) override;
  STDMETHODIMP get_ClipEnvelopes(IUnknown** envelopes) override;
  STDMETHODIMP get_ClipGeometry(IGeometry** geometry) override;
  STDMETHODIMP put_ClipGeometry(IGeometry* geometry) override;
  STDMETHODIMP get_SuppressEvents(VARIANT_BOOL* suppress) override;
  STDMETHODIMP put_SuppressEvents(VARIANT_BOOL suppress) override;
  STDMETHODIMP get_Filter(IDisplayFilter** filter) override;
  // A transparency filter scales the transparency of everything drawn after.
  STDMETHODIMP putref_Filter(IDisplayFilter* filter) override;
  STDMETHODIMP get_hPalette(OLE_HANDLE* palette) override;
  STDMETHODIMP put_hPalette(OLE_HANDLE palette) override;
  STDMETHODIMP StartDrawing(OLE_HANDLE hDC, SHORT cacheId) override;
  STDMETHODIMP get_hDC(OLE_HANDLE* hDC) override;
  // Builds what was drawn since the last refresh and, when the scene
  // refreshes the globe by itself, redraws the viewer.
  STDMETHODIMP FinishDrawing() override;
  STDMETHODIMP Progress(LONG vertexCount) override;
  STDMETHODIMP DrawPoint(IGeometry* geometry) override;
  STDMETHODIMP DrawMultipoint(IGeometry* geometry) override;
  STDMETHODIMP DrawRectangle(IEnvelope* rectangle) override;
  STDMETHODIMP DrawPolyline(IGeometry* geometry) override;
  STDMETHODIMP DrawPolygon(IGeometry* geometry) override;
  STDMETHODIMP DrawText(IGeometry* geometry, BSTR text) override;
  STDMETHODIMP SetSymbol(ISymbol* symbol) override;
  STDMETHODIMP get_IlluminationProps(IUnknown** properties) override;
  STDMETHODIMP put_IlluminationProps(IUnknown* properties) override;

 private:
  // A symbol kind's transparency byte under the display filter.
  LONG Filtered(std::uint8_t alpha) const;
  // Gives a drawn graphic what every drawn graphic gets and hands it to the
  // target group (under the group's name) or to the scene.
  void Place(IGraphic3D* graphic, IMaterial3D* material, std::uint8_t alpha);
  void DrawPointAt(IPoint* point);
  CComPtr<IGraphic3D> MakeSphere(IPoint* point);
  CComPtr<IGraphic3D> MakeFlatCircle(IPoint* point, IMaterial3D* material);
  // A new envelope around the point as wide as a sphere of the marker size.
  CComPtr<IEnvelope> MarkerEnvelope(IPoint* point) const;
  // A geo-extrusion of `type` with automatic depth, the display's extrusion
  // and outline options, and `material` on its walls.
  CComPtr<IGeoExtrusion3D> MakeExtrusion(kestGLExtrusionTypeOption type, IMaterial3D* material, std::uint8_t alpha,
                                         ISimpleLineSymbol* outline);
  void SetCallout(IUnknown* graphic, IPoint* anchor);
  void DrawPolygonRing(IGeometry* ring, IArray* holes, IMaterial3D* face, IMaterial3D* walls);
  CComPtr<ISimpleLineSymbol> LineOutline();

  CComPtr<ISceneManager3D> m_Scene;
  CComPtr<IGlobeDisplay> m_GlobeDisplay;
  CComPtr<ISceneViewer> m_Viewer;
  VARIANT_BOOL m_EnableExtrusion = VARIANT_TRUE;
  kestGLDisplayPointOption m_DisplayPointOption = kestGLDisplayPointSphere;
  CComPtr<IDisplayFilter> m_DisplayFilter;
  VARIANT_BOOL m_EnableCallouts = VARIANT_TRUE;
  CComPtr<ISimpleLineSymbol> m_CalloutLineSymbol;
  CComPtr<IGroupGraphic3D> m_DisplayTargetGroup;
  double m_ThresholdElevation = 0.0;
  // The symbol-derived fields, the outline, text and fill options, the
  // filter factor and the font cache.
  DisplaySymbology m_Symbology;
};
