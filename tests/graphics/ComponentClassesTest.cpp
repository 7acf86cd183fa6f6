// Every component class of the library, as a client meets it: created by
// class id through the registry, answering the interfaces of its map row
// (IDispatch as its default interface), and aggregatable.
#include <gtest/gtest.h>

#include <vector>

#include "frame/ComObject.h"
#include "frame/GraphicInterfaces.h"
#include "frame/Guids.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {
namespace {

struct ClassRow {
  const char* name;
  const CLSID* clsid;
  std::vector<const IID*> interfaces;  // in map order; the first is the default
};

const IID& Dispatch = IID_IDispatch;
const IID& Persist = uuidof<IPersistVariant>();

std::vector<ClassRow> Rows() {
  return {
      {"Billboard3D", &CLSID_Billboard3D,
       {&uuidof<IBillboard3D>(), &Dispatch, &uuidof<ICallout3D>(), &uuidof<IGraphic3D>(), &Persist,
        &uuidof<IUpdate3D>()}},
      {"BillboardFont3D", &CLSID_BillboardFont3D,
       {&uuidof<IBillboardFont3D>(), &Dispatch, &uuidof<IFont3D>(), &Persist}},
      {"BillboardLabel3D", &CLSID_BillboardLabel3D, {&uuidof<IBillboardLabel3D>(), &Dispatch, &Persist}},
      {"Ellipsoid3D", &CLSID_Ellipsoid3D,
       {&uuidof<IEllipsoid3D>(), &Dispatch, &uuidof<ICallout3D>(), &uuidof<IGraphic3D>(), &Persist,
        &uuidof<IUpdate3D>()}},
      {"ExtrudedFont3D", &CLSID_ExtrudedFont3D,
       {&uuidof<IExtrudedFont3D>(), &Dispatch, &uuidof<IExtrusion3D>(), &Persist, &uuidof<IFont3D>()}},
      {"Font3D", &CLSID_Font3D, {&uuidof<IFont3D>(), &Dispatch, &Persist}},
      {"GeoExtrusion3D", &CLSID_GeoExtrusion3D,
       {&uuidof<IGeoExtrusion3D>(), &Dispatch, &uuidof<IExtrusion3D>(), &uuidof<IGraphic3D>(), &Persist,
        &uuidof<IUpdate3D>()}},
      {"GradientMaterial3D", &CLSID_GradientMaterial3D,
       {&uuidof<IGradientMaterial3D>(), &Dispatch, &uuidof<IMaterial3D>(), &Persist}},
      {"GroupGraphic3D", &CLSID_GroupGraphic3D,
       {&uuidof<IGroupGraphic3D>(), &Dispatch, &uuidof<IGraphic3D>(), &Persist, &uuidof<IUpdate3D>()}},
      {"LabeledBillboard3D", &CLSID_LabeledBillboard3D,
       {&uuidof<ILabeledBillboard3D>(), &Dispatch, &uuidof<IBillboard3D>(), &uuidof<ICallout3D>(),
        &uuidof<IGraphic3D>(), &Persist, &uuidof<IUpdate3D>()}},
      {"Orientation3D", &CLSID_Orientation3D, {&uuidof<IOrientation3D>(), &Dispatch, &Persist}},
      {"PartialEllipsoid3D", &CLSID_PartialEllipsoid3D,
       {&uuidof<IPartialEllipsoid3D>(), &Dispatch, &uuidof<ICallout3D>(), &uuidof<IEllipsoid3D>(),
        &uuidof<IGraphic3D>(), &Persist, &uuidof<IUpdate3D>()}},
      {"SimpleMaterial3D", &CLSID_SimpleMaterial3D,
       {&uuidof<ISimpleMaterial3D>(), &Dispatch, &uuidof<IMaterial3D>(), &Persist}},
      {"TextPoint3D", &CLSID_TextPoint3D,
       {&uuidof<ITextPoint3D>(), &Dispatch, &uuidof<ICallout3D>(), &uuidof<IGraphic3D>(), &Persist,
        &uuidof<IUpdate3D>()}},
      {"Texture3D", &CLSID_Texture3D, {&uuidof<ITexture3D>(), &Dispatch, &Persist}},
      {"Texture3DHelper", &CLSID_Texture3DHelper, {&uuidof<ITexture3DHelper>(), &Dispatch}},
      {"TextureMaterial3D", &CLSID_TextureMaterial3D,
       {&uuidof<ITextureMaterial3D>(), &Dispatch, &uuidof<IMaterial3D>(), &Persist}},
  };
}

// An outer object that only counts its references.
class CountingOuter : public ComObjectRoot, public IUnknown {
 public:
  using InterfaceMap = zelph::InterfaceMap<IUnknown>;
  STDMETHODIMP QueryInterface(REFIID riid, void** result) override { return QueryInterfaceMap(this, riid, result); }
  STDMETHODIMP_(ULONG) AddRef() override { return InternalAddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return InternalRelease(); }
  ULONG Count() const { return m_RefCount; }
};

using ComponentClassesTest = ComponentTest;

TEST_F(ComponentClassesTest, EveryClassAnswersItsInterfacesWithOneIdentity) {
  for (const ClassRow& row : Rows()) {
    SCOPED_TRACE(row.name);
    CComPtr<IUnknown> object;
    ASSERT_EQ(object.CoCreateInstance(*row.clsid), S_OK);
    CComPtr<IUnknown> asDefault;
    CComPtr<IUnknown> asDispatch;
    ASSERT_EQ(object->QueryInterface(*row.interfaces[0], reinterpret_cast<void**>(&asDefault)), S_OK);
    ASSERT_EQ(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&asDispatch)), S_OK);
    EXPECT_EQ(asDefault.p, asDispatch.p);
    for (const IID* iid : row.interfaces) {
      CComPtr<IUnknown> answered;
      ASSERT_EQ(object->QueryInterface(*iid, reinterpret_cast<void**>(&answered)), S_OK);
      CComPtr<IUnknown> identity;
      ASSERT_EQ(answered->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
      EXPECT_EQ(identity.p, object.p);
    }
    void* other = nullptr;
    EXPECT_EQ(object->QueryInterface(uuidof<IPoint>(), &other), E_NOINTERFACE);
  }
}

TEST_F(ComponentClassesTest, EveryClassAggregates) {
  for (const ClassRow& row : Rows()) {
    SCOPED_TRACE(row.name);
    CountingOuter outer;
    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(*row.clsid, &outer, CLSCTX_INPROC_SERVER, *row.interfaces[0], &refused),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(refused, nullptr);

    IUnknown* inner = nullptr;
    ASSERT_EQ(CoCreateInstance(*row.clsid, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&inner)),
              S_OK);
    IUnknown* component = nullptr;
    ASSERT_EQ(inner->QueryInterface(*row.interfaces[0], reinterpret_cast<void**>(&component)), S_OK);
    // The component's references are the outer object's.
    EXPECT_EQ(outer.Count(), 1u);
    component->Release();
    EXPECT_EQ(outer.Count(), 0u);
    EXPECT_EQ(inner->Release(), 0u);
  }
}

}  // namespace
}  // namespace zelph::test
