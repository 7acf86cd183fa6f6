#include <gtest/gtest.h>

#include <cmath>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "frame/MaterialInterfaces.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {
namespace {

using ExtrudedFont3DTest = ComponentTest;

struct Settings {
  VARIANT_BOOL extrusion = 0;
  VARIANT_BOOL autoDepth = 0;
  double depth = 0;
  LONG transparency = 0;
  VARIANT_BOOL outlining = 0;
  CComPtr<IMaterial3D> material;
  CComPtr<ISimpleLineSymbol> symbol;
};

Settings Read(IExtrusion3D* extrusion) {
  Settings s;
  EXPECT_EQ(extrusion->get_EnableExtrusion(&s.extrusion), S_OK);
  EXPECT_EQ(extrusion->get_EnableAutoExtrusionDepth(&s.autoDepth), S_OK);
  EXPECT_EQ(extrusion->get_ExtrusionDepth(&s.depth), S_OK);
  EXPECT_EQ(extrusion->get_ExtrusionTransparency(&s.transparency), S_OK);
  EXPECT_EQ(extrusion->get_EnableOutlining(&s.outlining), S_OK);
  EXPECT_EQ(extrusion->get_ExtrusionMaterial(&s.material), S_OK);
  EXPECT_EQ(extrusion->get_OutlineLineSymbol(&s.symbol), S_OK);
  return s;
}

TEST_F(ExtrudedFont3DTest, DefaultsAndSettersStoreWhatTheyAreGiven) {
  CComPtr<IExtrusion3D> font = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ASSERT_TRUE(font);
  Settings s = Read(font);
  EXPECT_EQ(s.extrusion, VARIANT_TRUE);
  EXPECT_EQ(s.autoDepth, VARIANT_TRUE);
  EXPECT_EQ(s.depth, 0.25);
  EXPECT_EQ(s.transparency, 255);
  EXPECT_EQ(s.outlining, VARIANT_TRUE);
  EXPECT_TRUE(CComQIPtr<ISimpleMaterial3D>(s.material));
  EXPECT_TRUE(s.symbol);

  ASSERT_EQ(font->put_ExtrusionDepth(2.0), S_OK);
  EXPECT_EQ(font->put_ExtrusionDepth(NAN), E_FAIL);
  // No range check on a font's transparency.
  EXPECT_EQ(font->put_ExtrusionTransparency(300), S_OK);
  EXPECT_EQ(font->putref_ExtrusionMaterial(nullptr), S_OK);
  EXPECT_EQ(font->putref_OutlineLineSymbol(nullptr), S_OK);
  s = Read(font);
  EXPECT_EQ(s.depth, 2.0);
  EXPECT_EQ(s.transparency, 300);
  EXPECT_FALSE(s.material);
  EXPECT_FALSE(s.symbol);
}

TEST_F(ExtrudedFont3DTest, SaveAndLoadRestoresAllButTheAutomaticDepth) {
  CComPtr<IExtrusion3D> font = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(font->put_EnableExtrusion(VARIANT_FALSE), S_OK);
  ASSERT_EQ(font->put_EnableAutoExtrusionDepth(VARIANT_FALSE), S_OK);
  ASSERT_EQ(font->put_ExtrusionDepth(3.5), S_OK);
  ASSERT_EQ(font->put_ExtrusionTransparency(128), S_OK);
  ASSERT_EQ(font->put_EnableOutlining(VARIANT_FALSE), S_OK);
  CComPtr<ISimpleLineSymbol> symbol;
  ASSERT_EQ(font->get_OutlineLineSymbol(&symbol), S_OK);
  ASSERT_TRUE(symbol);
  ASSERT_EQ(symbol->put_Width(4.0), S_OK);
  CComPtr<IMaterial3D> material;
  ASSERT_EQ(font->get_ExtrusionMaterial(&material), S_OK);
  ASSERT_TRUE(material);
  ASSERT_EQ(material->put_LineOption(kestGLLineDot), S_OK);

  // Font, the five extrusion values, then the material's own record.
  std::vector<CComVariant> values = SavedValues(font);
  std::vector<CComVariant> materialValues = SavedValues(material);
  ASSERT_EQ(values.size(), 6 + materialValues.size());
  const VARTYPE types[] = {VT_UNKNOWN, VT_BOOL, VT_R8, VT_I4, VT_BOOL, VT_UNKNOWN};
  for (size_t i = 0; i < std::size(types); ++i) EXPECT_EQ(values[i].vt, types[i]) << "value " << i;
  EXPECT_EQ(values[2].dblVal, 3.5);
  EXPECT_EQ(values[3].lVal, 128);

  CComPtr<IExtrusion3D> loaded = SaveAndLoad<IExtrusion3D>(font, CLSID_ExtrudedFont3D);
  Settings s = Read(loaded);
  EXPECT_EQ(s.extrusion, VARIANT_FALSE);
  EXPECT_EQ(s.autoDepth, VARIANT_TRUE);
  EXPECT_EQ(s.depth, 3.5);
  EXPECT_EQ(s.transparency, 128);
  EXPECT_EQ(s.outlining, VARIANT_FALSE);
  ASSERT_TRUE(s.symbol);
  double width = 0;
  ASSERT_EQ(s.symbol->get_Width(&width), S_OK);
  EXPECT_EQ(width, 4.0);
  ASSERT_TRUE(s.material);
  kestGLLineOption line = kestGLLineSolid;
  ASSERT_EQ(s.material->get_LineOption(&line), S_OK);
  EXPECT_EQ(line, kestGLLineDot);
}

// Saves `font`, then a marker value; loads the record into `target` and
// proves the load stopped exactly at the marker.
void LoadStopsAtTheRecordsEnd(IExtrusion3D* font, IExtrusion3D* target) {
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(CComQIPtr<IPersistVariant>(font)->Save(stream), S_OK);
  ASSERT_EQ(stream->Write(CComVariant(LONG{4711})), S_OK);
  Rewind(stream);
  ASSERT_EQ(CComQIPtr<IPersistVariant>(target)->Load(stream), S_OK);
  CComVariant next;
  ASSERT_EQ(stream->Read(&next), S_OK);
  EXPECT_EQ(next.vt, VT_I4);
  EXPECT_EQ(next.lVal, 4711);
}

TEST_F(ExtrudedFont3DTest, TheMaterialRecordIsAlwaysWholeAndOfTheSavedKind) {
  // Without a material, a default material's record stands in.
  CComPtr<IExtrusion3D> bare = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(bare->putref_ExtrusionMaterial(nullptr), S_OK);
  ASSERT_EQ(bare->put_ExtrusionDepth(7.0), S_OK);
  std::vector<CComVariant> standIn = SavedValues(Make<IMaterial3D>(CLSID_SimpleMaterial3D));
  EXPECT_EQ(SavedValues(bare).size(), 6 + standIn.size());
  // ... and a font without one reads it into nothing it keeps.
  CComPtr<IExtrusion3D> target = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(target->putref_ExtrusionMaterial(nullptr), S_OK);
  LoadStopsAtTheRecordsEnd(bare, target);
  Settings s = Read(target);
  EXPECT_EQ(s.depth, 7.0);
  EXPECT_FALSE(s.material);

  // A gradient's record, longer than the simple material a new font holds,
  // comes back as a gradient.
  CComPtr<IExtrusion3D> graded = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(graded->putref_ExtrusionMaterial(Make<IMaterial3D>(CLSID_GradientMaterial3D)), S_OK);
  CComPtr<IExtrusion3D> fresh = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  LoadStopsAtTheRecordsEnd(graded, fresh);
  EXPECT_TRUE(CComQIPtr<IGradientMaterial3D>(Read(fresh).material));
}

}  // namespace
}  // namespace zelph::test
