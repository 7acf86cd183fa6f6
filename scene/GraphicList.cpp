#include "scene/GraphicList.h"

#include <algorithm>
#include <functional>

#include "frame/ErrorConvention.h"
#include "platform/ComBstr.h"

namespace {

// Holes below this many are never worth a compaction.
constexpr std::size_t kLeastHolesToCompact = 64;

}  // namespace

UidKey GraphicList::UidOf(IGraphic3D* graphic) {
  CComBSTR uid;
  if (!graphic || graphic->get_UID(&uid) != S_OK) return UidKey();
  return UidKey(uid.m_str);
}

void GraphicList::Append(IGraphic3D* graphic, const UidKey& uid) {
  zelph::ThrowIfNull(graphic);
  m_Items.push_back(Item{graphic, uid});
  Index(m_Items.size() - 1);
}

CComPtr<IGraphic3D> GraphicList::Find(const UidKey& uid) {
  std::size_t position = Locate(uid, nullptr);
  return position == kNotFound ? nullptr : m_Items[position].graphic;
}

CComPtr<IGraphic3D> GraphicList::RemoveFirst(const UidKey& uid, IGraphic3D* asked) {
  std::size_t position = Locate(uid, asked);
  if (position == kNotFound) return nullptr;
  Unindex(position);
  Item& item = m_Items[position];
  CComPtr<IGraphic3D> removed;
  removed.Attach(item.graphic.Detach());
  item.indexedUid = UidKey();
  ++m_Holes;
  CompactIfSparse();
  return removed;
}

void GraphicList::Clear() {
  m_ByUid.clear();
  m_Items.clear();
  m_Holes = 0;
}

void GraphicList::Reserve(std::size_t count) {
  m_Items.reserve(count + m_Holes);
  m_ByUid.reserve(count);
}

void GraphicList::CopyTo(IArray* array) const {
  zelph::ThrowIfNull(array);
  for (const Item& item : m_Items) {
    if (item.graphic) zelph::ThrowIfFailed(array->Add(item.graphic));
  }
}

std::size_t GraphicList::Locate(const UidKey& uid, IGraphic3D* asked) {
  std::size_t position = LocateIndexed(uid, asked);
  if (position != kNotFound) return position;
  // Nothing listed under this UID still has it: some graphic may have taken
  // it since it was listed.
  Reindex();
  return LocateIndexed(uid, asked);
}

std::size_t GraphicList::LocateIndexed(const UidKey& uid, IGraphic3D* asked) {
  for (;;) {
    std::size_t first = kNotFound;
    auto [indexed, end] = m_ByUid.equal_range(std::hash<UidKey>{}(uid));
    for (; indexed != end; ++indexed) {
      if (m_Items[indexed->second].indexedUid == uid) first = std::min(first, indexed->second);
    }
    if (first == kNotFound) return kNotFound;
    if (asked && m_Items[first].graphic == asked) return first;
    UidKey current = UidOf(m_Items[first].graphic);
    if (current == uid) return first;
    // This graphic has changed its UID: file it under the new one.
    Unindex(first);
    m_Items[first].indexedUid = current;
    Index(first);
  }
}

void GraphicList::Index(std::size_t position) {
  m_ByUid.emplace(std::hash<UidKey>{}(m_Items[position].indexedUid), position);
}

void GraphicList::Unindex(std::size_t position) {
  auto [indexed, end] = m_ByUid.equal_range(std::hash<UidKey>{}(m_Items[position].indexedUid));
  for (; indexed != end; ++indexed) {
    if (indexed->second == position) {
      m_ByUid.erase(indexed);
      return;
    }
  }
}

void GraphicList::CompactIfSparse() {
  if (m_Holes < kLeastHolesToCompact || m_Holes * 2 < m_Items.size()) return;
  std::erase_if(m_Items, [](const Item& item) { return !item.graphic; });
  m_Holes = 0;
  m_ByUid.clear();
  for (std::size_t position = 0; position < m_Items.size(); ++position) Index(position);
}

void GraphicList::Reindex() {
  m_ByUid.clear();
  for (std::size_t position = 0; position < m_Items.size(); ++position) {
    Item& item = m_Items[position];
    if (!item.graphic) continue;
    item.indexedUid = UidOf(item.graphic);
    Index(position);
  }
}
