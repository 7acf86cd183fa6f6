#include "host/geometry/PartCollection.h"

#include <algorithm>

#include "host/geometry/ChainHolder.h"
#include "host/HostCall.h"
#include "host/geometry/InterfaceValues.h"
#include "host/streams/StreamValues.h"

namespace zelph::host::geometry {

bool PartCollection::Holds(IUnknown* geometry) const {
  return std::any_of(m_Parts.begin(), m_Parts.end(), [&](const CComPtr<IGeometry>& part) {
    const PartCollection* inner = dynamic_cast<const PartCollection*>(part.p);
    return part.IsEqualObject(geometry) || (inner && inner->Holds(geometry));
  });
}

std::vector<SegmentChain*> PartCollection::PartChains() const {
  std::vector<SegmentChain*> chains;
  for (const CComPtr<IGeometry>& part : m_Parts) {
    if (ChainHolder* holder = HolderOf(part)) chains.push_back(&holder->Chain());
  }
  return chains;
}

void PartCollection::AssignToParts(ISpatialReference* reference) {
  for (const CComPtr<IGeometry>& part : m_Parts) ThrowIfFailed(part->putref_SpatialReference(reference));
}

void PartCollection::SaveParts(IVariantStream* stream) const {
  streams::WriteLong(stream, static_cast<LONG>(m_Parts.size()));
  for (const CComPtr<IGeometry>& part : m_Parts) streams::WriteObject(stream, part);
}

std::vector<CComPtr<IGeometry>> PartCollection::LoadParts(IVariantStream* stream) {
  std::vector<CComPtr<IGeometry>> parts;
  size_t count = streams::ReadCount(stream);
  for (size_t i = 0; i < count; ++i) {
    CComPtr<IGeometry> part = streams::ReadObjectAs<IGeometry>(stream);
    if (!part) Fail(streams::kRecordMismatch);
    CheckPart(part);
    parts.push_back(part);
  }
  return parts;
}

STDMETHODIMP PartCollection::get_GeometryCount(LONG* count) {
  return HostCall([&] { *count = static_cast<LONG>(m_Parts.size()); }, count);
}

STDMETHODIMP PartCollection::get_Geometry(LONG index, IGeometry** part) {
  return HostCall(
      [&] {
        *part = nullptr;
        CheckRange(index, 1, m_Parts.size());
        return m_Parts[static_cast<size_t>(index)].CopyTo(part);
      },
      part);
}

STDMETHODIMP PartCollection::AddGeometry(IGeometry* part, VARIANT* before, VARIANT* after) {
  return HostCall(
      [&] {
        if (Holds(part)) Fail(E_INVALIDARG);
        CheckPart(part);
        size_t position = ReadPlacement(before, after, m_Parts.size()).Position(m_Parts.size());
        PartAdded(part);
        m_Parts.insert(m_Parts.begin() + static_cast<std::ptrdiff_t>(position), CComPtr<IGeometry>(part));
      },
      part);
}

STDMETHODIMP PartCollection::RemoveGeometries(LONG index, LONG count) {
  return HostCall([&] {
    CheckRange(index, count, m_Parts.size());
    auto first = m_Parts.begin() + index;
    m_Parts.erase(first, first + count);
  });
}

}  // namespace zelph::host::geometry
