#include "tools/zelph-viewer/SelectionControl.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ComBstr.h"
#include "platform/WideString.h"

namespace zelph::viewer {

SelectionControl::SelectionControl(ISceneManager3D* manager) : m_Manager(manager) {}

void SelectionControl::PickPoint(long x, long y) {
  CComQIPtr<ISelection3D> selection{m_Manager.p};
  CComPtr<IGraphic3D> hit;
  std::vector<CComPtr<IGraphic3D>> picked;
  if (selection && SUCCEEDED(selection->HitTestPoint(x, y, &hit)) && hit) picked.push_back(hit);
  Select(std::move(picked));
}

void SelectionControl::StartRectangle(long x, long y) {
  m_StartX = x;
  m_StartY = y;
  if (CComQIPtr<IOrthoTrack3D> track{m_Manager.p}) track->StartTrackRect(x, y);
}

void SelectionControl::DragRectangle(long x, long y) {
  if (CComQIPtr<IOrthoTrack3D> track{m_Manager.p}) track->UpdateTrackRect(x, y);
}

void SelectionControl::FinishRectangle(long x, long y) {
  if (CComQIPtr<IOrthoTrack3D> track{m_Manager.p}) {
    DOUBLE width = 0, height = 0;
    track->UpdateTrackRect(x, y);
    track->FinishTrackRect(&width, &height);
  }
  CComQIPtr<ISelection3D> selection{m_Manager.p};
  CComPtr<ISet> hits;
  std::vector<CComPtr<IGraphic3D>> picked;
  const long left = std::min(m_StartX, x), top = std::min(m_StartY, y);
  if (selection &&
      SUCCEEDED(selection->HitTestRect(left, top, std::labs(x - m_StartX), std::labs(y - m_StartY), &hits)) && hits) {
    hits->Reset();
    CComPtr<IUnknown> element;
    while (hits->Next(&element) == S_OK && element) {
      if (CComQIPtr<IGraphic3D> graphic{element.p}) picked.emplace_back(graphic.p);
      element.Release();
    }
  }
  Select(std::move(picked));
}

std::vector<std::string> SelectionControl::SelectedNames() const {
  std::vector<std::string> names;
  for (const CComPtr<IGraphic3D>& graphic : m_Selected) {
    CComBSTR name;
    if (FAILED(graphic->get_Name(&name)) || !name || SysStringLen(name) == 0) {
      name.Empty();
      graphic->get_UID(&name);
    }
    names.push_back(name ? ToUtf8(std::wstring(name)) : std::string("?"));
  }
  return names;
}

void SelectionControl::Select(std::vector<CComPtr<IGraphic3D>> graphics) {
  for (const CComPtr<IGraphic3D>& graphic : m_Selected) {
    graphic->put_Selected(VARIANT_FALSE);
    MarkChanged(graphic);
  }
  m_Selected = std::move(graphics);
  for (const CComPtr<IGraphic3D>& graphic : m_Selected) {
    graphic->put_Selected(VARIANT_TRUE);
    MarkChanged(graphic);
  }
}

void SelectionControl::MarkChanged(IGraphic3D* graphic) {
  if (CComQIPtr<IUpdate3D> update{graphic}) {
    kestGLUpdateLevel level = kestGLUpdateNone;
    update->get_UpdateLevel(&level);
    if (level < kestGLUpdateMajor) update->put_UpdateLevel(kestGLUpdateMajor);
  }
  m_Manager->UpdateGraphic(graphic);
}

}  // namespace zelph::viewer
