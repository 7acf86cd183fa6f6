// The viewer's GLUT window. The reference host keeps drawing offscreen; each
// time the window needs painting the host's frame is redrawn, read back and
// copied into the window. The mouse orbits, zooms, picks and drags
// rubber-band rectangles; the title shows the place under the mouse.
#pragma once

#include <string>
#include <vector>

#include "tools/scenefile/SceneSession.h"
#include "tools/zelph-viewer/CameraControl.h"
#include "tools/zelph-viewer/SelectionControl.h"

namespace zelph::viewer {

struct ViewerOptions {
  // Where to save the first frame shown, and the frame shown after the
  // first click (the viewer then closes); empty for neither.
  std::string snapshotBeforeClick;
  std::string snapshotAfterClick;
};

class ViewerWindow {
 public:
  ViewerWindow(scenefile::SceneSession& session, CameraControl& camera, SelectionControl& selection,
               ViewerOptions options);

  // Opens the window at the frame's size and runs until it is closed.
  void Run();

 private:
  static ViewerWindow* s_Window;
  static void OnDisplay();
  static void OnReshape(int width, int height);
  static void OnMouse(int button, int state, int x, int y);
  static void OnDrag(int x, int y);
  static void OnHover(int x, int y);
  static void OnKey(unsigned char key, int x, int y);

  void Paint();
  void Resize(int width, int height);
  void Press(int button, int state, int x, int y);
  // The left button let go: picks after a click, selects the rectangle
  // after a shift drag, and says on stdout what is selected.
  void Release(int x, int y);
  void Drag(int x, int y);
  void ShowStatus(int x, int y);
  void Save(const std::string& path);

  scenefile::SceneSession& m_Session;
  CameraControl& m_Camera;
  SelectionControl& m_Selection;
  ViewerOptions m_Options;
  int m_GlutWindow = 0;
  int m_Width = 0;
  int m_Height = 0;
  std::vector<unsigned char> m_Pixels;
  bool m_Painted = false;
  bool m_Clicked = false;

  // The drag under way: where the left button went down, where the mouse
  // was last, whether it has moved, and whether it draws a rectangle.
  int m_PressX = 0;
  int m_PressY = 0;
  int m_LastX = 0;
  int m_LastY = 0;
  bool m_Dragging = false;
  bool m_Moved = false;
  bool m_Rectangle = false;
};

}  // namespace zelph::viewer
