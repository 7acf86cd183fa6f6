// The GDI subset: device-independent bitmaps (DIB sections) and compatible
// bitmaps, memory device contexts with what is selected into them, solid
// brushes, filling, stretching and copying, pixel access, and bitmaps loaded
// from image files.
//
// Pixels are blue, green, red (and a fourth byte that is no part of the
// colour in 32-bit bitmaps), rows padded to 4 bytes. A positive height in a
// BITMAPINFOHEADER is a bottom-up bitmap (the first row in memory is the
// bottom row), a negative one top-down. Coordinates given to the drawing
// functions always count rows from the top.
//
// Failures return null, FALSE, 0 or CLR_INVALID and set the last error:
// ERROR_INVALID_HANDLE for a handle that is unknown or of the wrong kind,
// ERROR_INVALID_PARAMETER for a bad size, flag or pointer.
#pragma once

#include <type_traits>

#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

// What GetObjectW tells of a bitmap. bmHeight is the number of rows, never
// negative; bmBits is null for a compatible (device-dependent) bitmap.
struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

// What GetObjectW tells of a DIB section when the buffer is large enough:
// dsBmih.biHeight keeps the sign the section was made with.
struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
};

struct LOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
};

constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;
constexpr UINT BS_SOLID = 0;
constexpr DWORD SRCCOPY = 0x00CC0020;

// Stretch modes: the first three keep whole source pixels (nearest), HALFTONE
// interpolates between them (bilinear). A new context uses BLACKONWHITE.
constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

// GetCurrentObject kinds.
constexpr UINT OBJ_BRUSH = 2;
constexpr UINT OBJ_FONT = 6;
constexpr UINT OBJ_BITMAP = 7;

// Stock objects: never deleted (DeleteObject on them succeeds and does
// nothing).
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;

// LoadImageW.
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_LOADFROMFILE = 0x0010;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;

namespace zelph::gdi {
// The handles that stand for GDI objects wherever an HGDIOBJ is taken.
template <class Handle>
concept ObjectHandle =
    std::is_same_v<Handle, HBITMAP> || std::is_same_v<Handle, HBRUSH> || std::is_same_v<Handle, HFONT>;

template <ObjectHandle Handle>
HGDIOBJ AsObject(Handle handle) {
  return reinterpret_cast<HGDIOBJ>(handle);
}
}  // namespace zelph::gdi

// --- Bitmaps and objects -----------------------------------------------------

// A 24- or 32-bit BI_RGB section with DIB_RGB_COLORS; its zeroed bits are
// handed out through `bits` and stay valid until the bitmap is gone. `dc`
// may be null; file-mapping sections (`section`) are not supported.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
// A 32-bit device-dependent bitmap, black; its bits are reached only through
// a device context. Any context, or null, will do.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HBRUSH CreateSolidBrush(COLORREF colour);
HGDIOBJ GetStockObject(int which);

// Bitmaps fill a DIBSECTION (sections, when `size` allows) or a BITMAP;
// brushes a LOGBRUSH; fonts a LOGFONTW. Returns the bytes written, or with a null `buffer` the
// bytes needed; 0 on failure.
int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);
// Bitmaps, brushes and fonts; device contexts go through DeleteDC. A bitmap
// still selected into a context loses its handle but lives until the
// context lets it go.
BOOL DeleteObject(HGDIOBJ object);

template <zelph::gdi::ObjectHandle Handle>
int GetObjectW(Handle object, int size, LPVOID buffer) {
  return GetObjectW(zelph::gdi::AsObject(object), size, buffer);
}
template <zelph::gdi::ObjectHandle Handle>
BOOL DeleteObject(Handle object) {
  return DeleteObject(zelph::gdi::AsObject(object));
}

// --- Device contexts ---------------------------------------------------------

// A memory context holding a 1 x 1 stock bitmap and the white brush. `dc`
// may be null; otherwise it must be a context.
HDC CreateCompatibleDC(HDC dc);
// Memory contexts only.
BOOL DeleteDC(HDC dc);
// The screen: there is none to draw on here, but a context for it serves to
// make compatible contexts and bitmaps and to select fonts into. Only the
// screen (a null window) is offered.
HDC GetDC(HWND window);
// Returns 1 when `dc` came from GetDC, else 0.
int ReleaseDC(HWND window, HDC dc);

// Bitmaps go into memory contexts only; brushes and fonts into any context.
// Returns the object of the same kind selected before (null when a context
// never had a font), or null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT kind);

template <zelph::gdi::ObjectHandle Handle>
HGDIOBJ SelectObject(HDC dc, Handle object) {
  return SelectObject(dc, zelph::gdi::AsObject(object));
}

// Returns the previous mode, 0 on failure.
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);

// --- Drawing on the bitmap selected into a memory context ----------------------

// Fills left..right-1 by top..bottom-1; an empty rectangle fills nothing.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// SRCCOPY only. Negative extents mirror. Source pixels beyond the source
// bitmap repeat its edge. Source and destination may be the same context.
BOOL StretchBlt(HDC destination, int xDestination, int yDestination, int widthDestination, int heightDestination,
                HDC source, int xSource, int ySource, int widthSource, int heightSource, DWORD rop);
BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int xSource, int ySource, DWORD rop);
// CLR_INVALID outside the bitmap.
COLORREF GetPixel(HDC dc, int x, int y);
// Returns the colour set, CLR_INVALID outside the bitmap.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);

// --- Image files ---------------------------------------------------------------

// IMAGE_BITMAP with LR_LOADFROMFILE only (there are no resources here):
// BMP, PNG and the other formats the image decoder reads. With
// LR_CREATEDIBSECTION the result is a 24-bit bottom-up DIB section, as
// bitmap files are stored; without it a compatible bitmap. A non-zero
// `width` or `height` stretches the image to it (nearest pixel). An alpha
// channel is dropped: pixels keep the colour stored for them. Missing files
// give ERROR_FILE_NOT_FOUND, files that are not images
// ERROR_INVALID_PARAMETER.
HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags);

namespace zelph {
// The image file as a 24-bit bottom-up DIB section at its own size.
HBITMAP LoadBitmapFile(LPCWSTR path);
}  // namespace zelph
