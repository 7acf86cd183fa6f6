// The scene manager's list of processed graphics: held by counted reference
// in the order they were listed, found by UID as the first listed graphic
// with that UID.
//
// Graphics are kept in list order; a removed one leaves a hole that a later
// compaction closes, and each is indexed by the hash of the UID it reported
// when listed: appending, finding and removing one take constant time (in
// the amortised sense). A graphic may change its UID while listed: a lookup
// checks the UID of what the index offers, and when the index has nothing
// true to offer it reads every UID afresh before it answers "none".
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "frame/GraphicInterfaces.h"
#include "frame/HostCollections.h"
#include "platform/ComPtr.h"
#include "scene/UidKey.h"

class GraphicList {
 public:
  GraphicList() = default;
  GraphicList(const GraphicList&) = delete;
  GraphicList& operator=(const GraphicList&) = delete;

  // Lists `graphic`, which reports `uid`.
  void Append(IGraphic3D* graphic, const UidKey& uid);
  // The first listed graphic whose UID is `uid`; null when there is none.
  CComPtr<IGraphic3D> Find(const UidKey& uid);
  // Takes that graphic out of the list and hands it back; null when there
  // is none. `asked`, when given, is the graphic `uid` was just read from:
  // listed itself, it need not be asked again.
  CComPtr<IGraphic3D> RemoveFirst(const UidKey& uid, IGraphic3D* asked = nullptr);
  void Clear();
  long Count() const { return static_cast<long>(m_Items.size() - m_Holes); }
  // Makes room for `count` graphics in all.
  void Reserve(std::size_t count);
  // Appends every listed graphic to `array`, in order.
  void CopyTo(IArray* array) const;

  // The UID a graphic reports now; a graphic that cannot report one counts
  // as having the null UID.
  static UidKey UidOf(IGraphic3D* graphic);

 private:
  // A hole when `graphic` is null.
  struct Item {
    CComPtr<IGraphic3D> graphic;
    UidKey indexedUid;
  };
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

  // The position of the first listed graphic with `uid`, or kNotFound.
  std::size_t Locate(const UidKey& uid, IGraphic3D* asked = nullptr);
  std::size_t LocateIndexed(const UidKey& uid, IGraphic3D* asked);
  void Index(std::size_t position);
  void Unindex(std::size_t position);
  // Closes the holes once they are half the list.
  void CompactIfSparse();
  void Reindex();

  std::vector<Item> m_Items;
  std::size_t m_Holes = 0;
  // Positions by the hash of the UID each item was indexed under.
  std::unordered_multimap<std::size_t, std::size_t> m_ByUid;
};
