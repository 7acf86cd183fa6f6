// The renderables of the scene manager's top-level graphics, owned here and
// walked in draw order: by the graphic's UID, null first, then as wcscmp
// orders the strings. A renderable is stored under its own UID, so looking
// one up by key finds the renderable whose UID it is.
//
// Entries are hashed by UID, so adding, finding, rebuilding and removing
// one takes constant time. What only frames and picks need is made again
// when they next ask after entries came or went: the draw order (sorted
// once) and the index by OpenGL name. A scene of n graphics is thus built,
// updated and emptied in near-linear time and drawn from a flat list.
// Destroying a renderable needs a current OpenGL context.
#pragma once

#include <GL/gl.h>

#include <cstddef>
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
  // destroyed, after the new one is in place. Null is ignored.
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
  // Makes room for `count` entries in all, so that filling the map does
  // not rehash it on the way.
  void Reserve(std::size_t count);

  // Calls `visit(GraphicBase&)` for every renderable in draw order.
  template <class Visit>
  void ForEach(Visit&& visit) const {
    for (const Entry* entry : DrawOrder()) visit(*entry->second);
  }

 private:
  using Entries = std::unordered_map<UidKey, std::unique_ptr<GraphicBase>>;
  using Entry = Entries::value_type;

  static bool DrawsBefore(const Entry* a, const Entry* b);
  const std::vector<const Entry*>& DrawOrder() const;
  const std::unordered_multimap<GLuint, const Entry*>& NameIndex() const;
  void Changed();

  // Hashed nodes stay where they are while the table grows, so the lists
  // below may point at them.
  Entries m_Entries;
  mutable std::vector<const Entry*> m_DrawOrder;
  mutable bool m_DrawOrderStale = false;
  // The entries drawing under each OpenGL name (a renderable keeps the name
  // it was built with).
  mutable std::unordered_multimap<GLuint, const Entry*> m_ByGLName;
  mutable bool m_NameIndexStale = false;
};
