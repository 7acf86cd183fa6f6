#include "host/geometry/Polygon.h"

#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreatePolygon(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::Polygon>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::geometry {

std::vector<size_t> Polygon::Rings(const std::function<bool(const RingNesting&, size_t)>& wanted) const {
  std::vector<SegmentChain*> chains = PartChains();
  RingNesting nesting(std::vector<const SegmentChain*>(chains.begin(), chains.end()));
  std::vector<size_t> picked;
  for (size_t ring = 0; ring < chains.size(); ++ring) {
    if (!chains[ring]->Empty() && wanted(nesting, ring)) picked.push_back(ring);
  }
  return picked;
}

void Polygon::HandOutBag(const std::vector<size_t>& rings, IGeometryBag** bag) const {
  CComPtr<IGeometryCollection> collection;
  ThrowIfFailed(CreateGeometryBag(nullptr, IID_IGeometryCollection, reinterpret_cast<void**>(&collection)));
  for (size_t ring : rings) ThrowIfFailed(collection->AddGeometry(m_Parts[ring], nullptr, nullptr));
  CComQIPtr<IGeometryBag> result(collection);
  ThrowIfFailed(result->putref_SpatialReference(m_Reference));
  *bag = result.Detach();
}

STDMETHODIMP Polygon::get_ExteriorRingCount(LONG* count) {
  return HostCall(
      [&] {
        *count = static_cast<LONG>(Rings([](const RingNesting& nesting, size_t ring) {
                                     return nesting.IsExterior(ring);
                                   }).size());
      },
      count);
}

STDMETHODIMP Polygon::get_ExteriorRingBag(IGeometryBag** exteriorRings) {
  return HostCall(
      [&] {
        *exteriorRings = nullptr;
        HandOutBag(Rings([](const RingNesting& nesting, size_t ring) { return nesting.IsExterior(ring); }),
                   exteriorRings);
      },
      exteriorRings);
}

STDMETHODIMP Polygon::get_InteriorRingBag(IRing* exterior, IGeometryBag** interiorRings) {
  return HostCall(
      [&] {
        *interiorRings = nullptr;
        std::vector<size_t> owner = Rings([&](const RingNesting& nesting, size_t ring) {
          return nesting.IsExterior(ring) && m_Parts[ring].IsEqualObject(exterior);
        });
        if (owner.empty()) Fail(E_INVALIDARG);
        HandOutBag(Rings([&](const RingNesting& nesting, size_t ring) {
                     return !nesting.IsExterior(ring) && nesting.Parent(ring) == owner.front();
                   }),
                   interiorRings);
      },
      exterior, interiorRings);
}

}  // namespace zelph::host::geometry
