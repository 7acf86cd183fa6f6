// A fill of one colour: solid grey 128 with a new simple line symbol (black,
// 1 point) as its outline by default. Its record: the colour, the style
// (INT) and the outline (an object record, null for none).
#pragma once

#include "host/symbols/FillSymbolObject.h"

namespace zelph::host::symbols {

class SimpleFillSymbol : public FillSymbolObject<ISimpleFillSymbol>, public streams::PersistVariantBase {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISimpleFillSymbol, IFillSymbol, ISymbol, IPersistVariant>;

  HRESULT FinalConstruct();

  STDMETHODIMP get_Style(kestSimpleFillStyle* style) override { return GetValue(m_Style, style); }
  STDMETHODIMP put_Style(kestSimpleFillStyle style) override { return PutStyle(m_Style, style, kestSFSDiagonalCross); }

 protected:
  const CLSID& ClassId() const override;
  void SaveState(IVariantStream* stream) const override;
  void LoadState(IVariantStream* stream) override;

 private:
  kestSimpleFillStyle m_Style = kestSFSSolid;
};

}  // namespace zelph::host::symbols
