#include "host/geometry/Polyline.h"

namespace zelph::host {

HRESULT CreatePolyline(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::Polyline>(outer, riid, result);
}

}  // namespace zelph::host
