#include "graphics/PartialEllipsoid3D.h"

#include <cmath>

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

namespace {

// Above 360 the value steps down by whole turns and stops in (0, 360], so
// 720 gives 360; below 0 it steps up and stops in [0, 360). The turns are
// taken off at once (the remainder is exact), as stepping by 360 would
// never end for a value whose precision is coarser than 360. Infinities
// have no angle and are refused.
double NormalizeAzimuth(double azimuth) {
  zelph::RequireNumber(azimuth);
  if (std::isinf(azimuth)) zelph::Fail(E_FAIL);
  if (azimuth > 360.0) {
    azimuth = std::fmod(azimuth, 360.0);
    if (azimuth == 0.0) azimuth = 360.0;
  }
  if (azimuth < 0.0) {
    azimuth = std::fmod(azimuth, 360.0) + 0.0;
    if (azimuth < 0.0) azimuth += 360.0;
  }
  return azimuth;
}

double ClampInclination(double inclination) {
  zelph::RequireNumber(inclination);
  if (inclination > 90.0) inclination = 90.0;
  if (inclination < -90.0) inclination = -90.0;
  return inclination;
}

}  // namespace

STDMETHODIMP PartialEllipsoid3D::get_StartAzimuth(DOUBLE* azimuth) {
  return ComCall(L"get_StartAzimuth", [&] { *azimuth = m_SAzimuth; }, azimuth);
}

STDMETHODIMP PartialEllipsoid3D::put_StartAzimuth(DOUBLE azimuth) {
  return ComCall(L"put_StartAzimuth", [&] {
    m_SAzimuth = NormalizeAzimuth(azimuth);
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP PartialEllipsoid3D::get_EndAzimuth(DOUBLE* azimuth) {
  return ComCall(L"get_EndAzimuth", [&] { *azimuth = m_EAzimuth; }, azimuth);
}

STDMETHODIMP PartialEllipsoid3D::put_EndAzimuth(DOUBLE azimuth) {
  return ComCall(L"put_EndAzimuth", [&] {
    m_EAzimuth = NormalizeAzimuth(azimuth);
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP PartialEllipsoid3D::get_StartInclination(DOUBLE* inclination) {
  return ComCall(L"get_StartInclination", [&] { *inclination = m_SInclination; }, inclination);
}

STDMETHODIMP PartialEllipsoid3D::put_StartInclination(DOUBLE inclination) {
  return ComCall(L"put_StartInclination", [&] {
    m_SInclination = ClampInclination(inclination);
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP PartialEllipsoid3D::get_EndInclination(DOUBLE* inclination) {
  return ComCall(L"get_EndInclination", [&] { *inclination = m_EInclination; }, inclination);
}

STDMETHODIMP PartialEllipsoid3D::put_EndInclination(DOUBLE inclination) {
  return ComCall(L"put_EndInclination", [&] {
    m_EInclination = ClampInclination(inclination);
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP PartialEllipsoid3D::get_ShowCaps(VARIANT_BOOL* show) {
  return ComCall(L"get_ShowCaps", [&] { *show = m_ShowCaps ? VARIANT_TRUE : VARIANT_FALSE; }, show);
}

STDMETHODIMP PartialEllipsoid3D::put_ShowCaps(VARIANT_BOOL show) {
  return ComCall(L"put_ShowCaps", [&] {
    m_ShowCaps = show == VARIANT_TRUE;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP PartialEllipsoid3D::get_ID(IUID** id) {
  return zelph::GetClassID(L"get_ID", CLSID_PartialEllipsoid3D, id);
}

STDMETHODIMP PartialEllipsoid3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    m_SAzimuth = m_Serial.LoadDouble(record);
    m_EAzimuth = m_Serial.LoadDouble(record);
    m_SInclination = m_Serial.LoadDouble(record);
    m_EInclination = m_Serial.LoadDouble(record);
    m_ShowCaps = m_Serial.LoadBool(record);
    LoadEllipsoid(record);
  });
}

STDMETHODIMP PartialEllipsoid3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    m_Serial.SaveDouble(record, m_SAzimuth);
    m_Serial.SaveDouble(record, m_EAzimuth);
    m_Serial.SaveDouble(record, m_SInclination);
    m_Serial.SaveDouble(record, m_EInclination);
    m_Serial.SaveBool(record, m_ShowCaps);
    SaveEllipsoid(record);
  });
}
