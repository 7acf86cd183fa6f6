#include "graphics/ExtrudedFont3D.h"

#include "frame/Guids.h"

namespace {

constexpr double kDefaultDepth = 0.25;

}  // namespace

ExtrudedFont3D::ExtrudedFont3D() : Font3DBase(CLSID_ExtrudedFont3D), Extrusion3DBase(kDefaultDepth) {}

HRESULT ExtrudedFont3D::FinalConstruct() {
  HRESULT hr = Font3DBase::FinalConstruct();
  if (FAILED(hr)) return hr;
  CreateExtrusionDefaults();
  return S_OK;
}

void ExtrudedFont3D::SaveAfterFont(IVariantStream* stream) { SaveExtrusion(m_Serial, stream); }

void ExtrudedFont3D::LoadAfterFont(IVariantStream* stream) { LoadExtrusion(m_Serial, stream); }
