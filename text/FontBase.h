// The glyphs of one typeface as OpenGL display lists: one list per 16-bit
// character code, each drawing its glyph in em units and moving the pen on by
// the glyph's advance, so that calling the lists of a string one after
// another lays it out. The concrete fonts (camera-facing billboard text, text
// standing on or lying flat on the globe) add the placement around them.
//
// The 65536 list names are reserved at the first initialisation, but a glyph
// is built only when a text needs it: InitializeForText builds the glyphs of
// its text, and a string drawn outside any list compilation builds what it
// lacks. Glyphs are never built while another list is being compiled (a list
// cannot be compiled inside another), so renderables that compile their text
// into a list ask for its glyphs first.
//
// Where no font file can be read for the typeface, the font cannot draw
// (m_AmUnixed) and every string call returns at once.
//
// A font needs a current OpenGL context to be initialised, to draw and to be
// destroyed (its lists are freed then).
#pragma once

#include <GL/gl.h>

#include <bitset>
#include <string_view>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/GlyphOutlines.h"

// Where a string stands vertically against its anchor; the order of the
// component option kestGLVAlignOption.
enum class VAlignment : int {
  NORMAL = 0,
  ABOVE = 1,
  BELOW = 2,
  CENTER = 3,
  ABOVE_CENTER = 4,
  WAY_ABOVE_CENTER = 5,
  BELOW_CENTER = 6,
  WAY_BELOW_CENTER = 7,
};

// How a text renderable draws its string: facing the camera, standing
// upright on the globe, or lying flat on it.
enum class FontMode : int {
  BILLBOARD = 0,
  UPRIGHT = 1,
  FLAT = 2,
};

// Which end of a string its anchor holds; the order of kestGLHAlignOption.
enum class HAlign : int {
  LEFT = 0,
  RIGHT = 1,
  CENTER = 2,
};

class FontBase {
 public:
  // One list and one metrics entry per 16-bit character code.
  static constexpr GLsizei kGlyphCount = 65536;
  // What a character that does not fit in 16 bits is drawn as.
  static constexpr GLushort kReplacementCode = 0xFFFD;
  // How closely the glyph polygons follow the curves of the outlines, ems.
  static constexpr FLOAT kDeviation = 0.002f;

  FontBase();
  virtual ~FontBase();
  FontBase(const FontBase&) = delete;
  FontBase& operator=(const FontBase&) = delete;

  // Takes the typeface by its handle; the handle stays its owner's. The
  // glyphs built so far no longer count: the next use initialises again.
  void SetFont(HFONT Font);
  HFONT GetFont() const { return m_HFont; }

  // Reserves the 65536 lists (freeing any reserved before), selects the
  // typeface (a 10-unit Arial when none is set or the handle has died),
  // reads its line height and builds the printable ASCII glyphs, extruded
  // by `Extrusion` ems, unless a list is being compiled.
  void Initialize(float Extrusion);
  // Initialises when needed, builds the glyphs of `Text` that are not built
  // yet (unless a list is being compiled) and tells whether the text runs
  // right to left.
  bool InitializeForText(std::wstring_view Text);
  // The same for a C string; null is an empty text.
  bool InitializeForText(const wchar_t* Text) {
    return InitializeForText(Text ? std::wstring_view(Text) : std::wstring_view());
  }
  bool IsInitialized() const { return m_Initialized; }
  // True when no glyph can be built for the typeface.
  bool IsUnixed() const { return m_AmUnixed; }

  // Ems to scene units.
  float GetScale() const { return m_Scale; }
  void SetScale(float Scale) { m_Scale = Scale; }
  VAlignment GetVerticalAlignment() const { return m_VerticalAlignment; }
  void SetVerticalAlignment(VAlignment Alignment) { m_VerticalAlignment = Alignment; }
  void GetGLColor(float* R, float* G, float* B) const;
  void SetGLColor(float R, float G, float B);
  float GetGLAlpha() const { return m_Alpha; }
  void SetGLAlpha(float Alpha) { m_Alpha = Alpha; }
  bool GetWireframe() const { return m_Wireframe; }
  void SetWireframe(bool Wireframe) { m_Wireframe = Wireframe; }

  // The line height (ascent plus descent) in ems; 0 before initialisation.
  float GetFontHeight() const { return m_FontHeight; }
  // The measures of a character's glyph (zero until it is built).
  const GLYPHMETRICSFLOAT& GetGlyphMetrics(wchar_t Character) const { return m_Gmf[CodeOf(Character)]; }
  // Sum of the advances of the string's glyphs, ems.
  float MeasureString(std::wstring_view Text) const;
  GLuint GetListBase() const { return m_ListBase; }

 protected:
  // The extrusion depth a string call initialises the font with.
  virtual float InitialExtrusion() const { return 0.0f; }

  // The character code whose list draws `Character`.
  static GLushort CodeOf(wchar_t Character) {
    return static_cast<unsigned long>(Character) < static_cast<unsigned long>(kGlyphCount)
               ? static_cast<GLushort>(Character)
               : kReplacementCode;
  }

  // The common start of every string call: false when nothing is to be
  // drawn (the pending offset is dropped then too); otherwise the font is
  // initialised and the string's glyphs are built where that is allowed.
  bool PrepareString(std::wstring_view Text);
  // Right and centre alignment: leaves the string's advance (or half of
  // it) as the pending left shift of the next string.
  void ShiftForAlignment(std::wstring_view Text, bool Half);
  // Steps of a string call inside its pushed state and matrix: the colour
  // (blending by alpha when translucent), the pending horizontal shift, the
  // vertical alignment and the glyphs themselves, in string order or
  // reversed for right-to-left text.
  void ApplyTextColor() const;
  void ApplyOffsets();
  void CallGlyphs(std::wstring_view Text, bool RightToLeft);
  // The y shift of the current vertical alignment, ems.
  float VerticalShift() const;

  // A whole string call: nothing for empty text or a font that cannot
  // draw; otherwise, with 2D texturing off for the call and the current,
  // polygon, depth, colour and list state pushed, depth test and depth
  // writes on, the model-view pushed and moved to (x, y, z): the colour,
  // then `place` (the font's own turns, its scale and its polygon mode),
  // then the pending shifts and the glyphs.
  template <class Place>
  void DrawString(std::wstring_view Text, float x, float y, float z, bool RightToLeft, Place&& place) {
    if (!PrepareString(Text)) return;
    StringScope scope(x, y, z);
    ApplyTextColor();
    place();
    ApplyOffsets();
    CallGlyphs(Text, RightToLeft);
  }

  // The pushed state and matrix of one string call.
  class StringScope {
   public:
    StringScope(float x, float y, float z);
    ~StringScope();
    StringScope(const StringScope&) = delete;
    StringScope& operator=(const StringScope&) = delete;

   private:
    bool m_Texturing = false;
  };

  bool m_Initialized = false;
  bool m_AmUnixed = false;
  GLuint m_ListBase = 0;
  std::vector<GLYPHMETRICSFLOAT> m_Gmf;
  HDC m_HDC = nullptr;
  HFONT m_HFont = nullptr;
  HFONT m_HOld = nullptr;
  float m_FontHeight = 0.0f;
  float m_HorizontalOffset = 0.0f;
  float m_Scale = 0.0005f;
  VAlignment m_VerticalAlignment = VAlignment::NORMAL;
  float m_Red = 0.0f;
  float m_Green = 0.0f;
  float m_Blue = 0.0f;
  float m_Alpha = 1.0f;
  bool m_Wireframe = false;

 private:
  // Builds the lists and metrics of the given codes that are not built yet;
  // nothing while a list is being compiled or without a current context.
  void BuildGlyphs(const std::vector<GLushort>& Codes);
  void BuildGlyphsOf(std::wstring_view Text);
  void FreeLists();
  void ReleaseDeviceContext();
  // The typeface actually drawn: the given one while it lives, else the
  // font's own fallback.
  HFONT DrawnFont();

  // Set for each code whose list holds its glyph.
  std::bitset<kGlyphCount> m_Built;
  // The depth the current glyphs are extruded by.
  float m_Extrusion = 0.0f;
  // The fallback typeface, made and deleted by this font.
  HFONT m_OwnFont = nullptr;
  // The codes of the string being drawn, kept to spare an allocation per
  // call.
  std::vector<GLushort> m_Codes;
};
