// The window-system headers define macros such as None, Bool, True and
// Status that clash with ordinary names, so they are included here only.
#include <EGL/egl.h>
#include <GL/glx.h>

#include "platform/Win32OpenGL.h"

HGLRC wglGetCurrentContext() {
  if (EGLContext context = eglGetCurrentContext(); context != EGL_NO_CONTEXT) return context;
  return glXGetCurrentContext();
}
