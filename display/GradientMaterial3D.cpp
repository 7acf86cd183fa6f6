#include "display/GradientMaterial3D.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

HRESULT GradientMaterial3D::FinalConstruct() {
  return ComCall(L"FinalConstruct", [&] {
    m_StartColor = NewColor(255, 255, 255);
    m_EndColor = NewColor(0, 0, 0);
  });
}

STDMETHODIMP GradientMaterial3D::get_StartColor(IRgbColor** color) {
  return ComCall(L"get_StartColor", [&] { zelph::HandOut(m_StartColor.p, color); }, color);
}

STDMETHODIMP GradientMaterial3D::putref_StartColor(IRgbColor* color) {
  return ComCall(L"putref_StartColor", [&] { m_StartColor = color; });
}

STDMETHODIMP GradientMaterial3D::get_EndColor(IRgbColor** color) {
  return ComCall(L"get_EndColor", [&] { zelph::HandOut(m_EndColor.p, color); }, color);
}

STDMETHODIMP GradientMaterial3D::putref_EndColor(IRgbColor* color) {
  return ComCall(L"putref_EndColor", [&] { m_EndColor = color; });
}

STDMETHODIMP GradientMaterial3D::get_ID(IUID** id) {
  return zelph::GetClassID(L"get_ID", CLSID_GradientMaterial3D, id);
}

STDMETHODIMP GradientMaterial3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    m_StartColor = m_Serial.LoadObject<IRgbColor>(record);
    m_EndColor = m_Serial.LoadObject<IRgbColor>(record);
    Material3DBase::Load(record);
  });
}

STDMETHODIMP GradientMaterial3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    m_Serial.SaveUnknown(record, m_StartColor);
    m_Serial.SaveUnknown(record, m_EndColor);
    Material3DBase::Save(record);
  });
}
