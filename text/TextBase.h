// The text a text renderable carries: the string, the fonts it may be drawn
// with (borrowed from the scene manager's font cache), how it is drawn
// (facing the camera, upright or flat on the globe), its scale and its
// alignment about the anchor, on top of the extrusion settings that flat
// text uses for its solid letters.
#pragma once

#include <string>
#include <string_view>

#include "render/ExtrusionBase.h"
#include "text/BillboardFont.h"
#include "text/FlatGlobeFont.h"

class TextBase : public ExtrusionBase {
 public:
  TextBase() : ExtrusionBase(true) {}

  const std::wstring& GetText() const { return m_Text; }
  // Stores the text and has the font of the current mode build its glyphs
  // (outside any list compilation), noting whether it runs right to left.
  void SetText(std::wstring_view Text);
  // The same for a C string; null is an empty text.
  void SetText(const wchar_t* Text) { SetText(Text ? std::wstring_view(Text) : std::wstring_view()); }

  BillboardFont* GetBillboardFont() const { return m_BBFont; }
  FlatGlobeFont* GetFlatExtrusionFont() const { return m_FEFont; }
  // A null font is ignored: the one held stays.
  void SetBillboardFont(BillboardFont* Font);
  void SetFlatExtrusionFont(FlatGlobeFont* Font);

  FontMode GetMode() const { return m_Mode; }
  void SetMode(FontMode Mode);
  float GetTextScale() const { return m_TextScale; }
  // NaN is ignored.
  void SetTextScale(float Scale);
  // HAlign values; anything else draws no text.
  int GetHOption() const { return m_HOption; }
  void SetHOption(int Option);
  // VAlignment values; anything else leaves the font's alignment as it is.
  int GetVOption() const { return m_VOption; }
  void SetVOption(int Option);
  bool GetRightToLeft() const { return m_RightToLeft; }

 protected:
  // The font strings of the current mode are drawn with; null when none
  // has been given.
  FontBase* ModeFont() const;
  // Called after every change of what the text looks like, so that a
  // renderable can rebuild what it compiled from it.
  virtual void TextChanged() {}

  std::wstring m_Text;
  BillboardFont* m_BBFont = nullptr;
  FlatGlobeFont* m_FEFont = nullptr;
  FontMode m_Mode = FontMode::UPRIGHT;
  float m_TextScale = 0.0005f;
  int m_HOption = static_cast<int>(HAlign::CENTER);
  int m_VOption = static_cast<int>(VAlignment::CENTER);
  double m_XOff = 0.0;
  double m_YOff = 0.0;
  double m_ZOff = 0.0;
  bool m_RightToLeft = false;
};
