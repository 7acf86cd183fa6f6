#include "text/Font3DBase.h"

#include "frame/ErrorConvention.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"
#include "platform/ComBstr.h"

using zelph::ComCall;

namespace {

// Font sizes are currency values: points times 10000.
constexpr CY kDefaultSize = {10 * 10000};

}  // namespace

HRESULT Font3DBase::FinalConstruct() {
  return ComCall(L"FinalConstruct", [&] {
    CComPtr<IFont> font = zelph::RequireHostObject<IFont>(CLSID_StdFont);
    zelph::ThrowIfFailed(font->put_Name(CComBSTR(L"Arial")));
    zelph::ThrowIfFailed(font->put_Size(kDefaultSize));
    m_Font = font;
  });
}

STDMETHODIMP Font3DBase::get_Font(IFont** font) {
  return ComCall(L"get_Font", [&] { zelph::HandOut(m_Font.p, font); }, font);
}

STDMETHODIMP Font3DBase::putref_Font(IFont* font) {
  return ComCall(L"putref_Font", [&] { m_Font = font; });
}

STDMETHODIMP Font3DBase::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", m_ClassId, id); }

STDMETHODIMP Font3DBase::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    // A component is never left without a font: an empty record, or one
    // that holds no font, keeps the font it has.
    if (CComPtr<IFont> font = m_Serial.LoadObject<IFont>(record)) m_Font = font;
    LoadAfterFont(record);
  });
}

STDMETHODIMP Font3DBase::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    // With no font held the record still has its one value: an empty object.
    m_Serial.SaveUnknown(record, m_Font);
    SaveAfterFont(record);
  });
}
