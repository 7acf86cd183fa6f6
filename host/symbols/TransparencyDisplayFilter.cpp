#include "host/symbols/TransparencyDisplayFilter.h"

#include "host/HostCall.h"
#include "host/HostClasses.h"
#include "host/symbols/ColorValue.h"

namespace zelph::host {

HRESULT CreateTransparencyDisplayFilter(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<symbols::TransparencyDisplayFilter>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::symbols {

STDMETHODIMP TransparencyDisplayFilter::get_Transparency(SHORT* transparency) {
  return HostCall([&] { *transparency = m_Transparency; }, transparency);
}

STDMETHODIMP TransparencyDisplayFilter::put_Transparency(SHORT transparency) {
  return HostCall([&] {
    RequireArgument(ValidComponent(transparency));
    m_Transparency = transparency;
  });
}

}  // namespace zelph::host::symbols
