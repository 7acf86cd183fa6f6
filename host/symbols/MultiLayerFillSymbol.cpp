#include "host/symbols/MultiLayerFillSymbol.h"

#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateMultiLayerFillSymbol(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<symbols::MultiLayerFillSymbol>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::symbols {

STDMETHODIMP MultiLayerFillSymbol::get_LayerCount(LONG* count) {
  return HostCall([&] { *count = static_cast<LONG>(m_Layers.size()); }, count);
}

STDMETHODIMP MultiLayerFillSymbol::get_Layer(LONG index, IFillSymbol** layer) {
  return HostCall(
      [&] {
        RequireArgument(index >= 0 && static_cast<size_t>(index) < m_Layers.size());
        return m_Layers[static_cast<size_t>(index)].CopyTo(layer);
      },
      layer);
}

STDMETHODIMP MultiLayerFillSymbol::AddLayer(IFillSymbol* layer) {
  return HostCall(
      [&] {
        RequireArgument(!CComPtr<IFillSymbol>(layer).IsEqualObject(static_cast<IMultiLayerFillSymbol*>(this)));
        m_Layers.emplace_back(layer);
      },
      layer);
}

}  // namespace zelph::host::symbols
