#include "host/geometry/Path.h"

#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreatePath(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::Path>(outer, riid, result);
}

}  // namespace zelph::host
