// Picks graphics for the viewer, one under a click or all inside a dragged
// rectangle, and shows them selected; the previous selection is let go.
#pragma once

#include <string>
#include <vector>

#include "frame/SceneInterfaces.h"
#include "platform/ComPtr.h"

namespace zelph::viewer {

class SelectionControl {
 public:
  explicit SelectionControl(ISceneManager3D* manager);

  // Selects the graphic under window pixel (x, y), row 0 at the top; none
  // when nothing is there.
  void PickPoint(long x, long y);

  // The rubber-band rectangle from a press at (x, y) to where the mouse is.
  void StartRectangle(long x, long y);
  void DragRectangle(long x, long y);
  // Selects every graphic inside the rectangle dragged to (x, y).
  void FinishRectangle(long x, long y);

  // The names (or UIDs) of the selected graphics, for the status line.
  std::vector<std::string> SelectedNames() const;

 private:
  void Select(std::vector<CComPtr<IGraphic3D>> graphics);
  // Rebuilds the graphic's look (selected or not) before the next frame.
  void MarkChanged(IGraphic3D* graphic);

  CComPtr<ISceneManager3D> m_Manager;
  std::vector<CComPtr<IGraphic3D>> m_Selected;
  long m_StartX = 0;
  long m_StartY = 0;
};

}  // namespace zelph::viewer
