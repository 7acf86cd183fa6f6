// Making, describing and deleting bitmaps and brushes.
#include <cstring>

#include "platform/Fonts.h"
#include "platform/Gdi.h"
#include "platform/GdiBitmap.h"
#include "platform/GdiBrush.h"
#include "platform/Win32Call.h"
#include "platform/GdiDeviceContext.h"
#include "platform/GdiStockObjects.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"

using zelph::Win32Call;

using namespace zelph::gdi;

namespace zelph::gdi {

HBITMAP Publish(std::shared_ptr<Bitmap> bitmap) {
  if (!bitmap) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return Win32Call(HBITMAP{}, [&] { return Insert<HBITMAP>(std::move(bitmap)); });
}

}  // namespace zelph::gdi

namespace {

bool IsValidSectionHeader(const BITMAPINFO* info, UINT usage, HANDLE section) {
  if (!info || usage != DIB_RGB_COLORS || section) return false;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biPlanes == 1 && header.biCompression == BI_RGB;
}

// Writes `record` when the caller's buffer holds it; with no buffer, tells
// how large it is.
template <class Record>
int CopyOut(const Record& record, int size, LPVOID buffer) {
  if (!buffer) return sizeof(Record);
  if (size < static_cast<int>(sizeof(Record))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::memcpy(buffer, &record, sizeof(Record));
  return sizeof(Record);
}

int DescribeBitmap(Bitmap& bitmap, int size, LPVOID buffer) {
  if (bitmap.IsSection() && (!buffer || size >= static_cast<int>(sizeof(DIBSECTION)))) {
    DIBSECTION section{};
    section.dsBm = bitmap.Describe();
    section.dsBmih = bitmap.Header();
    return CopyOut(section, size, buffer);
  }
  return CopyOut(bitmap.Describe(), size, buffer);
}

}  // namespace

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
  if (bits) *bits = nullptr;
  if (dc && !LookupContext(dc)) return nullptr;
  if (!IsValidSectionHeader(info, usage, section)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  // The most negative height has no positive counterpart.
  const bool topDown = header.biHeight < 0;
  const int rows = topDown ? (header.biHeight == INT32_MIN ? 0 : -header.biHeight) : header.biHeight;
  std::shared_ptr<Bitmap> bitmap =
      Bitmap::Make(header.biWidth, rows, header.biBitCount,
                   topDown ? Bitmap::Layout::TopDown : Bitmap::Layout::BottomUp, true);
  BYTE* pixels = bitmap ? bitmap->Bits() : nullptr;
  HBITMAP handle = Publish(std::move(bitmap));
  if (handle && bits) *bits = pixels;
  return handle;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (dc && !LookupContext(dc)) return nullptr;
  return Publish(Bitmap::Make(width, height, 32, Bitmap::Layout::TopDown, false));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  return Win32Call(HBRUSH{}, [&] { return Insert<HBRUSH>(std::make_shared<Brush>(colour)); });
}

HGDIOBJ GetStockObject(int which) {
  switch (which) {
    case WHITE_BRUSH:
      return ObjectHandleOf(StockHandle(StockObject::WhiteBrush));
    case BLACK_BRUSH:
      return ObjectHandleOf(StockHandle(StockObject::BlackBrush));
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
  std::shared_ptr<GdiObject> found = FindAnyObject(HandleNumber(object));
  switch (found ? found->Kind() : ObjectKind::DeviceContext) {
    case ObjectKind::Bitmap:
      return DescribeBitmap(static_cast<Bitmap&>(*found), size, buffer);
    case ObjectKind::Brush:
      return CopyOut(LOGBRUSH{BS_SOLID, static_cast<Brush&>(*found).Colour(), 0}, size, buffer);
    case ObjectKind::Font: {
      LOGFONTW description{};
      if (!DescribeFont(reinterpret_cast<HFONT>(object), &description)) return 0;
      return CopyOut(description, size, buffer);
    }
    default:
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
  }
}

BOOL DeleteObject(HGDIOBJ object) {
  std::uint32_t number = HandleNumber(object);
  std::shared_ptr<GdiObject> found = FindAnyObject(number);
  if (!found || found->Kind() == ObjectKind::DeviceContext) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (IsStockHandle(number)) return TRUE;
  return EraseObject(number) ? TRUE : FALSE;
}
