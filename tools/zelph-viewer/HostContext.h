// While alive, the reference host's offscreen context is current instead of
// the window's. The two come from different GL APIs (the host's from EGL,
// GLUT's from GLX), and one API refuses to make a context current while the
// other's still is, so each is let go before the other is taken, and the
// window's context comes back afterwards.
#pragma once

#include <GL/glx.h>

#include "host/HostInterfaces.h"

namespace zelph::viewer {

class HostContext {
 public:
  explicit HostContext(IOffscreenViewer* frame);
  ~HostContext();
  HostContext(const HostContext&) = delete;
  HostContext& operator=(const HostContext&) = delete;

  // Lets go of the host's context, so that a window's can be made current.
  static void Release();

 private:
  Display* m_Display;
  GLXDrawable m_Drawable;
  GLXContext m_Context;
};

}  // namespace zelph::viewer
