#include "graphics/Graphic3DBase.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"
#include "render/Glomarch.h"

using zelph::ComCall;

Graphic3DBase::Graphic3DBase()
    : m_Centroid(zelph::NewHostObject<IPoint>(CLSID_Point)),
      m_Material(zelph::NewLibraryObject<IMaterial3D>(CLSID_SimpleMaterial3D)),
      m_Name(L"UNITIALIZED"),
      m_Orientation(zelph::NewLibraryObject<IOrientation3D>(CLSID_Orientation3D)),
      m_Extent(zelph::NewHostObject<IEnvelope>(CLSID_Envelope)) {
  m_UID.Attach(Glomarch::GenerateGUID());
}

void Graphic3DBase::RaiseUpdateLevel(kestGLUpdateLevel level) { Glomarch::IncreaseUpdateLevel(m_UpdateLevel, level); }

void Graphic3DBase::CenterExtentOnCentroid(double xSize, double ySize) {
  zelph::InternalCall(L"UpdateExtent", [&] {
    zelph::ThrowIfNull(m_Centroid);
    zelph::ThrowIfNull(m_Extent);
    double x = 0.0;
    double y = 0.0;
    zelph::ThrowIfFailed(m_Centroid->QueryCoords(&x, &y));
    zelph::ThrowIfFailed(m_Extent->PutCoords(x - xSize / 2, y - ySize / 2, x + xSize / 2, y + ySize / 2));
  });
}

STDMETHODIMP Graphic3DBase::get_UID(BSTR* uid) {
  return ComCall(L"get_UID", [&] { zelph::HandOutCopy(m_UID, uid); }, uid);
}

STDMETHODIMP Graphic3DBase::put_UID(BSTR uid) {
  return ComCall(L"put_UID", [&] {
    m_UID = zelph::TakeCopy(uid);
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Graphic3DBase::get_Centroid(IPoint** centroid) {
  RaiseUpdateLevel(kestGLUpdateLocation);
  return ComCall(L"get_Centroid", [&] { zelph::HandOut(m_Centroid.p, centroid); }, centroid);
}

STDMETHODIMP Graphic3DBase::putref_Centroid(IPoint* centroid) {
  return ComCall(L"putref_Centroid", [&] {
    m_Centroid = centroid;
    RaiseUpdateLevel(kestGLUpdateLocation);
    UpdateExtent();
  });
}

STDMETHODIMP Graphic3DBase::get_DisplayOption(kestGLDisplayOption* option) {
  return ComCall(L"get_DisplayOption", [&] { *option = m_DisplayOption; }, option);
}

STDMETHODIMP Graphic3DBase::put_DisplayOption(kestGLDisplayOption option) {
  return ComCall(L"put_DisplayOption", [&] {
    m_DisplayOption = option;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Graphic3DBase::get_Material(IMaterial3D** material) {
  return ComCall(L"get_Material", [&] { zelph::HandOut(m_Material.p, material); }, material);
}

STDMETHODIMP Graphic3DBase::putref_Material(IMaterial3D* material) {
  return ComCall(L"putref_Material", [&] {
    m_Material = material;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Graphic3DBase::get_Name(BSTR* name) {
  return ComCall(L"get_Name", [&] { zelph::HandOutCopy(m_Name, name); }, name);
}

STDMETHODIMP Graphic3DBase::put_Name(BSTR name) {
  return ComCall(L"put_Name", [&] {
    m_Name = zelph::TakeCopy(name);
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Graphic3DBase::get_Orientation(IOrientation3D** orientation) {
  return ComCall(L"get_Orientation", [&] { zelph::HandOut(m_Orientation.p, orientation); }, orientation);
}

STDMETHODIMP Graphic3DBase::putref_Orientation(IOrientation3D* orientation) {
  return ComCall(L"putref_Orientation", [&] {
    m_Orientation = orientation;
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP Graphic3DBase::get_Selected(VARIANT_BOOL* selected) {
  return ComCall(L"get_Selected", [&] { *selected = m_Selected; }, selected);
}

STDMETHODIMP Graphic3DBase::put_Selected(VARIANT_BOOL selected) {
  return ComCall(L"put_Selected", [&] {
    m_Selected = selected;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Graphic3DBase::get_Transparency(LONG* transparency) {
  return ComCall(L"get_Transparency", [&] { *transparency = m_Transparency; }, transparency);
}

STDMETHODIMP Graphic3DBase::put_Transparency(LONG transparency) {
  return ComCall(L"put_Transparency", [&] {
    zelph::RequireTransparency(transparency);
    m_Transparency = transparency;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Graphic3DBase::get_Visible(VARIANT_BOOL* visible) {
  return ComCall(L"get_Visible", [&] { *visible = m_Visible; }, visible);
}

STDMETHODIMP Graphic3DBase::put_Visible(VARIANT_BOOL visible) {
  return ComCall(L"put_Visible", [&] {
    m_Visible = visible;
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP Graphic3DBase::get_Extent(IEnvelope** extent) {
  return ComCall(L"get_Extent", [&] { zelph::HandOut(m_Extent.p, extent); }, extent);
}

STDMETHODIMP Graphic3DBase::get_ThresholdElevation(DOUBLE* elevation) {
  return ComCall(L"get_ThresholdElevation", [&] { *elevation = m_ThresholdElevation; }, elevation);
}

STDMETHODIMP Graphic3DBase::put_ThresholdElevation(DOUBLE elevation) {
  return ComCall(L"put_ThresholdElevation", [&] {
    zelph::RequireNumber(elevation);
    m_ThresholdElevation = elevation;
    RaiseUpdateLevel(kestGLUpdateLocation);
  });
}

STDMETHODIMP Graphic3DBase::get_UpdateLevel(kestGLUpdateLevel* level) {
  return ComCall(L"get_UpdateLevel", [&] { *level = m_UpdateLevel; }, level);
}

STDMETHODIMP Graphic3DBase::put_UpdateLevel(kestGLUpdateLevel level) {
  return ComCall(L"put_UpdateLevel", [&] { m_UpdateLevel = level; });
}

void Graphic3DBase::Save(IVariantStream* stream) {
  m_Serial.SaveBSTR(stream, m_UID);
  m_Serial.SaveUnknown(stream, m_Centroid);
  m_Serial.SaveInt(stream, m_DisplayOption);
  m_Serial.SaveBSTR(stream, m_Name);
  m_Serial.SaveVarBool(stream, m_Selected);
  m_Serial.SaveLong(stream, m_Transparency);
  m_Serial.SaveVarBool(stream, m_Visible);
  m_Serial.SaveUnknown(stream, m_Extent);
  m_Serial.SaveDouble(stream, m_ThresholdElevation);
  m_Serial.SaveInline(stream, m_Material, CLSID_SimpleMaterial3D);
  m_Serial.SaveInline(stream, m_Orientation, CLSID_Orientation3D);
}

void Graphic3DBase::Load(IVariantStream* stream) {
  m_UID = m_Serial.LoadBSTR(stream);
  m_Centroid = m_Serial.LoadObject<IPoint>(stream);
  m_DisplayOption = static_cast<kestGLDisplayOption>(m_Serial.LoadInt(stream));
  m_Name = m_Serial.LoadBSTR(stream);
  m_Selected = m_Serial.LoadVarBool(stream);
  m_Transparency = m_Serial.LoadLong(stream);
  m_Visible = m_Serial.LoadVarBool(stream);
  m_Extent = m_Serial.LoadObject<IEnvelope>(stream);
  m_ThresholdElevation = m_Serial.LoadDouble(stream);
  m_Serial.LoadInlineOfKind(stream, m_Material, CLSID_SimpleMaterial3D, SerialHelper::MaterialKind);
  m_Serial.LoadInline(stream, m_Orientation, CLSID_Orientation3D);
}
