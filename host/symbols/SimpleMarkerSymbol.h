// A marker of one shape and colour: a black circle 8 points across, upright,
// by default. Its record: the colour, the size and the angle (R8 each) and
// the style (INT).
#pragma once

#include "frame/ComObject.h"
#include "host/streams/PersistVariantBase.h"
#include "host/symbols/SymbolProperties.h"

namespace zelph::host::symbols {

class SimpleMarkerSymbol : public zelph::ComObjectRoot,
                           public ISimpleMarkerSymbol,
                           public ISymbol,
                           public streams::PersistVariantBase {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISimpleMarkerSymbol, IMarkerSymbol, ISymbol, IPersistVariant>;

  STDMETHODIMP get_Size(double* size) override { return GetValue(m_Marker.size, size); }
  STDMETHODIMP put_Size(double size) override { return PutSize(m_Marker.size, size); }
  STDMETHODIMP get_Color(IColor** color) override { return GetColor(m_Marker.color, color); }
  STDMETHODIMP put_Color(IColor* color) override { return PutColor(m_Marker.color, color); }
  STDMETHODIMP get_Angle(double* degrees) override { return GetValue(m_Marker.angle, degrees); }
  STDMETHODIMP put_Angle(double degrees) override { return PutAngle(m_Marker.angle, degrees); }
  STDMETHODIMP get_Style(kestSimpleMarkerStyle* style) override { return GetValue(m_Marker.style, style); }
  STDMETHODIMP put_Style(kestSimpleMarkerStyle style) override {
    return PutStyle(m_Marker.style, style, kestSMSDiamond);
  }

 protected:
  const CLSID& ClassId() const override;
  void SaveState(IVariantStream* stream) const override;
  void LoadState(IVariantStream* stream) override;

 private:
  struct Marker {
    ColorValue color = kBlack;
    double size = 8.0;
    double angle = 0.0;
    kestSimpleMarkerStyle style = kestSMSCircle;
  };

  Marker m_Marker;
};

}  // namespace zelph::host::symbols
