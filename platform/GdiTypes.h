// Handle and value types of the GDI subset. Handles are small numbers issued
// by the handle table (platform/GdiHandles.h), so that they fit the 32-bit
// OLE_HANDLE of automation and so that a stale or made-up handle is refused
// instead of followed.
#pragma once

#include "platform/WinTypes.h"

using HGDIOBJ = struct HGDIOBJ__*;
using HBITMAP = struct HBITMAP__*;
using HBRUSH = struct HBRUSH__*;
using HFONT = struct HFONT__*;
using HDC = struct HDC__*;

// Handles as automation passes them.
using OLE_HANDLE = UINT;

// 0x00BBGGRR.
using COLORREF = DWORD;
constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
  return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}
constexpr BYTE GetRValue(COLORREF colour) { return static_cast<BYTE>(colour & 0xFF); }
constexpr BYTE GetGValue(COLORREF colour) { return static_cast<BYTE>((colour >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF colour) { return static_cast<BYTE>((colour >> 16) & 0xFF); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

template <class Handle>
OLE_HANDLE ToOleHandle(Handle handle) {
  return static_cast<OLE_HANDLE>(reinterpret_cast<std::uintptr_t>(handle));
}
template <class Handle>
Handle FromOleHandle(OLE_HANDLE handle) {
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(handle));
}
