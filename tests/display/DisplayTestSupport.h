// Bitmaps, colours and GL textures as the display tests build and read
// them, through the platform's GDI and OpenGL alone.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "frame/Logger.h"
#include "frame/MaterialInterfaces.h"
#include "platform/Gdi.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GLContext.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {

enum class BitmapKind { BottomUpSection, TopDownSection, Compatible };

// A bitmap whose pixel (x, y), counted from the top, is `colour(x, y)`.
inline HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour,
                          BitmapKind kind = BitmapKind::BottomUpSection) {
  HBITMAP bitmap = nullptr;
  if (kind == BitmapKind::Compatible) {
    bitmap = CreateCompatibleBitmap(nullptr, width, height);
  } else {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, kind == BitmapKind::TopDownSection ? -height : height, 1, 24,
                      BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  EXPECT_NE(bitmap, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) SetPixel(dc, x, y, colour(x, y));
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  return bitmap;
}

inline COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return colour;
}

inline bool IsLiveBitmap(HBITMAP bitmap) {
  BITMAP description{};
  return GetObjectW(bitmap, sizeof(BITMAP), &description) == static_cast<int>(sizeof(BITMAP));
}

inline CComPtr<IRgbColor> NewColor(LONG red, LONG green, LONG blue) {
  CComPtr<IRgbColor> colour = Make<IRgbColor>(CLSID_RgbColor);
  EXPECT_TRUE(colour->put_Red(red) == S_OK && colour->put_Green(green) == S_OK && colour->put_Blue(blue) == S_OK);
  return colour;
}

inline COLORREF ColorOf(IRgbColor* colour) {
  return RGB(static_cast<BYTE>(Get(colour, &IRgbColor::get_Red)), static_cast<BYTE>(Get(colour, &IRgbColor::get_Green)),
             static_cast<BYTE>(Get(colour, &IRgbColor::get_Blue)));
}

inline CComPtr<ITexture3D> TextureWith(HBITMAP bitmap) {
  CComPtr<ITexture3D> texture = Make<ITexture3D>(CLSID_Texture3D);
  EXPECT_EQ(texture->put_BitmapHandle(ToOleHandle(bitmap)), S_OK);
  return texture;
}

inline HBITMAP BitmapOf(ITexture3D* texture) {
  return FromOleHandle<HBITMAP>(Get(texture, &ITexture3D::get_BitmapHandle));
}

// A GL texture's level 0 as read back: BGRA bytes, rows bottom-up.
struct TextureImage {
  GLint width = 0, height = 0;
  std::vector<std::uint8_t> bgra;
  // Pixel (x, y) counted from the top row; OpenGL counts from the bottom.
  const std::uint8_t* At(int x, int y) const {
    return bgra.data() + (static_cast<std::size_t>(height - 1 - y) * width + x) * 4;
  }
  COLORREF Colour(int x, int y) const { return RGB(At(x, y)[2], At(x, y)[1], At(x, y)[0]); }
  int Alpha(int x, int y) const { return At(x, y)[3]; }
};

// The texture's GL texture, made on demand by asking for its name.
inline TextureImage ReadTexture(ITexture3D* texture) {
  TextureImage image;
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(Get(texture, &ITexture3D::get_TextureHandle)));
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
  image.bgra.resize(static_cast<std::size_t>(image.width) * image.height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, image.bgra.data());
  return image;
}

// A current GL context, a quiet logger and the registered library.
class TextureGLTest : public GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    Logger::Close();
    Logger::EnableDebug = Logger::EnableTrace = false;
    RegisterLibrary();
  }
};

}  // namespace zelph::test
