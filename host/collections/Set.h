// Distinct objects, told apart by their identity (the IUnknown each answers),
// so that two interfaces of one object are one element. The walk with Reset
// and Next follows the order of addition; removing an element the walk has
// passed does not make it skip one. Elements are handed out as their
// identity. A null element is E_POINTER; removing an object that is not in
// the set changes nothing and answers S_FALSE.
#pragma once

#include <vector>

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "platform/ComPtr.h"

namespace zelph::host::collections {

class Set : public zelph::ComObjectRoot, public ISet {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISet>;

  STDMETHODIMP Add(IUnknown* element) override;
  STDMETHODIMP Remove(IUnknown* element) override;
  STDMETHODIMP RemoveAll() override;
  STDMETHODIMP Find(IUnknown* element, VARIANT_BOOL* found) override;
  STDMETHODIMP get_Count(LONG* count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Next(IUnknown** element) override;

 private:
  using Elements = std::vector<CComPtr<IUnknown>>;

  // Where the element with the identity of `object` stands, or the end.
  Elements::iterator Locate(IUnknown* object, CComPtr<IUnknown>& identity);

  Elements m_Elements;
  size_t m_Next = 0;  // the element Next hands out
};

}  // namespace zelph::host::collections
