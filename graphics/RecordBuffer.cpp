#include "graphics/RecordBuffer.h"

#include "frame/ErrorConvention.h"

void RecordBuffer::SaveWhole(IVariantStream* stream, const std::function<void(IVariantStream*)>& record) {
  zelph::ThrowIfNull(stream);
  zelph::ComObject<RecordBuffer>* buffer = nullptr;
  zelph::ThrowIfFailed(zelph::ComObject<RecordBuffer>::CreateInstance(&buffer));
  CComPtr<IVariantStream> holder(buffer);
  record(holder);
  for (CComVariant& value : buffer->m_Values) zelph::LogIfNotOk(stream->Write(value));
}

STDMETHODIMP RecordBuffer::Read(VARIANT* value) {
  if (value) VariantInit(value);
  return E_NOTIMPL;
}

STDMETHODIMP RecordBuffer::Write(VARIANT value) {
  CComVariant copy;
  HRESULT hr = copy.Copy(&value);
  if (FAILED(hr)) return hr;
  m_Values.push_back(std::move(copy));
  return S_OK;
}
