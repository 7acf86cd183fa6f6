// A line of one colour and width, solid by default. Its record: the colour,
// the width (R8) and the style (INT).
#pragma once

#include "host/symbols/LineSymbolObject.h"

namespace zelph::host::symbols {

class SimpleLineSymbol : public LineSymbolObject<ISimpleLineSymbol> {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISimpleLineSymbol, ILineSymbol, ISymbol, IPersistVariant>;

  STDMETHODIMP get_Style(kestSimpleLineStyle* style) override { return GetValue(m_Style, style); }
  STDMETHODIMP put_Style(kestSimpleLineStyle style) override { return PutStyle(m_Style, style, kestSLSInsideFrame); }

 protected:
  const CLSID& ClassId() const override;
  void SaveState(IVariantStream* stream) const override;
  void LoadState(IVariantStream* stream) override;

 private:
  kestSimpleLineStyle m_Style = kestSLSSolid;
};

}  // namespace zelph::host::symbols
