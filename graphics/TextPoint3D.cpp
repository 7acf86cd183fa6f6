#include "graphics/TextPoint3D.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

namespace {

// The extent of a text point is this wide and this high, whatever it shows.
constexpr double kExtentSize = 1.0;

}  // namespace

HRESULT TextPoint3D::FinalConstruct() {
  m_Font = zelph::NewLibraryObject<IFont3D>(CLSID_Font3D);
  return S_OK;
}

STDMETHODIMP TextPoint3D::get_Font(IFont3D** font) {
  return ComCall(L"get_Font", [&] { zelph::HandOut(m_Font.p, font); }, font);
}

STDMETHODIMP TextPoint3D::putref_Font(IFont3D* font) {
  return ComCall(L"putref_Font", [&] {
    m_Font = font;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP TextPoint3D::get_TextScale(DOUBLE* scale) {
  return ComCall(L"get_TextScale", [&] { *scale = m_TextScale; }, scale);
}

STDMETHODIMP TextPoint3D::put_TextScale(DOUBLE scale) {
  return ComCall(L"put_TextScale", [&] {
    zelph::RequireNumber(scale);
    m_TextScale = scale;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP TextPoint3D::get_HAOption(kestGLHAlignOption* option) {
  return ComCall(L"get_HAOption", [&] { *option = m_HOption; }, option);
}

STDMETHODIMP TextPoint3D::put_HAOption(kestGLHAlignOption option) {
  return ComCall(L"put_HAOption", [&] {
    m_HOption = option;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP TextPoint3D::get_VAOption(kestGLVAlignOption* option) {
  return ComCall(L"get_VAOption", [&] { *option = m_VOption; }, option);
}

STDMETHODIMP TextPoint3D::put_VAOption(kestGLVAlignOption option) {
  return ComCall(L"put_VAOption", [&] {
    m_VOption = option;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP TextPoint3D::get_Text(BSTR* text) {
  return ComCall(L"get_Text", [&] { zelph::HandOutCopy(m_Text, text); }, text);
}

STDMETHODIMP TextPoint3D::put_Text(BSTR text) {
  return ComCall(L"put_Text", [&] {
    m_Text = zelph::TakeCopy(text);
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

void TextPoint3D::UpdateExtent() { CenterExtentOnCentroid(kExtentSize, kExtentSize); }

STDMETHODIMP TextPoint3D::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", CLSID_TextPoint3D, id); }

STDMETHODIMP TextPoint3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    // Without a font of its own the record's font is read and dropped, so
    // that the values after it still land where they belong.
    m_Serial.LoadInlineOfKind(record, m_Font, CLSID_Font3D, SerialHelper::FontKind,
                              SerialHelper::InlineTarget::NewObject);
    m_TextScale = m_Serial.LoadDouble(record);
    m_HOption = static_cast<kestGLHAlignOption>(m_Serial.LoadInt(record));
    m_VOption = static_cast<kestGLVAlignOption>(m_Serial.LoadInt(record));
    m_Text = m_Serial.LoadBSTR(record);
    Callout3DBase::Load(record);
  });
}

STDMETHODIMP TextPoint3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    // Without a font the record of a default one keeps the layout whole.
    m_Serial.SaveInline(record, m_Font, CLSID_Font3D);
    m_Serial.SaveDouble(record, m_TextScale);
    m_Serial.SaveInt(record, m_HOption);
    m_Serial.SaveInt(record, m_VOption);
    m_Serial.SaveBSTR(record, m_Text);
    Callout3DBase::Save(record);
  });
}
