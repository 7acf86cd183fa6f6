#include "host/symbols/SimpleMarkerSymbol.h"

#include "frame/HostGuids.h"
#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateSimpleMarkerSymbol(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<symbols::SimpleMarkerSymbol>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::symbols {

const CLSID& SimpleMarkerSymbol::ClassId() const { return CLSID_SimpleMarkerSymbol; }

void SimpleMarkerSymbol::SaveState(IVariantStream* stream) const {
  SaveColor(stream, m_Marker.color);
  streams::WriteDouble(stream, m_Marker.size);
  streams::WriteDouble(stream, m_Marker.angle);
  streams::WriteInt(stream, m_Marker.style);
}

void SimpleMarkerSymbol::LoadState(IVariantStream* stream) {
  Marker marker;
  marker.color = LoadColor(stream);
  marker.size = LoadSize(stream);
  marker.angle = LoadAngle(stream);
  marker.style = streams::ReadEnum(stream, kestSMSDiamond);
  m_Marker = marker;
}

}  // namespace zelph::host::symbols
