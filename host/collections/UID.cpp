#include "host/collections/UID.h"

#include "host/HostCall.h"
#include "host/HostClasses.h"
#include "platform/ComVariant.h"

namespace zelph::host {

HRESULT CreateUID(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<collections::UID>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::collections {

namespace {

// Characters of the braced form with its terminator.
constexpr int kGuidTextSize = 39;

}  // namespace

CComPtr<IUID> NewUid(const GUID& id) {
  CComPtr<IUID> uid;
  ThrowIfFailed(CreateUID(nullptr, IID_IUID, reinterpret_cast<void**>(&uid)));
  OLECHAR text[kGuidTextSize];
  StringFromGUID2(id, text, kGuidTextSize);
  ThrowIfFailed(uid->put_Value(CComVariant(text)));
  return uid;
}

void UID::Hold(const GUID& id) {
  OLECHAR text[kGuidTextSize];
  StringFromGUID2(id, text, kGuidTextSize);
  CComBSTR held(text);
  if (!held) Fail(E_OUTOFMEMORY);
  m_Text = std::move(held);
}

STDMETHODIMP UID::get_Value(VARIANT* value) {
  return HostCall(
      [&] {
        VariantInit(value);
        if (!m_Text) return;
        BSTR copy = m_Text.Copy();
        if (!copy) Fail(E_OUTOFMEMORY);
        value->vt = VT_BSTR;
        value->bstrVal = copy;
      },
      value);
}

STDMETHODIMP UID::put_Value(VARIANT value) {
  return HostCall([&] {
    GUID id;
    RequireArgument(value.vt == VT_BSTR && value.bstrVal && SUCCEEDED(CLSIDFromString(value.bstrVal, &id)));
    Hold(id);
  });
}

STDMETHODIMP UID::Generate() {
  return HostCall([&] {
    GUID id;
    ThrowIfFailed(CoCreateGuid(&id));
    Hold(id);
  });
}

}  // namespace zelph::host::collections
