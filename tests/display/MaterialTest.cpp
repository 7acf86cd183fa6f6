// The three materials: defaults, what their setters keep, and their stored
// records read back into new materials.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frame/Guids.h"
#include "frame/MaterialInterfaces.h"
#include "graphics/SerialHelper.h"
#include "tests/display/DisplayTestSupport.h"

namespace zelph::test {
namespace {

using MaterialTest = ComponentTest;

// Options are read into a plain integer: a value beyond the enumeration
// must not be read through an enumeration object.
int LineOption(IMaterial3D* material) {
  int raw = -7;
  EXPECT_EQ(material->get_LineOption(reinterpret_cast<kestGLLineOption*>(&raw)), S_OK);
  return raw;
}

int FillOption(IMaterial3D* material) {
  int raw = -7;
  EXPECT_EQ(material->get_FillOption(reinterpret_cast<kestGLFillOption*>(&raw)), S_OK);
  return raw;
}

LONG Stipple(IMaterial3D* material) {
  LONG pattern = -7;
  EXPECT_EQ(material->get_CustomStipplePattern(&pattern), S_OK);
  return pattern;
}

VARIANT_BOOL Textured(IMaterial3D* material) {
  VARIANT_BOOL textured = 7;
  EXPECT_EQ(material->get_Textured(&textured), S_OK);
  return textured;
}

TEST_F(MaterialTest, NewMaterialsHaveTheirDefaults) {
  struct Case {
    const CLSID* clsid;
    VARIANT_BOOL textured;
  } cases[] = {{&CLSID_SimpleMaterial3D, VARIANT_FALSE},
               {&CLSID_GradientMaterial3D, VARIANT_FALSE},
               {&CLSID_TextureMaterial3D, VARIANT_TRUE}};
  for (const Case& c : cases) {
    CComPtr<IMaterial3D> material = Make<IMaterial3D>(*c.clsid);
    ASSERT_TRUE(material);
    EXPECT_EQ(Textured(material), c.textured);
    EXPECT_EQ(LineOption(material), kestGLLineSolid);
    EXPECT_EQ(Stipple(material), 65535);
    EXPECT_EQ(FillOption(material), kestGLFillSolid);
    EXPECT_EQ(material->get_Textured(nullptr), E_POINTER);
  }

  CComQIPtr<ISimpleMaterial3D> simple{Make<IMaterial3D>(CLSID_SimpleMaterial3D)};
  CComPtr<IRgbColor> colour;
  ASSERT_EQ(simple->get_Color(&colour), S_OK);
  EXPECT_EQ(ColorOf(colour), RGB(255, 255, 255));

  CComPtr<IGradientMaterial3D> gradient = Make<IGradientMaterial3D>(CLSID_GradientMaterial3D);
  CComPtr<IRgbColor> start, end;
  ASSERT_EQ(gradient->get_StartColor(&start), S_OK);
  ASSERT_EQ(gradient->get_EndColor(&end), S_OK);
  EXPECT_EQ(ColorOf(start), RGB(255, 255, 255));
  EXPECT_EQ(ColorOf(end), RGB(0, 0, 0));
  EXPECT_NE(start.p, end.p);

  CComPtr<ITextureMaterial3D> textured = Make<ITextureMaterial3D>(CLSID_TextureMaterial3D);
  CComPtr<ITexture3D> texture;
  ASSERT_EQ(textured->get_Texture(&texture), S_OK);
  EXPECT_EQ(texture, nullptr);
  kestGLTextureOption mode = kestGLTextureRepeat;
  ASSERT_EQ(textured->get_TextureMode(&mode), S_OK);
  EXPECT_EQ(mode, kestGLTextureStretch);
}

TEST_F(MaterialTest, SettersKeepWhatTheyAreGiven) {
  CComPtr<ISimpleMaterial3D> simple = Make<ISimpleMaterial3D>(CLSID_SimpleMaterial3D);
  CComQIPtr<IMaterial3D> material{simple};
  ASSERT_EQ(material->put_CustomStipplePattern(0x12345), S_OK);
  EXPECT_EQ(Stipple(material), 0x2345);
  ASSERT_EQ(material->put_CustomStipplePattern(-1), S_OK);
  EXPECT_EQ(Stipple(material), 65535);
  ASSERT_EQ(material->put_LineOption(static_cast<kestGLLineOption>(9)), S_OK);
  EXPECT_EQ(LineOption(material), 9);

  // The colour is held by reference, and null empties it.
  CComPtr<IRgbColor> held;
  ASSERT_EQ(simple->get_Color(&held), S_OK);
  ASSERT_EQ(held->put_Green(17), S_OK);
  CComPtr<IRgbColor> again;
  ASSERT_EQ(simple->get_Color(&again), S_OK);
  EXPECT_EQ(again.p, held.p);
  EXPECT_EQ(ColorOf(again), RGB(255, 17, 255));
  ASSERT_EQ(simple->putref_Color(nullptr), S_OK);
  IRgbColor* empty = held.p;  // overwritten, not released
  EXPECT_EQ(simple->get_Color(&empty), S_OK);
  EXPECT_EQ(empty, nullptr);
  EXPECT_EQ(simple->get_Color(nullptr), E_POINTER);
}

TEST_F(MaterialTest, SimpleAndGradientMaterialsSaveAndLoadWhole) {
  CComPtr<ISimpleMaterial3D> simple = Make<ISimpleMaterial3D>(CLSID_SimpleMaterial3D);
  ASSERT_EQ(simple->putref_Color(NewColor(10, 20, 30)), S_OK);
  CComQIPtr<IMaterial3D> material{simple};
  ASSERT_EQ(material->put_LineOption(kestGLLineCustom), S_OK);
  ASSERT_EQ(material->put_CustomStipplePattern(0xABCD), S_OK);
  ASSERT_EQ(material->put_FillOption(kestGLFillDiagonalCross), S_OK);

  std::vector<CComVariant> values = SavedValues(simple);
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[0].vt, VT_UNKNOWN);
  EXPECT_EQ(values[1].vt, VT_INT);
  EXPECT_EQ(values[1].intVal, kestGLLineCustom);
  EXPECT_EQ(values[2].intVal, 0xABCD);
  EXPECT_EQ(values[3].intVal, kestGLFillDiagonalCross);

  CComPtr<ISimpleMaterial3D> loaded = SaveAndLoad<ISimpleMaterial3D>(simple, CLSID_SimpleMaterial3D);
  CComPtr<IRgbColor> colour;
  ASSERT_EQ(loaded->get_Color(&colour), S_OK);
  EXPECT_EQ(ColorOf(colour), RGB(10, 20, 30));
  CComQIPtr<IMaterial3D> loadedMaterial{loaded};
  EXPECT_EQ(LineOption(loadedMaterial), kestGLLineCustom);
  EXPECT_EQ(Stipple(loadedMaterial), 0xABCD);
  EXPECT_EQ(FillOption(loadedMaterial), kestGLFillDiagonalCross);

  CComPtr<IGradientMaterial3D> gradient = Make<IGradientMaterial3D>(CLSID_GradientMaterial3D);
  ASSERT_EQ(gradient->putref_StartColor(NewColor(1, 2, 3)), S_OK);
  ASSERT_EQ(gradient->putref_EndColor(NewColor(200, 150, 100)), S_OK);
  CComPtr<IGradientMaterial3D> loadedGradient = SaveAndLoad<IGradientMaterial3D>(gradient, CLSID_GradientMaterial3D);
  CComPtr<IRgbColor> start, end;
  ASSERT_EQ(loadedGradient->get_StartColor(&start), S_OK);
  ASSERT_EQ(loadedGradient->get_EndColor(&end), S_OK);
  EXPECT_EQ(ColorOf(start), RGB(1, 2, 3));
  EXPECT_EQ(ColorOf(end), RGB(200, 150, 100));
}

TEST_F(MaterialTest, TextureMaterialSavesAndLoadsItsTextureInLine) {
  CComPtr<ITexture3D> texture = Make<ITexture3D>(CLSID_Texture3D);
  ASSERT_EQ(texture->put_UID(CComBSTR(L"bricks")), S_OK);
  ASSERT_EQ(texture->putref_TransparencyColor(NewColor(0, 255, 0)), S_OK);
  ASSERT_EQ(texture->put_BitmapHandle(ToOleHandle(MakeBitmap(2, 1, [](int x, int) { return RGB(x * 100, 7, 9); }))),
            S_OK);
  CComPtr<ITextureMaterial3D> material = Make<ITextureMaterial3D>(CLSID_TextureMaterial3D);
  ASSERT_EQ(material->putref_Texture(texture), S_OK);
  ASSERT_EQ(material->put_TextureMode(kestGLTextureRepeat), S_OK);
  ASSERT_EQ(CComQIPtr<IMaterial3D>{material}->put_FillOption(kestGLFillHollow), S_OK);

  // A material that has a texture already loads into that one.
  CComPtr<ITextureMaterial3D> target = Make<ITextureMaterial3D>(CLSID_TextureMaterial3D);
  CComPtr<ITexture3D> targetTexture = Make<ITexture3D>(CLSID_Texture3D);
  ASSERT_EQ(target->putref_Texture(targetTexture), S_OK);
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(CComQIPtr<IPersistVariant>{material}->Save(stream), S_OK);
  Rewind(stream);
  ASSERT_EQ(CComQIPtr<IPersistVariant>{target}->Load(stream), S_OK);
  CComPtr<ITexture3D> loaded;
  ASSERT_EQ(target->get_Texture(&loaded), S_OK);
  EXPECT_EQ(loaded.p, targetTexture.p);
  CComBSTR uid;
  ASSERT_EQ(loaded->get_UID(&uid), S_OK);
  EXPECT_EQ(Text(uid), L"bricks");
  CComPtr<IRgbColor> key;
  ASSERT_EQ(loaded->get_TransparencyColor(&key), S_OK);
  EXPECT_EQ(ColorOf(key), RGB(0, 255, 0));
  OLE_HANDLE bitmap = 0;
  ASSERT_EQ(loaded->get_BitmapHandle(&bitmap), S_OK);
  EXPECT_EQ(PixelOf(FromOleHandle<HBITMAP>(bitmap), 1, 0), RGB(100, 7, 9));
  kestGLTextureOption mode = kestGLTextureStretch;
  ASSERT_EQ(target->get_TextureMode(&mode), S_OK);
  EXPECT_EQ(mode, kestGLTextureRepeat);
  EXPECT_EQ(FillOption(CComQIPtr<IMaterial3D>{target}), kestGLFillHollow);
}

TEST_F(MaterialTest, TextureMaterialWithoutTextureSavesAndLoadsWhole) {
  CComPtr<ITextureMaterial3D> material = Make<ITextureMaterial3D>(CLSID_TextureMaterial3D);
  ASSERT_EQ(material->put_TextureMode(kestGLTextureRepeat), S_OK);
  ASSERT_EQ(CComQIPtr<IMaterial3D>{material}->put_CustomStipplePattern(0x0F0F), S_OK);

  // A new texture's record stands in: empty UID, no colour, a 0 x 0 bitmap.
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(CComQIPtr<IPersistVariant>{material}->Save(stream), S_OK);
  SerialHelper serial;
  serial.SaveDouble(stream, 42.5);
  Rewind(stream);
  std::vector<CComVariant> values = ReadAll(stream);
  ASSERT_EQ(values.size(), 9u);
  EXPECT_EQ(values[0].vt, VT_BSTR);
  EXPECT_EQ(Text(values[0].bstrVal), L"");
  EXPECT_EQ(values[1].vt, VT_UNKNOWN);
  EXPECT_EQ(values[1].punkVal, nullptr);
  EXPECT_EQ(values[2].intVal, 0);
  EXPECT_EQ(values[3].intVal, 0);
  EXPECT_EQ(values[4].intVal, kestGLTextureRepeat);
  EXPECT_EQ(values[6].intVal, 0x0F0F);

  Rewind(stream);
  CComPtr<ITextureMaterial3D> loaded = Make<ITextureMaterial3D>(CLSID_TextureMaterial3D);
  ASSERT_EQ(CComQIPtr<IPersistVariant>{loaded}->Load(stream), S_OK);
  EXPECT_EQ(serial.LoadDouble(stream), 42.5);
  CComPtr<ITexture3D> texture;
  ASSERT_EQ(loaded->get_Texture(&texture), S_OK);
  ASSERT_NE(texture, nullptr);
  OLE_HANDLE bitmap = 1;
  ASSERT_EQ(texture->get_BitmapHandle(&bitmap), S_OK);
  EXPECT_EQ(bitmap, 0u);
  kestGLTextureOption mode = kestGLTextureStretch;
  ASSERT_EQ(loaded->get_TextureMode(&mode), S_OK);
  EXPECT_EQ(mode, kestGLTextureRepeat);
  EXPECT_EQ(Stipple(CComQIPtr<IMaterial3D>{loaded}), 0x0F0F);
}

}  // namespace
}  // namespace zelph::test
