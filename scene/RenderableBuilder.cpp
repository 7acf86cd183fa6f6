#include "scene/RenderableBuilder.h"

#include <array>
#include <optional>
#include <type_traits>
#include <utility>

#include "frame/ErrorConvention.h"
#include "geometry/GeometryHelfen.h"
#include "geometry/Geopunctus.h"
#include "platform/ComBstr.h"
#include "render/CalloutBase.h"
#include "render/ExtrusionBase.h"
#include "render/Glomarch.h"
#include "render/Label.h"
#include "render/RenderArea.h"
#include "render/RenderBillboard.h"
#include "render/RenderEllipsoid.h"
#include "render/RenderGroup.h"
#include "render/RenderLabeledBillboard.h"
#include "render/RenderLine.h"
#include "render/RenderPartialEllipsoid.h"
#include "text/FontHelper.h"
#include "text/RenderTextPoint.h"

namespace {

using zelph::ThrowIfFailed;
using zelph::ThrowIfNull;

// One property through its getter, which must succeed: strings come back as
// CComBSTR, interfaces as counted pointers, everything else by value.
template <class Object, class Interface, class Value>
auto Read(Object* object, HRESULT (STDMETHODCALLTYPE Interface::*getter)(Value*)) {
  ThrowIfNull(object);
  Interface* typed = object;
  if constexpr (std::is_same_v<Value, BSTR>) {
    CComBSTR value;
    ThrowIfFailed((typed->*getter)(&value));
    return value;
  } else if constexpr (std::is_pointer_v<Value>) {
    CComPtr<std::remove_pointer_t<Value>> value;
    ThrowIfFailed((typed->*getter)(&value));
    return value;
  } else {
    Value value{};
    ThrowIfFailed((typed->*getter)(&value));
    return value;
  }
}

// Red, green and blue of a host colour in the renderables' 0..1 range.
std::array<float, 3> UnitRGB(IRgbColor* color) {
  return {Read(color, &IRgbColor::get_Red) / 255.0f, Read(color, &IRgbColor::get_Green) / 255.0f,
          Read(color, &IRgbColor::get_Blue) / 255.0f};
}

// How a line symbol draws, in the renderables' terms.
struct LineLook {
  // White when the symbol's colour is no RGB colour.
  std::array<float, 3> rgb{1.0f, 1.0f, 1.0f};
  // The colour's own transparency byte; opaque without a colour.
  float alpha = 1.0f;
  float width = 0.0f;
  GLushort stipple = 0xFFFF;
};

LineLook LookOf(ISimpleLineSymbol* symbol) {
  LineLook look;
  CComPtr<IColor> color = Read(symbol, &ILineSymbol::get_Color);
  if (color) look.alpha = Read(color.p, &IColor::get_Transparency) / 255.0f;
  if (CComQIPtr<IRgbColor> rgb{color}) look.rgb = UnitRGB(rgb);
  look.width = static_cast<float>(Read(symbol, &ILineSymbol::get_Width));
  look.stipple = Glomarch::ConvertLineStyle(Read(symbol, &ISimpleLineSymbol::get_Style));
  return look;
}

// Calls `visit(IUnknown*)` for every element of a host array; a null array
// has none.
template <class Visit>
void ForEachElement(IArray* array, Visit&& visit) {
  if (!array) return;
  const LONG count = Read(array, &IArray::get_Count);
  for (LONG index = 0; index < count; ++index) {
    CComPtr<IUnknown> element;
    ThrowIfFailed(array->get_Element(index, &element));
    visit(element.p);
  }
}

// Appends every vertex of a point collection to the line, in order.
void AddGeographicPoints(IUnknown* geometry, RenderLine& line) {
  CComQIPtr<IPointCollection> points{geometry};
  ThrowIfNull(points);
  const LONG count = Read(points.p, &IPointCollection::get_PointCount);
  for (LONG index = 0; index < count; ++index) {
    CComPtr<IPoint> point;
    ThrowIfFailed(points->get_Point(index, &point));
    ThrowIfNull(point);
    line.AddGeographicLocation(static_cast<float>(Read(point.p, &IPoint::get_Y)),
                               static_cast<float>(Read(point.p, &IPoint::get_X)),
                               static_cast<float>(Read(point.p, &IPoint::get_Z)));
  }
}

GLushort LineStipple(IMaterial3D* material, kestGLLineOption option) {
  switch (option) {
    case kestGLLineDash:
      return 0x0FFF;
    case kestGLLineDot:
      return 0x0F0F;
    case kestGLLineDashDot:
      return 0x33FF;
    case kestGLLineDashDotDot:
      return 0x333F;
    case kestGLLineCustom:
      return static_cast<GLushort>(Read(material, &IMaterial3D::get_CustomStipplePattern) & 0xFFFF);
    default:
      return 0xFFFF;
  }
}

void ApplySelectionStyle(kestGLSelectionOption option, GraphicBase& renderable) {
  switch (option) {
    case kestGLSelectionOutline:
      renderable.SetSelectOutline();
      break;
    case kestGLSelectionOverlay:
      renderable.SetSelectOverlay();
      break;
    default:
      renderable.SetSelectNone();
      break;
  }
}

Label LabelOf(IBillboardLabel3D* label) {
  Label made;
  made.Text = Read(label, &IBillboardLabel3D::get_Text).View();
  made.Angle = static_cast<float>(Read(label, &IBillboardLabel3D::get_Angle));
  made.Alignment = static_cast<HAlign>(Read(label, &IBillboardLabel3D::get_HAOption));
  made.AutoArrange = Read(label, &IBillboardLabel3D::get_AutoArrange) == VARIANT_TRUE;
  made.Radius = static_cast<float>(Read(label, &IBillboardLabel3D::get_ManualRadius));
  return made;
}

// The font object behind a font component; none for no component.
CComPtr<IFont> FontObjectOf(IFont3D* font) { return font ? Read(font, &IFont3D::get_Font) : CComPtr<IFont>(); }

}  // namespace

RenderableBuilder::RenderableBuilder(FontHelper& fonts, NameLookup lookUpGLName)
    : m_FontHelper(fonts), m_LookUpGLName(std::move(lookUpGLName)) {}

RenderableBuilder::Built RenderableBuilder::Construct(GLuint name, IGraphic3D* graphic, const SceneSettings& settings) {
  // The order matters: a labelled billboard is a billboard too, and a
  // partial ellipsoid an ellipsoid.
  return zelph::InternalCall(L"Construct", [&]() -> Built {
    if (CComQIPtr<ILabeledBillboard3D> labeled{graphic}) {
      return {ConstructLabeledBillboardRenderable(name, labeled, settings), MapKind::Billboard};
    }
    if (CComQIPtr<IBillboard3D> billboard{graphic}) {
      return {ConstructBillboardRenderable(name, billboard, settings), MapKind::Billboard};
    }
    if (CComQIPtr<IGeoExtrusion3D> extrusion{graphic}) {
      return {ConstructGeoExtrusionRenderable(name, extrusion, settings), MapKind::Other};
    }
    if (CComQIPtr<IPartialEllipsoid3D> partial{graphic}) {
      return {ConstructPartialEllipsoidRenderable(name, partial, settings), MapKind::Other};
    }
    if (CComQIPtr<IEllipsoid3D> ellipsoid{graphic}) {
      return {ConstructEllipsoidRenderable(name, ellipsoid, settings), MapKind::Other};
    }
    if (CComQIPtr<IGroupGraphic3D> group{graphic}) {
      return {ConstructGroupRenderable(name, group, settings), MapKind::Other};
    }
    if (CComQIPtr<ITextPoint3D> text{graphic}) {
      return {ConstructTextPointRenderable(name, text, settings), MapKind::Other};
    }
    return {};
  });
}

RenderableBuilder::Renderable RenderableBuilder::ConstructLabeledBillboardRenderable(GLuint name,
                                                                                     ILabeledBillboard3D* billboard,
                                                                                     const SceneSettings& settings) {
  return zelph::InternalCall(L"ConstructLabeledBillboardRenderable", [&]() -> Renderable {
    auto renderable = std::make_unique<RenderLabeledBillboard>(name);
    renderable->SetEnableLabels(Read(billboard, &ILabeledBillboard3D::get_EnableLabels) == VARIANT_TRUE);
    ForEachElement(Read(billboard, &ILabeledBillboard3D::get_Labels), [&](IUnknown* element) {
      if (CComQIPtr<IBillboardLabel3D> label{element}) renderable->AddLabel(LabelOf(label));
    });
    CComPtr<IFont3D> font = Read(billboard, &ILabeledBillboard3D::get_Font);
    renderable->SetFont(m_FontHelper.LookupBillboardFont(FontObjectOf(font)));
    if (CComPtr<IRgbColor> color = Read(billboard, &ILabeledBillboard3D::get_FontColor)) {
      const auto [red, green, blue] = UnitRGB(color);
      renderable->SetFontRGB(red, green, blue);
    }
    SetBillboardProperties(CComQIPtr<IBillboard3D>(billboard), renderable.get(), settings);
    FinishRenderable(billboard, renderable.get(), false, settings);
    return renderable;
  });
}

RenderableBuilder::Renderable RenderableBuilder::ConstructBillboardRenderable(GLuint name, IBillboard3D* billboard,
                                                                              const SceneSettings& settings) {
  return zelph::InternalCall(L"ConstructBillboardRenderable", [&]() -> Renderable {
    auto renderable = std::make_unique<RenderBillboard>(name);
    SetBillboardProperties(billboard, renderable.get(), settings);
    FinishRenderable(billboard, renderable.get(), false, settings);
    return renderable;
  });
}

RenderableBuilder::Renderable RenderableBuilder::ConstructGeoExtrusionRenderable(GLuint name,
                                                                                 IGeoExtrusion3D* extrusion,
                                                                                 const SceneSettings& settings) {
  return zelph::InternalCall(L"ConstructGeoExtrusionRenderable", [&]() -> Renderable {
    CComPtr<IGeometry> geometry = Read(extrusion, &IGeoExtrusion3D::get_Geometry);
    CComPtr<IArray> innerGeometries = Read(extrusion, &IGeoExtrusion3D::get_InnerGeometries);
    std::unique_ptr<RenderLine> renderable;
    switch (Read(extrusion, &IGeoExtrusion3D::get_Type)) {
      case kestGLExtrusionTypePolyline:
        renderable = ConstructGEPolyline(name, geometry);
        break;
      case kestGLExtrusionTypePolygon:
      case kestGLExtrusionTypeAutoEllipse:
        renderable = ConstructGEPolygon(name, geometry, innerGeometries);
        break;
      default:
        return nullptr;
    }
    if (!renderable) return nullptr;
    if (CComQIPtr<IExtrusion3D> extrusionSettings{extrusion}) {
      SetExtrusionBaseProperties(extrusionSettings, renderable.get());
    }
    FinishRenderable(extrusion, renderable.get(), false, settings);
    return renderable;
  });
}

RenderableBuilder::Renderable RenderableBuilder::ConstructPartialEllipsoidRenderable(GLuint name,
                                                                                     IPartialEllipsoid3D* ellipsoid,
                                                                                     const SceneSettings& settings) {
  return zelph::InternalCall(L"ConstructPartialEllipsoidRenderable", [&]() -> Renderable {
    auto renderable = std::make_unique<RenderPartialEllipsoid>(name);
    renderable->SetStartAzimuth(static_cast<float>(Read(ellipsoid, &IPartialEllipsoid3D::get_StartAzimuth)));
    renderable->SetEndAzimuth(static_cast<float>(Read(ellipsoid, &IPartialEllipsoid3D::get_EndAzimuth)));
    renderable->SetStartInclination(static_cast<float>(Read(ellipsoid, &IPartialEllipsoid3D::get_StartInclination)));
    renderable->SetEndInclination(static_cast<float>(Read(ellipsoid, &IPartialEllipsoid3D::get_EndInclination)));
    renderable->SetShowCaps(Read(ellipsoid, &IPartialEllipsoid3D::get_ShowCaps) == VARIANT_TRUE);
    SetEllipsoidProperties(CComQIPtr<IEllipsoid3D>(ellipsoid), renderable.get());
    FinishRenderable(ellipsoid, renderable.get(), false, settings);
    return renderable;
  });
}

RenderableBuilder::Renderable RenderableBuilder::ConstructEllipsoidRenderable(GLuint name, IEllipsoid3D* ellipsoid,
                                                                              const SceneSettings& settings) {
  return zelph::InternalCall(L"ConstructEllipsoidRenderable", [&]() -> Renderable {
    auto renderable = std::make_unique<RenderEllipsoid>(name);
    SetEllipsoidProperties(ellipsoid, renderable.get());
    FinishRenderable(ellipsoid, renderable.get(), false, settings);
    return renderable;
  });
}

RenderableBuilder::Renderable RenderableBuilder::ConstructGroupRenderable(GLuint name, IGroupGraphic3D* group,
                                                                          const SceneSettings& settings) {
  return zelph::InternalCall(L"ConstructGroupRenderable", [&]() -> Renderable {
    auto renderable = std::make_unique<RenderGroup>(name);
    ForEachElement(Read(group, &IGroupGraphic3D::get_Graphics), [&](IUnknown* element) {
      if (CComQIPtr<IGraphic3D> member{element}) renderable->AddGraphic(ProcessMember(member, settings));
    });
    // The members keep the materials they were built with.
    FinishRenderable(group, renderable.get(), true, settings);
    renderable->CascadeGraphicProperties();
    return renderable;
  });
}

RenderableBuilder::Renderable RenderableBuilder::ConstructTextPointRenderable(GLuint name, ITextPoint3D* text,
                                                                              const SceneSettings& settings) {
  return zelph::InternalCall(L"ConstructTextPointRenderable", [&]() -> Renderable {
    auto renderable = std::make_unique<RenderTextPoint>(name);
    renderable->SetTextScale(static_cast<float>(Read(text, &ITextPoint3D::get_TextScale)));
    renderable->SetHOption(Read(text, &ITextPoint3D::get_HAOption));
    renderable->SetVOption(Read(text, &ITextPoint3D::get_VAOption));
    renderable->SetText(Read(text, &ITextPoint3D::get_Text).View());
    SetFontProperties(Read(text, &ITextPoint3D::get_Font), renderable.get());
    FinishRenderable(text, renderable.get(), false, settings);
    return renderable;
  });
}

std::unique_ptr<RenderArea> RenderableBuilder::ConstructGEPolygon(GLuint name, IGeometry* geometry,
                                                                  IArray* innerGeometries) {
  return zelph::InternalCall(L"ConstructGEPolygon", [&] {
    auto area = std::make_unique<RenderArea>(name);
    AddGeographicPoints(geometry, *area);
    ForEachElement(innerGeometries, [&](IUnknown* inner) {
      ThrowIfNull(CComQIPtr<IPointCollection>(inner));
      area->StartInnerContour();
      AddGeographicPoints(inner, *area);
    });
    return area;
  });
}

std::unique_ptr<RenderLine> RenderableBuilder::ConstructGEPolyline(GLuint name, IGeometry* geometry) {
  return zelph::InternalCall(L"ConstructGEPolyline", [&] {
    auto line = std::make_unique<RenderLine>(name);
    AddGeographicPoints(geometry, *line);
    return line;
  });
}

RenderableBuilder::Renderable RenderableBuilder::ProcessMember(IGraphic3D* member, const SceneSettings& settings) {
  Built built = Construct(m_LookUpGLName(member), member, settings);
  // Reading the member raised its level; what it asked for is now built.
  if (CComQIPtr<IUpdate3D> update{member}) zelph::LogIfNotOk(update->put_UpdateLevel(kestGLUpdateNone));
  return std::move(built.renderable);
}

void RenderableBuilder::SetBillboardProperties(IBillboard3D* billboard, RenderBillboard* renderable,
                                               const SceneSettings& settings) {
  ThrowIfNull(billboard);
  double width = 0.0, height = 0.0;
  ThrowIfFailed(billboard->QuerySize(&width, &height));
  renderable->SetSize(static_cast<float>(width), static_cast<float>(height));
  CComQIPtr<IGraphic3D> sensor{Read(billboard, &IBillboard3D::get_SensorEllipsoid)};
  if (!sensor) return;
  Renderable built = ProcessMember(sensor, settings);
  if (auto* ellipsoid = dynamic_cast<RenderEllipsoid*>(built.get())) {
    built.release();
    renderable->SetSensorEllipsoid(ellipsoid);
  }
}

void RenderableBuilder::FinishRenderable(IUnknown* graphic, GraphicBase* renderable, bool IgnoreMaterial,
                                         const SceneSettings& settings) {
  CComQIPtr<ICallout3D> callout{graphic};
  if (auto* calloutRenderable = dynamic_cast<CalloutBase*>(renderable); callout && calloutRenderable) {
    SetCalloutBaseProperties(callout, calloutRenderable);
  }
  SetGraphicBaseProperties(CComQIPtr<IGraphic3D>(graphic), renderable, IgnoreMaterial, settings);
}

void RenderableBuilder::SetGraphicBaseProperties(IGraphic3D* graphic, GraphicBase* renderable, bool IgnoreMaterial,
                                                 const SceneSettings& settings) {
  zelph::InternalCall(L"SetGraphicBaseProperties", [&] {
    ThrowIfNull(graphic);
    ThrowIfNull(renderable);
    renderable->SetZExaggeration(static_cast<float>(settings.exaggeration));

    const CComBSTR uid = Read(graphic, &IGraphic3D::get_UID);
    CComPtr<IPoint> centroid = Read(graphic, &IGraphic3D::get_Centroid);
    const kestGLDisplayOption displayOption = Read(graphic, &IGraphic3D::get_DisplayOption);
    CComPtr<IMaterial3D> material = Read(graphic, &IGraphic3D::get_Material);
    const CComBSTR name = Read(graphic, &IGraphic3D::get_Name);
    const VARIANT_BOOL selected = Read(graphic, &IGraphic3D::get_Selected);
    const LONG transparency = Read(graphic, &IGraphic3D::get_Transparency);
    const VARIANT_BOOL visible = Read(graphic, &IGraphic3D::get_Visible);
    const double thresholdElevation = Read(graphic, &IGraphic3D::get_ThresholdElevation);
    CComPtr<IOrientation3D> orientation = Read(graphic, &IGraphic3D::get_Orientation);
    double heading = 0.0, pitch = 0.0, roll = 0.0;
    if (orientation) ThrowIfFailed(orientation->QueryOrientation(&heading, &pitch, &roll));
    const std::optional<Geopunctus> location = GeometryHelfen::GeographicLocation(centroid);

    renderable->SetUID(uid);
    renderable->SetThresholdElevation(static_cast<float>(thresholdElevation));
    if (location) renderable->SetCentroidLocation(*location, false);
    renderable->SetWireframe(displayOption == kestGLDisplayWireframe);
    renderable->SetNameBSTR(name);
    renderable->SetSelected(selected == VARIANT_TRUE);
    if (settings.selectionColor) {
      const auto [red, green, blue] = UnitRGB(settings.selectionColor);
      renderable->SetSelectionRGB(red, green, blue);
    }
    ApplySelectionStyle(settings.selectionOption, *renderable);
    renderable->SetAlpha(static_cast<float>(transparency) / 255.0f);
    renderable->SetVisible(visible == VARIANT_TRUE);
    renderable->SetHeading(static_cast<float>(heading), false);
    renderable->SetPitch(static_cast<float>(pitch), false);
    renderable->SetRoll(static_cast<float>(roll), false);

    if (!IgnoreMaterial) {
      RenderMaterial converted;
      SetMaterial(material, &converted);
      renderable->SetRenderMaterial(converted);
    }
  });
}

void RenderableBuilder::SetCalloutBaseProperties(ICallout3D* callout, CalloutBase* renderable) {
  zelph::InternalCall(L"SetCalloutBaseProperties", [&] {
    ThrowIfNull(callout);
    ThrowIfNull(renderable);
    const VARIANT_BOOL enabled = Read(callout, &ICallout3D::get_EnableCallout);
    CComPtr<ISimpleLineSymbol> symbol = Read(callout, &ICallout3D::get_CalloutLineSymbol);
    // Without a line symbol the callout keeps its own colour, width and style.
    const LineLook look = symbol ? LookOf(symbol) : LineLook{};
    CComPtr<IPoint> anchor = Read(callout, &ICallout3D::get_CalloutAnchorLocation);
    const double azimuth = Read(callout, &ICallout3D::get_WindVaneAzimuth);
    const double vaneSize = Read(callout, &ICallout3D::get_WindVaneSize);
    const std::optional<Geopunctus> location = GeometryHelfen::GeographicLocation(anchor);

    renderable->SetEnableCallout(enabled == VARIANT_TRUE);
    if (symbol) {
      renderable->SetCalloutRGB(look.rgb[0], look.rgb[1], look.rgb[2]);
      renderable->SetCalloutWidth(look.width);
      renderable->SetCalloutStyle(look.stipple);
    }
    if (location) renderable->SetCalloutLocation(*location);
    renderable->SetWindVaneAzimuth(static_cast<float>(azimuth));
    renderable->SetWindVaneSize(static_cast<float>(vaneSize));
  });
}

void RenderableBuilder::SetEllipsoidProperties(IEllipsoid3D* ellipsoid, RenderEllipsoid* renderable) {
  zelph::InternalCall(L"SetEllipsoidProperties", [&] {
    ThrowIfNull(ellipsoid);
    ThrowIfNull(renderable);
    renderable->SetOption(Read(ellipsoid, &IEllipsoid3D::get_EllipsoidOption));
    if (CComPtr<ISimpleLineSymbol> grid = Read(ellipsoid, &IEllipsoid3D::get_GridSymbol)) {
      const LineLook look = LookOf(grid);
      renderable->SetOutlineRGB(look.rgb[0], look.rgb[1], look.rgb[2]);
      renderable->SetOutlineWidth(look.width);
      renderable->SetOutlineStyle(look.stipple);
    }
    double x = 0.0, y = 0.0, z = 0.0;
    ThrowIfFailed(ellipsoid->QuerySize(&x, &y, &z));
    renderable->SetSize(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  });
}

void RenderableBuilder::SetExtrusionBaseProperties(IExtrusion3D* extrusion, ExtrusionBase* renderable) {
  zelph::InternalCall(L"SetExtrusionBaseProperties", [&] {
    ThrowIfNull(extrusion);
    ThrowIfNull(renderable);
    renderable->SetExEnabled(Read(extrusion, &IExtrusion3D::get_EnableExtrusion) == VARIANT_TRUE);
    renderable->SetAutoExDepthEnabled(Read(extrusion, &IExtrusion3D::get_EnableAutoExtrusionDepth) == VARIANT_TRUE);
    renderable->SetExDepth(static_cast<float>(Read(extrusion, &IExtrusion3D::get_ExtrusionDepth)));
    renderable->SetExAlpha(static_cast<float>(Read(extrusion, &IExtrusion3D::get_ExtrusionTransparency)) / 255.0f);
    renderable->SetOutlineEnabled(Read(extrusion, &IExtrusion3D::get_EnableOutlining) == VARIANT_TRUE);
    if (CComPtr<ISimpleLineSymbol> outline = Read(extrusion, &IExtrusion3D::get_OutlineLineSymbol)) {
      const LineLook look = LookOf(outline);
      renderable->SetOutlineRGBA(look.rgb[0], look.rgb[1], look.rgb[2], look.alpha);
      renderable->SetOutlineWidth(look.width);
      renderable->SetOutlineStyle(look.stipple);
    }
    RenderMaterial material = renderable->GetExRenderMaterial();
    SetMaterial(Read(extrusion, &IExtrusion3D::get_ExtrusionMaterial), &material);
    renderable->SetExRenderMaterial(material);
  });
}

void RenderableBuilder::SetFontProperties(IFont3D* font, RenderTextPoint* renderable) {
  zelph::InternalCall(L"SetFontProperties", [&] {
    ThrowIfNull(renderable);
    CComPtr<IFont> fontObject = FontObjectOf(font);
    if (CComQIPtr<IBillboardFont3D>(font)) {
      renderable->SetBillboardFont(m_FontHelper.LookupBillboardFont(fontObject));
      renderable->SetMode(FontMode::BILLBOARD);
      return;
    }
    renderable->SetFlatExtrusionFont(m_FontHelper.LookupExtrusionFlatFont(fontObject));
    if (!CComQIPtr<IExtrudedFont3D>(font)) {
      renderable->SetMode(FontMode::UPRIGHT);
      return;
    }
    renderable->SetMode(FontMode::FLAT);
    SetExtrusionBaseProperties(CComQIPtr<IExtrusion3D>(font), renderable);
  });
}

void RenderableBuilder::SetMaterial(IMaterial3D* material, RenderMaterial* renderMaterial) {
  zelph::InternalCall(L"SetMaterial", [&] {
    ThrowIfNull(material);
    ThrowIfNull(renderMaterial);
    const kestGLLineOption lineOption = Read(material, &IMaterial3D::get_LineOption);
    const kestGLFillOption fillOption = Read(material, &IMaterial3D::get_FillOption);
    renderMaterial->SetLineOption(LineStipple(material, lineOption));
    renderMaterial->SetFillOption(RenderMaterial::FillPattern(fillOption));

    if (CComQIPtr<ITextureMaterial3D> textured{material}) {
      // A texture material without a texture draws untextured.
      if (CComPtr<ITexture3D> texture = Read(textured.p, &ITextureMaterial3D::get_Texture)) {
        renderMaterial->SetTexture(static_cast<GLuint>(Read(texture.p, &ITexture3D::get_TextureHandle)));
      }
      renderMaterial->SetTextureRepeat(Read(textured.p, &ITextureMaterial3D::get_TextureMode) == kestGLTextureRepeat);
    }
    if (CComQIPtr<ISimpleMaterial3D> simple{material}) {
      const auto [red, green, blue] = UnitRGB(Read(simple.p, &ISimpleMaterial3D::get_Color));
      renderMaterial->SetColor1RGB(red, green, blue);
      renderMaterial->SetColor2RGB(red, green, blue);
      renderMaterial->SetGradient(false);
    }
    if (CComQIPtr<IGradientMaterial3D> gradient{material}) {
      const auto [startRed, startGreen, startBlue] = UnitRGB(Read(gradient.p, &IGradientMaterial3D::get_StartColor));
      const auto [endRed, endGreen, endBlue] = UnitRGB(Read(gradient.p, &IGradientMaterial3D::get_EndColor));
      renderMaterial->SetColor1RGB(startRed, startGreen, startBlue);
      renderMaterial->SetColor2RGB(endRed, endGreen, endBlue);
      renderMaterial->SetGradient(true);
    }
  });
}
