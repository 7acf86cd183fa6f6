#include "host/spatial/SpatialReference.h"

#include <cctype>

#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/WideString.h"

namespace zelph::host {

std::wstring SpatialReference::DisplayName(const CoordinateSystemInfo& info) {
  std::string words = info.name;
  if (size_t wgs = words.find("WGS 84"); wgs != std::string::npos) words.replace(wgs, 6, "WGS 1984");
  std::string joined;
  for (char c : words) {
    if (std::isalnum(static_cast<unsigned char>(c)) || (c & 0x80)) {
      joined += c;
    } else if (!joined.empty() && joined.back() != '_') {
      joined += '_';
    }
  }
  while (!joined.empty() && joined.back() == '_') joined.pop_back();
  if (info.kind == CoordinateSystemKind::Geographic) joined = "GCS_" + joined;
  return FromUtf8(joined);
}

HRESULT SpatialReference::Create(long code, CoordinateSystemKind kind, ISpatialReference** reference) {
  if (!reference) return E_POINTER;
  *reference = nullptr;
  std::optional<CoordinateSystemInfo> info = ProjContext::Instance().Describe(code);
  if (!info || info->kind != kind) return E_INVALIDARG;
  CComPtr<ISpatialReference> created;
  HRESULT hr = zelph::CreateComInstance<SpatialReference>(nullptr, IID_ISpatialReference,
                                                          reinterpret_cast<void**>(&created));
  if (FAILED(hr)) return hr;
  auto* system = static_cast<zelph::ComObject<SpatialReference>*>(created.p);
  system->m_Code = code;
  system->m_Name = DisplayName(*info);
  *reference = created.Detach();
  return S_OK;
}

STDMETHODIMP SpatialReference::get_Name(BSTR* name) {
  if (!name) return E_POINTER;
  *name = SysAllocStringLen(m_Name.data(), static_cast<UINT>(m_Name.size()));
  return *name ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP SpatialReference::get_FactoryCode(LONG* code) {
  if (!code) return E_POINTER;
  *code = static_cast<LONG>(m_Code);
  return S_OK;
}

}  // namespace zelph::host
