// Stored records: the helpers that write and read them, and every record
// of the library read back damaged (cut short at each value, or values
// replaced by random ones), where Load may refuse (E_FAIL) but never crash,
// leak or answer anything else, and what it leaves can be saved.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "frame/Logger.h"
#include "frame/MaterialInterfaces.h"
#include "graphics/RecordBuffer.h"
#include "graphics/SerialHelper.h"
#include "platform/ComException.h"
#include "platform/Gdi.h"
#include "platform/OleFont.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GetProperty.h"
#include "tests/support/TestPaths.h"
#include "platform/WideString.h"

namespace zelph::test {
namespace {

using SerialHelperTest = ComponentTest;
using PersistenceFuzzTest = ComponentTest;
using Values = std::vector<CComVariant>;

CComVariant Int(int value) { return CComVariant(value, VT_INT); }

TEST_F(SerialHelperTest, ForeignValuesGiveDefaultsAndRecordsAreWrittenWhole) {
  SerialHelper serial;
  CComVariant one(true);
  one.boolVal = 1;
  CComPtr<IVariantStream> stream = StreamWith({CComVariant(7), CComVariant(7), CComVariant(2.5), CComVariant(1.0),
                                               CComVariant(1.0), CComVariant(1.0), one, one, CComVariant(true)});
  EXPECT_EQ(serial.LoadDouble(stream), -1.0);  // a VT_I4 where a double belongs
  EXPECT_EQ(serial.LoadInt(stream), -1);       // VT_I4 is not VT_INT
  EXPECT_EQ(serial.LoadLong(stream), -1);
  EXPECT_EQ(serial.LoadVarBool(stream), VARIANT_TRUE);
  EXPECT_FALSE(serial.LoadBool(stream));
  EXPECT_FALSE(serial.LoadBSTR(stream));
  // A plain flag is true only for VARIANT_TRUE; the variant flag is kept as stored.
  EXPECT_EQ(serial.LoadVarBool(stream), 1);
  EXPECT_FALSE(serial.LoadBool(stream));
  EXPECT_TRUE(serial.LoadBool(stream));
  // Past the end: the defaults again, with the failed read reported.
  EXPECT_EQ(serial.LoadDouble(stream), -1.0);
  EXPECT_TRUE(LastLogLineHas(L"COM Error: 80004005"));

  // A record is written whole or not at all.
  CComPtr<IVariantStream> saved = NewStream();
  auto failing = [&](IVariantStream* record) {
    serial.SaveDouble(record, 1.0);
    Fail(E_FAIL);
  };
  EXPECT_THROW(RecordBuffer::SaveWhole(saved, failing), ComException);
  RecordBuffer::SaveWhole(saved, [&](IVariantStream* record) { serial.SaveLong(record, 9); });
  Rewind(saved);
  std::vector<CComVariant> values = ReadAll(saved);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_TRUE(values[0].vt == VT_I4 && values[0].lVal == 9);
}

TEST_F(SerialHelperTest, UntrustedCountsAndBitmapSizesAreRefusedBeforeAnythingIsAppended) {
  SerialHelper serial;
  CComVariant point(NewPoint(1, 2).p);
  for (const Values& values : {Values{CComVariant(-1)}, Values{CComVariant(0x7FFFFFFF), point},
                               Values{CComVariant(3), point, point}, Values{CComVariant(1), CComVariant(4.0)}}) {
    CComPtr<IArray> array = Make<IArray>(CLSID_Array);
    EXPECT_THROW(serial.LoadArray(StreamWith(values), array, IID_IPoint), ComException) << values[0].lVal;
    EXPECT_EQ(Get(array, &IArray::get_Count), 0);
  }
  EXPECT_TRUE(LastLogLineHas(L"no usable element"));
  for (const Values& values : {Values{Int(-2), Int(-3)}, Values{Int(0x7FFFFFFF), Int(0x7FFFFFFF)},
                               Values{Int(40000), Int(40000)}, Values{Int(2), Int(3), CComVariant(char(1))}}) {
    Logger::atlLogOutput[0] = L'\0';
    EXPECT_THROW(serial.LoadBitmapW(StreamWith(values)), ComException) << values[0].lVal;
    EXPECT_TRUE(LastLogLineHas(L"bitmap"));
  }
  // A record of no pixels is a null bitmap and reads nothing more.
  CComPtr<IVariantStream> empty = StreamWith({Int(0), Int(5), CComVariant(1.5)});
  EXPECT_EQ(serial.LoadBitmapW(empty), nullptr);
  EXPECT_EQ(serial.LoadDouble(empty), 1.5);
}

// An object of every stored class, with the lists, in-line records and
// bitmaps it has filled.
std::vector<std::pair<const CLSID*, CComPtr<IUnknown>>> StoredObjects() {
  auto ok = [](HRESULT result) { EXPECT_EQ(result, S_OK); };
  std::vector<std::pair<const CLSID*, CComPtr<IUnknown>>> objects;
  for (const CLSID* clsid : {&CLSID_Billboard3D, &CLSID_BillboardFont3D, &CLSID_BillboardLabel3D, &CLSID_Ellipsoid3D,
                             &CLSID_ExtrudedFont3D, &CLSID_Font3D, &CLSID_GeoExtrusion3D, &CLSID_GradientMaterial3D,
                             &CLSID_GroupGraphic3D, &CLSID_LabeledBillboard3D, &CLSID_Orientation3D,
                             &CLSID_PartialEllipsoid3D, &CLSID_SimpleMaterial3D, &CLSID_TextPoint3D, &CLSID_Texture3D,
                             &CLSID_TextureMaterial3D}) {
    CComPtr<IUnknown> object = Make<IUnknown>(*clsid);
    CComPtr<ITexture3D> texture = CComQIPtr<ITexture3D>(object);
    if (CComQIPtr<ITextureMaterial3D> material{object}) {
      texture = Make<ITexture3D>(CLSID_Texture3D);
      ok(material->putref_Texture(texture));
    }
    if (texture) ok(texture->put_BitmapHandle(ToOleHandle(CreateCompatibleBitmap(nullptr, 3, 2))));
    CComQIPtr<IBillboard3D> billboard{object};
    if (billboard) ok(billboard->putref_SensorEllipsoid(Make<IEllipsoid3D>(CLSID_PartialEllipsoid3D)));
    CComQIPtr<ILabeledBillboard3D> labelled{object};
    if (labelled) ok(labelled->AddLabel(Make<IBillboardLabel3D>(CLSID_BillboardLabel3D)));
    if (CComQIPtr<IGroupGraphic3D> group{object}) ok(group->AddGraphic(Make<IGraphic3D>(CLSID_TextPoint3D)));
    if (CComQIPtr<IGeoExtrusion3D> extrusion{object}) {
      CComPtr<IPointCollection> line = Make<IPointCollection>(CLSID_Polyline);
      ok(line->AddPoint(NewPoint(10, 20, 0), nullptr, nullptr));
      ok(line->AddPoint(NewPoint(11, 21, 500), nullptr, nullptr));
      ok(extrusion->putref_Geometry(CComQIPtr<IGeometry>(line)));
    }
    // Every stored property away from its default, whatever block it is in.
    if (CComQIPtr<IGraphic3D> graphic{object}) {
      ok(graphic->put_Name(CComBSTR(L"stored")) | graphic->put_Selected(VARIANT_TRUE) |
         graphic->put_Visible(VARIANT_FALSE) | graphic->put_Transparency(77) | graphic->put_ThresholdElevation(-15.5) |
         graphic->put_DisplayOption(kestGLDisplayWireframe) | graphic->putref_Centroid(NewPoint(7, -3, 120)));
    }
    if (CComQIPtr<ICallout3D> callout{object}) {
      ok(callout->put_EnableCallout(VARIANT_TRUE) | callout->put_WindVaneAzimuth(270) |
         callout->put_WindVaneSize(4) | callout->putref_CalloutAnchorLocation(NewPoint(8, -2)));
    }
    if (CComQIPtr<IEllipsoid3D> ellipsoid{object}) {
      ok(ellipsoid->PutSize(2, 3, 4) | ellipsoid->put_EllipsoidOption(kestGLEllipsoidFrameOnly));
    }
    if (CComQIPtr<IPartialEllipsoid3D> sector{object}) {
      ok(sector->put_StartAzimuth(30) | sector->put_EndAzimuth(300) | sector->put_StartInclination(-10) |
         sector->put_EndInclination(80) | sector->put_ShowCaps(VARIANT_FALSE));
    }
    if (CComQIPtr<ITextPoint3D> text{object}) {
      ok(text->put_TextScale(0.25) | text->put_HAOption(kestGLHAlignRight) |
         text->put_VAOption(kestGLVAlignWayBelowCenter) | text->put_Text(CComBSTR(L"Grüße\nzwei Zeilen")) |
         Get(text.p, &IGraphic3D::get_Material)->put_FillOption(kestGLFillVertical) |
         Get(text.p, &IGraphic3D::get_Orientation)->PutOrientation(10, 20, 30));
    }
    if (billboard) ok(billboard->PutSize(3, 4));
    if (CComQIPtr<IBillboardLabel3D> label{object}) {
      ok(label->put_Text(CComBSTR(L"north")) | label->put_Angle(10) | label->put_HAOption(kestGLHAlignCenter) |
         label->put_AutoArrange(VARIANT_FALSE) | label->put_ManualRadius(2.5));
    }
    objects.emplace_back(clsid, object);
  }
  return objects;
}

// Values of every type a record holds, with the counts and sizes that
// damaged or hostile records carry.
std::vector<CComVariant> ValuePool() {
  CComVariant one(true);
  one.boolVal = 1;
  std::vector<CComVariant> pool = {CComVariant(NAN), CComVariant(INFINITY), CComVariant(-1.0), CComVariant(1e308),
                                   CComVariant(L""), CComVariant(L"{00000000-0000-0000-0000-000000000000}"),
                                   CComVariant(true), one, CComVariant(), CComVariant('x'), CComVariant(char(-1)),
                                   CComVariant(static_cast<IUnknown*>(nullptr))};
  for (int number : {INT_MIN, -1000000, -1, 0, 1, 2, 3, 255, 46341, 1 << 20, INT_MAX}) {
    pool.emplace_back(number);          // counts
    pool.emplace_back(number, VT_INT);  // bitmap sizes, options
  }
  for (const CLSID* clsid : {&CLSID_Point, &CLSID_Envelope, &CLSID_RgbColor, &CLSID_SimpleLineSymbol, &CLSID_StdFont,
                             &CLSID_TextPoint3D, &CLSID_BillboardLabel3D, &CLSID_GroupGraphic3D}) {
    pool.emplace_back(Make<IUnknown>(*clsid).p);
  }
  return pool;
}

TEST_F(PersistenceFuzzTest, EveryClassComesBackWholeThroughAFile) {
  const std::wstring path = FromUtf8(FreshDirectory("persistence-file") + "/components.zvs");
  for (const auto& [clsid, object] : StoredObjects()) {
    SCOPED_TRACE(testing::Message() << "class " << std::hex << clsid->Data1);
    CComPtr<IVariantStream> saved = NewStream();
    ASSERT_EQ(CComQIPtr<IPersistVariant>(object)->Save(saved), S_OK);
    ASSERT_EQ(CComQIPtr<IVariantStreamStorage>(saved)->SaveToFile(CComBSTR(path.c_str())), S_OK);
    CComPtr<IVariantStream> read = NewStream();
    ASSERT_EQ(CComQIPtr<IVariantStreamStorage>(read)->LoadFromFile(CComBSTR(path.c_str())), S_OK);
    CComPtr<IUnknown> loaded = Make<IUnknown>(*clsid);
    // A sensor record is read into the sensor a billboard holds (a new
    // billboard has none, and then drops it).
    if (CComQIPtr<IBillboard3D> billboard{loaded}) {
      ASSERT_EQ(billboard->putref_SensorEllipsoid(Make<IEllipsoid3D>(CLSID_Ellipsoid3D)), S_OK);
    }
    ASSERT_EQ(CComQIPtr<IPersistVariant>(loaded)->Load(read), S_OK);
    ExpectSameRecord(object, loaded);
  }
}

TEST_F(PersistenceFuzzTest, TruncatedRandomAndMutatedRecordsAreReadOrRefused) {
  const std::vector<CComVariant> pool = ValuePool();
  std::mt19937 random(20240611);
  auto pick = [&](size_t count) { return random() % count; };
  auto next = [&] {
    return pick(4) ? pool[pick(pool.size())] : CComVariant(static_cast<int>(random()), pick(2) ? VT_I4 : VT_INT);
  };
  for (const auto& [clsid, object] : StoredObjects()) {
    SCOPED_TRACE(testing::Message() << "class " << std::hex << clsid->Data1);
    const std::vector<CComVariant> record = SavedValues(object);
    ASSERT_FALSE(record.empty());
    for (size_t length = 0; length <= record.size(); ++length) {
      SCOPED_TRACE(testing::Message() << "first " << length << " of " << record.size() << " values");
      const HRESULT loaded = LoadThenSave(*clsid, std::vector<CComVariant>(record.begin(), record.begin() + length));
      EXPECT_TRUE(loaded == S_OK || length < record.size());
    }
    for (int round = 0; round < 12; ++round) {
      std::vector<CComVariant> values(pick(40)), mutated = record;
      for (CComVariant& value : values) value = next();
      for (size_t n = 1 + pick(3); n > 0; --n) mutated[pick(mutated.size())] = next();
      LoadThenSave(*clsid, values);
      LoadThenSave(*clsid, mutated);
    }
  }
}

}  // namespace
}  // namespace zelph::test
