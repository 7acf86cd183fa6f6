#include "host/collections/Set.h"

#include <algorithm>

#include "host/HostCall.h"
#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateSet(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<collections::Set>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::collections {

Set::Elements::iterator Set::Locate(IUnknown* object, CComPtr<IUnknown>& identity) {
  ThrowIfFailed(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
  return std::find(m_Elements.begin(), m_Elements.end(), identity.p);
}

STDMETHODIMP Set::Add(IUnknown* element) {
  return HostCall(
      [&] {
        CComPtr<IUnknown> identity;
        if (Locate(element, identity) != m_Elements.end()) return S_FALSE;
        m_Elements.push_back(identity);
        return S_OK;
      },
      element);
}

STDMETHODIMP Set::Remove(IUnknown* element) {
  return HostCall(
      [&] {
        CComPtr<IUnknown> identity;
        auto place = Locate(element, identity);
        if (place == m_Elements.end()) return S_FALSE;
        if (static_cast<size_t>(place - m_Elements.begin()) < m_Next) --m_Next;
        m_Elements.erase(place);
        return S_OK;
      },
      element);
}

STDMETHODIMP Set::RemoveAll() {
  return HostCall([&] {
    m_Elements.clear();
    m_Next = 0;
  });
}

STDMETHODIMP Set::Find(IUnknown* element, VARIANT_BOOL* found) {
  return HostCall(
      [&] {
        CComPtr<IUnknown> identity;
        *found = Locate(element, identity) != m_Elements.end() ? VARIANT_TRUE : VARIANT_FALSE;
      },
      element, found);
}

STDMETHODIMP Set::get_Count(LONG* count) {
  return HostCall([&] { *count = static_cast<LONG>(m_Elements.size()); }, count);
}

STDMETHODIMP Set::Reset() {
  return HostCall([&] { m_Next = 0; });
}

STDMETHODIMP Set::Next(IUnknown** element) {
  return HostCall(
      [&] {
        if (m_Next >= m_Elements.size()) return S_FALSE;
        return m_Elements[m_Next++].CopyTo(element);
      },
      element);
}

}  // namespace zelph::host::collections
