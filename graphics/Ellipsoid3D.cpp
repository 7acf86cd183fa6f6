#include "graphics/Ellipsoid3D.h"

#include "frame/Guids.h"

STDMETHODIMP Ellipsoid3D::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", CLSID_Ellipsoid3D, id); }

STDMETHODIMP Ellipsoid3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) { LoadEllipsoid(record); });
}

STDMETHODIMP Ellipsoid3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) { SaveEllipsoid(record); });
}
