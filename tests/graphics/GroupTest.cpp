#include <gtest/gtest.h>

#include <cmath>

#include "frame/Guids.h"
#include "graphics/GroupGraphic3D.h"
#include "tests/support/GetProperty.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {
namespace {

using GroupTest = ComponentTest;

void ExpectAt(IUnknown* graphic, double x, double y, double z) {
  CComPtr<IPoint> point = Get(graphic, &IGraphic3D::get_Centroid);
  ASSERT_TRUE(point);
  EXPECT_DOUBLE_EQ(Get(point, &IPoint::get_X), x);
  EXPECT_DOUBLE_EQ(Get(point, &IPoint::get_Y), y);
  EXPECT_DOUBLE_EQ(Get(point, &IPoint::get_Z), z);
}

kestGLUpdateLevel LevelOf(IUnknown* graphic) { return Get(graphic, &IUpdate3D::get_UpdateLevel); }
void ResetLevel(IUnknown* graphic) {
  ASSERT_EQ(CComQIPtr<IUpdate3D>{graphic}->put_UpdateLevel(kestGLUpdateNone), S_OK);
}

LONG CountOf(IGroupGraphic3D* group) { return Get(Get(group, &IGroupGraphic3D::get_Graphics), &IArray::get_Count); }

CComPtr<IUnknown> MemberAt(IGroupGraphic3D* group, LONG index) {
  CComPtr<IUnknown> member;
  EXPECT_EQ(Get(group, &IGroupGraphic3D::get_Graphics)->get_Element(index, &member), S_OK);
  return member;
}

CComPtr<IGraphic3D> TextAt(double x, double y, double z) {
  CComPtr<IGraphic3D> text = Make<IGraphic3D>(CLSID_TextPoint3D);
  EXPECT_EQ(text->putref_Centroid(NewPoint(x, y, z)), S_OK);
  return text;
}

// A group of text points at (0, 0, 0) and (10, 20, 30).
struct TwoTexts {
  CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  CComQIPtr<IGraphic3D> graphic{group};
  CComPtr<IGraphic3D> a = TextAt(0, 0, 0), b = TextAt(10, 20, 30);
  TwoTexts() {
    EXPECT_EQ(group->AddGraphic(a), S_OK);
    EXPECT_EQ(group->AddGraphic(b), S_OK);
  }
  void ResetLevels() {
    ResetLevel(group);
    ResetLevel(a);
    ResetLevel(b);
  }
};

TEST_F(GroupTest, MembershipKeepsTheCentroidInTheMiddle) {
  TwoTexts two;
  EXPECT_EQ(Get(two.group, &IGroupGraphic3D::get_ControlAsGroup), VARIANT_TRUE);
  ExpectAt(two.group, 5, 10, 15);
  // The list handed out is a copy.
  ASSERT_EQ(Get(two.group, &IGroupGraphic3D::get_Graphics)->RemoveAll(), S_OK);
  EXPECT_EQ(CountOf(two.group), 2);

  two.ResetLevels();
  ASSERT_EQ(two.group->AddGraphic(nullptr), S_OK);
  EXPECT_EQ(LevelOf(two.group), kestGLUpdateNone);
  ASSERT_EQ(two.group->RemoveGraphic(TextAt(1, 1, 1)), S_OK);
  EXPECT_EQ(CountOf(two.group), 2);
  EXPECT_EQ(LevelOf(two.group), kestGLUpdateMajor);
  // Found by UID, not by object.
  CComPtr<IGraphic3D> twin = TextAt(0, 0, 0);
  ASSERT_EQ(twin->put_UID(CComBSTR(Get(two.a, &IGraphic3D::get_UID))), S_OK);
  ASSERT_EQ(two.group->RemoveGraphic(twin), S_OK);
  EXPECT_EQ(CountOf(two.group), 1);
  ExpectAt(two.group, 10, 20, 30);

  // A group never holds itself, at any depth.
  CComPtr<IGroupGraphic3D> outer = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  ASSERT_EQ(outer->AddGraphic(two.graphic), S_OK);
  EXPECT_EQ(two.group->AddGraphic(two.graphic), E_FAIL);
  EXPECT_EQ(two.group->AddGraphic(CComQIPtr<IGraphic3D>{outer}), E_FAIL);
  EXPECT_EQ(CountOf(two.group), 1);

  ASSERT_EQ(two.group->Clear(), S_OK);
  EXPECT_EQ(CountOf(two.group), 0);
  ExpectAt(two.group, 0, 0, 0);
}

TEST_F(GroupTest, ChangesGoOnToMembersOnlyWhileControlledAsGroup) {
  TwoTexts two;
  two.ResetLevels();
  ASSERT_EQ(two.graphic->put_Visible(VARIANT_FALSE), S_OK);
  EXPECT_EQ(LevelOf(two.group), kestGLUpdateMinor);
  ASSERT_EQ(two.graphic->put_Transparency(100), S_OK);
  EXPECT_EQ(two.graphic->put_Transparency(300), E_FAIL);
  ASSERT_EQ(two.graphic->put_ThresholdElevation(55), S_OK);
  CComPtr<IMaterial3D> material = Make<IMaterial3D>(CLSID_SimpleMaterial3D);
  ASSERT_EQ(two.graphic->putref_Material(material), S_OK);
  for (IGraphic3D* member : {two.a.p, two.b.p}) {
    EXPECT_EQ(Get(member, &IGraphic3D::get_Visible), VARIANT_FALSE);
    EXPECT_EQ(Get(member, &IGraphic3D::get_Transparency), 100);
    EXPECT_EQ(Get(member, &IGraphic3D::get_ThresholdElevation), 55);
    EXPECT_EQ(Get(member, &IGraphic3D::get_Material), material);
  }

  ASSERT_EQ(two.group->put_ControlAsGroup(VARIANT_FALSE), S_OK);
  two.ResetLevels();
  ASSERT_EQ(two.graphic->put_Visible(VARIANT_TRUE), S_OK);
  ASSERT_EQ(two.graphic->put_Selected(VARIANT_TRUE), S_OK);
  EXPECT_EQ(Get(two.graphic, &IGraphic3D::get_Visible), VARIANT_TRUE);
  EXPECT_EQ(Get(two.a, &IGraphic3D::get_Visible), VARIANT_FALSE);
  EXPECT_EQ(Get(two.a, &IGraphic3D::get_Selected), VARIANT_FALSE);
  EXPECT_EQ(LevelOf(two.group), kestGLUpdateNone);
  // Uncontrolled, a new centroid moves nobody.
  ASSERT_EQ(two.graphic->putref_Centroid(NewPoint(-50, -50, 0)), S_OK);
  ExpectAt(two.a, 0, 0, 0);
}

TEST_F(GroupTest, NewCentroidMovesEveryMemberByTheOffset) {
  TwoTexts two;
  two.ResetLevels();
  ASSERT_EQ(two.graphic->putref_Centroid(NewPoint(6, 10, 15)), S_OK);
  EXPECT_EQ(LevelOf(two.group), kestGLUpdateLocation);
  ExpectAt(two.a, 1, 0, 0);
  ExpectAt(two.b, 11, 20, 30);
  // The member was handed its centroid back, so its extent followed.
  EXPECT_DOUBLE_EQ(Get(Get(two.a, &IGraphic3D::get_Extent), &IEnvelope::get_XMin), 0.5);

  ASSERT_EQ(two.graphic->putref_Centroid(NewPoint(6 + 1e-12, 10, 15)), S_OK);
  ExpectAt(two.a, 1, 0, 0);
  ASSERT_EQ(two.graphic->putref_Centroid(nullptr), S_OK);
  ExpectAt(two.group, 6 + 1e-12, 10, 15);
}

TEST_F(GroupTest, LevelAndExtentGatherTheMembers) {
  TwoTexts two;
  ASSERT_EQ(two.group->AddGraphic(Make<IGraphic3D>(CLSID_TextPoint3D)), S_OK);  // no extent yet
  ResetLevel(two.a);
  ResetLevel(two.b);
  ASSERT_EQ(two.a->put_Name(CComBSTR(L"changed")), S_OK);
  ResetLevel(two.group);
  EXPECT_EQ(LevelOf(two.group), kestGLUpdateMajor);
  EXPECT_EQ(LevelOf(two.b), kestGLUpdateNone);

  CComPtr<IEnvelope> extent = Get(two.group, &IGraphic3D::get_Extent);
  EXPECT_EQ(Get(extent, &IGeometry::get_IsEmpty), VARIANT_TRUE);
  static_cast<GroupGraphic3D*>(two.group.p)->UpdateExtent();
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  ASSERT_EQ(extent->QueryCoords(&xMin, &yMin, &xMax, &yMax), S_OK);
  EXPECT_DOUBLE_EQ(xMin, -0.5);
  EXPECT_DOUBLE_EQ(yMin, -0.5);
  EXPECT_DOUBLE_EQ(xMax, 10.5);
  EXPECT_DOUBLE_EQ(yMax, 20.5);
}

TEST_F(GroupTest, RecordHoldsCountMembersFlagThenBaseBlock) {
  TwoTexts two;
  ASSERT_EQ(two.group->put_ControlAsGroup(VARIANT_FALSE), S_OK);
  std::vector<CComVariant> values = SavedValues(two.group);
  const size_t materialValues = SavedValues(Make<IMaterial3D>(CLSID_SimpleMaterial3D)).size();
  ASSERT_EQ(values.size(), 4 + 9 + materialValues + 3);
  EXPECT_EQ(values[0].vt, VT_I4);
  EXPECT_EQ(values[0].lVal, 2);
  EXPECT_EQ(values[1].vt, VT_UNKNOWN);
  EXPECT_EQ(values[2].vt, VT_UNKNOWN);
  EXPECT_EQ(values[3].vt, VT_BOOL);
  EXPECT_EQ(values[3].boolVal, VARIANT_FALSE);
  ASSERT_EQ(values[4].vt, VT_BSTR);
  EXPECT_EQ(Text(values[4].bstrVal), Get(two.group, &IGraphic3D::get_UID));
  EXPECT_EQ(values[12].vt, VT_R8);  // threshold elevation, before the in-line records
  EXPECT_EQ(values.back().vt, VT_R8);

  CComPtr<IGroupGraphic3D> loaded = SaveAndLoad<IGroupGraphic3D>(two.group, CLSID_GroupGraphic3D);
  ASSERT_EQ(CountOf(loaded), 2);
  EXPECT_NE(MemberAt(loaded, 1), CComPtr<IUnknown>(two.b));
  ExpectAt(MemberAt(loaded, 1), 10, 20, 30);
  EXPECT_EQ(Get(loaded, &IGroupGraphic3D::get_ControlAsGroup), VARIANT_FALSE);
}

TEST_F(GroupTest, BillboardWithoutSensorSavesAndLoadsWithItsGroup) {
  CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(CLSID_Billboard3D);
  ASSERT_EQ(billboard->putref_SensorEllipsoid(nullptr), S_OK);
  ASSERT_EQ(billboard->PutSize(12, 34), S_OK);
  CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  ASSERT_EQ(group->AddGraphic(CComQIPtr<IGraphic3D>{billboard}), S_OK);
  ASSERT_EQ(group->AddGraphic(TextAt(1, 2, 3)), S_OK);
  ASSERT_EQ(CComQIPtr<IGraphic3D>{group}->put_Name(CComBSTR(L"after the members")), S_OK);

  CComPtr<IGroupGraphic3D> loaded = SaveAndLoad<IGroupGraphic3D>(group, CLSID_GroupGraphic3D);
  ASSERT_EQ(CountOf(loaded), 2);
  EXPECT_EQ(Get(MemberAt(loaded, 0), &IBillboard3D::get_YSize), 34);
  EXPECT_EQ(Get(loaded, &IGraphic3D::get_Name), L"after the members");
}

TEST_F(GroupTest, StoredListsThatCannotBeReadWholeAddNoMember) {
  auto loadInto = [](std::initializer_list<CComVariant> values) {
    CComPtr<IVariantStream> stream = NewStream();
    for (const CComVariant& value : values) EXPECT_EQ(stream->Write(value), S_OK);
    CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
    EXPECT_EQ(CComQIPtr<IPersistVariant>{group}->Load(stream), E_FAIL);
    EXPECT_EQ(CountOf(group), 0);
  };
  CComPtr<IUnknown> text(TextAt(1, 2, 3));
  CComPtr<IUnknown> point(NewPoint(1, 2));
  loadInto({CComVariant(-1), CComVariant(text.p)});
  loadInto({CComVariant(3), CComVariant(text.p), CComVariant(text.p)});
  loadInto({CComVariant(0x7FFFFFFF), CComVariant(text.p)});
  loadInto({CComVariant(1), CComVariant(point.p), CComVariant(true)});
}

// A client's graphic that the stream cannot keep: a text point behind an
// outer object that offers no persistence.
class UnstorableGraphic : public IUnknown {
 public:
  UnstorableGraphic() {
    EXPECT_EQ(CoCreateInstance(CLSID_TextPoint3D, this, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&m_Inner)),
              S_OK);
  }
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    *object = nullptr;
    if (riid == uuidof<IPersistVariant>()) return E_NOINTERFACE;
    if (riid != IID_IUnknown) return m_Inner->QueryInterface(riid, object);
    *object = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_Refs; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --m_Refs;
    if (left == 0) delete this;
    return left;
  }

 private:
  virtual ~UnstorableGraphic() = default;
  ULONG m_Refs = 1;
  CComPtr<IUnknown> m_Inner;
};

TEST_F(GroupTest, GroupWithAMemberTheStreamCannotKeepWritesNothing) {
  CComPtr<IUnknown> outer;
  outer.Attach(new UnstorableGraphic);
  TwoTexts two;
  ASSERT_EQ(two.group->AddGraphic(CComQIPtr<IGraphic3D>{outer}), S_OK);
  CComPtr<IVariantStream> stream = NewStream();
  EXPECT_EQ(CComQIPtr<IPersistVariant>{two.group}->Save(stream), E_FAIL);
  EXPECT_TRUE(ReadAll(stream).empty());
}

}  // namespace
}  // namespace zelph::test
