// A bitmap as the handle table keeps it: its pixels, their layout, and
// whether it is a DIB section (its bits are handed out) or a compatible
// bitmap (reached only through device contexts).
#pragma once

#include <memory>
#include <vector>

#include "platform/Gdi.h"
#include "platform/GdiHandles.h"

namespace zelph::gdi {

class Bitmap final : public GdiObject {
 public:
  enum class Layout { TopDown, BottomUp };

  // Sides up to this many pixels: the drawing surfaces go no further.
  static constexpr int kMaxSide = 32767;

  // Null when the size or depth is not one this runtime makes (sides 1 to
  // kMaxSide, 24 or 32 bits, at most 1 GiB of pixels) or memory ran out.
  static std::shared_ptr<Bitmap> Make(int width, int height, int bitsPerPixel, Layout layout, bool section);
  // Whether Make takes the size and depth.
  static bool Fits(int width, int height, int bitsPerPixel);

  ObjectKind Kind() const override { return ObjectKind::Bitmap; }

  int Width() const { return m_Width; }
  int Height() const { return m_Height; }
  int BitsPerPixel() const { return m_BitsPerPixel; }
  int BytesPerPixel() const { return m_BitsPerPixel / 8; }
  int Stride() const { return m_Stride; }
  Layout RowLayout() const { return m_Layout; }
  bool IsSection() const { return m_Section; }
  BYTE* Bits() { return m_Bits.data(); }

  // Row `y` counted from the top, whatever the layout.
  BYTE* Row(int y) { return m_Bits.data() + RowOffset(y); }
  const BYTE* Row(int y) const { return m_Bits.data() + RowOffset(y); }
  // The distance in bytes from one row to the row below it.
  std::ptrdiff_t RowStep() const { return m_Layout == Layout::TopDown ? m_Stride : -m_Stride; }

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_Width && y < m_Height; }
  COLORREF Pixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF colour);

  BITMAP Describe();
  // The header the section would be made from again (height negative when
  // top-down).
  BITMAPINFOHEADER Header() const;

 private:
  Bitmap(int width, int height, int bitsPerPixel, Layout layout, bool section);
  std::size_t RowOffset(int y) const {
    return static_cast<std::size_t>(m_Layout == Layout::TopDown ? y : m_Height - 1 - y) * m_Stride;
  }

  int m_Width;
  int m_Height;
  int m_BitsPerPixel;
  int m_Stride;
  Layout m_Layout;
  bool m_Section;
  std::vector<BYTE> m_Bits;
};

// Enters the bitmap in the handle table. Null with ERROR_INVALID_PARAMETER
// when there is no bitmap (Make refused it).
HBITMAP Publish(std::shared_ptr<Bitmap> bitmap);

}  // namespace zelph::gdi
