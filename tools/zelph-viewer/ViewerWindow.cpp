#include "tools/zelph-viewer/ViewerWindow.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "platform/ComBstr.h"
#include "platform/WideString.h"
#include "tools/zelph-viewer/HostContext.h"

namespace zelph::viewer {

namespace {

constexpr int kWheelUp = 3;
constexpr int kWheelDown = 4;
constexpr double kZoomIn = 0.8;
constexpr double kZoomOut = 1.25;
// A press and release this close together is a click, not a drag.
constexpr int kClickSlop = 2;

}  // namespace

ViewerWindow* ViewerWindow::s_Window = nullptr;

ViewerWindow::ViewerWindow(scenefile::SceneSession& session, CameraControl& camera, SelectionControl& selection,
                           ViewerOptions options)
    : m_Session(session), m_Camera(camera), m_Selection(selection), m_Options(std::move(options)) {}

void ViewerWindow::Run() {
  LONG width = 0, height = 0;
  m_Session.frame->get_FrameWidth(&width);
  m_Session.frame->get_FrameHeight(&height);
  s_Window = this;
  // GLUT takes no options of its own from the viewer's command line.
  int argc = 1;
  char programName[] = "zelph-viewer";
  char* argv[] = {programName, nullptr};
  glutInit(&argc, argv);
  HostContext::Release();
  glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
  glutInitWindowSize(width, height);
  glutInitWindowPosition(0, 0);
  m_GlutWindow = glutCreateWindow("zelph-viewer");
  glutDisplayFunc(OnDisplay);
  glutReshapeFunc(OnReshape);
  glutMouseFunc(OnMouse);
  glutMotionFunc(OnDrag);
  glutPassiveMotionFunc(OnHover);
  glutKeyboardFunc(OnKey);
  glutMainLoop();
  s_Window = nullptr;
}

void ViewerWindow::OnDisplay() { s_Window->Paint(); }
void ViewerWindow::OnReshape(int width, int height) { s_Window->Resize(width, height); }
void ViewerWindow::OnMouse(int button, int state, int x, int y) { s_Window->Press(button, state, x, y); }
void ViewerWindow::OnDrag(int x, int y) { s_Window->Drag(x, y); }
void ViewerWindow::OnHover(int x, int y) { s_Window->ShowStatus(x, y); }
void ViewerWindow::OnKey(unsigned char key, int, int) {
  if (key == 'q' || key == 27) glutLeaveMainLoop();
}

void ViewerWindow::Paint() {
  m_Pixels.resize(static_cast<size_t>(m_Width) * m_Height * 4);
  bool read = false;
  {
    HostContext host(m_Session.frame);
    m_Session.viewer->Redraw(VARIANT_TRUE);
    read = SUCCEEDED(m_Session.frame->ReadFrame(m_Pixels.data(), static_cast<LONG>(m_Pixels.size())));
  }
  glViewport(0, 0, m_Width, m_Height);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  if (read) {
    // The frame comes bottom row first, as glDrawPixels wants it.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRasterPos2i(-1, -1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(m_Width, m_Height, GL_RGBA, GL_UNSIGNED_BYTE, m_Pixels.data());
  }
  glutSwapBuffers();

  if (!m_Painted && !m_Options.snapshotBeforeClick.empty()) Save(m_Options.snapshotBeforeClick);
  m_Painted = true;
  if (m_Clicked && !m_Options.snapshotAfterClick.empty()) {
    Save(m_Options.snapshotAfterClick);
    glutLeaveMainLoop();
  }
}

void ViewerWindow::Resize(int width, int height) {
  if (width < 1 || height < 1) return;
  HostContext host(m_Session.frame);
  if (FAILED(m_Session.frame->SetFrameSize(width, height))) return;
  m_Width = width;
  m_Height = height;
  glutPostRedisplay();
}

void ViewerWindow::Press(int button, int state, int x, int y) {
  if ((button == kWheelUp || button == kWheelDown) && state == GLUT_DOWN) {
    HostContext host(m_Session.frame);
    m_Camera.Zoom(button == kWheelUp ? kZoomIn : kZoomOut);
    glutPostRedisplay();
  } else if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN) {
    m_PressX = m_LastX = x;
    m_PressY = m_LastY = y;
    m_Dragging = true;
    m_Moved = false;
    m_Rectangle = (glutGetModifiers() & GLUT_ACTIVE_SHIFT) != 0;
    HostContext host(m_Session.frame);
    if (m_Rectangle) m_Selection.StartRectangle(x, y);
  } else if (button == GLUT_LEFT_BUTTON && state == GLUT_UP && m_Dragging) {
    Release(x, y);
    glutPostRedisplay();
  }
}

void ViewerWindow::Release(int x, int y) {
  m_Dragging = false;
  // A drag that orbited has nothing left to do.
  if (!m_Rectangle && m_Moved) return;
  {
    HostContext host(m_Session.frame);
    if (m_Rectangle) {
      m_Selection.FinishRectangle(x, y);
    } else {
      m_Selection.PickPoint(x, y);
    }
  }
  m_Clicked = true;
  std::string names;
  for (const std::string& name : m_Selection.SelectedNames()) names += (names.empty() ? "" : ", ") + name;
  std::printf("selected: %s\n", names.empty() ? "nothing" : names.c_str());
  std::fflush(stdout);
}

void ViewerWindow::Drag(int x, int y) {
  if (!m_Dragging) return;
  if (std::abs(x - m_PressX) > kClickSlop || std::abs(y - m_PressY) > kClickSlop) m_Moved = true;
  if (!m_Moved) return;
  {
    HostContext host(m_Session.frame);
    if (m_Rectangle) {
      m_Selection.DragRectangle(x, y);
    } else {
      m_Camera.Orbit(x - m_LastX, y - m_LastY);
    }
  }
  m_LastX = x;
  m_LastY = y;
  ShowStatus(x, y);
  glutPostRedisplay();
}

void ViewerWindow::ShowStatus(int x, int y) {
  char title[128] = "zelph-viewer: off the globe";
  {
    HostContext host(m_Session.frame);
    CComQIPtr<ILocationHelper3D> location{m_Session.manager.p};
    CComPtr<IPoint> place;
    if (location && SUCCEEDED(location->WindowToGeographic(x, y, &place)) && place) {
      double longitude = 0, latitude = 0;
      place->QueryCoords(&longitude, &latitude);
      std::snprintf(title, sizeof title, "zelph-viewer: %.5f %c  %.5f %c", std::abs(latitude),
                    latitude < 0 ? 'S' : 'N', std::abs(longitude), longitude < 0 ? 'W' : 'E');
    }
  }
  glutSetWindowTitle(title);
}

void ViewerWindow::Save(const std::string& path) {
  HostContext host(m_Session.frame);
  if (FAILED(m_Session.frame->SaveFrame(CComBSTR(FromUtf8(path).c_str())))) {
    std::fprintf(stderr, "zelph-viewer: could not save %s\n", path.c_str());
  }
}

}  // namespace zelph::viewer
