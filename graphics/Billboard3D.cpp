#include "graphics/Billboard3D.h"

#include "frame/Guids.h"

STDMETHODIMP Billboard3D::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", CLSID_Billboard3D, id); }

STDMETHODIMP Billboard3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) { LoadBillboard(record); });
}

STDMETHODIMP Billboard3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) { SaveBillboard(record); });
}
