// What polylines and polygons share: parts held by reference (host paths,
// or host rings), walked one after another, with points and segments
// numbered straight through them. The parts follow the whole's spatial
// reference: assigning or projecting the whole does the same to them.
#pragma once

#include "host/HostClasses.h"
#include "host/geometry/ChainCollections.h"
#include "host/geometry/ChainHolder.h"
#include "host/geometry/CurveObject.h"
#include "host/HostCall.h"
#include "host/geometry/PartCollection.h"

namespace zelph::host::geometry {

template <class Interface, class PartInterface>
class PartsObject : public CurveObject<Interface>, public PartCollection, public ChainCollections {
 protected:
  // `newPart` makes the part that a first appended point or segment starts.
  explicit PartsObject(Creator* newPart) : m_NewPart(newPart) {}

  CurveWalk Walk() const override {
    std::vector<SegmentChain*> chains = PartChains();
    return CurveWalk(std::vector<const SegmentChain*>(chains.begin(), chains.end()));
  }
  void Clear() override { m_Parts.clear(); }
  void Shift(double dx, double dy) override {
    for (SegmentChain* chain : PartChains()) chain->Shift(dx, dy);
  }
  void Reproject(ISpatialReference* source, ISpatialReference* target) override { ReprojectChains(source, target); }
  void AssignReference(ISpatialReference* reference) override {
    AssignToParts(reference);
    this->m_Reference = reference;
  }

  void CheckPart(IGeometry* part) override {
    CComQIPtr<PartInterface> typed(part);
    if (!typed || !HolderOf(part)) Fail(E_INVALIDARG);
  }
  void PartAdded(IGeometry* part) override { ThrowIfFailed(part->putref_SpatialReference(this->m_Reference)); }

  std::vector<SegmentChain*> Chains(bool forAppend) override {
    if (forAppend && m_Parts.empty()) {
      CComPtr<IGeometry> part;
      ThrowIfFailed(m_NewPart(nullptr, IID_IGeometry, reinterpret_cast<void**>(&part)));
      PartAdded(part);
      m_Parts.push_back(part);
    }
    return PartChains();
  }
  ISpatialReference* CollectionReference() override { return this->m_Reference; }
  void SaveValue(IVariantStream* stream) const override { SaveParts(stream); }
  void LoadValue(IVariantStream* stream) override { m_Parts = LoadParts(stream); }

 private:
  Creator* m_NewPart;
};

}  // namespace zelph::host::geometry
