#include "text/FontBase.h"

#include <algorithm>
#include <cmath>

#include "frame/ErrorConvention.h"
#include "platform/Fonts.h"
#include "platform/Gdi.h"
#include "platform/TextDirection.h"
#include "platform/Win32Environment.h"
#include "platform/Win32OpenGL.h"
#include "platform/WinError.h"

namespace {

// The characters every font builds when it is initialised, so that plain
// text drawn without asking for its glyphs first still shows.
constexpr GLushort kFirstPrintable = 0x20;
constexpr GLushort kLastPrintable = 0x7E;

// Lists cannot be compiled inside another list's compilation.
bool CompilingList() {
  GLint list = 0;
  glGetIntegerv(GL_LIST_INDEX, &list);
  return list != 0;
}

bool LiveFont(HFONT font) {
  LOGFONTW description{};
  return font != nullptr && zelph::gdi::DescribeFont(font, &description) == TRUE;
}

}  // namespace

FontBase::FontBase() : m_Gmf(kGlyphCount) {}

FontBase::~FontBase() {
  if (wglGetCurrentContext()) FreeLists();
  ReleaseDeviceContext();
  if (m_OwnFont) DeleteObject(m_OwnFont);
}

void FontBase::SetFont(HFONT Font) {
  m_HFont = Font;
  m_Initialized = false;
  // Another typeface may well have a font file where the last had none.
  m_AmUnixed = false;
}

void FontBase::Initialize(float Extrusion) {
  zelph::InternalCall(L"Initialize", [&] {
    // Lists belong to a context; without one nothing can be reserved, and
    // the next call with a context initialises instead.
    if (!wglGetCurrentContext()) return;
    if (!m_HDC) m_HDC = GetDC(nullptr);

    FreeLists();
    m_Built.reset();
    std::fill(m_Gmf.begin(), m_Gmf.end(), GLYPHMETRICSFLOAT{});
    m_ListBase = glGenLists(kGlyphCount);
    if (m_ListBase == 0) zelph::Fail(E_OUTOFMEMORY);

    const HFONT font = DrawnFont();
    HGDIOBJ previous = SelectObject(m_HDC, font);
    // The context's own font is the one to give back at the end, not one
    // this font selected at an earlier initialisation.
    if (!m_HOld && previous) m_HOld = reinterpret_cast<HFONT>(previous);

    m_Extrusion = std::isfinite(Extrusion) && Extrusion > 0.0f ? Extrusion : 0.0f;
    FLOAT height = 0.0f;
    if (!zelph::GetFontOutlineHeight(font, &height)) {
      // No font file for the typeface: nothing can be drawn with it.
      m_AmUnixed = true;
      m_FontHeight = 0.0f;
      return;
    }
    m_FontHeight = height;
    m_AmUnixed = false;
    m_Initialized = true;

    std::vector<GLushort> printable;
    for (GLushort code = kFirstPrintable; code <= kLastPrintable; ++code) printable.push_back(code);
    BuildGlyphs(printable);
  });
}

bool FontBase::InitializeForText(std::wstring_view Text) {
  return zelph::InternalCall(L"InitializeForText", [&] {
    if (!m_Initialized && !m_AmUnixed) Initialize(InitialExtrusion());
    BuildGlyphsOf(Text);
    return zelph::IsRightToLeftText(Text);
  });
}

void FontBase::GetGLColor(float* R, float* G, float* B) const {
  if (R) *R = m_Red;
  if (G) *G = m_Green;
  if (B) *B = m_Blue;
}

void FontBase::SetGLColor(float R, float G, float B) {
  m_Red = R;
  m_Green = G;
  m_Blue = B;
}

float FontBase::MeasureString(std::wstring_view Text) const {
  float width = 0.0f;
  for (wchar_t character : Text) width += m_Gmf[CodeOf(character)].gmfCellIncX;
  return width;
}

bool FontBase::PrepareString(std::wstring_view Text) {
  if (!m_AmUnixed && !Text.empty()) {
    if (!m_Initialized) Initialize(InitialExtrusion());
    BuildGlyphsOf(Text);
    if (m_Initialized && !m_AmUnixed) return true;
  }
  // A shift meant for this string must not move the next one.
  m_HorizontalOffset = 0.0f;
  return false;
}

void FontBase::ShiftForAlignment(std::wstring_view Text, bool Half) {
  if (Text.empty()) return;
  if (!m_Initialized && !m_AmUnixed) Initialize(InitialExtrusion());
  // The advances are known only for built glyphs.
  BuildGlyphsOf(Text);
  const float width = MeasureString(Text);
  m_HorizontalOffset += Half ? width / 2.0f : width;
}

void FontBase::ApplyTextColor() const {
  if (m_Alpha != 1.0f) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glColor4f(m_Red, m_Green, m_Blue, m_Alpha);
  } else {
    glColor4f(m_Red, m_Green, m_Blue, 1.0f);
  }
}

void FontBase::ApplyOffsets() {
  if (m_HorizontalOffset != 0.0f) {
    glTranslatef(-m_HorizontalOffset, 0.0f, 0.0f);
    m_HorizontalOffset = 0.0f;
  }
  const float shift = VerticalShift();
  if (shift != 0.0f) glTranslatef(0.0f, shift, 0.0f);
}

float FontBase::VerticalShift() const {
  // Built from half the line height and a gap of a fifth of that, so that
  // the steps between the alignments keep their proportions.
  const float half = 0.5f * m_FontHeight;
  const float gap = 0.2f * half;
  switch (m_VerticalAlignment) {
    case VAlignment::NORMAL:
      return 0.0f;
    case VAlignment::ABOVE:
      return 2.5f * half + gap;
    case VAlignment::BELOW:
      return -(2.5f * half + gap);
    case VAlignment::CENTER:
      return -half;
    case VAlignment::ABOVE_CENTER:
      return 2.5f * half - half + gap;
    case VAlignment::WAY_ABOVE_CENTER:
      return 5.0f * half - half + gap;
    case VAlignment::BELOW_CENTER:
      return -half - (gap + 2.5f * half);
    case VAlignment::WAY_BELOW_CENTER:
      return -half - (gap + 5.0f * half);
  }
  return 0.0f;
}

void FontBase::CallGlyphs(std::wstring_view Text, bool RightToLeft) {
  m_Codes.clear();
  for (wchar_t character : Text) m_Codes.push_back(CodeOf(character));
  if (RightToLeft) std::reverse(m_Codes.begin(), m_Codes.end());
  // Glyphs are flat: both faces of the string must show.
  glDisable(GL_CULL_FACE);
  glListBase(m_ListBase);
  glCallLists(static_cast<GLsizei>(m_Codes.size()), GL_UNSIGNED_SHORT, m_Codes.data());
}

FontBase::StringScope::StringScope(float x, float y, float z) {
  m_Texturing = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
  if (m_Texturing) glDisable(GL_TEXTURE_2D);
  glPushAttrib(GL_CURRENT_BIT | GL_POLYGON_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_LIST_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glPushMatrix();
  glTranslatef(x, y, z);
}

FontBase::StringScope::~StringScope() {
  glPopMatrix();
  glPopAttrib();
  if (m_Texturing) glEnable(GL_TEXTURE_2D);
}

void FontBase::BuildGlyphs(const std::vector<GLushort>& Codes) {
  if (!m_Initialized || m_AmUnixed || m_ListBase == 0) return;
  if (!wglGetCurrentContext() || CompilingList()) return;
  const HFONT font = DrawnFont();
  for (GLushort code : Codes) {
    if (m_Built.test(code)) continue;
    const DWORD codes[] = {code};
    if (!zelph::UseFontOutlinesW(font, codes, m_ListBase, kDeviation, m_Extrusion, WGL_FONT_POLYGONS,
                                 m_Gmf.data())) {
      if (GetLastError() == ERROR_FILE_NOT_FOUND) {
        m_AmUnixed = true;
        return;
      }
      // A glyph that cannot be read stays blank rather than being tried
      // again in every frame.
      m_Gmf[code] = GLYPHMETRICSFLOAT{};
    }
    m_Built.set(code);
  }
}

void FontBase::BuildGlyphsOf(std::wstring_view Text) {
  if (!m_Initialized || m_AmUnixed) return;
  std::vector<GLushort> missing;
  for (wchar_t character : Text) {
    const GLushort code = CodeOf(character);
    if (!m_Built.test(code)) missing.push_back(code);
  }
  if (!missing.empty()) BuildGlyphs(missing);
}

void FontBase::FreeLists() {
  if (m_ListBase != 0 && glIsList(m_ListBase)) glDeleteLists(m_ListBase, kGlyphCount);
  m_ListBase = 0;
  m_Built.reset();
}

void FontBase::ReleaseDeviceContext() {
  if (!m_HDC) return;
  if (m_HOld) SelectObject(m_HDC, m_HOld);
  ReleaseDC(nullptr, m_HDC);
  m_HDC = nullptr;
}

HFONT FontBase::DrawnFont() {
  if (LiveFont(m_HFont)) return m_HFont;
  if (!m_OwnFont) {
    m_OwnFont = CreateFontW(10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                            CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
  }
  return m_OwnFont;
}
