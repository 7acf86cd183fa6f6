#include "host/symbols/SimpleLineSymbol.h"

#include "frame/HostGuids.h"
#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateSimpleLineSymbol(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<symbols::SimpleLineSymbol>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::symbols {

const CLSID& SimpleLineSymbol::ClassId() const { return CLSID_SimpleLineSymbol; }

void SimpleLineSymbol::SaveState(IVariantStream* stream) const {
  SaveLine(stream);
  streams::WriteInt(stream, m_Style);
}

void SimpleLineSymbol::LoadState(IVariantStream* stream) {
  LineValue line = LoadLine(stream);
  kestSimpleLineStyle style = streams::ReadEnum(stream, kestSLSInsideFrame);
  m_Line = line;
  m_Style = style;
}

}  // namespace zelph::host::symbols
