// Textures in a live GL context: power-of-two sizes, colour keying, when a
// texture is made again and when it goes, and the helper's textures from
// image files and marker symbols.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include "frame/Guids.h"
#include "frame/MaterialInterfaces.h"
#include "platform/WideString.h"
#include "tests/display/DisplayTestSupport.h"
#include "tests/support/TestPaths.h"

namespace zelph::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

GLuint TextureName(ITexture3D* texture) {
  OLE_HANDLE name = 0;
  EXPECT_EQ(texture->get_TextureHandle(&name), S_OK);
  return name;
}

CComPtr<ITexture3D> TextureWith(HBITMAP bitmap, IRgbColor* key = nullptr) {
  CComPtr<ITexture3D> texture = Make<ITexture3D>(CLSID_Texture3D);
  EXPECT_EQ(texture->put_BitmapHandle(ToOleHandle(bitmap)), S_OK);
  EXPECT_EQ(texture->putref_TransparencyColor(key), S_OK);
  return texture;
}

BITMAP Describe(ITexture3D* texture) {
  OLE_HANDLE handle = 0;
  EXPECT_EQ(texture->get_BitmapHandle(&handle), S_OK);
  BITMAP description{};
  EXPECT_NE(GetObjectW(FromOleHandle<HBITMAP>(handle), sizeof(BITMAP), &description), 0);
  return description;
}

TEST_F(TextureGLTest, TexturesArePowerOfTwoSquaresUnlessValidAlready) {
  CComPtr<ITexture3D> wide = TextureWith(MakeBitmap(100, 60, [](int x, int) { return RGB(x, 0, 0); }));
  TextureImage image = ReadTexture(TextureName(wide));
  EXPECT_EQ(image.width, 64);
  EXPECT_EQ(image.height, 64);
  // The stretched bitmap took the texture's old one's place.
  EXPECT_EQ(Describe(wide).bmWidth, 64);
  EXPECT_EQ(Describe(wide).bmHeight, 64);

  CComPtr<ITexture3D> valid = TextureWith(MakeBitmap(64, 32, [](int, int y) { return RGB(0, y, 0); }));
  image = ReadTexture(TextureName(valid));
  EXPECT_EQ(image.width, 64);
  EXPECT_EQ(image.height, 32);
}

TEST_F(TextureGLTest, ColourKeyClearsKeyPixelsAndTheTopRow) {
  auto colour = [](int x, int y) { return (x + y) % 3 == 0 ? kWhite : RGB(x * 60, y * 60, 100); };
  CComPtr<ITexture3D> texture = TextureWith(MakeBitmap(4, 4, colour));
  TextureImage opaque = ReadTexture(TextureName(texture));
  ASSERT_EQ(opaque.width, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(opaque.Alpha(x, 3 - y), 255) << x << "," << y;
  }

  // A new key makes the texture again, keyed.
  ASSERT_EQ(texture->putref_TransparencyColor(NewColor(255, 255, 255)), S_OK);
  TextureImage keyed = ReadTexture(TextureName(texture));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const std::uint8_t* pixel = keyed.At(x, 3 - y);
      const COLORREF expected = colour(x, y);
      EXPECT_EQ(RGB(pixel[2], pixel[1], pixel[0]), expected) << x << "," << y;
      EXPECT_EQ(keyed.Alpha(x, 3 - y), y == 0 || expected == kWhite ? 0 : 255) << x << "," << y;
    }
  }
}

TEST_F(TextureGLTest, TextureIsMadeWhenThereIsABitmapAndGoesWithTheComponent) {
  CComPtr<ITexture3D> texture = Make<ITexture3D>(CLSID_Texture3D);
  EXPECT_EQ(TextureName(texture), 0u);
  EXPECT_EQ(TextureName(texture), 0u);
  EXPECT_EQ(texture->get_TextureHandle(nullptr), E_POINTER);
  ASSERT_EQ(texture->put_BitmapHandle(ToOleHandle(MakeBitmap(2, 2, [](int, int) { return RGB(9, 9, 9); }))), S_OK);
  const GLuint name = TextureName(texture);
  ASSERT_NE(name, 0u);
  EXPECT_EQ(TextureName(texture), name);  // kept until something changes
  EXPECT_TRUE(glIsTexture(name));
  texture.Release();
  EXPECT_FALSE(glIsTexture(name));
}

TEST_F(TextureGLTest, HelperLoadsImageFiles) {
  std::vector<unsigned char> rgb;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) rgb.insert(rgb.end(), {static_cast<unsigned char>(40 * x), 77, static_cast<unsigned char>(60 * y)});
  }
  const std::string path = FreshDirectory("display-texture-file") + "/tile.bmp";
  ASSERT_NE(stbi_write_bmp(path.c_str(), 5, 3, 3, rgb.data()), 0);

  CComPtr<ITexture3DHelper> helper = Make<ITexture3DHelper>(CLSID_Texture3DHelper);
  CComPtr<IRgbColor> key = NewColor(0, 77, 0);
  CComPtr<ITexture3D> texture;
  ASSERT_EQ(helper->CreateBMPTexture(CComBSTR(L"tile"), CComBSTR(FromUtf8(path).c_str()), key, &texture), S_OK);
  ASSERT_NE(texture, nullptr);
  CComBSTR uid;
  ASSERT_EQ(texture->get_UID(&uid), S_OK);
  EXPECT_EQ(Text(uid), L"tile");
  CComPtr<IRgbColor> heldKey;
  ASSERT_EQ(texture->get_TransparencyColor(&heldKey), S_OK);
  EXPECT_EQ(heldKey.p, key.p);
  OLE_HANDLE bitmap = 0;
  ASSERT_EQ(texture->get_BitmapHandle(&bitmap), S_OK);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelOf(FromOleHandle<HBITMAP>(bitmap), x, y), RGB(40 * x, 77, 60 * y));
  }
  // Stretched to 4 x 4; only the key colour (the top-left pixel) and the
  // top row are clear.
  TextureImage image = ReadTexture(TextureName(texture));
  EXPECT_EQ(image.width, 4);
  EXPECT_EQ(image.height, 4);
  EXPECT_EQ(image.Alpha(0, 3), 0);
  EXPECT_EQ(image.Alpha(0, 0), 255);
  EXPECT_EQ(image.Alpha(0, 2), 255);

  CComPtr<ITexture3D> missing;
  EXPECT_EQ(helper->CreateBMPTexture(CComBSTR(L"none"), CComBSTR(FromUtf8(path + ".gone").c_str()), key, &missing),
            E_FAIL);
  EXPECT_EQ(missing, nullptr);
}

TEST_F(TextureGLTest, HelperDrawsMarkersCentredAtNinetyFivePercent) {
  CComPtr<ISimpleMarkerSymbol> marker = Make<ISimpleMarkerSymbol>(CLSID_SimpleMarkerSymbol);
  ASSERT_EQ(marker->put_Style(kestSMSCircle), S_OK);
  ASSERT_EQ(marker->put_Color(NewColor(255, 0, 0)), S_OK);
  ASSERT_EQ(marker->put_Size(8.0), S_OK);
  CComPtr<ITexture3DHelper> helper = Make<ITexture3DHelper>(CLSID_Texture3DHelper);
  CComPtr<ITexture3D> texture;
  ASSERT_EQ(helper->CreateMarkerTexture(CComBSTR(L"dot"), marker, 32, NewColor(255, 255, 255), &texture), S_OK);
  double size = 0.0;
  ASSERT_EQ(marker->get_Size(&size), S_OK);
  EXPECT_EQ(size, 8.0);  // lent, then given back

  // A circle of diameter 30.4 pixels about the square's middle; image rows
  // count from the top, OpenGL's from the bottom.
  TextureImage image = ReadTexture(TextureName(texture));
  ASSERT_EQ(image.width, 32);
  ASSERT_EQ(image.height, 32);
  auto at = [&](int x, int row) { return image.At(x, 31 - row); };
  for (auto [x, row] : {std::pair{16, 16}, std::pair{30, 16}, std::pair{1, 16}, std::pair{16, 30}}) {
    EXPECT_EQ(RGB(at(x, row)[2], at(x, row)[1], at(x, row)[0]), RGB(255, 0, 0)) << x << "," << row;
    EXPECT_EQ(at(x, row)[3], 255) << x << "," << row;
  }
  for (auto [x, row] : {std::pair{0, 31}, std::pair{31, 31}, std::pair{4, 4}, std::pair{27, 27}}) {
    EXPECT_EQ(at(x, row)[3], 0) << x << "," << row;
  }

  // Sizes that are no power of two are stretched down to one.
  CComPtr<ITexture3D> stretched;
  ASSERT_EQ(helper->CreateMarkerTexture(CComBSTR(L"dot"), marker, 50, NewColor(255, 255, 255), &stretched), S_OK);
  EXPECT_EQ(Describe(stretched).bmWidth, 32);
  CComPtr<ITexture3D> none;
  EXPECT_EQ(helper->CreateMarkerTexture(CComBSTR(L"dot"), nullptr, 32, nullptr, &none), E_FAIL);
  EXPECT_EQ(helper->CreateMarkerTexture(CComBSTR(L"dot"), marker, 0, nullptr, &none), E_FAIL);
  EXPECT_EQ(none, nullptr);
}

}  // namespace
}  // namespace zelph::test
