#include "scene/RenderMap.h"

#include <algorithm>
#include <utility>

void RenderMap::Place(const UidKey& uid, std::unique_ptr<GraphicBase> renderable) {
  if (!renderable) return;
  GLuint name = renderable->GetGLName();
  auto [entry, inserted] = m_Entries.try_emplace(uid);
  if (!inserted) Unindex(entry);
  std::unique_ptr<GraphicBase> replaced = std::exchange(entry->second, std::move(renderable));
  m_ByGLName[name].push_back(entry);
  replaced.reset();
}

GraphicBase* RenderMap::Find(const UidKey& uid) const {
  auto entry = m_Entries.find(uid);
  return entry == m_Entries.end() ? nullptr : entry->second.get();
}

bool RenderMap::Erase(const UidKey& uid) {
  auto entry = m_Entries.find(uid);
  if (entry == m_Entries.end()) return false;
  Unindex(entry);
  std::unique_ptr<GraphicBase> erased = std::move(entry->second);
  m_Entries.erase(entry);
  return true;
}

GraphicBase* RenderMap::FindByGLName(GLuint name) const {
  auto named = m_ByGLName.find(name);
  if (named == m_ByGLName.end() || named->second.empty()) return nullptr;
  auto first = std::min_element(named->second.begin(), named->second.end(),
                                [](const auto& a, const auto& b) { return a->first < b->first; });
  return (*first)->second.get();
}

void RenderMap::Clear() {
  m_ByGLName.clear();
  m_Entries.clear();
}

void RenderMap::Unindex(Entries::iterator entry) {
  if (!entry->second) return;
  auto named = m_ByGLName.find(entry->second->GetGLName());
  if (named == m_ByGLName.end()) return;
  std::erase(named->second, entry);
  if (named->second.empty()) m_ByGLName.erase(named);
}
