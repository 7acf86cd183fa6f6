// The IGeometryCollection bodies: parts held by reference, so that changing
// a part handed out changes the whole. A geometry is held once at most, and
// never inside itself.
#pragma once

#include <vector>

#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "host/geometry/SegmentChain.h"
#include "platform/ComPtr.h"

namespace zelph::host::geometry {

class PartCollection : public IGeometryCollection {
 public:
  STDMETHODIMP get_GeometryCount(LONG* count) override;
  STDMETHODIMP get_Geometry(LONG index, IGeometry** part) override;
  STDMETHODIMP AddGeometry(IGeometry* part, VARIANT* before, VARIANT* after) override;
  STDMETHODIMP RemoveGeometries(LONG index, LONG count) override;

  // Whether `geometry` is a part, or a part of a part, of this collection.
  bool Holds(IUnknown* geometry) const;

 protected:
  virtual ~PartCollection() = default;

  // Throws E_INVALIDARG (as a ComException) for a part this collection
  // cannot hold.
  virtual void CheckPart(IGeometry* part) = 0;
  virtual void PartAdded(IGeometry* part) {}

  // The chains of the parts that are host paths or rings, in order.
  std::vector<SegmentChain*> PartChains() const;
  void AssignToParts(ISpatialReference* reference);
  // The parts in a record: their count (I4), then each as an object record.
  void SaveParts(IVariantStream* stream) const;
  // The parts of a record, each checked as AddGeometry checks a part
  // (E_INVALIDARG, as a ComException, for one this collection cannot hold).
  std::vector<CComPtr<IGeometry>> LoadParts(IVariantStream* stream);

  std::vector<CComPtr<IGeometry>> m_Parts;
};

}  // namespace zelph::host::geometry
