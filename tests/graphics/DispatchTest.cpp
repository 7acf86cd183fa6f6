#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "frame/DisplayInterfaces.h"
#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "frame/SceneInterfaces.h"
#include "platform/Gdi.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using DispatchTest = ComponentTest;

static_assert(sizeof(CComVariant) == sizeof(VARIANT));

// A late-bound call with `arguments` first first, as a script makes it.
HRESULT Call(IDispatch* dispatch, DISPID id, WORD flags, std::vector<CComVariant> arguments, VARIANT* result,
             UINT* argumentError = nullptr) {
  std::vector<CComVariant> reversed(arguments.rbegin(), arguments.rend());
  DISPID putId = DISPID_PROPERTYPUT;
  const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
  DISPPARAMS params{reversed.data(), put ? &putId : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
  return dispatch->Invoke(id, GUID{}, 0, flags, &params, result, nullptr, argumentError);
}

DISPID IdOf(IDispatch* dispatch, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(GUID{}, names, 1, 0, &id), S_OK) << "no member " << name;
  return id;
}

CComVariant LateGet(IDispatch* dispatch, const wchar_t* name) {
  CComVariant value;
  EXPECT_EQ(Call(dispatch, IdOf(dispatch, name), DISPATCH_PROPERTYGET, {}, &value), S_OK);
  return value;
}

// A value of the same type that differs from `value` and that every
// setter accepts.
CComVariant Another(const VARIANT& value) {
  switch (value.vt) {
    case VT_R8:
      return CComVariant(value.dblVal == 1.0 ? 2.0 : 1.0);
    case VT_I4:
      return CComVariant(value.lVal == 1 ? 0 : 1);
    case VT_BOOL:
      return CComVariant(!value.boolVal);
    case VT_BSTR:
      return CComVariant(L"Late Bound");
    default:
      return CComVariant();
  }
}

std::wstring IdentityOf(IUnknown* object) {
  CComPtr<IUnknown> identity;
  if (object) object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  return L"object " + std::to_wstring(reinterpret_cast<std::uintptr_t>(identity.p));
}

// What an object holds, for objects a component copies: a list by its
// elements, a geometry by its envelope, anything else by its identity.
std::wstring ContentOf(IUnknown* object) {
  if (!object) return L"null";
  if (CComQIPtr<IArray> array{object}) {
    std::wstring text = L"[";
    LONG count = 0;
    EXPECT_EQ(array->get_Count(&count), S_OK);
    for (LONG i = 0; i < count; ++i) {
      CComPtr<IUnknown> element;
      EXPECT_EQ(array->get_Element(i, &element), S_OK);
      text += ContentOf(element) + L";";
    }
    return text + L"]";
  }
  if (CComQIPtr<IGeometry> geometry{object}) {
    std::wstring text = L"box";
    for (double coordinate : EnvelopeCoords(geometry)) text += L" " + std::to_wstring(coordinate);
    return text;
  }
  return IdentityOf(object);
}

// A comparable rendering of a property value: numbers, flags and strings
// exactly; objects by identity, or by content when `copied`.
std::wstring Key(const VARIANT& value, bool copied) {
  wchar_t number[40];
  switch (value.vt) {
    case VT_R8:
      swprintf(number, 40, L"%.17g", value.dblVal);
      return L"double " + std::wstring(number);
    case VT_I4:
      return L"long " + std::to_wstring(value.lVal);
    case VT_BOOL:
      return L"bool " + std::to_wstring(value.boolVal);
    case VT_BSTR:
      return L"text " + Text(value.bstrVal);
    case VT_UNKNOWN:
    case VT_DISPATCH:
      return copied ? ContentOf(value.punkVal) : IdentityOf(value.punkVal);
    default:
      return L"type " + std::to_wstring(value.vt);
  }
}

// A getter's result as the variant automation would carry it.
template <class Value>
CComVariant AsVariant(Value value) {
  if constexpr (std::is_same_v<Value, std::wstring>) {
    return CComVariant(std::wstring_view(value));
  } else if constexpr (std::is_same_v<Value, double>) {
    return CComVariant(value);
  } else if constexpr (std::is_same_v<Value, VARIANT_BOOL>) {
    CComVariant flag;
    flag.vt = VT_BOOL;
    flag.boolVal = value;
    return flag;
  } else if constexpr (std::is_integral_v<Value> || std::is_enum_v<Value>) {
    return CComVariant(static_cast<int>(value));
  } else {
    return CComVariant(value.p);
  }
}

// Reads one property through an interface's own getter; nothing when the
// object does not answer that interface.
using Reader = std::function<std::optional<CComVariant>(IUnknown*)>;

template <class Interface, class Value>
Reader Read(HRESULT (STDMETHODCALLTYPE Interface::*getter)(Value*)) {
  return [getter](IUnknown* object) -> std::optional<CComVariant> {
    if (!CComQIPtr<Interface>(object)) return std::nullopt;
    return AsVariant(Get(object, getter));
  };
}

CComPtr<IGeometry> Square(double from, double to) {
  return Through(CLSID_Polygon, {{from, from, 0}, {to, from, 0}, {to, to, 0}, {from, to, 0}});
}

using Maker = std::function<CComVariant(IUnknown* object)>;

// How one property is written and read back: the getters of every
// interface that has it, the value to write (by default another value of
// the default's type), and whether the component keeps a copy of an object
// rather than the object itself.
struct Recipe {
  const wchar_t* name;
  std::vector<Reader> getters;
  Maker value = nullptr;
  bool copied = false;
};

// A new object of class `clsid` every time.
template <class Interface>
Maker New(const CLSID& clsid) {
  return [clsid](IUnknown*) { return CComVariant(Make<Interface>(clsid).p); };
}

const std::vector<Recipe>& Recipes() {
  const Maker color = New<IRgbColor>(CLSID_RgbColor), line = New<ISimpleLineSymbol>(CLSID_SimpleLineSymbol),
              material = New<IMaterial3D>(CLSID_SimpleMaterial3D);
  static const std::vector<Recipe> recipes{
      {L"Heading", {Read(&IOrientation3D::get_Heading)}},
      {L"Pitch", {Read(&IOrientation3D::get_Pitch)}},
      {L"Roll", {Read(&IOrientation3D::get_Roll)}},
      {L"UID", {Read(&IGraphic3D::get_UID), Read(&ITexture3D::get_UID)}},
      {L"Centroid",
       {Read(&IGraphic3D::get_Centroid)},
       [](IUnknown* object) {
         // An extrusion places only a shape it has.
         if (CComQIPtr<IGeoExtrusion3D> extrusion{object}) {
           EXPECT_EQ(extrusion->putref_Geometry(Square(0, 10)), S_OK);
         }
         return CComVariant(NewPoint(1, 2, 3).p);
       }},
      {L"DisplayOption", {Read(&IGraphic3D::get_DisplayOption)}},
      {L"Material", {Read(&IGraphic3D::get_Material)}, material},
      {L"Name", {Read(&IGraphic3D::get_Name)}},
      {L"Orientation", {Read(&IGraphic3D::get_Orientation)}, New<IOrientation3D>(CLSID_Orientation3D)},
      {L"Selected", {Read(&IGraphic3D::get_Selected)}},
      {L"Transparency", {Read(&IGraphic3D::get_Transparency)}},
      {L"Visible", {Read(&IGraphic3D::get_Visible)}},
      {L"ThresholdElevation", {Read(&IGraphic3D::get_ThresholdElevation), Read(&IGLDisplay3D::get_ThresholdElevation)}},
      {L"UpdateLevel", {Read(&IUpdate3D::get_UpdateLevel)}},
      {L"EnableCallout", {Read(&ICallout3D::get_EnableCallout)}},
      {L"CalloutLineSymbol",
       {Read(&ICallout3D::get_CalloutLineSymbol), Read(&IGLDisplay3D::get_CalloutLineSymbol)},
       line},
      {L"CalloutAnchorLocation",
       {Read(&ICallout3D::get_CalloutAnchorLocation)},
       [](IUnknown*) { return CComVariant(NewPoint(4, 5, 6).p); }},
      {L"WindVaneAzimuth", {Read(&ICallout3D::get_WindVaneAzimuth)}},
      {L"WindVaneSize", {Read(&ICallout3D::get_WindVaneSize)}},
      {L"EllipsoidOption", {Read(&IEllipsoid3D::get_EllipsoidOption)}},
      {L"GridSymbol", {Read(&IEllipsoid3D::get_GridSymbol)}, line},
      {L"XSize", {Read(&IEllipsoid3D::get_XSize), Read(&IBillboard3D::get_XSize)}},
      {L"YSize", {Read(&IEllipsoid3D::get_YSize), Read(&IBillboard3D::get_YSize)}},
      {L"ZSize", {Read(&IEllipsoid3D::get_ZSize)}},
      {L"StartAzimuth", {Read(&IPartialEllipsoid3D::get_StartAzimuth)}},
      {L"EndAzimuth", {Read(&IPartialEllipsoid3D::get_EndAzimuth)}},
      {L"StartInclination", {Read(&IPartialEllipsoid3D::get_StartInclination)}},
      {L"EndInclination", {Read(&IPartialEllipsoid3D::get_EndInclination)}},
      {L"ShowCaps", {Read(&IPartialEllipsoid3D::get_ShowCaps)}},
      {L"SensorEllipsoid", {Read(&IBillboard3D::get_SensorEllipsoid)}, New<IEllipsoid3D>(CLSID_Ellipsoid3D)},
      {L"Text", {Read(&IBillboardLabel3D::get_Text), Read(&ITextPoint3D::get_Text)}},
      {L"Angle", {Read(&IBillboardLabel3D::get_Angle)}},
      {L"HAOption", {Read(&IBillboardLabel3D::get_HAOption), Read(&ITextPoint3D::get_HAOption)}},
      {L"AutoArrange", {Read(&IBillboardLabel3D::get_AutoArrange)}},
      {L"ManualRadius", {Read(&IBillboardLabel3D::get_ManualRadius)}},
      {L"Font",
       {Read(&ILabeledBillboard3D::get_Font), Read(&ITextPoint3D::get_Font), Read(&IFont3D::get_Font)},
       [](IUnknown* object) {
         // A 3D font holds a standard font; graphics hold a 3D font.
         if (CComQIPtr<IFont3D>(object)) return CComVariant(Make<IFont>(CLSID_StdFont).p);
         return CComVariant(Make<IFont3D>(CLSID_Font3D).p);
       }},
      {L"FontColor", {Read(&ILabeledBillboard3D::get_FontColor)}, color},
      {L"EnableLabels", {Read(&ILabeledBillboard3D::get_EnableLabels)}},
      {L"TextScale", {Read(&ITextPoint3D::get_TextScale)}},
      {L"VAOption", {Read(&ITextPoint3D::get_VAOption)}},
      {L"ControlAsGroup", {Read(&IGroupGraphic3D::get_ControlAsGroup)}},
      // An extrusion keeps the shape it derives from the geometry, and
      // holes in a list of its own, and only when it is no polyline.
      {L"Geometry",
       {Read(&IGeoExtrusion3D::get_Geometry)},
       [](IUnknown*) { return CComVariant(Square(0, 20).p); },
       true},
      {L"Type", {Read(&IGeoExtrusion3D::get_Type)}},
      {L"InnerGeometries",
       {Read(&IGeoExtrusion3D::get_InnerGeometries)},
       [](IUnknown* object) {
         EXPECT_EQ(CComQIPtr<IGeoExtrusion3D>(object)->put_Type(kestGLExtrusionTypePolygon), S_OK);
         CComPtr<IArray> holes = Make<IArray>(CLSID_Array);
         EXPECT_EQ(holes->Add(Square(2, 4)), S_OK);
         return CComVariant(holes.p);
       },
       true},
      {L"EnableExtrusion", {Read(&IExtrusion3D::get_EnableExtrusion), Read(&IGLDisplay3D::get_EnableExtrusion)}},
      {L"EnableAutoExtrusionDepth", {Read(&IExtrusion3D::get_EnableAutoExtrusionDepth)}},
      {L"ExtrusionDepth", {Read(&IExtrusion3D::get_ExtrusionDepth)}},
      {L"ExtrusionMaterial", {Read(&IExtrusion3D::get_ExtrusionMaterial)}, material},
      {L"ExtrusionTransparency", {Read(&IExtrusion3D::get_ExtrusionTransparency)}},
      {L"EnableOutlining", {Read(&IExtrusion3D::get_EnableOutlining), Read(&IGLDisplay3D::get_EnableOutlining)}},
      {L"OutlineLineSymbol", {Read(&IExtrusion3D::get_OutlineLineSymbol)}, line},
      {L"LineOption", {Read(&IMaterial3D::get_LineOption)}},
      {L"CustomStipplePattern", {Read(&IMaterial3D::get_CustomStipplePattern)}},
      {L"FillOption", {Read(&IMaterial3D::get_FillOption), Read(&IGLDisplay3D::get_FillOption)}},
      {L"Color", {Read(&ISimpleMaterial3D::get_Color)}, color},
      {L"StartColor", {Read(&IGradientMaterial3D::get_StartColor)}, color},
      {L"EndColor", {Read(&IGradientMaterial3D::get_EndColor)}, color},
      {L"Texture", {Read(&ITextureMaterial3D::get_Texture)}, New<ITexture3D>(CLSID_Texture3D)},
      {L"TextureMode", {Read(&ITextureMaterial3D::get_TextureMode)}},
      // The texture takes the bitmap over.
      {L"BitmapHandle",
       {Read(&ITexture3D::get_BitmapHandle)},
       [](IUnknown*) { return CComVariant(static_cast<int>(ToOleHandle(CreateCompatibleBitmap(nullptr, 2, 2)))); }},
      {L"TransparencyColor", {Read(&ITexture3D::get_TransparencyColor)}, color},
      {L"BaseExaggeration", {Read(&ISceneManager3D::get_BaseExaggeration), Read(&IGLDisplay3D::get_BaseExaggeration)}},
      // The scene hands out a list of the graphics it has taken in.
      {L"Graphics",
       {Read(&ISceneManager3D::get_Graphics)},
       [](IUnknown*) {
         CComPtr<IArray> graphics = Make<IArray>(CLSID_Array);
         EXPECT_EQ(graphics->Add(Make<IGraphic3D>(CLSID_Billboard3D)), S_OK);
         return CComVariant(graphics.p);
       },
       true},
      {L"AutoRefreshGlobe", {Read(&ISceneManager3D::get_AutoRefreshGlobe)}},
      {L"SelectionOption", {Read(&ISelection3D::get_SelectionOption)}},
      {L"SelectionColor", {Read(&ISelection3D::get_SelectionColor)}, color},
      {L"OutlineColorOption", {Read(&IGLDisplay3D::get_OutlineColorOption)}},
      {L"ManualOutlineColor", {Read(&IGLDisplay3D::get_ManualOutlineColor)}, color},
      {L"PointOption", {Read(&IGLDisplay3D::get_PointOption)}},
      {L"TextOption", {Read(&IGLDisplay3D::get_TextOption)}},
      {L"EnableCallouts", {Read(&IGLDisplay3D::get_EnableCallouts)}},
      {L"OutlineTransparency", {Read(&IGLDisplay3D::get_OutlineTransparency)}},
      {L"DisplayTargetGraphic",
       {Read(&IGLDisplay3D::get_DisplayTargetGraphic)},
       New<IGroupGraphic3D>(CLSID_GroupGraphic3D)},
  };
  return recipes;
}

const Recipe* RecipeFor(std::wstring_view name) {
  for (const Recipe& recipe : Recipes()) {
    if (name == recipe.name) return &recipe;
  }
  return nullptr;
}

// The property read through the getter of the one interface of the object
// that has it.
CComVariant ReadThroughVtable(IUnknown* object, const Recipe& recipe) {
  std::vector<CComVariant> answers;
  for (const Reader& read : recipe.getters) {
    if (std::optional<CComVariant> value = read(object)) answers.push_back(*value);
  }
  EXPECT_EQ(answers.size(), 1u) << "interfaces with a getter";
  return answers.empty() ? CComVariant() : answers.front();
}

struct Component {
  const CLSID* clsid;
  const char* name;
  bool hasProperties = true;
};

const Component kComponents[] = {
    {&CLSID_Billboard3D, "Billboard3D"},
    {&CLSID_BillboardFont3D, "BillboardFont3D"},
    {&CLSID_BillboardLabel3D, "BillboardLabel3D"},
    {&CLSID_Ellipsoid3D, "Ellipsoid3D"},
    {&CLSID_ExtrudedFont3D, "ExtrudedFont3D"},
    {&CLSID_Font3D, "Font3D"},
    {&CLSID_GeoExtrusion3D, "GeoExtrusion3D"},
    {&CLSID_GLDisplay3D, "GLDisplay3D"},
    {&CLSID_GradientMaterial3D, "GradientMaterial3D"},
    {&CLSID_GroupGraphic3D, "GroupGraphic3D"},
    {&CLSID_LabeledBillboard3D, "LabeledBillboard3D"},
    {&CLSID_Orientation3D, "Orientation3D"},
    {&CLSID_PartialEllipsoid3D, "PartialEllipsoid3D"},
    {&CLSID_SceneManager3D, "SceneManager3D"},
    {&CLSID_SimpleMaterial3D, "SimpleMaterial3D"},
    {&CLSID_TextPoint3D, "TextPoint3D"},
    {&CLSID_Texture3D, "Texture3D"},
    {&CLSID_Texture3DHelper, "Texture3DHelper", false},
    {&CLSID_TextureMaterial3D, "TextureMaterial3D"},
};

// Reads the default of property `id` late-bound, writes a new value the way
// the property takes it (`put`), and reads what the object then holds
// through the interface's own getter, bound by hand here rather than by the
// dispatch tables, and late-bound again.
void RoundTrip(IDispatch* dispatch, DISPID id, WORD put, const Recipe& recipe) {
  ASSERT_TRUE(recipe.value || put == DISPATCH_PROPERTYPUT) << "no value for a property set by reference";
  CComVariant before;
  ASSERT_EQ(Call(dispatch, id, DISPATCH_PROPERTYGET, {}, &before), S_OK);
  EXPECT_EQ(Key(ReadThroughVtable(dispatch, recipe), recipe.copied), Key(before, recipe.copied));
  CComVariant value = recipe.value ? recipe.value(dispatch) : Another(before);
  ASSERT_NE(value.vt, VT_EMPTY) << "no value of the default's type";
  const std::wstring wanted = Key(value, recipe.copied);
  ASSERT_NE(wanted, Key(before, recipe.copied)) << "the value written must differ from the default";
  ASSERT_EQ(Call(dispatch, id, put, {value}, nullptr), S_OK);
  EXPECT_EQ(Key(ReadThroughVtable(dispatch, recipe), recipe.copied), wanted);
  CComVariant after;
  ASSERT_EQ(Call(dispatch, id, DISPATCH_PROPERTYGET, {}, &after), S_OK);
  EXPECT_EQ(Key(after, recipe.copied), wanted) << "read late-bound";
}

// Every property with a setter in the type information of each component's
// default interface round-trips; a component without one offers methods
// only.
TEST_F(DispatchTest, EveryPropertyOfEveryComponentRoundTripsThroughInvoke) {
  std::set<std::wstring> used;
  for (const Component& component : kComponents) {
    SCOPED_TRACE(component.name);
    CComPtr<IDispatch> dispatch = Make<IDispatch>(*component.clsid);
    ASSERT_TRUE(dispatch);
    UINT infoCount = 0;
    ASSERT_EQ(dispatch->GetTypeInfoCount(&infoCount), S_OK);
    ASSERT_EQ(infoCount, 1u);
    CComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0, &info), S_OK);
    UINT functions = 0;
    ASSERT_EQ(info->GetFuncCount(&functions), S_OK);
    UINT written = 0, methods = 0;
    for (UINT i = 0; i < functions; ++i) {
      FUNCDESC* desc = nullptr;
      ASSERT_EQ(info->GetFuncDesc(i, &desc), S_OK);
      const MEMBERID id = desc->memid;
      const INVOKEKIND kind = desc->invkind;
      info->ReleaseFuncDesc(desc);
      methods += kind == INVOKE_FUNC;
      if (kind != INVOKE_PROPERTYPUT && kind != INVOKE_PROPERTYPUTREF) continue;
      CComBSTR name;
      UINT names = 0;
      ASSERT_EQ(info->GetNames(id, &name, 1, &names), S_OK);
      SCOPED_TRACE(std::string(name.View().begin(), name.View().end()));
      const Recipe* recipe = RecipeFor(name.View());
      EXPECT_TRUE(recipe) << "no recipe";
      if (!recipe) continue;
      used.insert(recipe->name);
      RoundTrip(dispatch, id, kind == INVOKE_PROPERTYPUT ? DISPATCH_PROPERTYPUT : DISPATCH_PROPERTYPUTREF, *recipe);
      ++written;
    }
    EXPECT_EQ(written > 0, component.hasProperties);
    EXPECT_EQ(methods == functions, !component.hasProperties);
  }
  // No recipe stands for a property no component has.
  for (const Recipe& recipe : Recipes()) EXPECT_TRUE(used.count(recipe.name)) << "unused recipe " << recipe.name;
}

TEST_F(DispatchTest, BillboardAnswersForItsGraphicAndTakesMethodsAndObjects) {
  CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(CLSID_Billboard3D);
  CComQIPtr<IDispatch> dispatch{billboard};
  // Names ignore case and reach the members of the object's other interfaces.
  EXPECT_EQ(IdOf(dispatch, L"xsize"), IdOf(dispatch, L"XSize"));
  ASSERT_EQ(Call(dispatch, IdOf(dispatch, L"XSize"), DISPATCH_PROPERTYPUT, {CComVariant(7)}, nullptr), S_OK);
  double x = 0;
  ASSERT_EQ(billboard->get_XSize(&x), S_OK);
  EXPECT_EQ(x, 7.0);  // an integer argument becomes the double the setter takes

  // A script that knows only puts still sets an object.
  CComPtr<IPoint> point = NewPoint(10, 20, 30);
  ASSERT_EQ(Call(dispatch, IdOf(dispatch, L"Centroid"), DISPATCH_PROPERTYPUT, {CComVariant(point.p)}, nullptr), S_OK);
  CComVariant gotten = LateGet(dispatch, L"Centroid");
  EXPECT_EQ(gotten.vt, VT_UNKNOWN);  // host geometry is not scriptable itself
  EXPECT_TRUE(SameIdentity(gotten.punkVal, point));

  // Methods: in-arguments, and out-arguments through references.
  const DISPID putSize = IdOf(dispatch, L"PutSize");
  const DISPID querySize = IdOf(dispatch, L"QuerySize");
  ASSERT_EQ(Call(dispatch, putSize, DISPATCH_METHOD, {CComVariant(3.0), CComVariant(4.0f)}, nullptr), S_OK);
  double width = 0, height = 0;
  VARIANT byRef[2];
  byRef[0].vt = byRef[1].vt = VT_BYREF | VT_R8;
  byRef[1].byref = &width;  // the first argument is the last in the array
  byRef[0].byref = &height;
  DISPPARAMS query{byRef, nullptr, 2, 0};
  ASSERT_EQ(dispatch->Invoke(querySize, GUID{}, 0, DISPATCH_METHOD, &query, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(width, 3.0);
  EXPECT_EQ(height, 4.0);

  // Refusals, each without a crash.
  UINT bad = 99;
  EXPECT_EQ(Call(dispatch, querySize, DISPATCH_METHOD, {CComVariant(1.0), CComVariant(2.0)}, nullptr, &bad),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(bad, 1u);
  EXPECT_EQ(Call(dispatch, putSize, DISPATCH_METHOD, {CComVariant(1.0), CComVariant(L"wide")}, nullptr, &bad),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(bad, 0u);
  CComPtr<IMaterial3D> material = Make<IMaterial3D>(CLSID_SimpleMaterial3D);
  EXPECT_EQ(
      Call(dispatch, IdOf(dispatch, L"Centroid"), DISPATCH_PROPERTYPUTREF, {CComVariant(material.p)}, nullptr, &bad),
      DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Call(dispatch, putSize, DISPATCH_METHOD, {CComVariant(1.0)}, nullptr), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(dispatch, IdOf(dispatch, L"YSize"), DISPATCH_PROPERTYPUT, {}, nullptr), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(dispatch, 4242, DISPATCH_PROPERTYGET, {}, nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(dispatch, IdOf(dispatch, L"Extent"), DISPATCH_PROPERTYPUT, {CComVariant(1.0)}, nullptr),
            DISP_E_MEMBERNOTFOUND);
  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
  DISPID id = 0;
  EXPECT_EQ(dispatch->GetIDsOfNames(GUID{}, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  EXPECT_EQ(dispatch->Invoke(querySize, IID_IUnknown, 0, DISPATCH_METHOD, &query, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(
      dispatch->Invoke(IdOf(dispatch, L"YSize"), GUID{}, 0, DISPATCH_PROPERTYGET, nullptr, nullptr, nullptr, nullptr),
      S_OK);
  EXPECT_EQ(dispatch->Invoke(putSize, GUID{}, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
  // What the member refuses comes back as an exception carrying its code.
  EXCEPINFO exception{};
  CComVariant nan(std::nan(""));
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS put{&nan, &putId, 1, 1};
  EXPECT_EQ(
      dispatch->Invoke(IdOf(dispatch, L"XSize"), GUID{}, 0, DISPATCH_PROPERTYPUT, &put, nullptr, &exception, nullptr),
      DISP_E_EXCEPTION);
  EXPECT_TRUE(FAILED(exception.scode));
}

TEST_F(DispatchTest, TypeInformationDescribesTheTableAndResultsComeBackAsValues) {
  CComPtr<IDispatch> dispatch = Make<IDispatch>(CLSID_SceneManager3D);
  CComPtr<ITypeInfo> info;
  ASSERT_EQ(dispatch->GetTypeInfo(0, 0, &info), S_OK);
  EXPECT_EQ(dispatch->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
  ASSERT_EQ(dispatch->GetTypeInfo(0, 0, &info), S_OK);
  UINT functions = 0;
  ASSERT_EQ(info->GetFuncCount(&functions), S_OK);
  FUNCDESC* desc = nullptr;
  EXPECT_EQ(info->GetFuncDesc(functions, &desc), TYPE_E_ELEMENTNOTFOUND);
  const DISPID find = IdOf(dispatch, L"FindGraphic");
  const DISPID geographicToWindow = IdOf(dispatch, L"GeographicToWindow");
  int described = 0;
  for (UINT i = 0; i < functions; ++i) {
    ASSERT_EQ(info->GetFuncDesc(i, &desc), S_OK);
    if (desc->memid == find) {  // the one trailing out-parameter is the result
      EXPECT_EQ(desc->invkind, INVOKE_FUNC);
      ASSERT_EQ(desc->cParams, 1);
      EXPECT_EQ(desc->lprgelemdescParam[0].tdesc.vt, VT_BSTR);
      EXPECT_EQ(desc->elemdescFunc.tdesc.vt, VT_DISPATCH);
      ++described;
    } else if (desc->memid == geographicToWindow) {  // several come back through references
      ASSERT_EQ(desc->cParams, 3);
      EXPECT_EQ(desc->lprgelemdescParam[2].tdesc.vt, VT_BYREF | VT_I4);
      EXPECT_EQ(desc->elemdescFunc.tdesc.vt, VT_VOID);
      ++described;
    }
    info->ReleaseFuncDesc(desc);
  }
  EXPECT_EQ(described, 2);
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"hittestpoint")};
  MEMBERID id = 0;
  ASSERT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK);
  CComBSTR name;
  UINT count = 0;
  ASSERT_EQ(info->GetNames(id, &name, 1, &count), S_OK);
  EXPECT_EQ(name.View(), L"HitTestPoint");

  // A graphic added late-bound is found again late-bound, as the result.
  CComPtr<IGraphic3D> billboard = Make<IGraphic3D>(CLSID_Billboard3D);
  ASSERT_EQ(billboard->put_UID(CComBSTR(L"b1")), S_OK);
  ASSERT_EQ(Call(dispatch, IdOf(dispatch, L"AddGraphic"), DISPATCH_METHOD, {CComVariant(billboard.p)}, nullptr), S_OK);
  ASSERT_EQ(Call(dispatch, IdOf(dispatch, L"Refresh"), DISPATCH_METHOD, {}, nullptr), S_OK);
  CComVariant found;
  ASSERT_EQ(Call(dispatch, find, DISPATCH_METHOD, {CComVariant(L"b1")}, &found), S_OK);
  ASSERT_EQ(found.vt, VT_DISPATCH);
  CComQIPtr<IGraphic3D> same{found.pdispVal};
  EXPECT_TRUE(same.p == billboard.p);
}

}  // namespace
}  // namespace zelph::test
