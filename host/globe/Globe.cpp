#include "host/globe/Globe.h"

#include "host/HostCall.h"

namespace zelph::host {


STDMETHODIMP Globe::get_LayerCount(LONG* count) {
  return HostCall([&] { *count = m_LayerCount; }, count);
}

STDMETHODIMP Globe::put_LayerCount(LONG count) {
  return HostCall([&] {
    RequireArgument(count >= 0);
    m_LayerCount = count;
  });
}

}  // namespace zelph::host
