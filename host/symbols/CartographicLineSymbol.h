// A line drawn with a dash pattern. A new symbol has no template (the line
// is continuous); the template is held by reference, so changing it after
// putref changes the symbol. Its record: the colour, the width (R8) and the
// template (see SaveTemplate).
#pragma once

#include "host/symbols/LineSymbolObject.h"
#include "platform/ComPtr.h"

namespace zelph::host::symbols {

class CartographicLineSymbol : public LineSymbolObject<ICartographicLineSymbol>, public ILineProperties {
 public:
  using InterfaceMap =
      zelph::InterfaceMap<ICartographicLineSymbol, ILineSymbol, ILineProperties, ISymbol, IPersistVariant>;

  STDMETHODIMP get_Template(ITemplate** pattern) override;
  STDMETHODIMP putref_Template(ITemplate* pattern) override;

 protected:
  const CLSID& ClassId() const override;
  void SaveState(IVariantStream* stream) const override;
  void LoadState(IVariantStream* stream) override;

 private:
  CComPtr<ITemplate> m_Template;
};

}  // namespace zelph::host::symbols
