#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/DisplayInterfaces.h"
#include "frame/Guids.h"
#include "tests/support/ComponentTest.h"

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

CComVariant Get(IDispatch* dispatch, const wchar_t* name) {
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

bool Same(const VARIANT& a, const VARIANT& b) {
  if (a.vt != b.vt) return false;
  switch (a.vt) {
    case VT_R8:
      return a.dblVal == b.dblVal;
    case VT_I4:
      return a.lVal == b.lVal;
    case VT_BOOL:
      return a.boolVal == b.boolVal;
    case VT_BSTR:
      return std::wstring(a.bstrVal) == b.bstrVal;
    default:
      return false;
  }
}

struct Component {
  const CLSID* clsid;
  const char* name;
};

const Component kComponents[] = {
    {&CLSID_Billboard3D, "Billboard3D"},
    {&CLSID_BillboardLabel3D, "BillboardLabel3D"},
    {&CLSID_Ellipsoid3D, "Ellipsoid3D"},
    {&CLSID_ExtrudedFont3D, "ExtrudedFont3D"},
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
    {&CLSID_TextureMaterial3D, "TextureMaterial3D"},
};

// Walks the type information of each component's default interface and
// sends every by-value property a new value through Invoke, then reads it
// back the same way.
TEST_F(DispatchTest, EveryValuePropertyOfEveryDefaultInterfaceRoundTripsThroughInvoke) {
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
    int written = 0;
    for (UINT i = 0; i < functions; ++i) {
      FUNCDESC* desc = nullptr;
      ASSERT_EQ(info->GetFuncDesc(i, &desc), S_OK);
      const MEMBERID id = desc->memid;
      const bool valuePut = desc->invkind == INVOKE_PROPERTYPUT;
      info->ReleaseFuncDesc(desc);
      if (!valuePut) continue;
      CComBSTR name;
      UINT names = 0;
      ASSERT_EQ(info->GetNames(id, &name, 1, &names), S_OK);
      SCOPED_TRACE(std::string(name.View().begin(), name.View().end()));
      CComVariant before;
      ASSERT_EQ(Call(dispatch, id, DISPATCH_PROPERTYGET, {}, &before), S_OK);
      CComVariant value = Another(before);
      ASSERT_NE(value.vt, VT_EMPTY);
      ASSERT_EQ(Call(dispatch, id, DISPATCH_PROPERTYPUT, {value}, nullptr), S_OK);
      CComVariant after;
      ASSERT_EQ(Call(dispatch, id, DISPATCH_PROPERTYGET, {}, &after), S_OK);
      EXPECT_TRUE(Same(after, value));
      ++written;
    }
    EXPECT_GT(written, 0);
  }
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

  CComPtr<IPoint> point = NewPoint(10, 20, 30);
  ASSERT_EQ(Call(dispatch, IdOf(dispatch, L"Centroid"), DISPATCH_PROPERTYPUTREF, {CComVariant(point.p)}, nullptr),
            S_OK);
  CComQIPtr<IGraphic3D> graphic{billboard};
  CComPtr<IPoint> centroid;
  ASSERT_EQ(graphic->get_Centroid(&centroid), S_OK);
  double cx = 0;
  centroid->get_X(&cx);
  EXPECT_EQ(cx, 10.0);
  CComVariant gotten = Get(dispatch, L"Centroid");
  ASSERT_EQ(gotten.vt, VT_UNKNOWN);  // host geometry is not scriptable itself
  CComQIPtr<IPoint> gottenPoint{gotten.punkVal};
  ASSERT_TRUE(gottenPoint);
  double gx = 0;
  gottenPoint->get_X(&gx);
  EXPECT_EQ(gx, 10.0);

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
