// What the fill symbol classes share: IFillSymbol over a colour (grey 128
// by default) and an outline held by reference, and ISymbol. The outline
// may be null: putting null takes it away and get_Outline then hands out
// null.
#pragma once

#include "frame/ComObject.h"
#include "host/streams/PersistVariantBase.h"
#include "host/symbols/SymbolProperties.h"
#include "platform/ComPtr.h"

namespace zelph::host::symbols {

template <class Interface>
class FillSymbolObject : public zelph::ComObjectRoot, public Interface, public ISymbol {
 public:
  STDMETHODIMP get_Color(IColor** color) override { return GetColor(m_Color, color); }
  STDMETHODIMP put_Color(IColor* color) override { return PutColor(m_Color, color); }
  STDMETHODIMP get_Outline(ILineSymbol** outline) override {
    return HostCall([&] { return m_Outline.CopyTo(outline); }, outline);
  }
  STDMETHODIMP put_Outline(ILineSymbol* outline) override {
    return HostCall([&] { m_Outline = outline; });
  }

 protected:
  ColorValue m_Color = kGrey;
  CComPtr<ILineSymbol> m_Outline;
};

}  // namespace zelph::host::symbols
