#include "scene/GraphicList.h"

#include "frame/ErrorConvention.h"
#include "platform/ComBstr.h"

UidKey GraphicList::UidOf(IGraphic3D* graphic) {
  CComBSTR uid;
  if (!graphic || graphic->get_UID(&uid) != S_OK) return UidKey();
  return UidKey(uid.m_str);
}

void GraphicList::Append(IGraphic3D* graphic) {
  zelph::ThrowIfNull(graphic);
  auto item = m_Items.emplace_hint(m_Items.end(), m_NextSequence++, Item{graphic, UidOf(graphic)});
  Index(item);
}

CComPtr<IGraphic3D> GraphicList::Find(const UidKey& uid) {
  auto item = Locate(uid);
  return item == m_Items.end() ? nullptr : item->second.graphic;
}

CComPtr<IGraphic3D> GraphicList::RemoveFirst(const UidKey& uid) {
  auto item = Locate(uid);
  if (item == m_Items.end()) return nullptr;
  CComPtr<IGraphic3D> removed = item->second.graphic;
  Unindex(item);
  m_Items.erase(item);
  return removed;
}

void GraphicList::Clear() {
  m_ByUid.clear();
  m_Items.clear();
}

void GraphicList::CopyTo(IArray* array) const {
  zelph::ThrowIfNull(array);
  for (const auto& [sequence, item] : m_Items) zelph::ThrowIfFailed(array->Add(item.graphic));
}

GraphicList::Items::iterator GraphicList::Locate(const UidKey& uid) {
  auto item = LocateIndexed(uid);
  if (item != m_Items.end()) return item;
  // Nothing listed under this UID still has it: some graphic may have taken
  // it since it was listed.
  Reindex();
  return LocateIndexed(uid);
}

GraphicList::Items::iterator GraphicList::LocateIndexed(const UidKey& uid) {
  auto indexed = m_ByUid.find(uid);
  while (indexed != m_ByUid.end() && !indexed->second.empty()) {
    auto item = m_Items.find(*indexed->second.begin());
    UidKey current = UidOf(item->second.graphic);
    if (current == uid) return item;
    // This graphic has changed its UID: file it under the new one.
    Unindex(item);
    item->second.indexedUid = current;
    Index(item);
    indexed = m_ByUid.find(uid);
  }
  return m_Items.end();
}

void GraphicList::Index(Items::iterator item) { m_ByUid[item->second.indexedUid].insert(item->first); }

void GraphicList::Unindex(Items::iterator item) {
  auto indexed = m_ByUid.find(item->second.indexedUid);
  if (indexed == m_ByUid.end()) return;
  indexed->second.erase(item->first);
  if (indexed->second.empty()) m_ByUid.erase(indexed);
}

void GraphicList::Reindex() {
  m_ByUid.clear();
  for (auto item = m_Items.begin(); item != m_Items.end(); ++item) {
    item->second.indexedUid = UidOf(item->second.graphic);
    Index(item);
  }
}
