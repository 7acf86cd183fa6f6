#include "render/RenderGroup.h"

#include "frame/CTiming.h"
#include "frame/Logger.h"
#include "render/CalloutBase.h"
#include "render/RenderBillboard.h"

namespace {

// Closes the billboard pass however the billboards' drawing ends.
class BillboardPass {
 public:
  BillboardPass() { RenderBillboard::PreRender(); }
  ~BillboardPass() { RenderBillboard::PostRender(); }
  BillboardPass(const BillboardPass&) = delete;
  BillboardPass& operator=(const BillboardPass&) = delete;
};

Geopunctus Moved(const Geopunctus& point, float dLat, float dLon, float dAlt) {
  return Geopunctus(point.GetLat() + dLat, point.GetLon() + dLon, point.GetAltMeters() + dAlt);
}

}  // namespace

RenderGroup::RenderGroup(GLuint Name) : GraphicBase(Name) {}

RenderGroup::~RenderGroup() = default;

void RenderGroup::InvalidateLocation() {
  Guarded(L"InvalidateLocation", [&] { ForEachGraphic([](GraphicBase& g) { g.InvalidateLocation(); }); });
}

void RenderGroup::InvalidateOrientation() {
  Guarded(L"InvalidateOrientation", [&] { ForEachGraphic([](GraphicBase& g) { g.InvalidateOrientation(); }); });
}

void RenderGroup::InvalidateSize() {
  Guarded(L"InvalidateSize", [&] { ForEachGraphic([](GraphicBase& g) { g.InvalidateSize(); }); });
}

void RenderGroup::Render() {
  Guarded(L"Render", [&] {
    if (!m_Visible) return;
    std::lock_guard<std::recursive_mutex> lock(m_Critical);
    const double start = CTiming::GetTickCount();
    // Every member drawn from here on is picked as the group.
    if (!m_Nameless && m_SelectAsGroup) glLoadName(m_GLName);
    {
      BillboardPass pass;
      for (auto& billboard : m_BillboardGraphics) billboard->Render();
    }
    for (auto& other : m_OtherGraphics) other->Render();
    const int drawn = static_cast<int>(m_BillboardGraphics.size() + m_OtherGraphics.size());
    Logger::Trace(L"%d graphic(s) rendered as a group in %g ms.", drawn,
                  (CTiming::GetTickCount() - start) * 1000.0);
  });
}

void RenderGroup::SetGLName(GLuint Name) {
  GraphicBase::SetGLName(Name);
  Guarded(L"SetGLName", [&] { ForEachGraphic([&](GraphicBase& g) { g.SetGLName(Name); }); });
}

void RenderGroup::SetCentroidLocation(Geopunctus CentroidLocation, bool Center) {
  const Geopunctus old = m_CentroidLocation;
  GraphicBase::SetCentroidLocation(CentroidLocation, Center);
  if (Center) ReCenterGraphics(old, m_CentroidLocation);
}

void RenderGroup::SetRenderMaterial(RenderMaterial Material) {
  GraphicBase::SetRenderMaterial(Material);
  Guarded(L"SetRenderMaterial", [&] { ForEachGraphic([&](GraphicBase& g) { g.SetRenderMaterial(Material); }); });
}

void RenderGroup::SetHeading(float Heading, bool AddNotReplace) {
  GraphicBase::SetHeading(Heading, AddNotReplace);
  Guarded(L"SetHeading", [&] { ForEachGraphic([&](GraphicBase& g) { g.SetHeading(Heading, AddNotReplace); }); });
}

void RenderGroup::SetPitch(float Pitch, bool AddNotReplace) {
  GraphicBase::SetPitch(Pitch, AddNotReplace);
  Guarded(L"SetPitch", [&] { ForEachGraphic([&](GraphicBase& g) { g.SetPitch(Pitch, AddNotReplace); }); });
}

void RenderGroup::SetRoll(float Roll, bool AddNotReplace) {
  GraphicBase::SetRoll(Roll, AddNotReplace);
  Guarded(L"SetRoll", [&] { ForEachGraphic([&](GraphicBase& g) { g.SetRoll(Roll, AddNotReplace); }); });
}

void RenderGroup::AddGraphic(std::unique_ptr<GraphicBase> pGraphic) {
  Guarded(L"AddGraphic", [&] {
    if (!pGraphic) return;
    std::lock_guard<std::recursive_mutex> lock(m_Critical);
    pGraphic->SetGLName(m_GLName);
    if (pGraphic->IsSubsurface()) m_IsSubsurface = true;
    auto& list = pGraphic->IsBillboard() ? m_BillboardGraphics : m_OtherGraphics;
    list.push_back(std::move(pGraphic));
  });
}

GraphicBase* RenderGroup::FindGraphic(const CComBSTR& UID) {
  std::lock_guard<std::recursive_mutex> lock(m_Critical);
  for (auto* list : {&m_BillboardGraphics, &m_OtherGraphics}) {
    for (auto& graphic : *list) {
      if (graphic->GetUID().View() == UID.View()) return graphic.get();
    }
  }
  return nullptr;
}

void RenderGroup::ClearGraphics() {
  std::lock_guard<std::recursive_mutex> lock(m_Critical);
  m_BillboardGraphics.clear();
  m_OtherGraphics.clear();
}

std::size_t RenderGroup::GetGraphicCount() {
  std::lock_guard<std::recursive_mutex> lock(m_Critical);
  return m_BillboardGraphics.size() + m_OtherGraphics.size();
}

void RenderGroup::ReCenterGraphics(Geopunctus Old, Geopunctus Neo) {
  Guarded(L"ReCenterGraphics", [&] {
    const float dLat = Neo.GetLat() - Old.GetLat();
    const float dLon = Neo.GetLon() - Old.GetLon();
    const float dAlt = Neo.GetAltMeters() - Old.GetAltMeters();
    ForEachGraphic([&](GraphicBase& g) {
      // Lines and areas take their vertices along.
      g.SetCentroidLocation(Moved(g.GetCentroidLocation(), dLat, dLon, dAlt), true);
      if (!g.HasCallout()) return;
      if (auto* callout = dynamic_cast<CalloutBase*>(&g)) {
        callout->SetCalloutLocation(Moved(callout->GetCalloutLocation(), dLat, dLon, dAlt));
      }
    });
  });
}

void RenderGroup::CascadeGraphicProperties() {
  Guarded(L"CascadeGraphicProperties", [&] {
    ForEachGraphic([&](GraphicBase& g) {
      g.SetNameless(m_Nameless);
      g.SetWireframe(m_Wireframe);
      g.SetSelected(m_Selected);
      if (m_SelectOutline) {
        g.SetSelectOutline();
      } else if (m_SelectOverlay) {
        g.SetSelectOverlay();
      }
      g.SetSelectionRGB(m_SelectR, m_SelectG, m_SelectB);
      g.SetScale(m_Scale);
      g.SetTopmost(m_Topmost);
      g.SetAlpha(m_Alpha);
      g.SetGeographic(m_Geographic);
      g.SetVisible(m_Visible);
    });
  });
}
