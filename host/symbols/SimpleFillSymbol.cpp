#include "host/symbols/SimpleFillSymbol.h"

#include "frame/HostGuids.h"
#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateSimpleFillSymbol(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<symbols::SimpleFillSymbol>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::symbols {

HRESULT SimpleFillSymbol::FinalConstruct() {
  return CreateSimpleLineSymbol(nullptr, IID_ILineSymbol, reinterpret_cast<void**>(&m_Outline));
}

const CLSID& SimpleFillSymbol::ClassId() const { return CLSID_SimpleFillSymbol; }

void SimpleFillSymbol::SaveState(IVariantStream* stream) const {
  SaveColor(stream, m_Color);
  streams::WriteInt(stream, m_Style);
  streams::WriteObject(stream, m_Outline);
}

void SimpleFillSymbol::LoadState(IVariantStream* stream) {
  ColorValue color = LoadColor(stream);
  kestSimpleFillStyle style = streams::ReadEnum(stream, kestSFSDiagonalCross);
  CComPtr<ILineSymbol> outline = streams::ReadObjectAs<ILineSymbol>(stream);
  m_Color = color;
  m_Style = style;
  m_Outline = outline;
}

}  // namespace zelph::host::symbols
