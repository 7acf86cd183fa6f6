#include "graphics/BillboardLabel3D.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

STDMETHODIMP BillboardLabel3D::get_Text(BSTR* text) {
  return ComCall(L"get_Text", [&] { zelph::HandOutCopy(m_Text, text); }, text);
}

STDMETHODIMP BillboardLabel3D::put_Text(BSTR text) {
  return ComCall(L"put_Text", [&] { m_Text = zelph::TakeCopy(text); });
}

STDMETHODIMP BillboardLabel3D::get_Angle(DOUBLE* angle) {
  return ComCall(L"get_Angle", [&] { *angle = m_Angle; }, angle);
}

STDMETHODIMP BillboardLabel3D::put_Angle(DOUBLE angle) {
  return ComCall(L"put_Angle", [&] {
    zelph::RequireNumber(angle);
    m_Angle = angle;
  });
}

STDMETHODIMP BillboardLabel3D::get_HAOption(kestGLHAlignOption* option) {
  return ComCall(L"get_HAOption", [&] { *option = m_HAOption; }, option);
}

STDMETHODIMP BillboardLabel3D::put_HAOption(kestGLHAlignOption option) {
  return ComCall(L"put_HAOption", [&] { m_HAOption = option; });
}

STDMETHODIMP BillboardLabel3D::get_AutoArrange(VARIANT_BOOL* automatic) {
  return ComCall(L"get_AutoArrange", [&] { *automatic = m_AutoArrange; }, automatic);
}

STDMETHODIMP BillboardLabel3D::put_AutoArrange(VARIANT_BOOL automatic) {
  return ComCall(L"put_AutoArrange", [&] { m_AutoArrange = automatic; });
}

STDMETHODIMP BillboardLabel3D::get_ManualRadius(DOUBLE* radius) {
  return ComCall(L"get_ManualRadius", [&] { *radius = m_ManualRadius; }, radius);
}

STDMETHODIMP BillboardLabel3D::put_ManualRadius(DOUBLE radius) {
  return ComCall(L"put_ManualRadius", [&] {
    zelph::RequireNumber(radius);
    m_ManualRadius = radius;
  });
}

STDMETHODIMP BillboardLabel3D::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", CLSID_BillboardLabel3D, id); }

STDMETHODIMP BillboardLabel3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    m_Text = m_Serial.LoadBSTR(record);
    m_Angle = m_Serial.LoadDouble(record);
    m_HAOption = static_cast<kestGLHAlignOption>(m_Serial.LoadInt(record));
    m_AutoArrange = m_Serial.LoadVarBool(record);
    m_ManualRadius = m_Serial.LoadDouble(record);
  });
}

STDMETHODIMP BillboardLabel3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    m_Serial.SaveBSTR(record, m_Text);
    m_Serial.SaveDouble(record, m_Angle);
    m_Serial.SaveInt(record, m_HAOption);
    m_Serial.SaveVarBool(record, m_AutoArrange);
    m_Serial.SaveDouble(record, m_ManualRadius);
  });
}
