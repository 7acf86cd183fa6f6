#include "graphics/GeoExtrusion3D.h"

#include <cmath>
#include <vector>

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"
#include "graphics/ExtrusionGeometry.h"

using zelph::ComCall;

namespace {

constexpr double kDefaultDepth = 1.0;

// The opacity byte of `value` truncated toward zero, its low 8 bits kept;
// false for a value that is no number.
bool OpacityByte(double value, BYTE& byte) {
  const double whole = std::trunc(value);
  if (!std::isfinite(whole)) return false;
  double low = std::fmod(whole, 256.0);
  if (low < 0) low += 256.0;
  byte = static_cast<BYTE>(low);
  return true;
}

std::vector<double> CoordsOf(IPoint* point) {
  double x = 0.0, y = 0.0, z = 0.0;
  zelph::ThrowIfFailed(point->QueryCoords(&x, &y));
  zelph::ThrowIfFailed(point->get_Z(&z));
  return {x, y, z};
}

}  // namespace

GeoExtrusion3D::GeoExtrusion3D()
    : Extrusion3DBase(kDefaultDepth), m_InnerGeometries(zelph::NewHostObject<IArray>(CLSID_Array)) {
  CreateExtrusionDefaults();
}

IArray* GeoExtrusion3D::InnerGeometries() {
  if (!m_InnerGeometries) m_InnerGeometries = zelph::RequireHostObject<IArray>(CLSID_Array);
  return m_InnerGeometries;
}

void GeoExtrusion3D::DeriveFullGeometry() {
  switch (m_Type) {
    case kestGLExtrusionTypePolygon:
      m_FullGeometry = ExtrusionGeometry::CalculatePolygonGeometry(m_Geometry);
      break;
    case kestGLExtrusionTypeAutoEllipse:
      m_FullGeometry = ExtrusionGeometry::CalculateEllipseGeometry(m_Geometry);
      break;
    default:
      // Polyline, and anything below it; a type above the known ones keeps
      // the full geometry as it was.
      if (m_Type <= kestGLExtrusionTypePolyline) {
        m_FullGeometry = ExtrusionGeometry::CalculatePolylineGeometry(m_Geometry);
      }
      break;
  }
}

STDMETHODIMP GeoExtrusion3D::get_Geometry(IGeometry** geometry) {
  return ComCall(
      L"get_Geometry", [&] { zelph::HandOut(m_FullGeometry.p, geometry); }, geometry);
}

STDMETHODIMP GeoExtrusion3D::putref_Geometry(IGeometry* geometry) {
  return ComCall(L"putref_Geometry", [&] {
    zelph::ThrowIfNull(geometry);
    m_Geometry = geometry;
    DeriveFullGeometry();
    m_Centroid = ExtrusionGeometry::CalculateCentroid(m_FullGeometry);
    RaiseUpdateLevel(kestGLUpdateMajor);
    UpdateExtent();
  });
}

STDMETHODIMP GeoExtrusion3D::get_Type(kestGLExtrusionTypeOption* type) {
  return ComCall(
      L"get_Type", [&] { *type = m_Type; }, type);
}

STDMETHODIMP GeoExtrusion3D::put_Type(kestGLExtrusionTypeOption type) {
  return ComCall(L"put_Type", [&] {
    m_Type = type;
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP GeoExtrusion3D::AddPoint(IPoint* point) {
  return ComCall(L"AddPoint", [&] {
    if (!m_FullGeometry) return;
    zelph::ThrowIfNull(point);
    CComQIPtr<IPointCollection> points{m_FullGeometry};
    zelph::ThrowIfNull(points);
    zelph::ThrowIfFailed(points->AddPoint(point, nullptr, nullptr));
    // An ellipse is fitted again around its own points and the new one.
    if (m_Type == kestGLExtrusionTypeAutoEllipse) {
      m_FullGeometry = ExtrusionGeometry::CalculateEllipseGeometry(m_FullGeometry);
    }
    m_Centroid = ExtrusionGeometry::CalculateCentroid(m_FullGeometry);
    RaiseUpdateLevel(kestGLUpdateMajor);
    // Whatever the type, the extent follows the grown shape.
    UpdateExtent();
  });
}

STDMETHODIMP GeoExtrusion3D::get_InnerGeometries(IArray** geometries) {
  return ComCall(
      L"get_InnerGeometries", [&] { zelph::HandOut(m_InnerGeometries.p, geometries); }, geometries);
}

STDMETHODIMP GeoExtrusion3D::putref_InnerGeometries(IArray* geometries) {
  return ComCall(L"putref_InnerGeometries", [&] {
    if (geometries && m_Type != kestGLExtrusionTypePolyline) {
      // All densified before any is appended: a hole that fails adds none,
      // and the held array itself may be handed in.
      LONG count = 0;
      zelph::ThrowIfFailed(geometries->get_Count(&count));
      std::vector<CComPtr<IGeometry>> dense;
      for (LONG i = 0; i < count; ++i) {
        CComPtr<IUnknown> element;
        zelph::ThrowIfFailed(geometries->get_Element(i, &element));
        CComQIPtr<IGeometry> hole{element};
        zelph::ThrowIfNull(hole);
        dense.push_back(ExtrusionGeometry::CalculatePolygonGeometry(hole));
      }
      IArray* held = InnerGeometries();
      for (const CComPtr<IGeometry>& hole : dense) zelph::ThrowIfFailed(held->Add(hole));
    }
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP GeoExtrusion3D::putref_Centroid(IPoint* centroid) {
  return ComCall(L"putref_Centroid", [&] {
    if (!m_Centroid || !centroid) return;
    // The holes keep their place inside the shape: each moves by the shape's
    // offset (worked out before the shape moves), not onto the centre.
    std::vector<CComPtr<IPoint>> holeCentres;
    LONG holes = 0;
    if (m_InnerGeometries) zelph::ThrowIfFailed(m_InnerGeometries->get_Count(&holes));
    IGeometry* shape = m_FullGeometry ? m_FullGeometry.p : m_Geometry.p;
    if (holes > 0 && shape) {
      const std::vector<double> from = CoordsOf(ExtrusionGeometry::CalculateCentroid(shape));
      const std::vector<double> to = CoordsOf(centroid);
      for (LONG i = 0; i < holes; ++i) {
        CComPtr<IUnknown> element;
        zelph::ThrowIfFailed(m_InnerGeometries->get_Element(i, &element));
        CComQIPtr<IGeometry> hole{element};
        zelph::ThrowIfNull(hole);
        const std::vector<double> at = CoordsOf(ExtrusionGeometry::CalculateCentroid(hole));
        CComPtr<IPoint> centre = zelph::RequireHostObject<IPoint>(CLSID_Point);
        zelph::ThrowIfFailed(centre->PutCoords(at[0] + to[0] - from[0], at[1] + to[1] - from[1]));
        zelph::ThrowIfFailed(centre->put_Z(at[2] + to[2] - from[2]));
        holeCentres.push_back(centre);
      }
    }
    m_Centroid = centroid;
    if (m_Geometry) m_Geometry = ExtrusionGeometry::CenterGeometry(m_Geometry, centroid);
    if (m_FullGeometry) m_FullGeometry = ExtrusionGeometry::CenterGeometry(m_FullGeometry, centroid);
    for (LONG i = 0; i < static_cast<LONG>(holeCentres.size()); ++i) {
      CComPtr<IUnknown> element;
      zelph::ThrowIfFailed(m_InnerGeometries->get_Element(i, &element));
      ExtrusionGeometry::CenterGeometry(CComQIPtr<IGeometry>{element}, holeCentres[i]);
    }
    RaiseUpdateLevel(kestGLUpdateLocation);
    UpdateExtent();
  });
}

void GeoExtrusion3D::UpdateExtent() {
  zelph::InternalCall(L"UpdateExtent", [&] {
    m_Extent.Release();
    zelph::ThrowIfNull(m_FullGeometry);
    CComPtr<IEnvelope> envelope;
    zelph::ThrowIfFailed(m_FullGeometry->get_Envelope(&envelope));
    m_Extent = envelope;
  });
}

void GeoExtrusion3D::ExtrusionChanged() { RaiseUpdateLevel(kestGLUpdateMajor); }

void GeoExtrusion3D::CheckExtrusionTransparency(LONG transparency) { zelph::RequireTransparency(transparency); }

void GeoExtrusion3D::ExtrusionTransparencyStored() {
  if (!m_ExtOutlineSymbol) return;
  BYTE opacity = 0;
  // A ratio that is no number (from a damaged record) leaves the colour.
  if (!OpacityByte(m_ExtTransparency * m_OutlineTransRatio, opacity)) return;
  CComPtr<IColor> color;
  zelph::ThrowIfFailed(m_ExtOutlineSymbol->get_Color(&color));
  if (!color) return;
  zelph::ThrowIfFailed(color->put_Transparency(opacity));
  // The symbol hands out a copy of its colour: the change goes back to it.
  zelph::ThrowIfFailed(m_ExtOutlineSymbol->put_Color(color));
}

void GeoExtrusion3D::OutlineSymbolStored() {
  if (!m_ExtOutlineSymbol) return;
  CComPtr<IColor> color;
  zelph::ThrowIfFailed(m_ExtOutlineSymbol->get_Color(&color));
  if (!color) return;
  BYTE opacity = 0;
  zelph::ThrowIfFailed(color->get_Transparency(&opacity));
  // A fully transparent extrusion gives no ratio: the held one stays.
  if (m_ExtTransparency == 0) return;
  m_OutlineTransRatio = static_cast<double>(opacity) / m_ExtTransparency;
}

STDMETHODIMP GeoExtrusion3D::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", CLSID_GeoExtrusion3D, id); }

STDMETHODIMP GeoExtrusion3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    m_Geometry = m_Serial.LoadObject<IGeometry>(record);
    m_Type = static_cast<kestGLExtrusionTypeOption>(m_Serial.LoadInt(record));
    // The stored count is not trusted: a list that cannot be read whole adds
    // no hole and ends the load.
    m_Serial.LoadArray(record, InnerGeometries(), IID_IGeometry);
    LoadExtrusion(m_Serial, record, &m_OutlineTransRatio);
    Graphic3DBase::Load(record);
    // The full geometry is not stored: it is derived again from the loaded
    // geometry, so that the shape draws at once. The stored centroid stays;
    // the level is left to the client.
    m_FullGeometry.Release();
    if (!m_Geometry) return;
    zelph::InternalCall(L"DeriveFullGeometry", [&] { DeriveFullGeometry(); });
    if (m_FullGeometry) UpdateExtent();
  });
}

STDMETHODIMP GeoExtrusion3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    m_Serial.SaveUnknown(record, m_Geometry);
    m_Serial.SaveInt(record, m_Type);
    m_Serial.SaveArray(record, InnerGeometries());
    SaveExtrusion(m_Serial, record, &m_OutlineTransRatio);
    Graphic3DBase::Save(record);
  });
}
