#include "host/symbols/RgbColor.h"

#include "frame/HostGuids.h"
#include "host/HostCall.h"
#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateRgbColor(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<symbols::RgbColor>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::symbols {

const CLSID& RgbColor::ClassId() const { return CLSID_RgbColor; }

HRESULT RgbColor::Get(LONG ColorValue::*component, LONG* value) const {
  return HostCall([&] { *value = m_Value.*component; }, value);
}

HRESULT RgbColor::Put(LONG ColorValue::*component, LONG value) {
  return HostCall([&] {
    RequireArgument(ValidComponent(value));
    m_Value.*component = value;
  });
}

STDMETHODIMP RgbColor::get_RGB(LONG* rgb) {
  return HostCall([&] { *rgb = m_Value.Packed(); }, rgb);
}

STDMETHODIMP RgbColor::put_RGB(LONG rgb) {
  return HostCall([&] { m_Value = ColorValue::FromPacked(rgb, m_Value.transparency); });
}

STDMETHODIMP RgbColor::get_Transparency(BYTE* transparency) {
  return HostCall([&] { *transparency = m_Value.transparency; }, transparency);
}

STDMETHODIMP RgbColor::put_Transparency(BYTE transparency) {
  return HostCall([&] { m_Value.transparency = transparency; });
}

}  // namespace zelph::host::symbols
