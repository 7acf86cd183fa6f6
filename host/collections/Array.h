// Objects in order, held by counted reference. Null elements are refused
// (E_POINTER), so that every element handed out is an object.
#pragma once

#include <vector>

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "platform/ComPtr.h"

namespace zelph::host::collections {

class Array : public zelph::ComObjectRoot, public IArray {
 public:
  using InterfaceMap = zelph::InterfaceMap<IArray>;

  STDMETHODIMP get_Count(LONG* count) override;
  STDMETHODIMP get_Element(LONG index, IUnknown** element) override;
  STDMETHODIMP Add(IUnknown* element) override;
  // `index` runs from 0 to the count; at the count the element is appended.
  STDMETHODIMP Insert(LONG index, IUnknown* element) override;
  STDMETHODIMP Remove(LONG index) override;
  STDMETHODIMP RemoveAll() override;

 private:
  // The position of element `index`; E_INVALIDARG unless 0 <= index < limit.
  std::vector<CComPtr<IUnknown>>::iterator At(LONG index, size_t limit);

  std::vector<CComPtr<IUnknown>> m_Elements;
};

}  // namespace zelph::host::collections
