#include "display/GLDisplay3D.h"

#include <algorithm>
#include <cmath>

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/Logger.h"
#include "frame/PropertyValues.h"
#include "geometry/Geopunctus.h"

using zelph::ComCall;
using zelph::ThrowIfFailed;
using zelph::ThrowIfNull;

namespace {

// Scene units a marker of size 1 spans.
constexpr double kMarkerUnitsPerSize = 5e-05;
// Scale figure per degree of visible extent.
constexpr double kScalePerDegree = 414053.088;
constexpr double kTextScalePerSize = 0.01875;
constexpr double kPointOutlineWidth = 2.0;
// Beyond this latitude a degree of longitude is too short to size by.
constexpr float kSizingLatitudeLimit = 89.0f;

// An interface the drawing call needs from its geometry; its absence fails
// the call before anything is made.
template <class Interface>
CComQIPtr<Interface> Require(IUnknown* geometry) {
  CComQIPtr<Interface> typed{geometry};
  if (!typed) zelph::Fail(E_FAIL);
  return typed;
}

template <class Interface>
CComPtr<Interface> NewComponent(REFCLSID clsid) {
  CComPtr<Interface> component = zelph::NewLibraryObject<Interface>(clsid);
  ThrowIfNull(component);
  return component;
}

// What the display answers for the device-context operations of a 2D
// display, traced like every other call.
HRESULT NotImplemented(const wchar_t* method) {
  return ComCall(method, [] { return E_NOTIMPL; });
}

}  // namespace

GLDisplay3D::GLDisplay3D()
    : m_Scene(zelph::NewLibraryObject<ISceneManager3D>(CLSID_SceneManager3D)),
      m_CalloutLineSymbol(zelph::NewHostObject<ISimpleLineSymbol>(CLSID_SimpleLineSymbol)) {}

// ---------------------------------------------------------------------------
// Context

STDMETHODIMP GLDisplay3D::InitializeContext(IUnknown* globeDisplay) {
  return ComCall(L"InitializeContext", [&]() -> HRESULT {
    HRESULT hr = UninitializeContext();
    if (FAILED(hr)) Logger::Warning(L"Uninitialization failed...");
    m_GlobeDisplay.Release();
    if (!globeDisplay) return hr;
    HRESULT found = globeDisplay->QueryInterface(IID_IGlobeDisplay, reinterpret_cast<void**>(&m_GlobeDisplay));
    if (found == E_NOINTERFACE) return hr;
    if (FAILED(found)) return E_FAIL;
    ThrowIfNull(m_Scene);
    hr = m_Scene->InitializeContext(globeDisplay);
    m_Viewer.Release();
    m_GlobeDisplay->get_ActiveViewer(&m_Viewer);
    return hr;
  });
}

STDMETHODIMP GLDisplay3D::UninitializeContext() {
  return ComCall(L"UninitializeContext", [&] {
    ThrowIfNull(m_Scene);
    return m_Scene->UninitializeContext();
  });
}

STDMETHODIMP GLDisplay3D::get_BaseExaggeration(DOUBLE* exaggeration) {
  return ComCall(
      L"get_BaseExaggeration",
      [&] {
        ThrowIfNull(m_Scene);
        return m_Scene->get_BaseExaggeration(exaggeration);
      },
      exaggeration);
}

STDMETHODIMP GLDisplay3D::put_BaseExaggeration(DOUBLE exaggeration) {
  return ComCall(L"put_BaseExaggeration", [&] {
    ThrowIfNull(m_Scene);
    return m_Scene->put_BaseExaggeration(exaggeration);
  });
}

STDMETHODIMP GLDisplay3D::ClearDisplayContents() {
  return ComCall(L"ClearDisplayContents", [&] {
    ThrowIfNull(m_Scene);
    return m_Scene->ClearAllGraphics();
  });
}

STDMETHODIMP GLDisplay3D::GetGlobeScaleRatio(DOUBLE* ratio) {
  return ComCall(
      L"GetGlobeScaleRatio",
      [&] {
        ThrowIfNull(m_Viewer);
        CComPtr<ICamera> camera;
        ThrowIfFailed(m_Viewer->get_Camera(&camera));
        CComQIPtr<IGlobeViewUtil> viewUtil{camera};
        ThrowIfNull(viewUtil);
        CComPtr<IEnvelope> extent = zelph::RequireHostObject<IEnvelope>(CLSID_Envelope);
        ThrowIfFailed(viewUtil->QueryVisibleGeographicExtent(extent));
        double width = 0.0;
        ThrowIfFailed(extent->get_Width(&width));
        *ratio = kScalePerDegree * width;
      },
      ratio);
}

// ---------------------------------------------------------------------------
// Options

STDMETHODIMP GLDisplay3D::get_EnableExtrusion(VARIANT_BOOL* enabled) {
  return ComCall(
      L"get_EnableExtrusion", [&] { *enabled = m_EnableExtrusion; }, enabled);
}

STDMETHODIMP GLDisplay3D::put_EnableExtrusion(VARIANT_BOOL enabled) {
  return ComCall(L"put_EnableExtrusion", [&] { m_EnableExtrusion = enabled; });
}

STDMETHODIMP GLDisplay3D::get_EnableOutlining(VARIANT_BOOL* enabled) {
  return ComCall(
      L"get_EnableOutlining", [&] { *enabled = m_Symbology.m_EnableOutlining; }, enabled);
}

STDMETHODIMP GLDisplay3D::put_EnableOutlining(VARIANT_BOOL enabled) {
  return ComCall(L"put_EnableOutlining", [&] { m_Symbology.m_EnableOutlining = enabled; });
}

STDMETHODIMP GLDisplay3D::get_OutlineColorOption(kestGLDisplayOutlineColorOption* option) {
  return ComCall(
      L"get_OutlineColorOption", [&] { *option = m_Symbology.m_DisplayOutlineColorOption; }, option);
}

STDMETHODIMP GLDisplay3D::put_OutlineColorOption(kestGLDisplayOutlineColorOption option) {
  return ComCall(L"put_OutlineColorOption", [&] { m_Symbology.m_DisplayOutlineColorOption = option; });
}

STDMETHODIMP GLDisplay3D::get_ManualOutlineColor(IRgbColor** color) {
  return ComCall(
      L"get_ManualOutlineColor", [&] { zelph::HandOut(m_Symbology.m_ManualOutlineColor.p, color); }, color);
}

STDMETHODIMP GLDisplay3D::putref_ManualOutlineColor(IRgbColor* color) {
  return ComCall(L"putref_ManualOutlineColor", [&] { m_Symbology.m_ManualOutlineColor = color; });
}

STDMETHODIMP GLDisplay3D::get_PointOption(kestGLDisplayPointOption* option) {
  return ComCall(
      L"get_PointOption", [&] { *option = m_DisplayPointOption; }, option);
}

STDMETHODIMP GLDisplay3D::put_PointOption(kestGLDisplayPointOption option) {
  return ComCall(L"put_PointOption", [&] { m_DisplayPointOption = option; });
}

STDMETHODIMP GLDisplay3D::get_TextOption(kestGLDisplayTextOption* option) {
  return ComCall(
      L"get_TextOption", [&] { *option = m_Symbology.m_DisplayTextOption; }, option);
}

STDMETHODIMP GLDisplay3D::put_TextOption(kestGLDisplayTextOption option) {
  return ComCall(L"put_TextOption", [&] { m_Symbology.m_DisplayTextOption = option; });
}

STDMETHODIMP GLDisplay3D::get_EnableCallouts(VARIANT_BOOL* enabled) {
  return ComCall(
      L"get_EnableCallouts", [&] { *enabled = m_EnableCallouts; }, enabled);
}

STDMETHODIMP GLDisplay3D::put_EnableCallouts(VARIANT_BOOL enabled) {
  return ComCall(L"put_EnableCallouts", [&] { m_EnableCallouts = enabled; });
}

STDMETHODIMP GLDisplay3D::get_CalloutLineSymbol(ISimpleLineSymbol** symbol) {
  return ComCall(
      L"get_CalloutLineSymbol", [&] { zelph::HandOut(m_CalloutLineSymbol.p, symbol); }, symbol);
}

STDMETHODIMP GLDisplay3D::putref_CalloutLineSymbol(ISimpleLineSymbol* symbol) {
  return ComCall(L"putref_CalloutLineSymbol", [&] { m_CalloutLineSymbol = symbol; });
}

STDMETHODIMP GLDisplay3D::get_Scene(ISceneManager3D** scene) {
  return ComCall(
      L"get_Scene", [&] { zelph::HandOut(m_Scene.p, scene); }, scene);
}

STDMETHODIMP GLDisplay3D::get_FillOption(kestGLDisplayFillOption* option) {
  return ComCall(
      L"get_FillOption", [&] { *option = m_Symbology.m_DisplayFillOption; }, option);
}

STDMETHODIMP GLDisplay3D::put_FillOption(kestGLDisplayFillOption option) {
  return ComCall(L"put_FillOption", [&] { m_Symbology.m_DisplayFillOption = option; });
}

STDMETHODIMP GLDisplay3D::get_OutlineTransparency(LONG* transparency) {
  return ComCall(
      L"get_OutlineTransparency", [&] { *transparency = m_Symbology.m_OutlineTransparency; }, transparency);
}

STDMETHODIMP GLDisplay3D::put_OutlineTransparency(LONG transparency) {
  return ComCall(L"put_OutlineTransparency", [&] {
    zelph::RequireTransparency(transparency);
    m_Symbology.m_OutlineTransparency = transparency;
  });
}

STDMETHODIMP GLDisplay3D::get_DisplayTargetGraphic(IGroupGraphic3D** group) {
  return ComCall(
      L"get_DisplayTargetGraphic", [&] { zelph::HandOut(m_DisplayTargetGroup.p, group); }, group);
}

STDMETHODIMP GLDisplay3D::putref_DisplayTargetGraphic(IGroupGraphic3D* group) {
  return ComCall(L"putref_DisplayTargetGraphic", [&] { m_DisplayTargetGroup = group; });
}

STDMETHODIMP GLDisplay3D::get_ThresholdElevation(DOUBLE* elevation) {
  return ComCall(
      L"get_ThresholdElevation", [&] { *elevation = m_ThresholdElevation; }, elevation);
}

STDMETHODIMP GLDisplay3D::put_ThresholdElevation(DOUBLE elevation) {
  return ComCall(L"put_ThresholdElevation", [&] {
    zelph::RequireNumber(elevation);
    m_ThresholdElevation = elevation;
  });
}

// ---------------------------------------------------------------------------
// IDisplay: what a 3D scene has no use for

STDMETHODIMP GLDisplay3D::get_DisplayTransformation(IDisplayTransformation** transformation) {
  return ComCall(
      L"get_DisplayTransformation", [&] { *transformation = nullptr; }, transformation);
}

STDMETHODIMP GLDisplay3D::put_DisplayTransformation(IDisplayTransformation*) {
  return ComCall(L"put_DisplayTransformation", [] {});
}

STDMETHODIMP GLDisplay3D::get_ClipEnvelope(IEnvelope**) { return NotImplemented(L"get_ClipEnvelope"); }
STDMETHODIMP GLDisplay3D::get_ClipEnvelopes(IUnknown**) { return NotImplemented(L"get_ClipEnvelopes"); }
STDMETHODIMP GLDisplay3D::get_ClipGeometry(IGeometry**) { return NotImplemented(L"get_ClipGeometry"); }
STDMETHODIMP GLDisplay3D::put_ClipGeometry(IGeometry*) { return NotImplemented(L"put_ClipGeometry"); }
STDMETHODIMP GLDisplay3D::get_SuppressEvents(VARIANT_BOOL*) { return NotImplemented(L"get_SuppressEvents"); }
STDMETHODIMP GLDisplay3D::put_SuppressEvents(VARIANT_BOOL) { return NotImplemented(L"put_SuppressEvents"); }
STDMETHODIMP GLDisplay3D::get_hPalette(OLE_HANDLE*) { return NotImplemented(L"get_hPalette"); }
STDMETHODIMP GLDisplay3D::put_hPalette(OLE_HANDLE) { return NotImplemented(L"put_hPalette"); }
STDMETHODIMP GLDisplay3D::StartDrawing(OLE_HANDLE, SHORT) { return NotImplemented(L"StartDrawing"); }
STDMETHODIMP GLDisplay3D::get_hDC(OLE_HANDLE*) { return NotImplemented(L"get_hDC"); }
STDMETHODIMP GLDisplay3D::Progress(LONG) { return NotImplemented(L"Progress"); }
STDMETHODIMP GLDisplay3D::get_IlluminationProps(IUnknown**) { return NotImplemented(L"get_IlluminationProps"); }
STDMETHODIMP GLDisplay3D::put_IlluminationProps(IUnknown*) { return NotImplemented(L"put_IlluminationProps"); }

STDMETHODIMP GLDisplay3D::get_Filter(IDisplayFilter** filter) {
  return ComCall(
      L"get_Filter", [&] { zelph::HandOut(m_DisplayFilter.p, filter); }, filter);
}

STDMETHODIMP GLDisplay3D::putref_Filter(IDisplayFilter* filter) {
  return ComCall(L"putref_Filter", [&] {
    m_DisplayFilter = filter;
    CComQIPtr<ITransparencyDisplayFilter> transparency{filter};
    if (!transparency) return;
    SHORT value = 0;
    ThrowIfFailed(transparency->get_Transparency(&value));
    m_Symbology.m_FilterAlphaFactor = value / 255.0;
  });
}

STDMETHODIMP GLDisplay3D::FinishDrawing() {
  return ComCall(L"FinishDrawing", [&]() -> HRESULT {
    ThrowIfNull(m_Scene);
    // Drawn graphics wait in the scene's pending list; without a globe
    // there is nothing to build them for yet.
    if (!m_GlobeDisplay) return S_OK;
    return m_Scene->Refresh();
  });
}

STDMETHODIMP GLDisplay3D::SetSymbol(ISymbol* symbol) {
  return ComCall(L"SetSymbol", [&] { m_Symbology.SetSymbol(symbol); });
}

// ---------------------------------------------------------------------------
// Drawing

LONG GLDisplay3D::Filtered(std::uint8_t alpha) const {
  return static_cast<LONG>(alpha * m_Symbology.m_FilterAlphaFactor);
}

void GLDisplay3D::Place(IGraphic3D* graphic, IMaterial3D* material, std::uint8_t alpha) {
  ThrowIfFailed(graphic->putref_Material(material));
  ThrowIfFailed(graphic->put_Transparency(Filtered(alpha)));
  ThrowIfFailed(graphic->put_Visible(VARIANT_TRUE));
  ThrowIfFailed(graphic->put_ThresholdElevation(m_ThresholdElevation));
  if (m_DisplayTargetGroup) {
    CComQIPtr<IGraphic3D> group{m_DisplayTargetGroup};
    ThrowIfNull(group);
    CComBSTR name;
    ThrowIfFailed(group->get_Name(&name));
    ThrowIfFailed(graphic->put_Name(name));
    ThrowIfFailed(m_DisplayTargetGroup->AddGraphic(graphic));
    return;
  }
  ThrowIfNull(m_Scene);
  ThrowIfFailed(m_Scene->AddGraphic(graphic));
}

void GLDisplay3D::SetCallout(IUnknown* graphic, IPoint* anchor) {
  CComQIPtr<ICallout3D> callout{graphic};
  ThrowIfNull(callout);
  ThrowIfFailed(callout->putref_CalloutAnchorLocation(anchor));
  ThrowIfFailed(callout->putref_CalloutLineSymbol(m_CalloutLineSymbol));
  ThrowIfFailed(callout->put_EnableCallout(m_EnableCallouts));
}

CComPtr<IGeoExtrusion3D> GLDisplay3D::MakeExtrusion(kestGLExtrusionTypeOption type, IMaterial3D* material,
                                                    std::uint8_t alpha, ISimpleLineSymbol* outline) {
  CComPtr<IGeoExtrusion3D> shape = NewComponent<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  // The type first: the geometry is read by it.
  ThrowIfFailed(shape->put_Type(type));
  CComQIPtr<IExtrusion3D> extrusion{shape};
  ThrowIfNull(extrusion);
  ThrowIfFailed(extrusion->put_EnableAutoExtrusionDepth(VARIANT_TRUE));
  ThrowIfFailed(extrusion->put_EnableExtrusion(m_EnableExtrusion));
  ThrowIfFailed(extrusion->put_EnableOutlining(m_Symbology.m_EnableOutlining));
  ThrowIfFailed(extrusion->putref_ExtrusionMaterial(material));
  ThrowIfFailed(extrusion->put_ExtrusionTransparency(Filtered(alpha)));
  ThrowIfFailed(extrusion->putref_OutlineLineSymbol(outline));
  return shape;
}

CComPtr<ISimpleLineSymbol> GLDisplay3D::LineOutline() {
  const DisplaySymbology& s = m_Symbology;
  return m_Symbology.FetchOutlineLineSymbol(s.m_LineRed, s.m_LineGreen, s.m_LineBlue, s.m_LineStyle, s.m_LineWidth);
}

CComPtr<IEnvelope> GLDisplay3D::MarkerEnvelope(IPoint* point) const {
  double x = 0.0, y = 0.0;
  ThrowIfFailed(point->QueryCoords(&x, &y));
  const float halfUnits = static_cast<float>(0.5 * kMarkerUnitsPerSize * m_Symbology.m_MarkerPointSize);
  const float latitude = std::clamp(static_cast<float>(y), -kSizingLatitudeLimit, kSizingLatitudeLimit);
  const double halfLatitude = Geopunctus::GLDistanceToGeoDegrees(halfUnits, 0.0f);
  const double halfLongitude = Geopunctus::GLDistanceToGeoDegrees(halfUnits, latitude);
  CComPtr<IEnvelope> envelope = zelph::RequireHostObject<IEnvelope>(CLSID_Envelope);
  ThrowIfFailed(envelope->PutCoords(x - halfLongitude, y - halfLatitude, x + halfLongitude, y + halfLatitude));
  return envelope;
}

CComPtr<IGraphic3D> GLDisplay3D::MakeSphere(IPoint* point) {
  const DisplaySymbology& s = m_Symbology;
  CComPtr<IEllipsoid3D> sphere = NewComponent<IEllipsoid3D>(CLSID_Ellipsoid3D);
  const double size = kMarkerUnitsPerSize * s.m_MarkerPointSize;
  ThrowIfFailed(sphere->PutSize(size, size, size));
  ThrowIfFailed(sphere->put_EllipsoidOption(s.m_EnableOutlining == VARIANT_TRUE ? kestGLEllipsoidFrameAndFill
                                                                                : kestGLEllipsoidFrameOnly));
  ThrowIfFailed(sphere->putref_GridSymbol(m_Symbology.FetchOutlineLineSymbol(
      s.m_MarkerRed, s.m_MarkerGreen, s.m_MarkerBlue, kestSLSSolid, kPointOutlineWidth)));
  SetCallout(sphere, point);
  CComQIPtr<IGraphic3D> graphic{sphere};
  ThrowIfNull(graphic);
  ThrowIfFailed(graphic->putref_Centroid(point));
  return CComPtr<IGraphic3D>(graphic);
}

CComPtr<IGraphic3D> GLDisplay3D::MakeFlatCircle(IPoint* point, IMaterial3D* material) {
  const DisplaySymbology& s = m_Symbology;
  CComPtr<IGeoExtrusion3D> circle =
      MakeExtrusion(kestGLExtrusionTypeAutoEllipse, material, s.m_MarkerAlpha,
                    m_Symbology.FetchOutlineLineSymbol(s.m_MarkerRed, s.m_MarkerGreen, s.m_MarkerBlue, kestSLSSolid,
                                                       kPointOutlineWidth));
  CComQIPtr<IGeometry> envelope{MarkerEnvelope(point)};
  ThrowIfFailed(circle->putref_Geometry(envelope));
  CComQIPtr<IGraphic3D> graphic{circle};
  ThrowIfNull(graphic);
  return CComPtr<IGraphic3D>(graphic);
}

void GLDisplay3D::DrawPointAt(IPoint* point) {
  const DisplaySymbology& s = m_Symbology;
  CComPtr<IMaterial3D> material = m_Symbology.CreateMaterial(s.m_MarkerRed, s.m_MarkerGreen, s.m_MarkerBlue);
  CComPtr<IGraphic3D> graphic =
      m_DisplayPointOption == kestGLDisplayPointFlatCircle ? MakeFlatCircle(point, material) : MakeSphere(point);
  Place(graphic, material, s.m_MarkerAlpha);
}

STDMETHODIMP GLDisplay3D::DrawPoint(IGeometry* geometry) {
  return ComCall(L"DrawPoint", [&] {
    // A copy: the graphic moves its centroid in place, the client's point
    // stays where it is.
    CComQIPtr<IPoint> point = Require<IPoint>(geometry);
    double x = 0.0, y = 0.0, z = 0.0;
    ThrowIfFailed(point->QueryCoords(&x, &y));
    ThrowIfFailed(point->get_Z(&z));
    DrawPointAt(DisplaySymbology::NewPointAt(x, y, z));
  });
}

STDMETHODIMP GLDisplay3D::DrawMultipoint(IGeometry* geometry) {
  return ComCall(L"DrawMultipoint", [&] {
    CComQIPtr<IPointCollection> points = Require<IPointCollection>(geometry);
    LONG count = 0;
    ThrowIfFailed(points->get_PointCount(&count));
    for (LONG i = 0; i < count; ++i) {
      CComPtr<IPoint> point;
      ThrowIfFailed(points->get_Point(i, &point));
      DrawPointAt(point);
    }
  });
}

STDMETHODIMP GLDisplay3D::DrawRectangle(IEnvelope* rectangle) {
  return ComCall(L"DrawRectangle", [&]() -> HRESULT {
    ThrowIfNull(rectangle);
    double xMin = 0.0, yMin = 0.0, xMax = 0.0, yMax = 0.0, z = 0.0;
    ThrowIfFailed(rectangle->QueryCoords(&xMin, &yMin, &xMax, &yMax));
    ThrowIfFailed(rectangle->get_ZMin(&z));
    if (std::isnan(z)) z = 0.0;
    CComPtr<IPointCollection> corners = zelph::RequireHostObject<IPointCollection>(CLSID_Polygon);
    const double xy[4][2] = {{xMin, yMin}, {xMax, yMin}, {xMax, yMax}, {xMin, yMax}};
    for (const auto& corner : xy)
      ThrowIfFailed(corners->AddPoint(DisplaySymbology::NewPointAt(corner[0], corner[1], z), nullptr, nullptr));
    return DrawPolygon(CComQIPtr<IGeometry>(corners));
  });
}

STDMETHODIMP GLDisplay3D::DrawPolyline(IGeometry* geometry) {
  return ComCall(L"DrawPolyline", [&] {
    Require<IPolyline>(geometry);
    const DisplaySymbology& s = m_Symbology;
    CComPtr<IMaterial3D> material = m_Symbology.CreateMaterial(s.m_LineRed, s.m_LineGreen, s.m_LineBlue);
    ThrowIfNull(material);
    m_Symbology.SetMaterialLineStyle(material, s.m_LineStyle);
    m_Symbology.SetMaterialFillStyle(material, kestSFSSolid);
    CComPtr<IGeoExtrusion3D> line = MakeExtrusion(kestGLExtrusionTypePolyline, material, s.m_LineAlpha, LineOutline());
    ThrowIfFailed(line->putref_Geometry(geometry));
    Place(CComQIPtr<IGraphic3D>(line), material, s.m_LineAlpha);
  });
}

void GLDisplay3D::DrawPolygonRing(IGeometry* ring, IArray* holes, IMaterial3D* face, IMaterial3D* walls) {
  CComPtr<IGeoExtrusion3D> area =
      MakeExtrusion(kestGLExtrusionTypePolygon, walls, m_Symbology.m_LineAlpha, LineOutline());
  ThrowIfFailed(area->putref_Geometry(ring));
  if (holes) ThrowIfFailed(area->putref_InnerGeometries(holes));
  Place(CComQIPtr<IGraphic3D>(area), face, m_Symbology.m_FillAlpha);
}

STDMETHODIMP GLDisplay3D::DrawPolygon(IGeometry* geometry) {
  return ComCall(L"DrawPolygon", [&] {
    Require<IPolygon>(geometry);
    CComQIPtr<IGeometryCollection> parts = Require<IGeometryCollection>(geometry);
    auto [outerRings, innerRings] = DisplaySymbology::DistillPolygonGeometries(parts);
    ThrowIfNull(outerRings);
    const DisplaySymbology& s = m_Symbology;
    CComPtr<IMaterial3D> face = m_Symbology.CreateMaterial(s.m_FillRed, s.m_FillGreen, s.m_FillBlue);
    CComPtr<IMaterial3D> walls = m_Symbology.CreateMaterial(s.m_LineRed, s.m_LineGreen, s.m_LineBlue);
    ThrowIfNull(face);
    ThrowIfNull(walls);
    m_Symbology.SetMaterialLineStyle(face, s.m_LineStyle);
    m_Symbology.SetMaterialFillStyle(face, s.m_FillStyle);
    m_Symbology.SetMaterialLineStyle(walls, s.m_LineStyle);
    LONG count = 0;
    ThrowIfFailed(outerRings->get_GeometryCount(&count));
    for (LONG i = 0; i < count; ++i) {
      CComPtr<IGeometry> ring;
      ThrowIfFailed(outerRings->get_Geometry(i, &ring));
      CComPtr<IUnknown> holes;
      if (innerRings) innerRings->get_Element(i, &holes);
      DrawPolygonRing(ring, CComQIPtr<IArray>(holes), face, walls);
    }
  });
}

STDMETHODIMP GLDisplay3D::DrawText(IGeometry* geometry, BSTR text) {
  return ComCall(L"DrawText", [&] {
    ThrowIfNull(geometry);
    auto [first, second] = DisplaySymbology::GetGeoAnchors(geometry);
    if (!first || !second) zelph::Fail(E_FAIL);
    CComPtr<IPoint> middle = DisplaySymbology::GetCenter(first, second);
    ThrowIfNull(middle);
    const double azimuth = DisplaySymbology::CalculateAzimuth(first, second);
    const DisplaySymbology& s = m_Symbology;
    CComPtr<IMaterial3D> material = m_Symbology.CreateMaterial(s.m_TextRed, s.m_TextGreen, s.m_TextBlue);

    CComPtr<ITextPoint3D> label = NewComponent<ITextPoint3D>(CLSID_TextPoint3D);
    CComQIPtr<IGraphic3D> graphic{label};
    ThrowIfNull(graphic);
    ThrowIfFailed(graphic->putref_Centroid(middle));
    // A billboard faces the viewer whatever the line it was drawn along: the
    // line's heading would only turn it edge-on (an east-west label would
    // vanish), so it takes the symbol's angle alone.
    const double lineHeading = s.m_DisplayTextOption == kestGLDisplayTextBillboard ? 0.0 : azimuth;
    CComPtr<IOrientation3D> orientation = NewComponent<IOrientation3D>(CLSID_Orientation3D);
    ThrowIfFailed(orientation->put_Heading(lineHeading - s.m_TextAngle));
    ThrowIfFailed(graphic->putref_Orientation(orientation));
    SetCallout(label, middle);
    ThrowIfFailed(label->putref_Font(m_Symbology.GetCurrentFont(material)));
    ThrowIfFailed(label->put_TextScale(kTextScalePerSize * s.m_TextSize));
    DisplaySymbology::SetTextHorizontalAlignment(label, s.m_HorizontalAlignment);
    DisplaySymbology::SetTextVerticalAlignment(label, s.m_VerticalAlignment);
    ThrowIfFailed(label->put_Text(text));
    Place(graphic, material, s.m_TextAlpha);
  });
}
