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

template <class T>
const IID* I() {
  return &uuidof<T>();
}

std::vector<ClassRow> Rows() {
  const IID* D = &IID_IDispatch;
  const IID* P = &uuidof<IPersistVariant>();
  const IID* Callout = I<ICallout3D>();
  const IID* Graphic = I<IGraphic3D>();
  const IID* Update = I<IUpdate3D>();
  return {
      {"Billboard3D", &CLSID_Billboard3D, {I<IBillboard3D>(), D, Callout, Graphic, P, Update}},
      {"BillboardFont3D", &CLSID_BillboardFont3D, {I<IBillboardFont3D>(), D, I<IFont3D>(), P}},
      {"BillboardLabel3D", &CLSID_BillboardLabel3D, {I<IBillboardLabel3D>(), D, P}},
      {"Ellipsoid3D", &CLSID_Ellipsoid3D, {I<IEllipsoid3D>(), D, Callout, Graphic, P, Update}},
      {"ExtrudedFont3D", &CLSID_ExtrudedFont3D, {I<IExtrudedFont3D>(), D, I<IExtrusion3D>(), P, I<IFont3D>()}},
      {"Font3D", &CLSID_Font3D, {I<IFont3D>(), D, P}},
      {"GeoExtrusion3D", &CLSID_GeoExtrusion3D, {I<IGeoExtrusion3D>(), D, I<IExtrusion3D>(), Graphic, P, Update}},
      {"GradientMaterial3D", &CLSID_GradientMaterial3D, {I<IGradientMaterial3D>(), D, I<IMaterial3D>(), P}},
      {"GroupGraphic3D", &CLSID_GroupGraphic3D, {I<IGroupGraphic3D>(), D, Graphic, P, Update}},
      {"LabeledBillboard3D", &CLSID_LabeledBillboard3D,
       {I<ILabeledBillboard3D>(), D, I<IBillboard3D>(), Callout, Graphic, P, Update}},
      {"Orientation3D", &CLSID_Orientation3D, {I<IOrientation3D>(), D, P}},
      {"PartialEllipsoid3D", &CLSID_PartialEllipsoid3D,
       {I<IPartialEllipsoid3D>(), D, Callout, I<IEllipsoid3D>(), Graphic, P, Update}},
      {"SimpleMaterial3D", &CLSID_SimpleMaterial3D, {I<ISimpleMaterial3D>(), D, I<IMaterial3D>(), P}},
      {"TextPoint3D", &CLSID_TextPoint3D, {I<ITextPoint3D>(), D, Callout, Graphic, P, Update}},
      {"Texture3D", &CLSID_Texture3D, {I<ITexture3D>(), D, P}},
      {"Texture3DHelper", &CLSID_Texture3DHelper, {I<ITexture3DHelper>(), D}},
      {"TextureMaterial3D", &CLSID_TextureMaterial3D, {I<ITextureMaterial3D>(), D, I<IMaterial3D>(), P}},
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

TEST_F(ComponentClassesTest, EveryClassAnswersItsInterfacesWithOneIdentityAndAggregates) {
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

    // Aggregated, only for IUnknown; the component's references are then the outer object's.
    CountingOuter outer;
    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(*row.clsid, &outer, CLSCTX_INPROC_SERVER, *row.interfaces[0], &refused),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(refused, nullptr);
    IUnknown* inner = nullptr;
    ASSERT_EQ(
        CoCreateInstance(*row.clsid, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&inner)),
        S_OK);
    IUnknown* component = nullptr;
    ASSERT_EQ(inner->QueryInterface(*row.interfaces[0], reinterpret_cast<void**>(&component)), S_OK);
    EXPECT_EQ(outer.Count(), 1u);
    component->Release();
    EXPECT_EQ(outer.Count(), 0u);
    EXPECT_EQ(inner->Release(), 0u);
  }
}

}  // namespace
}  // namespace zelph::test
