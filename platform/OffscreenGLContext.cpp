#include "platform/OffscreenGLContext.h"

#include <GL/gl.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>

namespace zelph {
namespace {

[[noreturn]] void ThrowEglError(const char* call) {
  char message[96];
  std::snprintf(message, sizeof message, "%s failed with EGL error 0x%04x", call, static_cast<unsigned>(eglGetError()));
  throw std::runtime_error(message);
}

std::set<std::string> LoadedModuleNames() {
  std::set<std::string> names;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* names) {
        if (info->dlpi_name && *info->dlpi_name) static_cast<std::set<std::string>*>(names)->insert(info->dlpi_name);
        return 0;
      },
      &names);
  return names;
}

// The driver keeps caches in its own static data. Keeping every module that
// EGL brought in mapped until the process exits spares a later display the
// driver's reload, and keeps those caches with a named owner: were the driver
// unloaded, leak checkers would report its blocks with no module to name.
void KeepModulesLoadedSince(const std::set<std::string>& before) {
  for (const std::string& name : LoadedModuleNames()) {
    if (!before.count(name)) dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

// The surfaceless display is one per process and eglTerminate ends it for
// every context on it, so it is initialised by the first live context and
// terminated by the last; tests may hold two contexts at once.
class SharedDisplay {
 public:
  static EGLDisplay Acquire() {
    std::lock_guard<std::mutex> guard(Lock());
    static const std::set<std::string> modulesBeforeEgl = LoadedModuleNames();
    EGLDisplay display = Display();
    if (Users() == 0) {
      if (!eglInitialize(display, nullptr, nullptr)) ThrowEglError("eglInitialize");
      KeepModulesLoadedSince(modulesBeforeEgl);
    }
    ++Users();
    return display;
  }

  static void Release(EGLDisplay display) {
    std::lock_guard<std::mutex> guard(Lock());
    if (--Users() > 0) return;
    eglTerminate(display);
    // Frees the thread's EGL state too, which LeakSanitizer would
    // otherwise report at exit.
    eglReleaseThread();
  }

 private:
  static std::mutex& Lock() {
    static std::mutex lock;
    return lock;
  }
  static int& Users() {
    static int users = 0;
    return users;
  }
  static EGLDisplay Display() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) throw std::runtime_error("eglGetPlatformDisplayEXT is not available");
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) ThrowEglError("eglGetPlatformDisplayEXT");
    return display;
  }
};

EGLConfig ChooseConfig(EGLDisplay display) {
  const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                               EGL_RED_SIZE,     8,               EGL_GREEN_SIZE,      8,
                               EGL_BLUE_SIZE,    8,               EGL_ALPHA_SIZE,      8,
                               EGL_DEPTH_SIZE,   24,              EGL_STENCIL_SIZE,    8,
                               EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  if (!eglChooseConfig(display, attributes, &config, 1, &count) || count < 1) ThrowEglError("eglChooseConfig");
  return config;
}

// Reads rows without padding or offsets whatever pixel-store state the code
// under test left behind, and puts that state back afterwards.
class PackTightly {
 public:
  PackTightly() {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  }
  ~PackTightly() { glPopClientAttrib(); }
  PackTightly(const PackTightly&) = delete;
  PackTightly& operator=(const PackTightly&) = delete;
};

}  // namespace

OffscreenGLContext::OffscreenGLContext(int width, int height) : m_Width(width), m_Height(height) {
  EGLDisplay display = SharedDisplay::Acquire();
  m_Display = display;
  try {
    EGLConfig config = ChooseConfig(display);
    m_Config = config;
    m_Surface = CreateSurface(width, height);
    if (!eglBindAPI(EGL_OPENGL_API)) ThrowEglError("eglBindAPI");
    m_Context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (m_Context == EGL_NO_CONTEXT) ThrowEglError("eglCreateContext");
    MakeCurrent();
  } catch (...) {
    if (m_Context) eglDestroyContext(display, m_Context);
    if (m_Surface) eglDestroySurface(display, m_Surface);
    SharedDisplay::Release(display);
    throw;
  }
}

OffscreenGLContext::~OffscreenGLContext() {
  // Only a context that is still current is released, so destroying one
  // context leaves another that a test made current alone.
  if (eglGetCurrentContext() == m_Context) eglMakeCurrent(m_Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(m_Display, m_Context);
  eglDestroySurface(m_Display, m_Surface);
  SharedDisplay::Release(m_Display);
}

void* OffscreenGLContext::CreateSurface(int width, int height) const {
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(m_Display, m_Config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE) ThrowEglError("eglCreatePbufferSurface");
  return surface;
}

void OffscreenGLContext::Resize(int width, int height) {
  EGLSurface surface = CreateSurface(width, height);
  if (!eglMakeCurrent(m_Display, surface, surface, m_Context)) {
    eglDestroySurface(m_Display, surface);
    ThrowEglError("eglMakeCurrent");
  }
  eglDestroySurface(m_Display, m_Surface);
  m_Surface = surface;
  m_Width = width;
  m_Height = height;
  // As when the context first met a surface, the viewport covers it whole.
  glViewport(0, 0, width, height);
}

void OffscreenGLContext::MakeCurrent() {
  if (!eglMakeCurrent(m_Display, m_Surface, m_Surface, m_Context)) ThrowEglError("eglMakeCurrent");
}

Rgba OffscreenGLContext::ReadPixel(int x, int y) const {
  Rgba pixel{};
  PackTightly tightly;
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
  return pixel;
}

std::vector<std::uint8_t> OffscreenGLContext::ReadPixels() const {
  std::vector<std::uint8_t> pixels(static_cast<size_t>(m_Width) * m_Height * 4);
  PackTightly tightly;
  glReadPixels(0, 0, m_Width, m_Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace zelph
