// The GDI subset: DIB sections and compatible bitmaps in both row orders and
// depths, memory contexts and what they keep selected, filling, stretching,
// copying and pixel access, and the refusal of bad handles and sizes.
#include "platform/Gdi.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>

#include "platform/Win32Environment.h"
#include "platform/WinError.h"

namespace {

struct Section {
  HBITMAP bitmap = nullptr;
  BYTE* bits = nullptr;
};

// A BI_RGB section; a negative height makes it top-down.
Section MakeSection(LONG width, LONG height, WORD bitCount) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitCount;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  return {bitmap, static_cast<BYTE*>(bits)};
}

// A memory context holding `bitmap` for one scope, which then gives the
// context's own bitmap back and deletes the context.
class Selected {
 public:
  explicit Selected(HBITMAP bitmap) : dc(CreateCompatibleDC(nullptr)), m_Previous(SelectObject(dc, bitmap)) {
    EXPECT_NE(m_Previous, nullptr);
  }
  ~Selected() {
    SelectObject(dc, m_Previous);
    DeleteDC(dc);
  }
  const HDC dc;

 private:
  HGDIOBJ m_Previous;
};

void Fill(HDC dc, RECT rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  EXPECT_NE(FillRect(dc, &rect, brush), 0);
  DeleteObject(brush);
}

struct Layout {
  WORD bitCount;
  bool topDown;
};
constexpr std::array<Layout, 4> kLayouts{{{24, true}, {24, false}, {32, true}, {32, false}}};

std::string Describe(const Layout& layout) {
  return std::to_string(layout.bitCount) + (layout.topDown ? "-bit top-down" : "-bit bottom-up");
}

TEST(Gdi, SectionsDescribeThemselvesAndAddressRowsFromTheTop) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(Describe(layout));
    Section section = MakeSection(5, layout.topDown ? -3 : 3, layout.bitCount);
    ASSERT_NE(section.bitmap, nullptr);
    ASSERT_NE(section.bits, nullptr);
    const int bytes = layout.bitCount / 8;
    const int stride = layout.bitCount == 24 ? 16 : 20;  // 15 bytes padded to 16

    DIBSECTION description{};
    EXPECT_EQ(GetObjectW(section.bitmap, 0, nullptr), static_cast<int>(sizeof(DIBSECTION)));
    ASSERT_EQ(GetObjectW(section.bitmap, sizeof(description), &description), static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(description.dsBm.bmWidth, 5);
    EXPECT_EQ(description.dsBm.bmHeight, 3);
    EXPECT_EQ(description.dsBm.bmWidthBytes, stride);
    EXPECT_EQ(description.dsBm.bmBitsPixel, layout.bitCount);
    EXPECT_EQ(description.dsBm.bmBits, section.bits);
    EXPECT_EQ(description.dsBmih.biHeight, layout.topDown ? -3 : 3);

    Selected selected(section.bitmap);
    // The top row is the first in memory only for top-down sections.
    auto pixelAt = [&](int x, int y) {
      return section.bits + (layout.topDown ? y : 2 - y) * stride + x * bytes;
    };
    EXPECT_EQ(SetPixel(selected.dc, 4, 0, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(pixelAt(4, 0)[0], 30);
    EXPECT_EQ(pixelAt(4, 0)[1], 20);
    EXPECT_EQ(pixelAt(4, 0)[2], 10);
    BYTE* written = pixelAt(1, 2);
    written[0] = 200;  // blue
    written[1] = 150;
    written[2] = 100;
    EXPECT_EQ(GetPixel(selected.dc, 1, 2), RGB(100, 150, 200));
    EXPECT_EQ(DeleteObject(section.bitmap), TRUE);
  }
}

TEST(Gdi, FillRectFillsItsRectangleAndNothingElse) {
  const COLORREF back = RGB(12, 34, 56), front = RGB(250, 128, 3);
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(Describe(layout));
    Section section = MakeSection(7, layout.topDown ? -5 : 5, layout.bitCount);
    {
      Selected selected(section.bitmap);
      Fill(selected.dc, {0, 0, 7, 5}, back);
      Fill(selected.dc, {2, 1, 5, 4}, front);
      for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
          const bool inside = x >= 2 && x < 5 && y >= 1 && y < 4;
          EXPECT_EQ(GetPixel(selected.dc, x, y), inside ? front : back) << x << "," << y;
        }
      }
    }
    if (layout.bitCount == 24) {
      // Drawing goes through a 32-bit copy: the row padding must stay as it was.
      for (int row = 0; row < 5; ++row) {
        for (int pad = 21; pad < 24; ++pad) EXPECT_EQ(section.bits[row * 24 + pad], 0) << row;
      }
    }
    DeleteObject(section.bitmap);
  }
}

// Four flat quadrants meeting at (50, 30).
COLORREF Quadrant(int x, int y) {
  if (y < 30) return x < 50 ? RGB(255, 0, 0) : RGB(0, 255, 0);
  return x < 50 ? RGB(0, 0, 255) : RGB(255, 255, 255);
}

TEST(Gdi, StretchBltKeepsTheColoursOfFlatAreas) {
  HBITMAP source = CreateCompatibleBitmap(nullptr, 100, 60);
  Section target = MakeSection(64, 64, 24);
  Selected from(source), to(target.bitmap);
  Fill(from.dc, {0, 0, 50, 30}, Quadrant(0, 0));
  Fill(from.dc, {50, 0, 100, 30}, Quadrant(50, 0));
  Fill(from.dc, {0, 30, 50, 60}, Quadrant(0, 30));
  Fill(from.dc, {50, 30, 100, 60}, Quadrant(50, 30));

  // Whole source pixels: each target pixel shows the source pixel under its centre.
  EXPECT_EQ(GetStretchBltMode(to.dc), BLACKONWHITE);
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
  DeleteObject(source);
  DeleteObject(target.bitmap);
}

COLORREF Gradient(int x, int y) { return RGB(x * 10, y * 20, 7); }

TEST(Gdi, BitBltCopiesPixelsExactlyEvenWithinOneBitmap) {
  Section source = MakeSection(20, 10, 24);
  Section target = MakeSection(20, -10, 32);
  Selected from(source.bitmap), to(target.bitmap);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) SetPixel(from.dc, x, y, Gradient(x, y));
  }
  ASSERT_EQ(BitBlt(to.dc, 3, 2, 12, 6, from.dc, 5, 1, SRCCOPY), TRUE);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool copied = x >= 3 && x < 15 && y >= 2 && y < 8;
      ASSERT_EQ(GetPixel(to.dc, x, y), copied ? Gradient(x + 2, y - 1) : RGB(0, 0, 0)) << x << "," << y;
    }
  }
  DeleteObject(source.bitmap);
  DeleteObject(target.bitmap);
}

TEST(Gdi, ContextsHandBackWhatTheyReplaceAndKeepWhatTheyHold) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 3);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ original = SelectObject(dc, bitmap);
  ASSERT_NE(original, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
  // Deleting a selected bitmap takes its handle; the context still draws on it.
  EXPECT_EQ(DeleteObject(bitmap), TRUE);
  EXPECT_EQ(DeleteObject(bitmap), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetPixel(dc, 3, 2, RGB(9, 8, 7)), RGB(9, 8, 7));
  EXPECT_EQ(GetPixel(dc, 3, 2), RGB(9, 8, 7));
  EXPECT_EQ(SelectObject(dc, original), zelph::gdi::AsObject(bitmap));
  EXPECT_EQ(GetPixel(dc, 3, 2), CLR_INVALID);  // back on the 1 x 1 bitmap

  EXPECT_EQ(DeleteObject(brush), TRUE);  // still selected into the context: fine
  EXPECT_EQ(DeleteDC(dc), TRUE);
  EXPECT_EQ(DeleteDC(dc), FALSE);
}

TEST(Gdi, HandlesOfTheWrongKindAndBadSizesAreRefused) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
  HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
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
  expectRefused(FillRect(dc, &rect, nullptr) == 0, ERROR_INVALID_HANDLE);
  // The context still holds its 1 x 1 bitmap: a blit needs a source context.
  expectRefused(BitBlt(dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY) == FALSE, ERROR_INVALID_HANDLE);

  struct BadHeader {
    LONG width, height;
    WORD bitCount;
  };
  for (BadHeader bad : {BadHeader{0, 5, 24}, BadHeader{5, 5, 16}, BadHeader{1, INT32_MIN, 24},
                        BadHeader{30000, 30000, 32}}) {
    SCOPED_TRACE(std::to_string(bad.width) + " x " + std::to_string(bad.height) + " x " +
                 std::to_string(bad.bitCount));
    Section section = MakeSection(bad.width, bad.height, bad.bitCount);
    expectRefused(section.bitmap == nullptr && section.bits == nullptr, ERROR_INVALID_PARAMETER);
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = &info;
  expectRefused(CreateDIBSection(nullptr, &info, DIB_PAL_COLORS, &bits, nullptr, 0) == nullptr && bits == nullptr,
                ERROR_INVALID_PARAMETER);
  expectRefused(CreateCompatibleBitmap(dc, 5, -1) == nullptr, ERROR_INVALID_PARAMETER);

  DeleteObject(bitmap);
  DeleteObject(brush);
  DeleteDC(dc);
}

}  // namespace
