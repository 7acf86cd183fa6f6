#include "display/Material3DBase.h"

#include "frame/ErrorConvention.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"

using zelph::ComCall;

STDMETHODIMP Material3DBase::get_Textured(VARIANT_BOOL* textured) {
  return ComCall(L"get_Textured", [&] { *textured = m_Textured ? VARIANT_TRUE : VARIANT_FALSE; }, textured);
}

STDMETHODIMP Material3DBase::get_LineOption(kestGLLineOption* option) {
  return ComCall(L"get_LineOption", [&] { *option = static_cast<kestGLLineOption>(m_LineOption); }, option);
}

STDMETHODIMP Material3DBase::put_LineOption(kestGLLineOption option) {
  // Taken as an integer before the work sees it, so that a value beyond the
  // enumeration is never read back through an enumeration reference.
  const int value = static_cast<int>(option);
  return ComCall(L"put_LineOption", [&] { m_LineOption = value; });
}

STDMETHODIMP Material3DBase::get_CustomStipplePattern(LONG* pattern) {
  return ComCall(L"get_CustomStipplePattern", [&] { *pattern = static_cast<LONG>(m_CustomStipple); }, pattern);
}

STDMETHODIMP Material3DBase::put_CustomStipplePattern(LONG pattern) {
  return ComCall(L"put_CustomStipplePattern",
                 [&] { m_CustomStipple = static_cast<std::uint16_t>(static_cast<ULONG>(pattern) & 0xFFFFu); });
}

STDMETHODIMP Material3DBase::get_FillOption(kestGLFillOption* option) {
  return ComCall(L"get_FillOption", [&] { *option = static_cast<kestGLFillOption>(m_FillOption); }, option);
}

STDMETHODIMP Material3DBase::put_FillOption(kestGLFillOption option) {
  const int value = static_cast<int>(option);
  return ComCall(L"put_FillOption", [&] { m_FillOption = value; });
}

void Material3DBase::Save(IVariantStream* stream) {
  m_Serial.SaveInt(stream, m_LineOption);
  m_Serial.SaveInt(stream, m_CustomStipple);
  m_Serial.SaveInt(stream, m_FillOption);
}

void Material3DBase::Load(IVariantStream* stream) {
  m_LineOption = m_Serial.LoadInt(stream);
  m_CustomStipple = static_cast<std::uint16_t>(static_cast<unsigned int>(m_Serial.LoadInt(stream)) & 0xFFFFu);
  m_FillOption = m_Serial.LoadInt(stream);
}

CComPtr<IRgbColor> Material3DBase::NewColor(LONG red, LONG green, LONG blue) {
  CComPtr<IRgbColor> color = zelph::RequireHostObject<IRgbColor>(CLSID_RgbColor);
  zelph::ThrowIfFailed(color->put_Red(red));
  zelph::ThrowIfFailed(color->put_Green(green));
  zelph::ThrowIfFailed(color->put_Blue(blue));
  return color;
}
