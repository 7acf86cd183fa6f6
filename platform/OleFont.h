// The OLE standard font: a typeface name, a size in points and a style, with
// a GDI font handle for its current attributes. Class CLSID_StdFont.
#pragma once

#include "platform/Bstr.h"
#include "platform/GdiTypes.h"
#include "platform/Unknown.h"

// A currency value: the number times 10000, as a 64-bit integer. Font sizes
// travel as CY, so 10 points is {100000}.
struct CY {
  LONGLONG int64;
};

struct TEXTMETRICW;

// In the standard font's slot order.
struct IFont : IUnknown {
  STDMETHOD(get_Name)(BSTR* name) = 0;
  STDMETHOD(put_Name)(BSTR name) = 0;
  STDMETHOD(get_Size)(CY* size) = 0;
  STDMETHOD(put_Size)(CY size) = 0;
  STDMETHOD(get_Bold)(BOOL* bold) = 0;
  STDMETHOD(put_Bold)(BOOL bold) = 0;
  STDMETHOD(get_Italic)(BOOL* italic) = 0;
  STDMETHOD(put_Italic)(BOOL italic) = 0;
  STDMETHOD(get_Underline)(BOOL* underline) = 0;
  STDMETHOD(put_Underline)(BOOL underline) = 0;
  STDMETHOD(get_Strikethrough)(BOOL* strikethrough) = 0;
  STDMETHOD(put_Strikethrough)(BOOL strikethrough) = 0;
  STDMETHOD(get_Weight)(SHORT* weight) = 0;
  STDMETHOD(put_Weight)(SHORT weight) = 0;
  STDMETHOD(get_Charset)(SHORT* charset) = 0;
  STDMETHOD(put_Charset)(SHORT charset) = 0;
  // The font's GDI handle for its current attributes, owned by the font and
  // valid while the font lives and its attributes stay.
  STDMETHOD(get_hFont)(HFONT* font) = 0;
  STDMETHOD(Clone)(IFont** copy) = 0;
  STDMETHOD(IsEqual)(IFont* other) = 0;
  STDMETHOD(SetRatio)(LONG logical, LONG himetric) = 0;
  STDMETHOD(QueryTextMetrics)(TEXTMETRICW* metrics) = 0;
  STDMETHOD(AddRefHfont)(HFONT font) = 0;
  STDMETHOD(ReleaseHfont)(HFONT font) = 0;
  STDMETHOD(SetHdc)(HDC hdc) = 0;

 protected:
  ~IFont() = default;
};
ZELPH_DEFINE_IID(IFont, 0xBEF6E002, 0xA874, 0x101A, 0x8B, 0xBA, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB);
ZELPH_DEFINE_GUID(CLSID_StdFont, 0x0BE35203, 0x8F91, 0x11CE, 0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51);
