#include "graphics/Callout3DBase.h"

#include "frame/ErrorConvention.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

Callout3DBase::Callout3DBase()
    : m_CalloutLineSymbol(zelph::NewHostObject<ISimpleLineSymbol>(CLSID_SimpleLineSymbol)),
      m_CalloutAnchorPint(zelph::NewHostObject<IPoint>(CLSID_Point)) {}

STDMETHODIMP Callout3DBase::get_EnableCallout(VARIANT_BOOL* enabled) {
  return ComCall(L"get_EnableCallout", [&] { *enabled = m_EnableCallout; }, enabled);
}

STDMETHODIMP Callout3DBase::put_EnableCallout(VARIANT_BOOL enabled) {
  return ComCall(L"put_EnableCallout", [&] {
    m_EnableCallout = enabled;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Callout3DBase::get_CalloutLineSymbol(ISimpleLineSymbol** symbol) {
  return ComCall(L"get_CalloutLineSymbol", [&] { zelph::HandOut(m_CalloutLineSymbol.p, symbol); }, symbol);
}

STDMETHODIMP Callout3DBase::putref_CalloutLineSymbol(ISimpleLineSymbol* symbol) {
  return ComCall(L"putref_CalloutLineSymbol", [&] {
    m_CalloutLineSymbol = symbol;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Callout3DBase::get_CalloutAnchorLocation(IPoint** anchor) {
  RaiseUpdateLevel(kestGLUpdateLocation);
  return ComCall(L"get_CalloutAnchorLocation", [&] { zelph::HandOut(m_CalloutAnchorPint.p, anchor); }, anchor);
}

STDMETHODIMP Callout3DBase::putref_CalloutAnchorLocation(IPoint* anchor) {
  return ComCall(L"putref_CalloutAnchorLocation", [&] {
    m_CalloutAnchorPint = anchor;
    RaiseUpdateLevel(kestGLUpdateLocation);
  });
}

STDMETHODIMP Callout3DBase::get_WindVaneAzimuth(DOUBLE* azimuth) {
  return ComCall(L"get_WindVaneAzimuth", [&] { *azimuth = m_WindVaneAzimuth; }, azimuth);
}

STDMETHODIMP Callout3DBase::put_WindVaneAzimuth(DOUBLE azimuth) {
  return ComCall(L"put_WindVaneAzimuth", [&] {
    zelph::RequireNumber(azimuth);
    m_WindVaneAzimuth = azimuth;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Callout3DBase::get_WindVaneSize(DOUBLE* size) {
  return ComCall(L"get_WindVaneSize", [&] { *size = m_WindVaneSize; }, size);
}

STDMETHODIMP Callout3DBase::put_WindVaneSize(DOUBLE size) {
  return ComCall(L"put_WindVaneSize", [&] {
    zelph::RequireNumber(size);
    m_WindVaneSize = size;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

void Callout3DBase::Save(IVariantStream* stream) {
  Graphic3DBase::Save(stream);
  m_Serial.SaveVarBool(stream, m_EnableCallout);
  m_Serial.SaveUnknown(stream, m_CalloutLineSymbol);
  m_Serial.SaveUnknown(stream, m_CalloutAnchorPint);
  m_Serial.SaveDouble(stream, m_WindVaneAzimuth);
  m_Serial.SaveDouble(stream, m_WindVaneSize);
}

void Callout3DBase::Load(IVariantStream* stream) {
  Graphic3DBase::Load(stream);
  m_EnableCallout = m_Serial.LoadVarBool(stream);
  m_CalloutLineSymbol = m_Serial.LoadObject<ISimpleLineSymbol>(stream);
  m_CalloutAnchorPint = m_Serial.LoadObject<IPoint>(stream);
  m_WindVaneAzimuth = m_Serial.LoadDouble(stream);
  m_WindVaneSize = m_Serial.LoadDouble(stream);
}
