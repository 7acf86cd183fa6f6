// The renderables of the scene manager's top-level graphics, owned here and
// kept in draw order: by the graphic's UID, null first, then as wcscmp
// orders the strings. A renderable is stored under its own UID, so looking
// one up by key finds the renderable whose UID it is.
//
// Lookups by key and by OpenGL name take logarithmic or constant time, so
// that adding, rebuilding, removing and picking n graphics stays near
// linear in n. Destroying a renderable needs a current OpenGL context.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "render/GraphicBase.h"
#include "scene/UidKey.h"

class RenderMap {
 public:
  RenderMap() = default;
  RenderMap(const RenderMap&) = delete;
  RenderMap& operator=(const RenderMap&) = delete;

  // Stores `renderable` under `uid`; the one stored there before is
  // destroyed, after the new one is in place.
  void Place(const UidKey& uid, std::unique_ptr<GraphicBase> renderable);
  // The renderable stored under `uid`; null when there is none.
  GraphicBase* Find(const UidKey& uid) const;
  // Destroys the renderable stored under `uid`; false when there was none.
  bool Erase(const UidKey& uid);
  // The first renderable, in draw order, that draws under `name`; null
  // when none does.
  GraphicBase* FindByGLName(GLuint name) const;
  void Clear();
  std::size_t Size() const { return m_Entries.size(); }

  // Calls `visit(GraphicBase&)` for every renderable in draw order.
  template <class Visit>
  void ForEach(Visit&& visit) const {
    for (const auto& entry : m_Entries) visit(*entry.second);
  }

 private:
  using Entries = std::map<UidKey, std::unique_ptr<GraphicBase>>;

  void Unindex(Entries::iterator entry);

  Entries m_Entries;
  // The entries drawing under each OpenGL name; as a renderable keeps the
  // name it was built with, the index stays true while it is stored.
  std::unordered_map<GLuint, std::vector<Entries::iterator>> m_ByGLName;
};
