#include "graphics/Extrusion3DBase.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

void Extrusion3DBase::CreateExtrusionDefaults() {
  m_ExtMaterial = zelph::NewLibraryObject<IMaterial3D>(CLSID_SimpleMaterial3D);
  m_ExtOutlineSymbol = zelph::NewHostObject<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
}

STDMETHODIMP Extrusion3DBase::get_EnableExtrusion(VARIANT_BOOL* enabled) {
  return ComCall(L"get_EnableExtrusion", [&] { *enabled = m_EnableExtrusion; }, enabled);
}

STDMETHODIMP Extrusion3DBase::put_EnableExtrusion(VARIANT_BOOL enabled) {
  return ComCall(L"put_EnableExtrusion", [&] {
    m_EnableExtrusion = enabled;
    ExtrusionChanged();
  });
}

STDMETHODIMP Extrusion3DBase::get_EnableAutoExtrusionDepth(VARIANT_BOOL* automatic) {
  return ComCall(L"get_EnableAutoExtrusionDepth", [&] { *automatic = m_AutoExtrusionDepth; }, automatic);
}

STDMETHODIMP Extrusion3DBase::put_EnableAutoExtrusionDepth(VARIANT_BOOL automatic) {
  return ComCall(L"put_EnableAutoExtrusionDepth", [&] {
    m_AutoExtrusionDepth = automatic;
    ExtrusionChanged();
  });
}

STDMETHODIMP Extrusion3DBase::get_ExtrusionDepth(DOUBLE* depth) {
  return ComCall(L"get_ExtrusionDepth", [&] { *depth = m_ExtDepth; }, depth);
}

STDMETHODIMP Extrusion3DBase::put_ExtrusionDepth(DOUBLE depth) {
  return ComCall(L"put_ExtrusionDepth", [&] {
    zelph::RequireNumber(depth);
    m_ExtDepth = depth;
    ExtrusionChanged();
  });
}

STDMETHODIMP Extrusion3DBase::get_ExtrusionMaterial(IMaterial3D** material) {
  return ComCall(L"get_ExtrusionMaterial", [&] { zelph::HandOut(m_ExtMaterial.p, material); }, material);
}

STDMETHODIMP Extrusion3DBase::putref_ExtrusionMaterial(IMaterial3D* material) {
  return ComCall(L"putref_ExtrusionMaterial", [&] {
    m_ExtMaterial = material;
    ExtrusionChanged();
  });
}

STDMETHODIMP Extrusion3DBase::get_ExtrusionTransparency(LONG* transparency) {
  return ComCall(L"get_ExtrusionTransparency", [&] { *transparency = m_ExtTransparency; }, transparency);
}

STDMETHODIMP Extrusion3DBase::put_ExtrusionTransparency(LONG transparency) {
  return ComCall(L"put_ExtrusionTransparency", [&] {
    CheckExtrusionTransparency(transparency);
    m_ExtTransparency = transparency;
    ExtrusionTransparencyStored();
    ExtrusionChanged();
  });
}

STDMETHODIMP Extrusion3DBase::get_EnableOutlining(VARIANT_BOOL* enabled) {
  return ComCall(L"get_EnableOutlining", [&] { *enabled = m_EnableOutlining; }, enabled);
}

STDMETHODIMP Extrusion3DBase::put_EnableOutlining(VARIANT_BOOL enabled) {
  return ComCall(L"put_EnableOutlining", [&] {
    m_EnableOutlining = enabled;
    ExtrusionChanged();
  });
}

STDMETHODIMP Extrusion3DBase::get_OutlineLineSymbol(ISimpleLineSymbol** symbol) {
  return ComCall(L"get_OutlineLineSymbol", [&] { zelph::HandOut(m_ExtOutlineSymbol.p, symbol); }, symbol);
}

STDMETHODIMP Extrusion3DBase::putref_OutlineLineSymbol(ISimpleLineSymbol* symbol) {
  return ComCall(L"putref_OutlineLineSymbol", [&] {
    m_ExtOutlineSymbol = symbol;
    OutlineSymbolStored();
    ExtrusionChanged();
  });
}

void Extrusion3DBase::SaveExtrusion(SerialHelper& serial, IVariantStream* stream, const double* outlineTransRatio) {
  serial.SaveVarBool(stream, m_EnableExtrusion);
  serial.SaveDouble(stream, m_ExtDepth);
  serial.SaveLong(stream, m_ExtTransparency);
  serial.SaveVarBool(stream, m_EnableOutlining);
  serial.SaveUnknown(stream, m_ExtOutlineSymbol);
  if (outlineTransRatio) serial.SaveDouble(stream, *outlineTransRatio);
  serial.SaveInline(stream, m_ExtMaterial, CLSID_SimpleMaterial3D);
}

void Extrusion3DBase::LoadExtrusion(SerialHelper& serial, IVariantStream* stream, double* outlineTransRatio) {
  m_EnableExtrusion = serial.LoadVarBool(stream);
  m_ExtDepth = serial.LoadDouble(stream);
  m_ExtTransparency = serial.LoadLong(stream);
  m_EnableOutlining = serial.LoadVarBool(stream);
  m_ExtOutlineSymbol = serial.LoadObject<ISimpleLineSymbol>(stream);
  if (outlineTransRatio) *outlineTransRatio = serial.LoadDouble(stream);
  // The record tells which kind of material wrote it; a held material of
  // another kind is replaced by one of the kind that was saved.
  serial.LoadInlineOfKind(stream, m_ExtMaterial, CLSID_SimpleMaterial3D, SerialHelper::MaterialKind);
}
