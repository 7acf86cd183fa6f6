#include "platform/Fonts.h"

#include <algorithm>
#include <cwchar>

#include "platform/Win32Call.h"
#include "platform/FontObject.h"
#include "platform/WinError.h"

using zelph::Win32Call;
using zelph::FailWin32Call;

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCWSTR faceName) {
  LOGFONTW description{};
  description.lfHeight = height;
  description.lfWidth = width;
  description.lfEscapement = escapement;
  description.lfOrientation = orientation;
  description.lfWeight = weight;
  description.lfItalic = static_cast<BYTE>(italic);
  description.lfUnderline = static_cast<BYTE>(underline);
  description.lfStrikeOut = static_cast<BYTE>(strikeOut);
  description.lfCharSet = static_cast<BYTE>(charSet);
  description.lfOutPrecision = static_cast<BYTE>(outPrecision);
  description.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  description.lfQuality = static_cast<BYTE>(quality);
  description.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  // Longer names are cut to the logical font's field.
  if (faceName) {
    const size_t length = std::min<size_t>(std::wcslen(faceName), LF_FACESIZE - 1);
    std::copy_n(faceName, length, description.lfFaceName);
  }
  return CreateFontIndirectW(&description);
}

HFONT CreateFontIndirectW(const LOGFONTW* description) {
  using namespace zelph::gdi;
  return Win32Call(HFONT{}, [&] {
    if (!description) return FailWin32Call(ERROR_INVALID_PARAMETER, HFONT{});
    return Insert<HFONT>(FontObject::Create(*description));
  });
}

namespace zelph::gdi {

BOOL DescribeFont(HFONT font, LOGFONTW* description) {
  return Win32Call(FALSE, [&] {
    if (!description) return FailWin32Call(ERROR_INVALID_PARAMETER, FALSE);
    const std::shared_ptr<FontObject> object = FontObject::FromHandle(font);
    if (!object) return FailWin32Call(ERROR_INVALID_HANDLE, FALSE);
    *description = object->Description();
    return TRUE;
  });
}

}  // namespace zelph::gdi
