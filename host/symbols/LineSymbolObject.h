// What the line symbol classes share: ILineSymbol over a colour (black by
// default) and a width (1 point by default), ISymbol, and the start of
// their records (the colour, then the width as R8).
#pragma once

#include "frame/ComObject.h"
#include "host/streams/PersistVariantBase.h"
#include "host/symbols/SymbolProperties.h"

namespace zelph::host::symbols {

struct LineValue {
  ColorValue color = kBlack;
  double width = 1.0;
};

template <class Interface>
class LineSymbolObject : public zelph::ComObjectRoot,
                         public Interface,
                         public ISymbol,
                         public streams::PersistVariantBase {
 public:
  STDMETHODIMP get_Color(IColor** color) override { return GetColor(m_Line.color, color); }
  STDMETHODIMP put_Color(IColor* color) override { return PutColor(m_Line.color, color); }
  STDMETHODIMP get_Width(double* width) override { return GetValue(m_Line.width, width); }
  STDMETHODIMP put_Width(double width) override { return PutSize(m_Line.width, width); }

 protected:
  void SaveLine(IVariantStream* stream) const {
    SaveColor(stream, m_Line.color);
    streams::WriteDouble(stream, m_Line.width);
  }
  static LineValue LoadLine(IVariantStream* stream) {
    LineValue line;
    line.color = LoadColor(stream);
    line.width = LoadSize(stream);
    return line;
  }

  LineValue m_Line;
};

}  // namespace zelph::host::symbols
