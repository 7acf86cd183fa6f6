// Bitmaps, colours and GL textures as the display tests build and read
// them, through the platform's GDI and OpenGL alone.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "frame/HostGuids.h"
#include "frame/HostSymbols.h"
#include "frame/Logger.h"
#include "platform/Gdi.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GLContext.h"

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
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = kind == BitmapKind::TopDownSection ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
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
  EXPECT_EQ(colour->put_Red(red), S_OK);
  EXPECT_EQ(colour->put_Green(green), S_OK);
  EXPECT_EQ(colour->put_Blue(blue), S_OK);
  return colour;
}

inline COLORREF ColorOf(IRgbColor* colour) {
  EXPECT_NE(colour, nullptr);
  if (!colour) return CLR_INVALID;
  LONG red = -1, green = -1, blue = -1;
  EXPECT_EQ(colour->get_Red(&red), S_OK);
  EXPECT_EQ(colour->get_Green(&green), S_OK);
  EXPECT_EQ(colour->get_Blue(&blue), S_OK);
  return RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
}

// A GL texture's level 0 as read back: BGRA bytes, rows bottom-up.
struct TextureImage {
  GLint width = 0;
  GLint height = 0;
  std::vector<std::uint8_t> bgra;
  // Pixel (x, y) counted from the bottom row, as OpenGL counts.
  const std::uint8_t* At(int x, int y) const { return bgra.data() + (static_cast<std::size_t>(y) * width + x) * 4; }
  int Alpha(int x, int y) const { return At(x, y)[3]; }
};

inline TextureImage ReadTexture(GLuint name) {
  TextureImage image;
  glBindTexture(GL_TEXTURE_2D, name);
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
    Logger::EnableDebug = false;
    Logger::EnableTrace = false;
    RegisterLibrary();
  }
};

}  // namespace zelph::test
