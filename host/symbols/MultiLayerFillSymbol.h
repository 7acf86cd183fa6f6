// Fills drawn one over another, the first at the bottom, each held by
// reference. The symbol's own colour (grey 128) and outline (none by
// default) stand for the whole where one colour or outline is asked for;
// the layers keep theirs. A symbol cannot be a layer of itself.
#pragma once

#include <vector>

#include "host/symbols/FillSymbolObject.h"

namespace zelph::host::symbols {

class MultiLayerFillSymbol : public FillSymbolObject<IMultiLayerFillSymbol> {
 public:
  using InterfaceMap = zelph::InterfaceMap<IMultiLayerFillSymbol, IFillSymbol, ISymbol>;

  STDMETHODIMP get_LayerCount(LONG* count) override;
  STDMETHODIMP get_Layer(LONG index, IFillSymbol** layer) override;
  STDMETHODIMP AddLayer(IFillSymbol* layer) override;

 private:
  std::vector<CComPtr<IFillSymbol>> m_Layers;
};

}  // namespace zelph::host::symbols
