#include "host/geometry/Envelope.h"

#include "host/HostClasses.h"
#include "host/HostCall.h"
#include "host/geometry/InterfaceValues.h"
#include "host/streams/StreamValues.h"

namespace zelph::host {

HRESULT CreateEnvelope(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::Envelope>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::geometry {

namespace {

// Points per side of the outline that stands for the box when projecting:
// a projected side bends, and its extremes may lie between the corners.
constexpr int kOutlineSteps = 16;

}  // namespace


HRESULT Envelope::Read(double Bounds::*field, double* value) const {
  return HostCall([&] { *value = m_Bounds.*field; }, value);
}

STDMETHODIMP Envelope::QueryCoords(double* xMin, double* yMin, double* xMax, double* yMax) {
  return HostCall(
      [&] {
        *xMin = m_Bounds.xMin;
        *yMin = m_Bounds.yMin;
        *xMax = m_Bounds.xMax;
        *yMax = m_Bounds.yMax;
      },
      xMin, yMin, xMax, yMax);
}

STDMETHODIMP Envelope::PutCoords(double xMin, double yMin, double xMax, double yMax) {
  Bounds box = Bounds::Between(xMin, yMin, xMax, yMax);
  box.zMin = m_Bounds.zMin;
  box.zMax = m_Bounds.zMax;
  m_Bounds = box;
  return S_OK;
}

STDMETHODIMP Envelope::put_ZMin(double value) {
  m_Bounds.zMin = value;
  return S_OK;
}

STDMETHODIMP Envelope::put_ZMax(double value) {
  m_Bounds.zMax = value;
  return S_OK;
}

STDMETHODIMP Envelope::get_Width(double* width) {
  return HostCall([&] { *width = m_Bounds.Width(); }, width);
}

STDMETHODIMP Envelope::get_Height(double* height) {
  return HostCall([&] { *height = m_Bounds.Height(); }, height);
}

STDMETHODIMP Envelope::Union(IEnvelope* other) {
  return HostCall([&] { m_Bounds.Include(ReadBounds(other)); }, other);
}

void Envelope::Reproject(ISpatialReference* source, ISpatialReference* target) {
  const Bounds& box = m_Bounds;
  std::vector<Coordinates> outline;
  for (int i = 0; i < kOutlineSteps; ++i) {
    double share = static_cast<double>(i) / kOutlineSteps;
    double across = box.xMin + share * (box.xMax - box.xMin);
    double up = box.yMin + share * (box.yMax - box.yMin);
    double back = box.xMax - share * (box.xMax - box.xMin);
    double down = box.yMax - share * (box.yMax - box.yMin);
    outline.insert(outline.end(), {{across, box.yMin}, {box.xMax, up}, {back, box.yMax}, {box.xMin, down}});
  }
  std::vector<std::vector<Coordinates>> lists{std::move(outline)};
  TransformPointLists(source, target, lists);
  Bounds projected;
  for (const Coordinates& point : lists.front()) projected.Include(point);
  projected.zMin = box.zMin;
  projected.zMax = box.zMax;
  m_Bounds = projected;
}

void Envelope::SaveValue(IVariantStream* stream) const {
  for (double value : {m_Bounds.xMin, m_Bounds.yMin, m_Bounds.xMax, m_Bounds.yMax, m_Bounds.zMin, m_Bounds.zMax}) {
    streams::WriteDouble(stream, value);
  }
}

void Envelope::LoadValue(IVariantStream* stream) {
  Bounds read;
  for (double* value : {&read.xMin, &read.yMin, &read.xMax, &read.yMax, &read.zMin, &read.zMax}) {
    *value = streams::ReadDouble(stream);
  }
  // The corners are ordered as PutCoords orders them.
  Bounds box = Bounds::Between(read.xMin, read.yMin, read.xMax, read.yMax);
  box.zMin = read.zMin;
  box.zMax = read.zMax;
  m_Bounds = box;
}

}  // namespace zelph::host::geometry
