#include "graphics/ReplayStream.h"

#include "platform/ComException.h"

CComPtr<ReplayStream> ReplayStream::Over(IVariantStream* source, std::deque<CComVariant>& taken) {
  zelph::ComObject<ReplayStream>* stream = nullptr;
  zelph::ThrowIfFailed(zelph::ComObject<ReplayStream>::CreateInstance(&stream));
  CComPtr<ReplayStream> holder(stream);
  holder->m_Source = source;
  holder->m_Taken = std::move(taken);
  taken.clear();
  return holder;
}

STDMETHODIMP ReplayStream::Read(VARIANT* value) {
  if (!value) return E_POINTER;
  if (m_Taken.empty()) return m_Source->Read(value);
  VariantInit(value);
  HRESULT hr = VariantCopy(value, &m_Taken.front());
  m_Taken.pop_front();
  return hr;
}

STDMETHODIMP ReplayStream::Write(VARIANT value) { return m_Source->Write(value); }
