#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "frame/MaterialInterfaces.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using ExtrudedFont3DTest = ComponentTest;

TEST_F(ExtrudedFont3DTest, DefaultsAndWhatTheSettersKeep) {
  CComPtr<IExtrusion3D> font = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  EXPECT_EQ(Get(font, &IExtrusion3D::get_EnableExtrusion), VARIANT_TRUE);
  EXPECT_EQ(Get(font, &IExtrusion3D::get_EnableAutoExtrusionDepth), VARIANT_TRUE);
  EXPECT_EQ(Get(font, &IExtrusion3D::get_ExtrusionDepth), 0.25);
  EXPECT_EQ(Get(font, &IExtrusion3D::get_ExtrusionTransparency), 255);
  EXPECT_EQ(Get(font, &IExtrusion3D::get_EnableOutlining), VARIANT_TRUE);
  EXPECT_TRUE(CComQIPtr<ISimpleMaterial3D>(Get(font, &IExtrusion3D::get_ExtrusionMaterial)));
  EXPECT_TRUE(Get(font, &IExtrusion3D::get_OutlineLineSymbol));

  ASSERT_EQ(font->put_ExtrusionDepth(2.0), S_OK);
  EXPECT_EQ(font->put_ExtrusionDepth(NAN), E_FAIL);
  EXPECT_EQ(Get(font, &IExtrusion3D::get_ExtrusionDepth), 2.0);
  // No range check on a font's transparency.
  EXPECT_EQ(font->put_ExtrusionTransparency(300), S_OK);
  EXPECT_EQ(Get(font, &IExtrusion3D::get_ExtrusionTransparency), 300);
}

TEST_F(ExtrudedFont3DTest, SaveAndLoadRestoresAllButTheAutomaticDepth) {
  CComPtr<IExtrusion3D> font = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(font->put_EnableExtrusion(VARIANT_FALSE), S_OK);
  ASSERT_EQ(font->put_EnableAutoExtrusionDepth(VARIANT_FALSE), S_OK);
  ASSERT_EQ(font->put_ExtrusionDepth(3.5), S_OK);
  ASSERT_EQ(font->put_ExtrusionTransparency(128), S_OK);
  ASSERT_EQ(font->put_EnableOutlining(VARIANT_FALSE), S_OK);
  CComPtr<ISimpleLineSymbol> symbol = Get(font, &IExtrusion3D::get_OutlineLineSymbol);
  CComPtr<IMaterial3D> material = Get(font, &IExtrusion3D::get_ExtrusionMaterial);
  ASSERT_TRUE(symbol && material);
  ASSERT_EQ(symbol->put_Width(4.0), S_OK);
  ASSERT_EQ(material->put_LineOption(kestGLLineDot), S_OK);

  // The font, the five extrusion values, then the material's own record.
  std::vector<CComVariant> values = SavedValues(font);
  ASSERT_EQ(values.size(), 6 + SavedValues(material).size());
  const VARTYPE types[] = {VT_UNKNOWN, VT_BOOL, VT_R8, VT_I4, VT_BOOL, VT_UNKNOWN};
  for (size_t i = 0; i < std::size(types); ++i) EXPECT_EQ(values[i].vt, types[i]) << "value " << i;

  CComPtr<IExtrusion3D> loaded = SaveAndLoad<IExtrusion3D>(font, CLSID_ExtrudedFont3D);
  EXPECT_EQ(Get(loaded, &IExtrusion3D::get_EnableExtrusion), VARIANT_FALSE);
  EXPECT_EQ(Get(loaded, &IExtrusion3D::get_EnableAutoExtrusionDepth), VARIANT_TRUE);
  EXPECT_EQ(Get(loaded, &IExtrusion3D::get_ExtrusionDepth), 3.5);
  EXPECT_EQ(Get(loaded, &IExtrusion3D::get_ExtrusionTransparency), 128);
  EXPECT_EQ(Get(loaded, &IExtrusion3D::get_EnableOutlining), VARIANT_FALSE);
  EXPECT_EQ(Get(Get(loaded, &IExtrusion3D::get_OutlineLineSymbol), &ISimpleLineSymbol::get_Width), 4.0);
  EXPECT_EQ(Get(Get(loaded, &IExtrusion3D::get_ExtrusionMaterial), &IMaterial3D::get_LineOption), kestGLLineDot);
}

TEST_F(ExtrudedFont3DTest, TheMaterialRecordIsAlwaysWholeAndOfTheSavedKind) {
  // Without a material, a default material's record stands in, and a font
  // without one reads it into nothing it keeps.
  CComPtr<IExtrusion3D> bare = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(bare->putref_ExtrusionMaterial(nullptr), S_OK);
  ASSERT_EQ(bare->put_ExtrusionDepth(7.0), S_OK);
  EXPECT_EQ(SavedValues(bare).size(), 6 + SavedValues(Make<IMaterial3D>(CLSID_SimpleMaterial3D)).size());
  CComPtr<IExtrusion3D> target = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(target->putref_ExtrusionMaterial(nullptr), S_OK);
  ExpectLoadsWhole(bare, target);
  EXPECT_EQ(Get(target, &IExtrusion3D::get_ExtrusionDepth), 7.0);
  EXPECT_FALSE(Get(target, &IExtrusion3D::get_ExtrusionMaterial));

  // A gradient's record, longer than the simple material a new font holds,
  // comes back as a gradient.
  CComPtr<IExtrusion3D> graded = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(graded->putref_ExtrusionMaterial(Make<IMaterial3D>(CLSID_GradientMaterial3D)), S_OK);
  CComPtr<IExtrusion3D> fresh = Make<IExtrusion3D>(CLSID_ExtrudedFont3D);
  ExpectLoadsWhole(graded, fresh);
  EXPECT_TRUE(CComQIPtr<IGradientMaterial3D>(Get(fresh, &IExtrusion3D::get_ExtrusionMaterial)));
}

}  // namespace
}  // namespace zelph::test
