// Text of one colour, size and angle: black, 8 points, upright, aligned at
// its left end and on its baseline by default. The font is a standard font
// made on first need (the runtime's default face) and is held by reference:
// putref keeps the caller's font, and putting null lets the next get make a
// new one. The symbol's size is its own; the font's size is left as it is.
// Its record: the colour, the size and the angle (R8 each), the horizontal
// and vertical alignments (INT each) and the font (an object record, null
// while none was made).
#pragma once

#include "frame/ComObject.h"
#include "host/streams/PersistVariantBase.h"
#include "host/symbols/SymbolProperties.h"
#include "platform/ComPtr.h"

namespace zelph::host::symbols {

class TextSymbol : public zelph::ComObjectRoot, public ITextSymbol, public ISymbol, public streams::PersistVariantBase {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITextSymbol, ISymbol, IPersistVariant>;

  STDMETHODIMP get_Color(IColor** color) override { return GetColor(m_Text.color, color); }
  STDMETHODIMP put_Color(IColor* color) override { return PutColor(m_Text.color, color); }
  STDMETHODIMP get_Size(double* size) override { return GetValue(m_Text.size, size); }
  STDMETHODIMP put_Size(double size) override { return PutSize(m_Text.size, size); }
  STDMETHODIMP get_Angle(double* degrees) override { return GetValue(m_Text.angle, degrees); }
  STDMETHODIMP put_Angle(double degrees) override { return PutAngle(m_Text.angle, degrees); }
  STDMETHODIMP get_HorizontalAlignment(kestTextHorizontalAlignment* alignment) override {
    return GetValue(m_Text.horizontal, alignment);
  }
  STDMETHODIMP put_HorizontalAlignment(kestTextHorizontalAlignment alignment) override {
    return PutStyle(m_Text.horizontal, alignment, kestTHAFull);
  }
  STDMETHODIMP get_VerticalAlignment(kestTextVerticalAlignment* alignment) override {
    return GetValue(m_Text.vertical, alignment);
  }
  STDMETHODIMP put_VerticalAlignment(kestTextVerticalAlignment alignment) override {
    return PutStyle(m_Text.vertical, alignment, kestTVABottom);
  }
  STDMETHODIMP get_Font(IFont** font) override;
  STDMETHODIMP putref_Font(IFont* font) override;

 protected:
  const CLSID& ClassId() const override;
  void SaveState(IVariantStream* stream) const override;
  void LoadState(IVariantStream* stream) override;

 private:
  struct Text {
    ColorValue color = kBlack;
    double size = 8.0;
    double angle = 0.0;
    kestTextHorizontalAlignment horizontal = kestTHALeft;
    kestTextVerticalAlignment vertical = kestTVABaseline;
  };

  Text m_Text;
  CComPtr<IFont> m_Font;
};

}  // namespace zelph::host::symbols
