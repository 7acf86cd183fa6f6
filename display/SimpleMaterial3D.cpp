#include "display/SimpleMaterial3D.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

HRESULT SimpleMaterial3D::FinalConstruct() {
  return ComCall(L"FinalConstruct", [&] { m_RgbColor = NewColor(255, 255, 255); });
}

STDMETHODIMP SimpleMaterial3D::get_Color(IRgbColor** color) {
  return ComCall(L"get_Color", [&] { zelph::HandOut(m_RgbColor.p, color); }, color);
}

STDMETHODIMP SimpleMaterial3D::putref_Color(IRgbColor* color) {
  return ComCall(L"putref_Color", [&] { m_RgbColor = color; });
}

STDMETHODIMP SimpleMaterial3D::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", CLSID_SimpleMaterial3D, id); }

STDMETHODIMP SimpleMaterial3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    m_RgbColor = m_Serial.LoadObject<IRgbColor>(record);
    Material3DBase::Load(record);
  });
}

STDMETHODIMP SimpleMaterial3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    m_Serial.SaveUnknown(record, m_RgbColor);
    Material3DBase::Save(record);
  });
}
