// Every stored record of the library, read back damaged: cut short at each
// value, and replaced by random values. Load may refuse (E_FAIL) but never
// crash, leak or answer anything else, and what it leaves can be saved.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "frame/MaterialInterfaces.h"
#include "platform/Gdi.h"
#include "platform/OleFont.h"
#include "platform/WideString.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {
namespace {

using PersistenceFuzzTest = ComponentTest;

CComPtr<IRgbColor> Colour(LONG rgb) {
  CComPtr<IRgbColor> colour = Make<IRgbColor>(CLSID_RgbColor);
  EXPECT_EQ(colour->put_RGB(rgb), S_OK);
  return colour;
}

CComPtr<IUnknown> PopulatedTexture() {
  CComPtr<ITexture3D> texture = Make<ITexture3D>(CLSID_Texture3D);
  EXPECT_EQ(texture->put_UID(CComBSTR(L"texture")), S_OK);
  EXPECT_EQ(texture->put_BitmapHandle(ToOleHandle(CreateCompatibleBitmap(nullptr, 3, 2))), S_OK);
  EXPECT_EQ(texture->putref_TransparencyColor(Colour(0x00FF00)), S_OK);
  return CComPtr<IUnknown>(texture);
}

CComPtr<IGraphic3D> PlacedGraphic(REFCLSID clsid, double x, double y) {
  CComPtr<IGraphic3D> graphic = Make<IGraphic3D>(clsid);
  EXPECT_EQ(graphic->putref_Centroid(NewPoint(x, y, 10)), S_OK);
  EXPECT_EQ(graphic->put_Name(CComBSTR(L"fuzzed")), S_OK);
  return graphic;
}

CComPtr<IUnknown> PopulatedBillboard(REFCLSID clsid) {
  CComPtr<IGraphic3D> graphic = PlacedGraphic(clsid, 3, 4);
  CComQIPtr<IBillboard3D> billboard{graphic};
  EXPECT_EQ(billboard->PutSize(20, 10), S_OK);
  EXPECT_EQ(billboard->putref_SensorEllipsoid(Make<IEllipsoid3D>(CLSID_PartialEllipsoid3D)), S_OK);
  if (CComQIPtr<ILabeledBillboard3D> labelled{graphic}) {
    for (const wchar_t* text : {L"north", L"south"}) {
      CComPtr<IBillboardLabel3D> label = Make<IBillboardLabel3D>(CLSID_BillboardLabel3D);
      EXPECT_EQ(label->put_Text(CComBSTR(text)), S_OK);
      EXPECT_EQ(labelled->AddLabel(label), S_OK);
    }
  }
  return CComPtr<IUnknown>(graphic);
}

struct StoredClass {
  const wchar_t* name;
  const CLSID* clsid;
  std::function<CComPtr<IUnknown>()> populated;
};

std::vector<StoredClass> StoredClasses() {
  return {
      {L"Billboard3D", &CLSID_Billboard3D, [] { return PopulatedBillboard(CLSID_Billboard3D); }},
      {L"BillboardFont3D", &CLSID_BillboardFont3D, [] { return Make<IUnknown>(CLSID_BillboardFont3D); }},
      {L"BillboardLabel3D", &CLSID_BillboardLabel3D,
       [] {
         CComPtr<IBillboardLabel3D> label = Make<IBillboardLabel3D>(CLSID_BillboardLabel3D);
         EXPECT_EQ(label->put_Text(CComBSTR(L"label")), S_OK);
         EXPECT_EQ(label->put_ManualRadius(12), S_OK);
         return CComPtr<IUnknown>(label);
       }},
      {L"Ellipsoid3D", &CLSID_Ellipsoid3D, [] { return CComPtr<IUnknown>(PlacedGraphic(CLSID_Ellipsoid3D, 1, 2)); }},
      {L"ExtrudedFont3D", &CLSID_ExtrudedFont3D,
       [] {
         CComPtr<IExtrusion3D> font = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
         EXPECT_EQ(font->put_ExtrusionDepth(3), S_OK);
         return CComPtr<IUnknown>(font);
       }},
      {L"Font3D", &CLSID_Font3D, [] { return Make<IUnknown>(CLSID_Font3D); }},
      {L"GradientMaterial3D", &CLSID_GradientMaterial3D,
       [] {
         CComPtr<IGradientMaterial3D> material = Make<IGradientMaterial3D>(CLSID_GradientMaterial3D);
         EXPECT_EQ(material->putref_StartColor(Colour(0x0000FF)), S_OK);
         EXPECT_EQ(material->putref_EndColor(Colour(0xFF0000)), S_OK);
         return CComPtr<IUnknown>(material);
       }},
      {L"GroupGraphic3D", &CLSID_GroupGraphic3D,
       [] {
         CComPtr<IGroupGraphic3D> inner = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
         EXPECT_EQ(inner->AddGraphic(PlacedGraphic(CLSID_TextPoint3D, 5, 5)), S_OK);
         CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
         EXPECT_EQ(group->AddGraphic(PlacedGraphic(CLSID_TextPoint3D, 1, 1)), S_OK);
         EXPECT_EQ(group->AddGraphic(CComQIPtr<IGraphic3D>{PopulatedBillboard(CLSID_Billboard3D)}), S_OK);
         EXPECT_EQ(group->AddGraphic(CComQIPtr<IGraphic3D>{inner}), S_OK);
         return CComPtr<IUnknown>(group);
       }},
      {L"LabeledBillboard3D", &CLSID_LabeledBillboard3D, [] { return PopulatedBillboard(CLSID_LabeledBillboard3D); }},
      {L"Orientation3D", &CLSID_Orientation3D,
       [] {
         CComPtr<IOrientation3D> orientation = Make<IOrientation3D>(CLSID_Orientation3D);
         EXPECT_EQ(orientation->PutOrientation(1, 2, 3), S_OK);
         return CComPtr<IUnknown>(orientation);
       }},
      {L"PartialEllipsoid3D", &CLSID_PartialEllipsoid3D,
       [] { return CComPtr<IUnknown>(PlacedGraphic(CLSID_PartialEllipsoid3D, 7, 8)); }},
      {L"SimpleMaterial3D", &CLSID_SimpleMaterial3D,
       [] {
         CComPtr<ISimpleMaterial3D> material = Make<ISimpleMaterial3D>(CLSID_SimpleMaterial3D);
         EXPECT_EQ(material->putref_Color(Colour(0x123456)), S_OK);
         return CComPtr<IUnknown>(material);
       }},
      {L"TextPoint3D", &CLSID_TextPoint3D,
       [] {
         CComPtr<IGraphic3D> text = PlacedGraphic(CLSID_TextPoint3D, 9, 9);
         EXPECT_EQ(CComQIPtr<ITextPoint3D>{text}->put_Text(CComBSTR(L"text")), S_OK);
         return CComPtr<IUnknown>(text);
       }},
      {L"Texture3D", &CLSID_Texture3D, [] { return PopulatedTexture(); }},
      {L"TextureMaterial3D", &CLSID_TextureMaterial3D,
       [] {
         CComPtr<ITextureMaterial3D> material = Make<ITextureMaterial3D>(CLSID_TextureMaterial3D);
         EXPECT_EQ(material->putref_Texture(CComQIPtr<ITexture3D>{PopulatedTexture()}), S_OK);
         EXPECT_EQ(material->put_TextureMode(kestGLTextureRepeat), S_OK);
         return CComPtr<IUnknown>(material);
       }},
  };
}

// Loads `values` into a new object of `clsid`, then saves what it holds.
// Returns the Load's result.
HRESULT LoadAndSaveAgain(REFCLSID clsid, const std::vector<CComVariant>& values) {
  CComPtr<IVariantStream> stream = NewStream();
  for (const CComVariant& value : values) EXPECT_EQ(stream->Write(value), S_OK);
  CComPtr<IPersistVariant> target = Make<IPersistVariant>(clsid);
  const HRESULT loaded = target->Load(stream);
  EXPECT_TRUE(loaded == S_OK || loaded == E_FAIL) << std::hex << loaded;
  const HRESULT saved = target->Save(NewStream());
  EXPECT_TRUE(saved == S_OK || saved == E_FAIL) << std::hex << saved;
  return loaded;
}

// Values of every type a record holds, with the counts and sizes that
// damaged or hostile records carry.
class RandomValues {
 public:
  explicit RandomValues(unsigned seed) : m_Random(seed) {
    m_Objects = {CComPtr<IUnknown>(NewPoint(1, 2)),
                 Make<IUnknown>(CLSID_Envelope),
                 CComPtr<IUnknown>(Colour(0x010203)),
                 Make<IUnknown>(CLSID_SimpleLineSymbol),
                 Make<IUnknown>(CLSID_StdFont),
                 Make<IUnknown>(CLSID_TextPoint3D),
                 Make<IUnknown>(CLSID_Orientation3D),
                 Make<IUnknown>(CLSID_BillboardLabel3D),
                 Make<IUnknown>(CLSID_GroupGraphic3D),
                 nullptr};
  }

  CComVariant Next() {
    static constexpr int kNumbers[] = {INT_MIN, -1000000, -1, 0, 1, 2, 3, 7, 255, 46341, 1 << 20, INT_MAX};
    static constexpr double kDoubles[] = {0.0, -1.0, 1e308, -1e-308, 360.5};
    switch (Pick(8)) {
      case 0:
        return CComVariant(Number(kNumbers));
      case 1:
        return CComVariant(Number(kNumbers), VT_INT);
      case 2: {
        const double special[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                  kDoubles[Pick(std::size(kDoubles))]};
        return CComVariant(special[Pick(3)]);
      }
      case 3: {
        CComVariant flag(true);
        const VARIANT_BOOL flags[] = {VARIANT_TRUE, VARIANT_FALSE, 1, 0x7FFF};
        flag.boolVal = flags[Pick(4)];
        return flag;
      }
      case 4: {
        const wchar_t* texts[] = {nullptr, L"", L"x", L"{00000000-0000-0000-0000-000000000000}"};
        return CComVariant(texts[Pick(4)]);
      }
      case 5:
        return CComVariant(static_cast<char>(m_Random()));
      case 6:
        return CComVariant();
      default:
        return CComVariant(m_Objects[Pick(m_Objects.size())].p);
    }
  }

  std::vector<CComVariant> Sequence(size_t length) {
    std::vector<CComVariant> values;
    for (size_t i = 0; i < length; ++i) values.push_back(Next());
    return values;
  }

  // A few values of `record` replaced by random ones.
  std::vector<CComVariant> Mutated(std::vector<CComVariant> record) {
    if (record.empty()) return record;
    for (size_t n = 1 + Pick(3); n > 0; --n) record[Pick(record.size())] = Next();
    return record;
  }

  size_t Pick(size_t count) { return m_Random() % count; }

 private:
  template <size_t N>
  int Number(const int (&numbers)[N]) {
    return Pick(4) == 0 ? static_cast<int>(m_Random()) : numbers[Pick(N)];
  }

  std::mt19937 m_Random;
  std::vector<CComPtr<IUnknown>> m_Objects;
};

TEST_F(PersistenceFuzzTest, EveryTruncatedRecordIsReadOrRefused) {
  for (const StoredClass& stored : StoredClasses()) {
    SCOPED_TRACE(testing::Message() << "class " << ToUtf8(stored.name));
    const std::vector<CComVariant> record = SavedValues(stored.populated());
    ASSERT_FALSE(record.empty());
    for (size_t length = 0; length <= record.size(); ++length) {
      SCOPED_TRACE(testing::Message() << "first " << length << " of " << record.size() << " values");
      const HRESULT loaded =
          LoadAndSaveAgain(*stored.clsid, std::vector<CComVariant>(record.begin(), record.begin() + length));
      if (length == record.size()) {
        EXPECT_EQ(loaded, S_OK);
      }
    }
  }
}

TEST_F(PersistenceFuzzTest, RandomAndMutatedRecordsAreReadOrRefused) {
  RandomValues random(20240611);
  for (const StoredClass& stored : StoredClasses()) {
    SCOPED_TRACE(testing::Message() << "class " << ToUtf8(stored.name));
    const std::vector<CComVariant> record = SavedValues(stored.populated());
    for (int round = 0; round < 12; ++round) {
      SCOPED_TRACE(testing::Message() << "round " << round);
      LoadAndSaveAgain(*stored.clsid, random.Sequence(random.Pick(40)));
      LoadAndSaveAgain(*stored.clsid, random.Mutated(record));
    }
  }
}

}  // namespace
}  // namespace zelph::test
