#include "graphics/Ellipsoid3DBase.h"

#include "frame/ErrorConvention.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

Ellipsoid3DBase::Ellipsoid3DBase()
    : m_GridSymbol(zelph::NewHostObject<ISimpleLineSymbol>(CLSID_SimpleLineSymbol)) {}

void Ellipsoid3DBase::UpdateExtent() { CenterExtentOnCentroid(m_XSize, m_YSize); }

STDMETHODIMP Ellipsoid3DBase::get_EllipsoidOption(kestGLEllipsoidOption* option) {
  return ComCall(L"get_EllipsoidOption", [&] { *option = m_EllipsoidOption; }, option);
}

STDMETHODIMP Ellipsoid3DBase::put_EllipsoidOption(kestGLEllipsoidOption option) {
  return ComCall(L"put_EllipsoidOption", [&] {
    m_EllipsoidOption = option;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Ellipsoid3DBase::get_GridSymbol(ISimpleLineSymbol** symbol) {
  return ComCall(L"get_GridSymbol", [&] { zelph::HandOut(m_GridSymbol.p, symbol); }, symbol);
}

STDMETHODIMP Ellipsoid3DBase::putref_GridSymbol(ISimpleLineSymbol* symbol) {
  return ComCall(L"putref_GridSymbol", [&] {
    m_GridSymbol = symbol;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Ellipsoid3DBase::get_XSize(DOUBLE* size) {
  return ComCall(L"get_XSize", [&] { *size = m_XSize; }, size);
}

STDMETHODIMP Ellipsoid3DBase::put_XSize(DOUBLE size) {
  return ComCall(L"put_XSize", [&] {
    zelph::RequireNumber(size);
    m_XSize = size;
    UpdateExtent();
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP Ellipsoid3DBase::get_YSize(DOUBLE* size) {
  return ComCall(L"get_YSize", [&] { *size = m_YSize; }, size);
}

STDMETHODIMP Ellipsoid3DBase::put_YSize(DOUBLE size) {
  return ComCall(L"put_YSize", [&] {
    zelph::RequireNumber(size);
    m_YSize = size;
    UpdateExtent();
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP Ellipsoid3DBase::get_ZSize(DOUBLE* size) {
  return ComCall(L"get_ZSize", [&] { *size = m_ZSize; }, size);
}

STDMETHODIMP Ellipsoid3DBase::put_ZSize(DOUBLE size) {
  return ComCall(L"put_ZSize", [&] {
    zelph::RequireNumber(size);
    m_ZSize = size;
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP Ellipsoid3DBase::QuerySize(DOUBLE* x, DOUBLE* y, DOUBLE* z) {
  return ComCall(
      L"QuerySize",
      [&] {
        *x = m_XSize;
        *y = m_YSize;
        *z = m_ZSize;
      },
      x, y, z);
}

STDMETHODIMP Ellipsoid3DBase::PutSize(DOUBLE x, DOUBLE y, DOUBLE z) {
  return ComCall(L"PutSize", [&] {
    zelph::RequireNumber(x);
    zelph::RequireNumber(y);
    zelph::RequireNumber(z);
    m_XSize = x;
    m_YSize = y;
    m_ZSize = z;
    UpdateExtent();
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

void Ellipsoid3DBase::SaveEllipsoid(IVariantStream* stream) {
  m_Serial.SaveInt(stream, m_EllipsoidOption);
  m_Serial.SaveUnknown(stream, m_GridSymbol);
  m_Serial.SaveDouble(stream, m_XSize);
  m_Serial.SaveDouble(stream, m_YSize);
  m_Serial.SaveDouble(stream, m_ZSize);
  Callout3DBase::Save(stream);
}

void Ellipsoid3DBase::LoadEllipsoid(IVariantStream* stream) {
  m_EllipsoidOption = static_cast<kestGLEllipsoidOption>(m_Serial.LoadInt(stream));
  m_GridSymbol = m_Serial.LoadObject<ISimpleLineSymbol>(stream);
  m_XSize = m_Serial.LoadDouble(stream);
  m_YSize = m_Serial.LoadDouble(stream);
  m_ZSize = m_Serial.LoadDouble(stream);
  Callout3DBase::Load(stream);
}
