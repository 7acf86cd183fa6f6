#include "platform/GdiBitmap.h"

#include <new>

namespace zelph::gdi {
namespace {

constexpr std::size_t kMaxPixelBytes = std::size_t{1} << 30;

// Rows are padded to whole 32-bit words, as every reader of DIB bits expects.
int StrideFor(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

}  // namespace

bool Bitmap::Fits(int width, int height, int bitsPerPixel) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
  if (bitsPerPixel != 24 && bitsPerPixel != 32) return false;
  return static_cast<std::size_t>(StrideFor(width, bitsPerPixel)) * height <= kMaxPixelBytes;
}

std::shared_ptr<Bitmap> Bitmap::Make(int width, int height, int bitsPerPixel, Layout layout, bool section) {
  if (!Fits(width, height, bitsPerPixel)) return nullptr;
  try {
    return std::shared_ptr<Bitmap>(new Bitmap(width, height, bitsPerPixel, layout, section));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel, Layout layout, bool section)
    : m_Width(width),
      m_Height(height),
      m_BitsPerPixel(bitsPerPixel),
      m_Stride(StrideFor(width, bitsPerPixel)),
      m_Layout(layout),
      m_Section(section),
      m_Bits(static_cast<std::size_t>(m_Stride) * height, BYTE{0}) {}

COLORREF Bitmap::Pixel(int x, int y) const {
  const BYTE* pixel = Row(y) + static_cast<std::size_t>(x) * BytesPerPixel();
  return RGB(pixel[2], pixel[1], pixel[0]);
}

void Bitmap::SetPixel(int x, int y, COLORREF colour) {
  BYTE* pixel = Row(y) + static_cast<std::size_t>(x) * BytesPerPixel();
  pixel[0] = GetBValue(colour);
  pixel[1] = GetGValue(colour);
  pixel[2] = GetRValue(colour);
}

BITMAP Bitmap::Describe() {
  BITMAP description{};
  description.bmWidth = m_Width;
  description.bmHeight = m_Height;
  description.bmWidthBytes = m_Stride;
  description.bmPlanes = 1;
  description.bmBitsPixel = static_cast<WORD>(m_BitsPerPixel);
  description.bmBits = m_Section ? m_Bits.data() : nullptr;
  return description;
}

BITMAPINFOHEADER Bitmap::Header() const {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = m_Width;
  header.biHeight = m_Layout == Layout::TopDown ? -m_Height : m_Height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(m_BitsPerPixel);
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(m_Bits.size());
  return header;
}

}  // namespace zelph::gdi
