#include "tools/zelph-viewer/HostContext.h"

#include <EGL/egl.h>

namespace zelph::viewer {

HostContext::HostContext(IOffscreenViewer* frame)
    : m_Display(glXGetCurrentDisplay()), m_Drawable(glXGetCurrentDrawable()), m_Context(glXGetCurrentContext()) {
  if (m_Display && m_Context) glXMakeCurrent(m_Display, None, nullptr);
  frame->MakeCurrent();
}

HostContext::~HostContext() {
  Release();
  if (m_Display && m_Context) glXMakeCurrent(m_Display, m_Drawable, m_Context);
}

void HostContext::Release() {
  if (eglGetCurrentContext() != EGL_NO_CONTEXT) {
    eglMakeCurrent(eglGetCurrentDisplay(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  }
}

}  // namespace zelph::viewer
