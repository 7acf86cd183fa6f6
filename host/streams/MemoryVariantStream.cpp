#include "host/streams/MemoryVariantStream.h"

#include "host/HostCall.h"
#include "host/HostClasses.h"
#include "host/streams/StreamFile.h"
#include "platform/WideString.h"

namespace zelph::host {

HRESULT CreateMemoryVariantStream(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<streams::MemoryVariantStream>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::streams {

namespace {

// A file path from the caller; E_INVALIDARG for none.
std::string PathOf(BSTR path) {
  RequireArgument(path != nullptr && SysStringLen(path) > 0);
  return ToUtf8(std::wstring_view(path, SysStringLen(path)));
}

}  // namespace

CComPtr<IVariantStream> MemoryVariantStream::Nested(int depth, std::vector<StoredValue> values,
                                                    MemoryVariantStream** stream) {
  zelph::ComObject<MemoryVariantStream>* created = nullptr;
  ThrowIfFailed(zelph::ComObject<MemoryVariantStream>::CreateInstance(&created));
  CComPtr<IVariantStream> holder(created);
  created->m_Depth = depth;
  created->m_Values = std::move(values);
  if (stream) *stream = created;
  return holder;
}

STDMETHODIMP MemoryVariantStream::Read(VARIANT* value) {
  return HostCall(
      [&] {
        VariantInit(value);
        if (m_Next >= m_Values.size()) return E_FAIL;
        // Past the value before it is made: a record that fails to load is
        // skipped, and the copy stays valid whatever the object's Load does.
        StoredValue next = m_Values[m_Next++];
        Restore(next, m_Depth, value);
        return S_OK;
      },
      value);
}

STDMETHODIMP MemoryVariantStream::Write(VARIANT value) {
  return HostCall([&] { m_Values.push_back(Capture(value, m_Depth)); });
}

STDMETHODIMP MemoryVariantStream::Rewind() {
  return HostCall([&] { m_Next = 0; });
}

STDMETHODIMP MemoryVariantStream::SaveToFile(BSTR path) {
  return HostCall([&] { WriteStreamFile(PathOf(path), EncodeStream(m_Values)); });
}

STDMETHODIMP MemoryVariantStream::LoadFromFile(BSTR path) {
  return HostCall([&] {
    m_Values = DecodeStream(ReadStreamFile(PathOf(path)));
    m_Next = 0;
  });
}

STDMETHODIMP MemoryVariantStream::get_Count(LONG* count) {
  return HostCall([&] { *count = static_cast<LONG>(m_Values.size()); }, count);
}

}  // namespace zelph::host::streams
