// The renderable of a group graphic: owns its member renderables, draws
// them together (billboards in one billboard pass, then the rest) so that
// they can be picked as one graphic, and hands its own presentation,
// orientation, name, material, anchor moves and invalidations on to every
// member. It applies no transform of its own.
//
// Construction and destruction need a current OpenGL context.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/ComBstr.h"
#include "render/GraphicBase.h"

class RenderGroup : public GraphicBase {
 public:
  explicit RenderGroup(GLuint Name = kNextGLName);
  ~RenderGroup() override;

  void InvalidateLocation() override;
  void InvalidateOrientation() override;
  void InvalidateSize() override;
  void Render() override;

  void SetGLName(GLuint Name) override;
  // Moves the members by the anchor's move when Center is true.
  void SetCentroidLocation(Geopunctus CentroidLocation, bool Center) override;
  void SetRenderMaterial(RenderMaterial Material) override;
  void SetHeading(float Heading, bool AddNotReplace) override;
  void SetPitch(float Pitch, bool AddNotReplace) override;
  void SetRoll(float Roll, bool AddNotReplace) override;

  // Takes the member, gives it the group's name and files it with the
  // billboards or with the others. A member inside the globe makes the
  // group subsurface for good. Null is ignored.
  void AddGraphic(std::unique_ptr<GraphicBase> pGraphic);
  // The first member, billboards first, whose identifier is exactly UID;
  // null when there is none. The group keeps ownership.
  GraphicBase* FindGraphic(const CComBSTR& UID);
  void ClearGraphics();
  std::size_t GetGraphicCount();

  bool GetSelectAsGroup() const { return m_SelectAsGroup; }
  void SetSelectAsGroup(bool SelectAsGroup) { m_SelectAsGroup = SelectAsGroup; }

  // Moves every member's anchor, and every callout's location, by
  // Neo - Old in latitude, longitude and altitude.
  void ReCenterGraphics(Geopunctus Old, Geopunctus Neo);
  // Copies the group's presentation onto every member: nameless, wireframe,
  // selection and its mode and colour, scale, topmost, alpha, geographic,
  // visibility.
  void CascadeGraphicProperties();

 private:
  // Runs `act` on every member, billboards first, under the member lock.
  template <class Act>
  void ForEachGraphic(Act&& act) {
    std::lock_guard<std::recursive_mutex> lock(m_Critical);
    for (auto& graphic : m_BillboardGraphics) act(*graphic);
    for (auto& graphic : m_OtherGraphics) act(*graphic);
  }

  std::vector<std::unique_ptr<GraphicBase>> m_BillboardGraphics;
  std::vector<std::unique_ptr<GraphicBase>> m_OtherGraphics;
  bool m_SelectAsGroup = true;
  std::recursive_mutex m_Critical;
};
