// Image files loaded as bitmaps: PNG and BMP files written here with known
// pixels come back as 24-bit bottom-up DIB sections holding those pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include "platform/Gdi.h"
#include "platform/WideString.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"
#include "tests/support/TestPaths.h"

namespace {

struct Rgb {
  BYTE red, green, blue;
};

// Every pixel differs from its neighbours in some channel.
Rgb Pattern(int x, int y) {
  return {static_cast<BYTE>(x * 2 + 10), static_cast<BYTE>(y * 4), static_cast<BYTE>((x * 7 + y * 3) % 256)};
}

std::string TempPath(const std::string& name) { return zelph::test::FreshDirectory("gdi-" + name) + "/" + name; }

std::wstring WritePng(const std::string& name, int width, int height) {
  std::vector<BYTE> rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Rgb pixel = Pattern(x, y);
      rgb.insert(rgb.end(), {pixel.red, pixel.green, pixel.blue});
    }
  }
  std::string path = TempPath(name);
  EXPECT_NE(stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3), 0);
  return zelph::FromUtf8(path);
}

void PutLittleEndian(std::vector<char>& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 24-bit BI_RGB bitmap file; rows are stored bottom row first unless
// `topDown`, each padded to 4 bytes.
std::wstring WriteBmp(const std::string& name, int width, int height, bool topDown) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = stride * height;
  std::vector<char> file{'B', 'M'};
  PutLittleEndian(file, 54 + pixelBytes, 4);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, 54, 4);
  PutLittleEndian(file, 40, 4);
  PutLittleEndian(file, width, 4);
  PutLittleEndian(file, static_cast<std::uint32_t>(topDown ? -height : height), 4);
  PutLittleEndian(file, 1, 2);
  PutLittleEndian(file, 24, 2);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, pixelBytes, 4);
  for (int i = 0; i < 4; ++i) PutLittleEndian(file, i < 2 ? 2835 : 0, 4);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    for (int x = 0; x < width; ++x) {
      Rgb pixel = Pattern(x, y);
      file.insert(file.end(), {static_cast<char>(pixel.blue), static_cast<char>(pixel.green),
                               static_cast<char>(pixel.red)});
    }
    file.resize(file.size() + (stride - width * 3), '\0');
  }
  std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary).write(file.data(), static_cast<std::streamsize>(file.size()));
  return zelph::FromUtf8(path);
}

// Each pixel of the bitmap, read through a memory context, against the
// pattern enlarged `scale` times.
void ExpectPatternThroughContext(HBITMAP bitmap, int width, int height, int scale = 1) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Rgb pixel = Pattern(x / scale, y / scale);
      ASSERT_EQ(GetPixel(dc, x, y), RGB(pixel.red, pixel.green, pixel.blue)) << x << "," << y;
    }
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
}

// The section's own bits hold the pattern bottom row first.
void ExpectBottomUpSection(HBITMAP bitmap, int width, int height) {
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof(section), &section), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(section.dsBm.bmWidth, width);
  EXPECT_EQ(section.dsBm.bmHeight, height);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
  EXPECT_EQ(section.dsBmih.biHeight, height);
  const int stride = (width * 3 + 3) / 4 * 4;
  EXPECT_EQ(section.dsBm.bmWidthBytes, stride);
  const BYTE* bits = static_cast<const BYTE*>(section.dsBm.bmBits);
  ASSERT_NE(bits, nullptr);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const BYTE* stored = bits + (height - 1 - y) * stride + x * 3;
      Rgb pixel = Pattern(x, y);
      ASSERT_EQ(stored[0], pixel.blue) << x << "," << y;
      ASSERT_EQ(stored[1], pixel.green) << x << "," << y;
      ASSERT_EQ(stored[2], pixel.red) << x << "," << y;
    }
  }
  ExpectPatternThroughContext(bitmap, width, height);
}

TEST(GdiImageFiles, PngAndBmpFilesLoadAsBottomUpSections) {
  const std::wstring png = WritePng("pattern.png", 100, 60);
  HBITMAP fromPng = zelph::LoadBitmapFile(png.c_str());
  ExpectBottomUpSection(fromPng, 100, 60);
  DeleteObject(fromPng);

  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown ? "top-down file" : "bottom-up file");
    HBITMAP fromBmp = zelph::LoadBitmapFile(WriteBmp(topDown ? "down.bmp" : "up.bmp", 7, 5, topDown).c_str());
    ExpectBottomUpSection(fromBmp, 7, 5);
    DeleteObject(fromBmp);
  }
}

TEST(GdiImageFiles, WhatIsNotAnImageFileIsRefused) {
  const std::string text = TempPath("notes.png");
  std::ofstream(text) << "not an image at all";
  const std::wstring png = WritePng("whole.png", 40, 40);
  std::ifstream whole(zelph::ToUtf8(png), std::ios::binary);
  std::vector<char> head(120);
  whole.read(head.data(), static_cast<std::streamsize>(head.size()));
  const std::string truncated = TempPath("truncated.png");
  std::ofstream(truncated, std::ios::binary).write(head.data(), static_cast<std::streamsize>(head.size()));

  auto load = [](const std::wstring& path, UINT type = IMAGE_BITMAP, UINT flags = LR_LOADFROMFILE) {
    SetLastError(ERROR_SUCCESS);
    return LoadImageW(nullptr, path.c_str(), type, 0, 0, flags | LR_CREATEDIBSECTION);
  };
  EXPECT_EQ(load(zelph::FromUtf8(TempPath("missing.bmp"))), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(load(zelph::FromUtf8(text)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(load(zelph::FromUtf8(truncated)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(zelph::LoadBitmapFile(nullptr), nullptr);
  HANDLE loaded = load(png);
  EXPECT_NE(loaded, nullptr);
  DeleteObject(static_cast<HBITMAP>(loaded));
}

}  // namespace
