// Textures in a live GL context: power-of-two sizes, colour keying, when a
// texture is made again and when it goes, and the helper's textures from
// image files and marker symbols.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include "frame/Guids.h"
#include "platform/WideString.h"
#include "tests/display/DisplayTestSupport.h"
#include "tests/support/TestPaths.h"

namespace zelph::test {
namespace {

TEST_F(TextureGLTest, TextureIsAPowerOfTwoMadeForABitmapAndMadeAgainForANewKey) {
  // Sizes that are no powers of two are stretched to the square below.
  TextureImage image = ReadTexture(TextureWith(MakeBitmap(100, 60, [](int x, int) { return RGB(x, 0, 0); })));
  EXPECT_EQ(std::pair(image.width, image.height), std::pair(64, 64));
  image = ReadTexture(TextureWith(MakeBitmap(64, 32, [](int, int y) { return RGB(0, y, 0); })));
  EXPECT_EQ(std::pair(image.width, image.height), std::pair(64, 32));

  CComPtr<ITexture3D> texture = Make<ITexture3D>(CLSID_Texture3D);
  EXPECT_EQ(Get(texture, &ITexture3D::get_TextureHandle), 0u);
  const COLORREF white = RGB(255, 255, 255);
  auto colour = [&](int x, int y) { return (x + y) % 3 == 0 ? white : RGB(x * 60, y * 60, 100); };
  ASSERT_EQ(texture->put_BitmapHandle(ToOleHandle(MakeBitmap(4, 4, colour))), S_OK);
  const OLE_HANDLE name = Get(texture, &ITexture3D::get_TextureHandle);
  ASSERT_NE(name, 0u);
  const TextureImage opaque = ReadTexture(texture);
  EXPECT_EQ(Get(texture, &ITexture3D::get_TextureHandle), name);  // kept until something changes

  // A key clears its own colour and the top row.
  ASSERT_EQ(texture->putref_TransparencyColor(NewColor(255, 255, 255)), S_OK);
  const TextureImage keyed = ReadTexture(texture);
  ASSERT_EQ(keyed.width, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(opaque.Alpha(x, y), 255) << x << "," << y;
      EXPECT_EQ(keyed.Colour(x, y), colour(x, y)) << x << "," << y;
      EXPECT_EQ(keyed.Alpha(x, y), y == 0 || colour(x, y) == white ? 0 : 255) << x << "," << y;
    }
  }
  const GLuint last = static_cast<GLuint>(Get(texture, &ITexture3D::get_TextureHandle));
  EXPECT_TRUE(glIsTexture(last));
  texture.Release();
  EXPECT_FALSE(glIsTexture(last));
}

TEST_F(TextureGLTest, HelperMakesTexturesFromImageFilesAndMarkers) {
  std::string rgb;  // 5 x 3 pixels, the top row first
  for (int i = 0; i < 15; ++i) rgb += {char(40 * (i % 5)), char(77), char(60 * (i / 5))};
  const std::string path = FreshDirectory("display-texture-file") + "/tile.bmp";
  ASSERT_NE(stbi_write_bmp(path.c_str(), 5, 3, 3, rgb.data()), 0);
  CComPtr<ITexture3DHelper> helper = Make<ITexture3DHelper>(CLSID_Texture3DHelper);
  CComPtr<ITexture3D> texture;
  ASSERT_EQ(helper->CreateBMPTexture(CComBSTR(L"tile"), CComBSTR(FromUtf8(path).c_str()), nullptr, &texture), S_OK);
  EXPECT_EQ(Get(texture, &ITexture3D::get_UID), L"tile");
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelOf(BitmapOf(texture), x, y), RGB(40 * x, 77, 60 * y));
  }
  CComPtr<ITexture3D> missing;
  EXPECT_EQ(helper->CreateBMPTexture(CComBSTR(L"none"), CComBSTR(FromUtf8(path + ".gone").c_str()), nullptr, &missing),
            E_FAIL);
  EXPECT_EQ(missing, nullptr);

  // A red circle of diameter 30.4 pixels about the middle of a 32 x 32 square.
  CComPtr<ISimpleMarkerSymbol> marker = Make<ISimpleMarkerSymbol>(CLSID_SimpleMarkerSymbol);
  ASSERT_EQ(marker->put_Style(kestSMSCircle), S_OK);
  ASSERT_EQ(marker->put_Color(NewColor(255, 0, 0)), S_OK);
  ASSERT_EQ(marker->put_Size(8.0), S_OK);
  CComPtr<ITexture3D> dot;
  ASSERT_EQ(helper->CreateMarkerTexture(CComBSTR(L"dot"), marker, 32, NewColor(255, 255, 255), &dot), S_OK);
  EXPECT_EQ(Get(marker, &ISimpleMarkerSymbol::get_Size), 8.0);  // lent, then given back
  TextureImage image = ReadTexture(dot);
  ASSERT_EQ(image.width, 32);
  for (auto [x, y] : {std::pair{16, 16}, std::pair{30, 16}, std::pair{1, 16}, std::pair{16, 30}}) {
    EXPECT_EQ(std::pair(image.Colour(x, y), image.Alpha(x, y)), std::pair(RGB(255, 0, 0), 255)) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{0, 31}, std::pair{31, 31}, std::pair{4, 4}, std::pair{27, 27}}) {
    EXPECT_EQ(image.Alpha(x, y), 0) << x << "," << y;
  }
}

}  // namespace
}  // namespace zelph::test
