// A colour of red, green and blue (0 to 255 each) and a transparency byte
// (0 clear to 255 opaque) that no colour change touches. A new colour is
// black and opaque. Its record is the packed RGB and the transparency.
#pragma once

#include "frame/ComObject.h"
#include "host/streams/PersistVariantBase.h"
#include "host/symbols/ColorValue.h"

namespace zelph::host::symbols {

class RgbColor : public zelph::ComObjectRoot, public IRgbColor, public streams::PersistVariantBase {
 public:
  using InterfaceMap = zelph::InterfaceMap<IRgbColor, IColor, IPersistVariant>;

  STDMETHODIMP get_RGB(LONG* rgb) override;
  // E_INVALIDARG for bits above 0xFFFFFF.
  STDMETHODIMP put_RGB(LONG rgb) override;
  STDMETHODIMP get_Transparency(BYTE* transparency) override;
  STDMETHODIMP put_Transparency(BYTE transparency) override;
  STDMETHODIMP get_Red(LONG* red) override { return Get(&ColorValue::red, red); }
  STDMETHODIMP put_Red(LONG red) override { return Put(&ColorValue::red, red); }
  STDMETHODIMP get_Green(LONG* green) override { return Get(&ColorValue::green, green); }
  STDMETHODIMP put_Green(LONG green) override { return Put(&ColorValue::green, green); }
  STDMETHODIMP get_Blue(LONG* blue) override { return Get(&ColorValue::blue, blue); }
  STDMETHODIMP put_Blue(LONG blue) override { return Put(&ColorValue::blue, blue); }

 protected:
  const CLSID& ClassId() const override;
  void SaveState(IVariantStream* stream) const override { SaveColor(stream, m_Value); }
  void LoadState(IVariantStream* stream) override { m_Value = LoadColor(stream); }

 private:
  HRESULT Get(LONG ColorValue::*component, LONG* value) const;
  HRESULT Put(LONG ColorValue::*component, LONG value);

  ColorValue m_Value;
};

}  // namespace zelph::host::symbols
