// Font handles of the GDI subset: a logical font describes the typeface,
// size and style asked for; its handle stands for the installed face that
// matches it best.
#pragma once

#include "platform/GdiTypes.h"

constexpr int LF_FACESIZE = 32;

struct LOGFONTW {
  // Negative: the character (em) height in pixels; positive: the cell height
  // (ascent plus descent); 0: a default size.
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
};

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_EXTRALIGHT = 200;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_EXTRABOLD = 800;
constexpr LONG FW_HEAVY = 900;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE ANTIALIASED_QUALITY = 4;
constexpr BYTE DEFAULT_PITCH = 0;

// A handle for the font described; a face name the system does not have
// gives its closest installed face (and where no font file can be read at
// all, a handle whose glyphs cannot be generated). Width, escapement,
// orientation, character set, precisions, quality and pitch are kept for
// DescribeFont but choose nothing. The handle lives until DeleteObject.
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCWSTR faceName);
// Null with ERROR_INVALID_PARAMETER for a null description.
HFONT CreateFontIndirectW(const LOGFONTW* description);

namespace zelph::gdi {

// The logical font a font handle was made from (what GetObjectW reports
// for a font). FALSE with ERROR_INVALID_HANDLE for anything but a live font
// handle, with ERROR_INVALID_PARAMETER for a null description.
BOOL DescribeFont(HFONT font, LOGFONTW* description);

}  // namespace zelph::gdi
