#include "host/spatial/CoordinateTransform.h"

#include "host/spatial/ProjContext.h"

namespace zelph::host {

HRESULT TransformCoordinates(ISpatialReference* source, ISpatialReference* target, std::span<double> xs,
                             std::span<double> ys) {
  if (!source || !target) return E_POINTER;
  LONG sourceCode = 0;
  LONG targetCode = 0;
  if (FAILED(source->get_FactoryCode(&sourceCode)) || FAILED(target->get_FactoryCode(&targetCode))) {
    return E_INVALIDARG;
  }
  if (sourceCode <= 0 || targetCode <= 0) return E_INVALIDARG;
  if (sourceCode == targetCode) return S_OK;
  return ProjContext::Instance().Transform(sourceCode, targetCode, xs, ys);
}

}  // namespace zelph::host
