#include "graphics/Orientation3D.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

STDMETHODIMP Orientation3D::get_Heading(DOUBLE* heading) {
  return ComCall(L"get_Heading", [&] { *heading = m_Heading; }, heading);
}

STDMETHODIMP Orientation3D::put_Heading(DOUBLE heading) {
  return ComCall(L"put_Heading", [&] {
    zelph::RequireNumber(heading);
    m_Heading = heading;
  });
}

STDMETHODIMP Orientation3D::get_Pitch(DOUBLE* pitch) {
  return ComCall(L"get_Pitch", [&] { *pitch = m_Pitch; }, pitch);
}

STDMETHODIMP Orientation3D::put_Pitch(DOUBLE pitch) {
  return ComCall(L"put_Pitch", [&] {
    zelph::RequireNumber(pitch);
    m_Pitch = pitch;
  });
}

STDMETHODIMP Orientation3D::get_Roll(DOUBLE* roll) {
  return ComCall(L"get_Roll", [&] { *roll = m_Roll; }, roll);
}

STDMETHODIMP Orientation3D::put_Roll(DOUBLE roll) {
  return ComCall(L"put_Roll", [&] {
    zelph::RequireNumber(roll);
    m_Roll = roll;
  });
}

STDMETHODIMP Orientation3D::QueryOrientation(DOUBLE* heading, DOUBLE* pitch, DOUBLE* roll) {
  return ComCall(
      L"QueryOrientation",
      [&] {
        *heading = m_Heading;
        *pitch = m_Pitch;
        *roll = m_Roll;
      },
      heading, pitch, roll);
}

STDMETHODIMP Orientation3D::PutOrientation(DOUBLE heading, DOUBLE pitch, DOUBLE roll) {
  return ComCall(L"PutOrientation", [&] {
    zelph::RequireNumber(heading);
    zelph::RequireNumber(pitch);
    zelph::RequireNumber(roll);
    m_Heading = heading;
    m_Pitch = pitch;
    m_Roll = roll;
  });
}

STDMETHODIMP Orientation3D::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", CLSID_Orientation3D, id); }

STDMETHODIMP Orientation3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    m_Heading = m_Serial.LoadDouble(record);
    m_Pitch = m_Serial.LoadDouble(record);
    m_Roll = m_Serial.LoadDouble(record);
  });
}

STDMETHODIMP Orientation3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    m_Serial.SaveDouble(record, m_Heading);
    m_Serial.SaveDouble(record, m_Pitch);
    m_Serial.SaveDouble(record, m_Roll);
  });
}
