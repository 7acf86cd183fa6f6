// The GDI subset: DIB sections and compatible bitmaps in both row orders and
// depths, memory contexts and what they keep selected, filling, stretching,
// copying and pixel access, the refusal of bad handles and sizes, and image
// files: PNG and BMP files written here with known pixels come back as
// 24-bit bottom-up DIB sections holding those pixels.
#include "platform/Gdi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include "platform/WideString.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"
#include "tests/support/TestPaths.h"

namespace {

struct Section {
  HBITMAP bitmap = nullptr;
  BYTE* bits = nullptr;
};

// A BI_RGB section; a negative height makes it top-down.
Section MakeSection(LONG width, LONG height, WORD bitCount) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, bitCount, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  return {bitmap, static_cast<BYTE*>(bits)};
}

// A memory context holding `bitmap` for one scope, which then gives the
// context's own bitmap back and deletes the context.
struct Selected {
  explicit Selected(HBITMAP bitmap) : dc(CreateCompatibleDC(nullptr)), previous(SelectObject(dc, bitmap)) {
    EXPECT_NE(previous, nullptr);
  }
  ~Selected() {
    SelectObject(dc, previous);
    DeleteDC(dc);
  }
  const HDC dc;
  const HGDIOBJ previous;
};

// What the section says of itself, against its size, depth and row order
// (a negative height: top-down); its bits.
BYTE* ExpectDescribed(HBITMAP bitmap, LONG width, LONG height, WORD bitCount) {
  DIBSECTION description{};
  EXPECT_EQ(GetObjectW(bitmap, sizeof(description), &description), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(description.dsBm.bmWidth, width);
  EXPECT_EQ(description.dsBm.bmHeight, std::abs(height));
  EXPECT_EQ(description.dsBm.bmWidthBytes, (width * bitCount / 8 + 3) / 4 * 4);
  EXPECT_EQ(description.dsBm.bmBitsPixel, bitCount);
  EXPECT_EQ(description.dsBmih.biHeight, height);
  return static_cast<BYTE*>(description.dsBm.bmBits);
}

void Fill(HDC dc, RECT rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  EXPECT_NE(FillRect(dc, &rect, brush), 0);
  DeleteObject(brush);
}

TEST(Gdi, SectionsDescribeThemselvesAddressRowsFromTheTopAndFillRectangles) {
  const COLORREF back = RGB(12, 34, 56), front = RGB(250, 128, 3);
  for (int layout = 0; layout < 4; ++layout) {
    const WORD bitCount = layout < 2 ? 24 : 32;
    const bool topDown = layout % 2 == 0;
    SCOPED_TRACE(testing::Message() << bitCount << (topDown ? "-bit top-down" : "-bit bottom-up"));
    Section section = MakeSection(7, topDown ? -5 : 5, bitCount);
    ASSERT_NE(section.bits, nullptr);
    const int bytes = bitCount / 8;
    const int stride = bitCount == 24 ? 24 : 28;  // 21 bytes padded to 24

    EXPECT_EQ(GetObjectW(section.bitmap, 0, nullptr), static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(ExpectDescribed(section.bitmap, 7, topDown ? -5 : 5, bitCount), section.bits);
    {
      Selected selected(section.bitmap);
      // The top row is the first in memory only for top-down sections.
      auto pixelAt = [&](int x, int y) { return section.bits + (topDown ? y : 4 - y) * stride + x * bytes; };
      EXPECT_EQ(SetPixel(selected.dc, 6, 0, RGB(10, 20, 30)), RGB(10, 20, 30));
      EXPECT_EQ(pixelAt(6, 0)[0], 30);
      EXPECT_EQ(pixelAt(6, 0)[1], 20);
      EXPECT_EQ(pixelAt(6, 0)[2], 10);
      const BYTE blueGreenRed[] = {200, 150, 100};
      std::copy(blueGreenRed, blueGreenRed + 3, pixelAt(1, 4));
      EXPECT_EQ(GetPixel(selected.dc, 1, 4), RGB(100, 150, 200));

      Fill(selected.dc, {0, 0, 7, 5}, back);
      Fill(selected.dc, {2, 1, 5, 4}, front);
      for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
          const bool inside = x >= 2 && x < 5 && y >= 1 && y < 4;
          EXPECT_EQ(GetPixel(selected.dc, x, y), inside ? front : back) << x << "," << y;
        }
      }
    }
    if (bitCount == 24) {
      // Drawing goes through a 32-bit copy: the row padding must stay as it was.
      for (int row = 0; row < 5; ++row) {
        for (int pad = 21; pad < 24; ++pad) EXPECT_EQ(section.bits[row * 24 + pad], 0) << row;
      }
    }
    EXPECT_EQ(DeleteObject(section.bitmap), TRUE);
  }
}

COLORREF Gradient(int x, int y) { return RGB(x * 10, y * 20, 7); }

// Four flat quadrants meeting at (50, 30).
COLORREF Quadrant(int x, int y) {
  if (y < 30) return x < 50 ? RGB(255, 0, 0) : RGB(0, 255, 0);
  return x < 50 ? RGB(0, 0, 255) : RGB(255, 255, 255);
}

TEST(Gdi, StretchBltKeepsTheColoursOfFlatAreasAndBitBltCopiesExactly) {
  HBITMAP source = CreateCompatibleBitmap(nullptr, 100, 60);
  Section target = MakeSection(64, 64, 24);
  Selected from(source), to(target.bitmap);
  for (LONG x : {0, 50}) {
    for (LONG y : {0, 30}) Fill(from.dc, {x, y, x + 50, y + 30}, Quadrant(x, y));
  }

  // Whole source pixels: each target pixel shows the source pixel under its centre.
  ASSERT_EQ(StretchBlt(to.dc, 0, 0, 64, 64, from.dc, 0, 0, 100, 60, SRCCOPY), TRUE);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const int sourceX = static_cast<int>((x + 0.5) * 100 / 64), sourceY = static_cast<int>((y + 0.5) * 60 / 64);
      ASSERT_EQ(GetPixel(to.dc, x, y), Quadrant(sourceX, sourceY)) << x << "," << y;
    }
  }

  EXPECT_EQ(StretchBlt(to.dc, 0, 0, 64, 64, from.dc, 0, 0, 100, 60, 0x00330008), FALSE);
  EXPECT_EQ(StretchBlt(to.dc, 0, 0, 64, 64, from.dc, 0, 0, 0, 60, SRCCOPY), FALSE);
  EXPECT_EQ(SetStretchBltMode(to.dc, 9), 0);

  // BitBlt copies pixels exactly, here from a 24-bit to a 32-bit top-down section.
  Section gradient = MakeSection(20, 10, 24), copy = MakeSection(20, -10, 32);
  Selected gradientDc(gradient.bitmap), copyDc(copy.bitmap);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) SetPixel(gradientDc.dc, x, y, Gradient(x, y));
  }
  ASSERT_EQ(BitBlt(copyDc.dc, 3, 2, 12, 6, gradientDc.dc, 5, 1, SRCCOPY), TRUE);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool copied = x >= 3 && x < 15 && y >= 2 && y < 8;
      ASSERT_EQ(GetPixel(copyDc.dc, x, y), copied ? Gradient(x + 2, y - 1) : RGB(0, 0, 0)) << x << "," << y;
    }
  }
  for (HBITMAP bitmap : {source, target.bitmap, gradient.bitmap, copy.bitmap}) DeleteObject(bitmap);
}

TEST(Gdi, ContextsHandBackWhatTheyReplaceKeepWhatTheyHoldAndRefuseBadHandlesAndSizes) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 3);
  ASSERT_NE(bitmap, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  const RECT rect{0, 0, 1, 1};
  auto expectRefused = [](bool refused, DWORD error) {
    EXPECT_TRUE(refused);
    EXPECT_EQ(GetLastError(), error);
  };
  auto asHdc = [](auto handle) { return reinterpret_cast<HDC>(handle); };
  expectRefused(DeleteDC(asHdc(brush)) == FALSE, ERROR_INVALID_HANDLE);
  expectRefused(FillRect(dc, &rect, reinterpret_cast<HBRUSH>(bitmap)) == 0, ERROR_INVALID_HANDLE);
  expectRefused(GetPixel(asHdc(bitmap), 0, 0) == CLR_INVALID, ERROR_INVALID_HANDLE);
  expectRefused(GetCurrentObject(dc, 99) == nullptr, ERROR_INVALID_PARAMETER);
  // The context still holds its 1 x 1 bitmap: a blit needs a source context.
  expectRefused(BitBlt(dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY) == FALSE, ERROR_INVALID_HANDLE);
  for (auto [width, height, bitCount] : std::initializer_list<std::tuple<LONG, LONG, WORD>>{
           {0, 5, 24}, {5, 5, 16}, {1, INT32_MIN, 24}, {30000, 30000, 32}}) {
    SCOPED_TRACE(testing::Message() << width << " x " << height << " x " << bitCount);
    Section section = MakeSection(width, height, bitCount);
    expectRefused(section.bitmap == nullptr && section.bits == nullptr, ERROR_INVALID_PARAMETER);
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = &info;
  expectRefused(CreateDIBSection(nullptr, &info, DIB_PAL_COLORS, &bits, nullptr, 0) == nullptr && bits == nullptr,
                ERROR_INVALID_PARAMETER);
  expectRefused(CreateCompatibleBitmap(dc, 5, -1) == nullptr, ERROR_INVALID_PARAMETER);

  HGDIOBJ original = SelectObject(dc, bitmap);
  ASSERT_NE(original, nullptr);
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
  // Deleting a selected bitmap takes its handle; the context still draws on it.
  EXPECT_EQ(DeleteObject(bitmap), TRUE);
  EXPECT_EQ(DeleteObject(bitmap), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetPixel(dc, 3, 2, RGB(9, 8, 7)), RGB(9, 8, 7));
  EXPECT_EQ(GetPixel(dc, 3, 2), RGB(9, 8, 7));
  EXPECT_EQ(SelectObject(dc, original), zelph::gdi::AsObject(bitmap));
  EXPECT_EQ(GetPixel(dc, 3, 2), CLR_INVALID);  // back on the 1 x 1 bitmap
  EXPECT_EQ(DeleteObject(brush), TRUE);        // still selected into the context: fine
  EXPECT_EQ(DeleteDC(dc), TRUE);
  EXPECT_EQ(DeleteDC(dc), FALSE);
}

// Every pixel differs from its neighbours in some channel.
COLORREF Pattern(int x, int y) { return RGB(x * 2 + 10, y * 4, (x * 7 + y * 3) % 256); }

std::string TempPath(const std::string& name) { return zelph::test::FreshDirectory("gdi-" + name) + "/" + name; }

// The pattern as a PNG file, or as a 24-bit BMP file (rows padded to 4
// bytes) stored bottom row first or, when `topDown`, top row first with a
// negative height.
std::wstring WriteImage(const std::string& name, int width, int height, bool topDown = false) {
  std::vector<BYTE> rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF pixel = Pattern(x, y);
      rgb.insert(rgb.end(), {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)});
    }
  }
  const std::string path = TempPath(name);
  stbi_flip_vertically_on_write(topDown);
  EXPECT_NE(name.ends_with(".png") ? stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3)
                                   : stbi_write_bmp(path.c_str(), width, height, 3, rgb.data()),
            0);
  stbi_flip_vertically_on_write(0);
  if (topDown) {
    const std::int32_t negative = -height;
    std::fstream(path, std::ios::in | std::ios::out | std::ios::binary)
        .seekp(22)
        .write(reinterpret_cast<const char*>(&negative), sizeof(negative));
  }
  return zelph::FromUtf8(path);
}

// The section's own bits hold the pattern bottom row first.
void ExpectBottomUpSection(HBITMAP bitmap, int width, int height) {
  ASSERT_NE(bitmap, nullptr);
  const BYTE* bits = ExpectDescribed(bitmap, width, height, 24);
  ASSERT_NE(bits, nullptr);
  const int stride = (width * 3 + 3) / 4 * 4;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const BYTE* stored = bits + (height - 1 - y) * stride + x * 3;
      ASSERT_EQ(RGB(stored[2], stored[1], stored[0]), Pattern(x, y)) << x << "," << y;
    }
  }
}

TEST(GdiImageFiles, PngAndBmpFilesLoadAsBottomUpSectionsAndOtherFilesAreRefused) {
  const std::wstring png = WriteImage("pattern.png", 100, 60);
  HBITMAP fromPng = zelph::LoadBitmapFile(png.c_str());
  ExpectBottomUpSection(fromPng, 100, 60);
  DeleteObject(fromPng);
  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown ? "top-down file" : "bottom-up file");
    HBITMAP fromBmp = zelph::LoadBitmapFile(WriteImage(topDown ? "down.bmp" : "up.bmp", 7, 5, topDown).c_str());
    ExpectBottomUpSection(fromBmp, 7, 5);
    DeleteObject(fromBmp);
  }

  const std::string text = TempPath("notes.png"), truncated = TempPath("truncated.png");
  std::ofstream(text) << "not an image at all";
  std::vector<char> head(120);
  std::ifstream(zelph::ToUtf8(png), std::ios::binary).read(head.data(), static_cast<std::streamsize>(head.size()));
  std::ofstream(truncated, std::ios::binary).write(head.data(), static_cast<std::streamsize>(head.size()));
  for (const std::string& bad : {TempPath("missing.bmp"), text, truncated}) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(zelph::LoadBitmapFile(zelph::FromUtf8(bad).c_str()), nullptr) << bad;
    EXPECT_EQ(GetLastError(), bad.ends_with("missing.bmp") ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_PARAMETER) << bad;
  }
  EXPECT_EQ(zelph::LoadBitmapFile(nullptr), nullptr);
}

}  // namespace
