#include "host/geometry/Point.h"

#include "host/HostClasses.h"
#include "host/HostCall.h"
#include "host/geometry/GeometryRecords.h"
#include "host/streams/StreamValues.h"

namespace zelph::host {

HRESULT CreatePoint(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::Point>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::geometry {

HRESULT Point::Read(double Coordinates::*field, double* value) const {
  return HostCall(
      [&] {
        *value = m_Coordinates.*field;
        return m_Set ? S_OK : E_FAIL;
      },
      value);
}

HRESULT Point::Write(double Coordinates::*field, double value) {
  m_Coordinates.*field = value;
  // A height alone does not place a point.
  if (field != &Coordinates::z) m_Set = true;
  return S_OK;
}

STDMETHODIMP Point::QueryCoords(double* x, double* y) {
  if (!x || !y) return E_POINTER;
  Read(&Coordinates::x, x);
  return Read(&Coordinates::y, y);
}

STDMETHODIMP Point::PutCoords(double x, double y) {
  Write(&Coordinates::x, x);
  return Write(&Coordinates::y, y);
}

STDMETHODIMP Point::get_X(double* x) { return Read(&Coordinates::x, x); }
STDMETHODIMP Point::put_X(double x) { return Write(&Coordinates::x, x); }
STDMETHODIMP Point::get_Y(double* y) { return Read(&Coordinates::y, y); }
STDMETHODIMP Point::put_Y(double y) { return Write(&Coordinates::y, y); }
STDMETHODIMP Point::get_Z(double* z) { return Read(&Coordinates::z, z); }
STDMETHODIMP Point::put_Z(double z) { return Write(&Coordinates::z, z); }

void Point::Clear() {
  m_Coordinates = {};
  m_Set = false;
}

Bounds Point::Extent() const {
  Bounds box;
  if (m_Set) box.Include(m_Coordinates);
  return box;
}

void Point::Shift(double dx, double dy) {
  if (!m_Set) return;
  m_Coordinates.x += dx;
  m_Coordinates.y += dy;
}

void Point::Reproject(ISpatialReference* source, ISpatialReference* target) {
  std::vector<std::vector<Coordinates>> lists{{m_Coordinates}};
  TransformPointLists(source, target, lists);
  m_Coordinates = lists.front().front();
}

void Point::SaveValue(IVariantStream* stream) const {
  streams::WriteBool(stream, m_Set);
  SaveCoordinates(stream, m_Coordinates);
}

void Point::LoadValue(IVariantStream* stream) {
  bool set = streams::ReadBool(stream);
  m_Coordinates = LoadCoordinates(stream);
  m_Set = set;
}

}  // namespace zelph::host::geometry
