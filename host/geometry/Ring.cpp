#include "host/geometry/Ring.h"

#include "host/HostClasses.h"
#include "host/HostCall.h"

namespace zelph::host {

HRESULT CreateRing(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::Ring>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::geometry {

STDMETHODIMP Ring::Close() {
  return HostCall([&] { m_Chain.Close(); });
}

}  // namespace zelph::host::geometry
