// The scene manager's list of processed graphics: held by counted reference
// in the order they were listed, found by UID as the first listed graphic
// with that UID.
//
// The list indexes each graphic under the UID it reads from it, so that
// finding and removing one costs logarithmic time instead of a walk. A
// graphic may change its UID while listed: a lookup checks the UID of what
// the index offers, and when the index has nothing true to offer it walks
// the whole list, reading every UID afresh, before it answers "none".
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <unordered_map>

#include "frame/GraphicInterfaces.h"
#include "frame/HostCollections.h"
#include "platform/ComPtr.h"
#include "scene/UidKey.h"

class GraphicList {
 public:
  GraphicList() = default;
  GraphicList(const GraphicList&) = delete;
  GraphicList& operator=(const GraphicList&) = delete;

  void Append(IGraphic3D* graphic);
  // The first listed graphic whose UID is `uid`; null when there is none.
  CComPtr<IGraphic3D> Find(const UidKey& uid);
  // Takes that graphic out of the list and hands it back; null when there
  // is none.
  CComPtr<IGraphic3D> RemoveFirst(const UidKey& uid);
  void Clear();
  long Count() const { return static_cast<long>(m_Items.size()); }
  // Appends every listed graphic to `array`, in order.
  void CopyTo(IArray* array) const;

  // The UID a graphic reports now; a graphic that cannot report one counts
  // as having the null UID.
  static UidKey UidOf(IGraphic3D* graphic);

 private:
  struct Item {
    CComPtr<IGraphic3D> graphic;
    UidKey indexedUid;
  };
  using Items = std::map<std::uint64_t, Item>;

  // The position of the first listed graphic with `uid`, or end().
  Items::iterator Locate(const UidKey& uid);
  Items::iterator LocateIndexed(const UidKey& uid);
  void Index(Items::iterator item);
  void Unindex(Items::iterator item);
  void Reindex();

  // Keyed by a sequence number that grows with every append: key order is
  // list order.
  Items m_Items;
  std::uint64_t m_NextSequence = 0;
  std::unordered_map<UidKey, std::set<std::uint64_t>> m_ByUid;
};
