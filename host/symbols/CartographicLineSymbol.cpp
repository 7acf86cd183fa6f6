#include "host/symbols/CartographicLineSymbol.h"

#include "frame/HostGuids.h"
#include "host/HostClasses.h"
#include "host/symbols/Template.h"

namespace zelph::host {

HRESULT CreateCartographicLineSymbol(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<symbols::CartographicLineSymbol>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::symbols {

const CLSID& CartographicLineSymbol::ClassId() const { return CLSID_CartographicLineSymbol; }

STDMETHODIMP CartographicLineSymbol::get_Template(ITemplate** pattern) {
  return HostCall([&] { return m_Template.CopyTo(pattern); }, pattern);
}

STDMETHODIMP CartographicLineSymbol::putref_Template(ITemplate* pattern) {
  return HostCall([&] { m_Template = pattern; });
}

void CartographicLineSymbol::SaveState(IVariantStream* stream) const {
  SaveLine(stream);
  SaveTemplate(stream, m_Template);
}

void CartographicLineSymbol::LoadState(IVariantStream* stream) {
  LineValue line = LoadLine(stream);
  CComPtr<ITemplate> pattern = LoadTemplate(stream);
  m_Line = line;
  m_Template = pattern;
}

}  // namespace zelph::host::symbols
