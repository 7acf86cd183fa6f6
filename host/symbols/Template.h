// A dash pattern: an interval (1 by default, finite and above 0) and
// elements of a mark and a gap, each a number of intervals (finite, 0 or
// more). A new template has no elements. Bad values and indexes are
// E_INVALIDARG.
#pragma once

#include <vector>

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "frame/HostSymbols.h"
#include "platform/ComPtr.h"

namespace zelph::host::symbols {

class Template : public zelph::ComObjectRoot, public ITemplate {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITemplate>;

  STDMETHODIMP get_Interval(double* interval) override;
  STDMETHODIMP put_Interval(double interval) override;
  STDMETHODIMP get_PatternElementCount(LONG* count) override;
  STDMETHODIMP QueryPatternElement(LONG index, double* mark, double* gap) override;
  STDMETHODIMP AddPatternElement(double mark, double gap) override;
  STDMETHODIMP ClearPatternElements() override;

 private:
  struct Element {
    double mark;
    double gap;
  };

  double m_Interval = 1.0;
  std::vector<Element> m_Elements;
};

// A template in a record: whether there is one (BOOL), then its interval
// (R8), its element count (I4) and each element's mark and gap (R8 each).
// Any ITemplate is saved; a loaded one is a new host template.
void SaveTemplate(IVariantStream* stream, ITemplate* pattern);
CComPtr<ITemplate> LoadTemplate(IVariantStream* stream);

}  // namespace zelph::host::symbols
