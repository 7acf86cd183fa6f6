// The globe a display shows. The host draws no layers of its own; the layer
// count is what its users set (one by default, so that graphics which wait
// for a layer before they draw do draw on a fresh display).
#pragma once

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"

namespace zelph::host {

class Globe : public zelph::ComObjectRoot, public IBasicMap {
 public:
  using InterfaceMap = zelph::InterfaceMap<IBasicMap>;

  STDMETHODIMP get_LayerCount(LONG* count) override;
  // E_INVALIDARG for a negative count.
  STDMETHODIMP put_LayerCount(LONG count) override;

 private:
  LONG m_LayerCount = 1;
};

}  // namespace zelph::host
