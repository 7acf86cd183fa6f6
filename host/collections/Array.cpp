#include "host/collections/Array.h"

#include "host/HostCall.h"
#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateArray(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<collections::Array>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::collections {

std::vector<CComPtr<IUnknown>>::iterator Array::At(LONG index, size_t limit) {
  RequireArgument(index >= 0 && static_cast<size_t>(index) < limit);
  return m_Elements.begin() + index;
}

STDMETHODIMP Array::get_Count(LONG* count) {
  return HostCall([&] { *count = static_cast<LONG>(m_Elements.size()); }, count);
}

STDMETHODIMP Array::get_Element(LONG index, IUnknown** element) {
  return HostCall([&] { return At(index, m_Elements.size())->CopyTo(element); }, element);
}

STDMETHODIMP Array::Add(IUnknown* element) {
  return HostCall([&] { m_Elements.emplace_back(element); }, element);
}

STDMETHODIMP Array::Insert(LONG index, IUnknown* element) {
  return HostCall([&] { m_Elements.emplace(At(index, m_Elements.size() + 1), element); }, element);
}

STDMETHODIMP Array::Remove(LONG index) {
  return HostCall([&] { m_Elements.erase(At(index, m_Elements.size())); });
}

STDMETHODIMP Array::RemoveAll() {
  return HostCall([&] { m_Elements.clear(); });
}

}  // namespace zelph::host::collections
