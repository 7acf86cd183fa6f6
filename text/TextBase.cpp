#include "text/TextBase.h"

#include <cmath>

void TextBase::SetText(std::wstring_view Text) {
  m_Text.assign(Text);
  if (FontBase* font = ModeFont()) m_RightToLeft = font->InitializeForText(m_Text);
  TextChanged();
}

void TextBase::SetBillboardFont(BillboardFont* Font) {
  if (!Font) return;
  m_BBFont = Font;
  TextChanged();
}

void TextBase::SetFlatExtrusionFont(FlatGlobeFont* Font) {
  if (!Font) return;
  m_FEFont = Font;
  TextChanged();
}

void TextBase::SetMode(FontMode Mode) {
  m_Mode = Mode;
  TextChanged();
}

void TextBase::SetTextScale(float Scale) {
  if (std::isnan(Scale)) return;
  m_TextScale = Scale;
  TextChanged();
}

void TextBase::SetHOption(int Option) {
  m_HOption = Option;
  TextChanged();
}

void TextBase::SetVOption(int Option) {
  m_VOption = Option;
  TextChanged();
}

FontBase* TextBase::ModeFont() const {
  if (m_Mode == FontMode::BILLBOARD) return m_BBFont;
  return m_FEFont;
}
