// How opaque a display draws: 0 (clear) to 255 (opaque, the default);
// other values are E_INVALIDARG.
#pragma once

#include "frame/ComObject.h"
#include "frame/HostDisplay.h"

namespace zelph::host::symbols {

class TransparencyDisplayFilter : public zelph::ComObjectRoot, public ITransparencyDisplayFilter {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITransparencyDisplayFilter, IDisplayFilter>;

  STDMETHODIMP get_Transparency(SHORT* transparency) override;
  STDMETHODIMP put_Transparency(SHORT transparency) override;

 private:
  SHORT m_Transparency = 255;
};

}  // namespace zelph::host::symbols
