// Materials and textures without OpenGL: defaults, setters, the stored
// records read back into new objects, and the bitmap a texture owns.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "frame/Guids.h"
#include "tests/display/DisplayTestSupport.h"

namespace zelph::test {
namespace {

using MaterialTest = ComponentTest;

COLORREF Pattern(int x, int y) { return RGB(10 * x + 1, 20 * y + 2, 30 + x + 5 * y); }

TEST_F(MaterialTest, DefaultsAndWhatTheSettersKeep) {
  for (const CLSID* clsid : {&CLSID_SimpleMaterial3D, &CLSID_GradientMaterial3D, &CLSID_TextureMaterial3D}) {
    CComPtr<IMaterial3D> material = Make<IMaterial3D>(*clsid);
    EXPECT_EQ(Get(material, &IMaterial3D::get_Textured), *clsid == CLSID_TextureMaterial3D ? VARIANT_TRUE : 0);
    EXPECT_EQ(Get(material, &IMaterial3D::get_LineOption), kestGLLineSolid);
    EXPECT_EQ(Get(material, &IMaterial3D::get_CustomStipplePattern), 65535);
    EXPECT_EQ(Get(material, &IMaterial3D::get_FillOption), kestGLFillSolid);
  }
  CComPtr<IUnknown> gradient = Make<IUnknown>(CLSID_GradientMaterial3D);
  EXPECT_EQ(ColorOf(Get(gradient, &IGradientMaterial3D::get_StartColor)), RGB(255, 255, 255));
  EXPECT_EQ(ColorOf(Get(gradient, &IGradientMaterial3D::get_EndColor)), RGB(0, 0, 0));
  CComPtr<IUnknown> textured = Make<IUnknown>(CLSID_TextureMaterial3D);
  EXPECT_EQ(Get(textured, &ITextureMaterial3D::get_Texture), nullptr);
  EXPECT_EQ(Get(textured, &ITextureMaterial3D::get_TextureMode), kestGLTextureStretch);

  // The stipple keeps its low 16 bits; options beyond the enumeration are kept.
  CComPtr<ISimpleMaterial3D> simple = Make<ISimpleMaterial3D>(CLSID_SimpleMaterial3D);
  CComQIPtr<IMaterial3D> material{simple};
  ASSERT_EQ(material->put_CustomStipplePattern(0x12345), S_OK);
  EXPECT_EQ(Get(material, &IMaterial3D::get_CustomStipplePattern), 0x2345);
  ASSERT_EQ(material->put_CustomStipplePattern(-1), S_OK);
  EXPECT_EQ(Get(material, &IMaterial3D::get_CustomStipplePattern), 65535);
  ASSERT_EQ(material->put_LineOption(static_cast<kestGLLineOption>(9)), S_OK);
  EXPECT_EQ(Get(material, &IMaterial3D::get_LineOption), 9);
  EXPECT_EQ(ColorOf(Get(simple, &ISimpleMaterial3D::get_Color)), RGB(255, 255, 255));
  ASSERT_EQ(simple->putref_Color(nullptr), S_OK);
  EXPECT_EQ(Get(simple, &ISimpleMaterial3D::get_Color), nullptr);
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
  EXPECT_EQ(values[1].intVal, kestGLLineCustom);
  EXPECT_EQ(values[2].intVal, 0xABCD);
  EXPECT_EQ(values[3].intVal, kestGLFillDiagonalCross);
  CComPtr<IUnknown> loaded = SaveAndLoad<IUnknown>(simple, CLSID_SimpleMaterial3D);
  EXPECT_EQ(ColorOf(Get(loaded, &ISimpleMaterial3D::get_Color)), RGB(10, 20, 30));
  EXPECT_EQ(Get(loaded, &IMaterial3D::get_LineOption), kestGLLineCustom);
  EXPECT_EQ(Get(loaded, &IMaterial3D::get_CustomStipplePattern), 0xABCD);
  EXPECT_EQ(Get(loaded, &IMaterial3D::get_FillOption), kestGLFillDiagonalCross);

  CComPtr<IGradientMaterial3D> gradient = Make<IGradientMaterial3D>(CLSID_GradientMaterial3D);
  ASSERT_EQ(gradient->putref_StartColor(NewColor(1, 2, 3)), S_OK);
  ASSERT_EQ(gradient->putref_EndColor(NewColor(200, 150, 100)), S_OK);
  loaded = SaveAndLoad<IUnknown>(gradient, CLSID_GradientMaterial3D);
  EXPECT_EQ(ColorOf(Get(loaded, &IGradientMaterial3D::get_StartColor)), RGB(1, 2, 3));
  EXPECT_EQ(ColorOf(Get(loaded, &IGradientMaterial3D::get_EndColor)), RGB(200, 150, 100));
}

TEST_F(MaterialTest, TextureMaterialSavesItsTextureInLine) {
  CComPtr<ITextureMaterial3D> material = Make<ITextureMaterial3D>(CLSID_TextureMaterial3D);
  ASSERT_EQ(material->put_TextureMode(kestGLTextureRepeat), S_OK);
  ASSERT_EQ(CComQIPtr<IMaterial3D>{material}->put_FillOption(kestGLFillHollow), S_OK);
  // Without a texture, a new texture's record stands in (UID, colour and a
  // 0 x 0 bitmap), so the value after the material still reads right.
  EXPECT_EQ(SavedValues(material).size(), 4u + 4u);
  CComPtr<IUnknown> loaded = Make<IUnknown>(CLSID_TextureMaterial3D);
  ExpectLoadsWhole(material, loaded);
  EXPECT_NE(Get(loaded, &ITextureMaterial3D::get_Texture), nullptr);
  EXPECT_EQ(Get(loaded, &ITextureMaterial3D::get_TextureMode), kestGLTextureRepeat);
  EXPECT_EQ(Get(loaded, &IMaterial3D::get_FillOption), kestGLFillHollow);

  CComPtr<ITexture3D> texture = TextureWith(MakeBitmap(2, 1, Pattern));
  ASSERT_EQ(texture->put_UID(CComBSTR(L"bricks")), S_OK);
  ASSERT_EQ(material->putref_Texture(texture), S_OK);
  loaded = Make<IUnknown>(CLSID_TextureMaterial3D);
  ExpectLoadsWhole(material, loaded);
  CComPtr<ITexture3D> back = Get(loaded, &ITextureMaterial3D::get_Texture);
  EXPECT_EQ(Get(back, &ITexture3D::get_UID), L"bricks");
  EXPECT_EQ(PixelOf(BitmapOf(back), 1, 0), Pattern(1, 0));
}

TEST_F(MaterialTest, TextureRecordIsPackedBgrTopRowFirstAndLoadsBack) {
  for (BitmapKind kind : {BitmapKind::BottomUpSection, BitmapKind::TopDownSection, BitmapKind::Compatible}) {
    SCOPED_TRACE(static_cast<int>(kind));
    // Three pixels make 9 bytes of a 12-byte section row: the padding must
    // not reach the record.
    std::vector<CComVariant> values = SavedValues(TextureWith(MakeBitmap(3, 2, Pattern, kind)));
    ASSERT_EQ(values.size(), 2u + 2u + 18u);
    EXPECT_TRUE(values[2].vt == VT_INT && values[3].vt == VT_INT);
    EXPECT_EQ(std::pair(values[2].intVal, values[3].intVal), std::pair(2, 3));  // height, then width
    for (std::size_t at = 4; at < values.size(); ++at) {
      const int pixel = static_cast<int>(at - 4) / 3, shift = 8 * (2 - static_cast<int>(at - 4) % 3);  // B, G, R
      EXPECT_EQ(values[at].vt, VT_I1);
      EXPECT_EQ(static_cast<BYTE>(values[at].cVal), (Pattern(pixel % 3, pixel / 3) >> shift) & 0xFF) << "byte " << at;
    }
  }

  CComPtr<ITexture3D> texture = TextureWith(MakeBitmap(5, 4, Pattern));
  ASSERT_EQ(texture->put_UID(CComBSTR(L"tile")), S_OK);
  ASSERT_EQ(texture->putref_TransparencyColor(NewColor(1, 2, 3)), S_OK);
  CComPtr<ITexture3D> loaded = SaveAndLoad<ITexture3D>(texture, CLSID_Texture3D);
  EXPECT_EQ(Get(loaded, &ITexture3D::get_UID), L"tile");
  EXPECT_EQ(ColorOf(Get(loaded, &ITexture3D::get_TransparencyColor)), RGB(1, 2, 3));
  HBITMAP bitmap = BitmapOf(loaded);
  ASSERT_NE(bitmap, BitmapOf(texture));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelOf(bitmap, x, y), Pattern(x, y));
  }
}

TEST_F(MaterialTest, TextureOwnsItsBitmapAndKeepsItOnABadRecord) {
  HBITMAP old = MakeBitmap(2, 2, Pattern);
  CComPtr<ITexture3D> texture = TextureWith(old);
  ASSERT_EQ(texture->put_UID(CComBSTR(L"old")), S_OK);
  EXPECT_EQ(texture->put_BitmapHandle(0), E_POINTER);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(texture->put_BitmapHandle(ToOleHandle(brush)), E_INVALIDARG);
  DeleteObject(brush);
  EXPECT_EQ(texture->put_BitmapHandle(ToOleHandle(old)), S_OK);  // the held bitmap again: kept

  auto load = [&](int height, int width, int bytes) {
    std::vector<CComVariant> values{CComVariant(L"new"), CComVariant(static_cast<IUnknown*>(nullptr)),
                                    CComVariant(height, VT_INT), CComVariant(width, VT_INT)};
    for (int i = 0; i < bytes; ++i) values.emplace_back(static_cast<char>(5 + i));
    return CComQIPtr<IPersistVariant>{texture}->Load(StreamWith(values));
  };
  // Too few bytes, a negative size, a size beyond reason.
  EXPECT_EQ(load(2, 3, 5), E_FAIL);
  EXPECT_EQ(load(-2, 3, 0), E_FAIL);
  EXPECT_EQ(load(0x10000, 0x10000, 0), E_FAIL);
  EXPECT_EQ(BitmapOf(texture), old);
  EXPECT_TRUE(IsLiveBitmap(old));
  EXPECT_EQ(Get(texture, &ITexture3D::get_UID), L"old");

  // A good record replaces the bitmap and frees the old one.
  ASSERT_EQ(load(1, 1, 3), S_OK);
  EXPECT_FALSE(IsLiveBitmap(old));
  HBITMAP loaded = BitmapOf(texture);
  EXPECT_EQ(PixelOf(loaded, 0, 0), RGB(7, 6, 5));
  EXPECT_EQ(Get(texture, &ITexture3D::get_UID), L"new");
  texture.Release();
  EXPECT_FALSE(IsLiveBitmap(loaded));
}

}  // namespace
}  // namespace zelph::test
