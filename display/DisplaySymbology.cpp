#include "display/DisplaySymbology.h"

#include <algorithm>
#include <cmath>

#include "frame/ErrorConvention.h"
#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "geometry/Geopunctus.h"
#include "geometry/Vector.h"
#include "render/Glomarch.h"

using zelph::InternalCall;
using zelph::ThrowIfFailed;
using zelph::ThrowIfNull;

namespace {

// How far the gradient's far colour lies from the near one, per component.
constexpr LONG kGradientStep = 96;
// The automatic outline is the colour darkened to this share.
constexpr double kOutlineShade = 0.75;

struct SymbolColor {
  LONG red = 0, green = 0, blue = 0;
  std::uint8_t alpha = 0;
};

SymbolColor ReadColor(IColor* color) {
  CComQIPtr<IRgbColor> rgb{color};
  ThrowIfNull(rgb);
  SymbolColor read;
  BYTE transparency = 0;
  ThrowIfFailed(rgb->get_Red(&read.red));
  ThrowIfFailed(rgb->get_Green(&read.green));
  ThrowIfFailed(rgb->get_Blue(&read.blue));
  ThrowIfFailed(rgb->get_Transparency(&transparency));
  read.alpha = transparency;
  return read;
}

template <class Symbol>
SymbolColor ReadSymbolColor(Symbol* symbol) {
  CComPtr<IColor> color;
  ThrowIfFailed(symbol->get_Color(&color));
  return ReadColor(color);
}

CComPtr<IRgbColor> NewColor(LONG red, LONG green, LONG blue) {
  CComPtr<IRgbColor> color = zelph::RequireHostObject<IRgbColor>(CLSID_RgbColor);
  ThrowIfFailed(color->put_Red(red));
  ThrowIfFailed(color->put_Green(green));
  ThrowIfFailed(color->put_Blue(blue));
  return color;
}

// An alpha scaled by a filter factor, truncated, held on the byte range.
LONG ScaledAlpha(double alpha, double factor) {
  const double scaled = alpha * factor;
  if (!(scaled > 0.0)) return 0;  // NaN too
  return std::min<LONG>(static_cast<LONG>(scaled), 255);
}

// The stipple keeping 16 - n set bits for a gap of n sixteenths; a gap
// outside 0 to 16 sixteenths (negative lengths, NaN) is held on that range
// rather than shifting by a count the 16-bit pattern cannot take.
std::uint16_t StippleForGap(double sixteenths) {
  const double bits = std::isnan(sixteenths) ? 0.0 : std::clamp(std::trunc(sixteenths), 0.0, 16.0);
  return static_cast<std::uint16_t>(0xFFFFu >> static_cast<unsigned>(bits));
}

kestGLLineOption LineOptionFor(kestSimpleLineStyle style) {
  switch (style) {
    case kestSLSDash:
      return kestGLLineDash;
    case kestSLSDot:
      return kestGLLineDot;
    case kestSLSDashDot:
      return kestGLLineDashDot;
    case kestSLSDashDotDot:
      return kestGLLineDashDotDot;
    default:
      return kestGLLineSolid;
  }
}

struct GLLocation {
  float x = 0, y = 0, z = 0;
  Vector AsVector() const { return Vector(x, y, z); }
};

GLLocation LocationOf(const Geopunctus& where) {
  GLLocation location;
  where.ConvertToGLLocation(&location.x, &location.y, &location.z, 0.0f, 1.0f);
  return location;
}

CComPtr<IPoint> CopyOfPoint(IPoint* point) {
  double x = 0, y = 0, z = 0;
  ThrowIfFailed(point->QueryCoords(&x, &y));
  ThrowIfFailed(point->get_Z(&z));
  return DisplaySymbology::NewPointAt(x, y, z);
}

// Calls `visit(IGeometry*)` for every member of the collection, in order.
template <class Visit>
void ForEachGeometry(IUnknown* collection, Visit&& visit) {
  CComQIPtr<IGeometryCollection> members{collection};
  ThrowIfNull(members);
  LONG count = 0;
  ThrowIfFailed(members->get_GeometryCount(&count));
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IGeometry> member;
    ThrowIfFailed(members->get_Geometry(i, &member));
    visit(member.p);
  }
}

// The bag's members, in order, in a new array.
CComPtr<IArray> ArrayOfMembers(IGeometryBag* bag) {
  CComPtr<IArray> array = zelph::RequireHostObject<IArray>(CLSID_Array);
  ForEachGeometry(bag, [&](IGeometry* member) { ThrowIfFailed(array->Add(member)); });
  return array;
}

}  // namespace

DisplaySymbology::DisplaySymbology() {
  // Left empty when the host cannot make a colour; manual outlines then fail.
  CComPtr<IRgbColor> black = zelph::NewHostObject<IRgbColor>(CLSID_RgbColor);
  if (black && SUCCEEDED(black->put_Red(0)) && SUCCEEDED(black->put_Green(0)) && SUCCEEDED(black->put_Blue(0))) {
    m_ManualOutlineColor = black;
  }
}

void DisplaySymbology::SetSymbol(ISymbol* symbol) {
  InternalCall(L"SetSymbol", [&] {
    if (!symbol) return;
    if (CComQIPtr<IMarkerSymbol> marker{symbol}) {
      StoreMarkerSymbolProperties(marker);
    } else if (CComQIPtr<ILineSymbol> line{symbol}) {
      StoreLineSymbolProperties(line);
    } else if (CComQIPtr<IFillSymbol> fill{symbol}) {
      StoreFillSymbolProperties(fill);
    } else if (CComQIPtr<ITextSymbol> text{symbol}) {
      StoreTextSymbolProperties(text);
    }
  });
}

void DisplaySymbology::StoreMarkerSymbolProperties(IMarkerSymbol* symbol) {
  InternalCall(L"StoreMarkerSymbolProperties", [&] {
    ThrowIfNull(symbol);
    const SymbolColor color = ReadSymbolColor(symbol);
    double size = 0;
    ThrowIfFailed(symbol->get_Size(&size));
    m_MarkerRed = color.red;
    m_MarkerGreen = color.green;
    m_MarkerBlue = color.blue;
    m_MarkerAlpha = color.alpha;
    m_MarkerPointSize = size;
  });
}

void DisplaySymbology::StoreLineSymbolProperties(ILineSymbol* symbol) {
  InternalCall(L"StoreLineSymbolProperties", [&] {
    ThrowIfNull(symbol);
    const SymbolColor color = ReadSymbolColor(symbol);
    double width = 0;
    ThrowIfFailed(symbol->get_Width(&width));
    kestSimpleLineStyle style = m_LineStyle;
    CComQIPtr<ISimpleLineSymbol> simple{symbol};
    if (simple) ThrowIfFailed(simple->get_Style(&style));

    m_LineRed = color.red;
    m_LineGreen = color.green;
    m_LineBlue = color.blue;
    m_LineAlpha = color.alpha;
    m_LineWidth = width;
    m_UseStipple = false;
    m_LineStyle = style;
    if (CComQIPtr<ICartographicLineSymbol> cartographic{symbol}) StoreCartographicLineSymbolProperties(cartographic);
  });
}

void DisplaySymbology::StoreCartographicLineSymbolProperties(ICartographicLineSymbol* symbol) {
  InternalCall(L"StoreCartographicLineSymbolProperties", [&] {
    ThrowIfNull(symbol);
    CComQIPtr<ILineProperties> properties{symbol};
    if (!properties) return;
    CComPtr<ITemplate> pattern;
    ThrowIfFailed(properties->get_Template(&pattern));
    if (!pattern) return;
    LONG elements = 0;
    ThrowIfFailed(pattern->get_PatternElementCount(&elements));
    if (elements < 1) return;
    double interval = 0, mark = 0, gap = 0;
    ThrowIfFailed(pattern->get_Interval(&interval));
    ThrowIfFailed(pattern->QueryPatternElement(0, &mark, &gap));

    // The gap in sixteenths of one mark-plus-gap: the bits a 16-bit
    // stipple leaves clear.
    const double sixteenth = (mark + gap) * 0.0625;
    const double gapBits = sixteenth > 0 ? gap / sixteenth : gap;
    m_LineStippleFactor = interval;
    m_LineStipple = StippleForGap(gapBits);
    m_UseStipple = true;
  });
}

void DisplaySymbology::StoreFillSymbolProperties(IFillSymbol* symbol) {
  InternalCall(L"StoreFillSymbolProperties", [&] {
    ThrowIfNull(symbol);
    const bool multiLayer = static_cast<bool>(CComQIPtr<IMultiLayerFillSymbol>(symbol));
    SymbolColor color{0, 0, 0, 30};
    if (!multiLayer) color = ReadSymbolColor(symbol);
    CComPtr<ILineSymbol> outline;
    ThrowIfFailed(symbol->get_Outline(&outline));
    kestSimpleFillStyle style = multiLayer ? kestSFSHollow : m_FillStyle;
    CComQIPtr<ISimpleFillSymbol> simple{symbol};
    if (simple) ThrowIfFailed(simple->get_Style(&style));

    // Layers cannot be drawn one over another here: the whole is drawn as
    // a black outline, and stays simple until the client picks again.
    if (multiLayer) m_DisplayFillOption = kestGLDisplayFillSimple;
    m_FillRed = color.red;
    m_FillGreen = color.green;
    m_FillBlue = color.blue;
    m_FillAlpha = color.alpha;
    if (!outline) outline = OutlineInFillColor();
    StoreLineSymbolProperties(outline);
    m_FillStyle = style;
  });
}

CComPtr<ILineSymbol> DisplaySymbology::OutlineInFillColor() const {
  CComPtr<ILineSymbol> line = zelph::RequireHostObject<ILineSymbol>(CLSID_SimpleLineSymbol);
  CComPtr<IRgbColor> color = NewColor(m_FillRed, m_FillGreen, m_FillBlue);
  ThrowIfFailed(color->put_Transparency(m_FillAlpha));
  ThrowIfFailed(line->put_Color(color));
  return line;
}

void DisplaySymbology::StoreTextSymbolProperties(ITextSymbol* symbol) {
  InternalCall(L"StoreTextSymbolProperties", [&] {
    ThrowIfNull(symbol);
    const SymbolColor color = ReadSymbolColor(symbol);
    kestTextHorizontalAlignment horizontal = kestTHACenter;
    kestTextVerticalAlignment vertical = kestTVACenter;
    double angle = 0, size = 0;
    CComPtr<IFont> font;
    ThrowIfFailed(symbol->get_HorizontalAlignment(&horizontal));
    ThrowIfFailed(symbol->get_VerticalAlignment(&vertical));
    ThrowIfFailed(symbol->get_Angle(&angle));
    ThrowIfFailed(symbol->get_Size(&size));
    ThrowIfFailed(symbol->get_Font(&font));

    m_TextRed = color.red;
    m_TextGreen = color.green;
    m_TextBlue = color.blue;
    m_TextAlpha = color.alpha;
    m_HorizontalAlignment = horizontal;
    m_VerticalAlignment = vertical;
    m_TextAngle = angle;
    m_TextSize = size;
    m_TextFont = font;
  });
}

CComPtr<IMaterial3D> DisplaySymbology::CreateMaterial(LONG red, LONG green, LONG blue) {
  return InternalCall(L"CreateMaterial", [&]() -> CComPtr<IMaterial3D> {
    CComPtr<IRgbColor> nearColor = NewColor(red, green, blue);
    if (m_DisplayFillOption == kestGLDisplayFillSimple) {
      CComPtr<ISimpleMaterial3D> simple = zelph::NewLibraryObject<ISimpleMaterial3D>(CLSID_SimpleMaterial3D);
      ThrowIfNull(simple);
      ThrowIfFailed(simple->putref_Color(nearColor));
      return CComQIPtr<IMaterial3D>(simple);
    }
    LONG step = 0;
    if (m_DisplayFillOption == kestGLDisplayFillGradientLighter) step = kGradientStep;
    if (m_DisplayFillOption == kestGLDisplayFillGradientDarker) step = -kGradientStep;
    auto shifted = [step](LONG component) { return std::clamp<LONG>(component + step, 0, 255); };
    CComPtr<IRgbColor> farColor =
        step ? NewColor(shifted(red), shifted(green), shifted(blue)) : NewColor(red, green, blue);
    CComPtr<IGradientMaterial3D> gradient = zelph::NewLibraryObject<IGradientMaterial3D>(CLSID_GradientMaterial3D);
    ThrowIfNull(gradient);
    ThrowIfFailed(gradient->putref_StartColor(nearColor));
    ThrowIfFailed(gradient->putref_EndColor(farColor));
    return CComQIPtr<IMaterial3D>(gradient);
  });
}

void DisplaySymbology::SetMaterialLineStyle(IMaterial3D* material, kestSimpleLineStyle style) {
  InternalCall(L"SetMaterialLineStyle", [&] {
    ThrowIfNull(material);
    ThrowIfFailed(material->put_LineOption(LineOptionFor(style)));
    if (m_UseStipple) {
      ThrowIfFailed(material->put_LineOption(kestGLLineCustom));
      ThrowIfFailed(material->put_CustomStipplePattern(m_LineStipple));
    }
  });
}

void DisplaySymbology::SetMaterialFillStyle(IMaterial3D* material, kestSimpleFillStyle style) {
  InternalCall(L"SetMaterialFillStyle", [&] {
    ThrowIfNull(material);
    // The two enumerations share their values; anything else is solid.
    const bool known = style >= kestSFSSolid && style <= kestSFSDiagonalCross;
    ThrowIfFailed(material->put_FillOption(known ? static_cast<kestGLFillOption>(style) : kestGLFillSolid));
  });
}

CComPtr<ISimpleLineSymbol> DisplaySymbology::FetchOutlineLineSymbol(LONG red, LONG green, LONG blue,
                                                                    kestSimpleLineStyle style, double width) {
  return InternalCall(L"FetchOutlineLineSymbol", [&] {
    CComPtr<ISimpleLineSymbol> line = zelph::RequireHostObject<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
    ThrowIfFailed(line->put_Style(style));
    ThrowIfFailed(line->put_Width(width));
    const auto transparency = static_cast<BYTE>(ScaledAlpha(m_OutlineTransparency, m_FilterAlphaFactor));
    CComPtr<IRgbColor> color;
    if (m_DisplayOutlineColorOption == kestGLDisplayOutlineColorManual) {
      color = m_ManualOutlineColor;
      ThrowIfNull(color);
    } else {
      auto shade = [](LONG component) { return static_cast<LONG>(component * kOutlineShade); };
      color = NewColor(shade(red), shade(green), shade(blue));
    }
    ThrowIfFailed(color->put_Transparency(transparency));
    ThrowIfFailed(line->put_Color(color));
    return line;
  });
}

CComPtr<IFont3D> DisplaySymbology::GetCurrentFont(IMaterial3D* material) {
  return InternalCall(L"GetCurrentFont", [&]() -> CComPtr<IFont3D> {
    if (m_DisplayTextOption == kestGLDisplayTextBillboard) return m_ComFontHelper.LookupBillboardFont(m_TextFont);
    if (m_DisplayTextOption != kestGLDisplayTextFlat && m_DisplayTextOption != kestGLDisplayTextFlatExtruded) {
      return nullptr;
    }
    CComPtr<IFont3D> font = m_ComFontHelper.LookupExtrudedFont(m_TextFont);
    if (!font) return nullptr;
    CComQIPtr<IExtrusion3D> extrusion{font};
    ThrowIfNull(extrusion);
    CComPtr<ISimpleLineSymbol> outline = FetchOutlineLineSymbol(m_TextRed, m_TextGreen, m_TextBlue, kestSLSSolid, 1.0);
    ThrowIfNull(outline);
    ThrowIfFailed(extrusion->put_EnableAutoExtrusionDepth(VARIANT_TRUE));
    ThrowIfFailed(extrusion->put_EnableOutlining(m_EnableOutlining));
    ThrowIfFailed(extrusion->putref_ExtrusionMaterial(material));
    ThrowIfFailed(extrusion->put_ExtrusionTransparency(ScaledAlpha(m_TextAlpha, m_FilterAlphaFactor)));
    ThrowIfFailed(extrusion->putref_OutlineLineSymbol(outline));
    ThrowIfFailed(extrusion->put_EnableExtrusion(m_DisplayTextOption == kestGLDisplayTextFlatExtruded ? VARIANT_TRUE
                                                                                                      : VARIANT_FALSE));
    return font;
  });
}

void DisplaySymbology::SetTextHorizontalAlignment(ITextPoint3D* text, kestTextHorizontalAlignment alignment) {
  InternalCall(L"SetTextHorizontalAlignment", [&] {
    ThrowIfNull(text);
    kestGLHAlignOption option = kestGLHAlignLeft;
    if (alignment == kestTHACenter) option = kestGLHAlignCenter;
    if (alignment == kestTHARight) option = kestGLHAlignRight;
    ThrowIfFailed(text->put_HAOption(option));
  });
}

void DisplaySymbology::SetTextVerticalAlignment(ITextPoint3D* text, kestTextVerticalAlignment alignment) {
  InternalCall(L"SetTextVerticalAlignment", [&] {
    ThrowIfNull(text);
    kestGLVAlignOption option = kestGLVAlignNormal;
    if (alignment == kestTVATop) option = kestGLVAlignAbove;
    if (alignment == kestTVACenter) option = kestGLVAlignCenter;
    if (alignment == kestTVABottom) option = kestGLVAlignBelow;
    ThrowIfFailed(text->put_VAOption(option));
  });
}

std::pair<CComPtr<IPoint>, CComPtr<IPoint>> DisplaySymbology::GetGeoAnchors(IGeometry* geometry) {
  using Anchors = std::pair<CComPtr<IPoint>, CComPtr<IPoint>>;
  return InternalCall(L"GetGeoAnchors", [&]() -> Anchors {
    ThrowIfNull(geometry);
    if (CComQIPtr<IPoint> point{geometry}) return {CopyOfPoint(point), CopyOfPoint(point)};
    if (CComQIPtr<IPointCollection> points{geometry}) {
      LONG count = 0;
      ThrowIfFailed(points->get_PointCount(&count));
      if (count < 1) zelph::Fail(E_FAIL);
      Anchors anchors;
      ThrowIfFailed(points->get_Point(0, &anchors.first));
      ThrowIfFailed(points->get_Point(count - 1, &anchors.second));
      ThrowIfNull(anchors.first);
      ThrowIfNull(anchors.second);
      return anchors;
    }
    if (CComQIPtr<IEnvelope> envelope{geometry}) {
      // The envelope's west and east ends at half its height, so that the
      // text runs across its middle.
      double xMin = 0, yMin = 0, xMax = 0, yMax = 0, z = 0;
      ThrowIfFailed(envelope->QueryCoords(&xMin, &yMin, &xMax, &yMax));
      ThrowIfFailed(envelope->get_ZMin(&z));
      const double middle = (yMin + yMax) / 2.0;
      return {DisplaySymbology::NewPointAt(xMin, middle, z), DisplaySymbology::NewPointAt(xMax, middle, z)};
    }
    zelph::Fail(E_NOINTERFACE);
  });
}

CComPtr<IPoint> DisplaySymbology::GetCenter(IPoint* first, IPoint* second) {
  return InternalCall(L"GetCenter", [&] {
    ThrowIfNull(first);
    ThrowIfNull(second);
    double x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;
    ThrowIfFailed(first->QueryCoords(&x1, &y1));
    ThrowIfFailed(first->get_Z(&z1));
    ThrowIfFailed(second->QueryCoords(&x2, &y2));
    ThrowIfFailed(second->get_Z(&z2));
    if (std::isnan(z1)) z1 = 0;
    if (std::isnan(z2)) z2 = 0;
    return DisplaySymbology::NewPointAt((x1 + x2) / 2.0, (y1 + y2) / 2.0, (z1 + z2) / 2.0);
  });
}

double DisplaySymbology::CalculateAzimuth(IPoint* first, IPoint* second) {
  return InternalCall(L"CalculateAzimuth", [&] {
    // Points that cannot be read, or that coincide, give no direction: the
    // text then stands across the meridian.
    constexpr double kNoDirection = 90.0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!first || !second || FAILED(first->QueryCoords(&x1, &y1)) || FAILED(second->QueryCoords(&x2, &y2))) {
      return kNoDirection;
    }
    if (x1 == x2 && y1 == y2) return kNoDirection;

    const double planar = Vector(x2 - x1, y2 - y1, 0.0).GetAzimuth();
    if (planar == 0.0) return 0.0;
    // The heading is measured for the eastward order of the anchors; a
    // westward text is turned half round.
    const bool swapped = planar > 180.0;
    const Geopunctus from(static_cast<float>(swapped ? y2 : y1), static_cast<float>(swapped ? x2 : x1), 0.0f);
    const Geopunctus to(static_cast<float>(swapped ? y1 : y2), static_cast<float>(swapped ? x1 : x2), 0.0f);
    const Geopunctus northward(from.GetLat() + 1.0f, from.GetLon(), 0.0f);

    const Vector origin = LocationOf(from).AsVector();
    const Vector north = LocationOf(northward).AsVector() - origin;
    const Vector line = LocationOf(to).AsVector() - origin;
    const double heading = north.AngleToVector(line);
    return swapped ? heading + 180.0 : heading;
  });
}

std::pair<CComPtr<IGeometryCollection>, CComPtr<IArray>> DisplaySymbology::DistillPolygonGeometries(
    IGeometryCollection* polygon) {
  using Distilled = std::pair<CComPtr<IGeometryCollection>, CComPtr<IArray>>;
  return InternalCall(L"DistillPolygonGeometries", [&]() -> Distilled {
    ThrowIfNull(polygon);
    std::vector<CComPtr<IRing>> rings = RingsOf(polygon);
    CComPtr<IArray> holes = zelph::RequireHostObject<IArray>(CLSID_Array);

    CComQIPtr<IPolygon4> nested{polygon};
    if (nested) {
      CComPtr<IGeometryBag> exteriors;
      ThrowIfFailed(nested->get_ExteriorRingBag(&exteriors));
      ForEachGeometry(exteriors, [&](IGeometry* member) {
        CComQIPtr<IRing> exterior{member};
        ThrowIfNull(exterior);
        CComPtr<IGeometryBag> interiors;
        ThrowIfFailed(nested->get_InteriorRingBag(exterior, &interiors));
        ThrowIfFailed(holes->Add(ArrayOfMembers(interiors)));
      });
      return {CComQIPtr<IGeometryCollection>(exteriors), holes};
    }

    // Without the host's nesting every ring stands alone.
    CComPtr<IGeometryCollection> outer = zelph::RequireHostObject<IGeometryCollection>(CLSID_GeometryBag);
    for (const CComPtr<IRing>& ring : rings) {
      ThrowIfFailed(outer->AddGeometry(CComQIPtr<IGeometry>(ring), nullptr, nullptr));
      ThrowIfFailed(holes->Add(zelph::RequireHostObject<IArray>(CLSID_Array)));
    }
    return {outer, holes};
  });
}

std::vector<CComPtr<IRing>> DisplaySymbology::RingsOf(IGeometryCollection* polygon) {
  std::vector<CComPtr<IRing>> rings;
  ForEachGeometry(polygon, [&](IGeometry* part) {
    if (CComQIPtr<IRing> ring{part}) {
      rings.emplace_back(ring);
    } else if (CComQIPtr<IPath>(part)) {
      // An open path cannot bound an area: it is left out.
      Glomarch::Notify(L"ALERT!", L"Problem!");
    }
  });
  return rings;
}

CComPtr<IPoint> DisplaySymbology::NewPointAt(double x, double y, double z) {
  CComPtr<IPoint> point = zelph::RequireHostObject<IPoint>(CLSID_Point);
  ThrowIfFailed(point->PutCoords(x, y));
  ThrowIfFailed(point->put_Z(z));
  return point;
}
