#include "scene/RenderMap.h"

#include <algorithm>
#include <utility>

void RenderMap::Place(const UidKey& uid, std::unique_ptr<GraphicBase> renderable) {
  if (!renderable) return;
  std::unique_ptr<GraphicBase> replaced = std::exchange(m_Entries[uid], std::move(renderable));
  Changed();
  replaced.reset();
}

GraphicBase* RenderMap::Find(const UidKey& uid) const {
  auto entry = m_Entries.find(uid);
  return entry == m_Entries.end() ? nullptr : entry->second.get();
}

bool RenderMap::Erase(const UidKey& uid) {
  auto entry = m_Entries.find(uid);
  if (entry == m_Entries.end()) return false;
  std::unique_ptr<GraphicBase> erased = std::move(entry->second);
  m_Entries.erase(entry);
  Changed();
  return true;
}

GraphicBase* RenderMap::FindByGLName(GLuint name) const {
  const Entry* first = nullptr;
  auto [named, end] = NameIndex().equal_range(name);
  for (; named != end; ++named) {
    if (!first || DrawsBefore(named->second, first)) first = named->second;
  }
  return first ? first->second.get() : nullptr;
}

void RenderMap::Reserve(std::size_t count) { m_Entries.reserve(count); }

void RenderMap::Clear() {
  m_Entries.clear();
  Changed();
}

bool RenderMap::DrawsBefore(const Entry* a, const Entry* b) { return a->first < b->first; }

const std::vector<const RenderMap::Entry*>& RenderMap::DrawOrder() const {
  if (m_DrawOrderStale) {
    m_DrawOrder.clear();
    m_DrawOrder.reserve(m_Entries.size());
    for (const Entry& entry : m_Entries) m_DrawOrder.push_back(&entry);
    std::sort(m_DrawOrder.begin(), m_DrawOrder.end(), DrawsBefore);
    m_DrawOrderStale = false;
  }
  return m_DrawOrder;
}

const std::unordered_multimap<GLuint, const RenderMap::Entry*>& RenderMap::NameIndex() const {
  if (m_NameIndexStale) {
    m_ByGLName.clear();
    m_ByGLName.reserve(m_Entries.size());
    for (const Entry& entry : m_Entries) m_ByGLName.emplace(entry.second->GetGLName(), &entry);
    m_NameIndexStale = false;
  }
  return m_ByGLName;
}

void RenderMap::Changed() {
  m_DrawOrderStale = true;
  m_NameIndexStale = true;
}
