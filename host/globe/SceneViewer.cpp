#include "host/globe/SceneViewer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstring>
#include <string>

#include "host/globe/Camera.h"
#include "host/globe/FramePng.h"
#include "host/globe/GlobeAdvancedOptions.h"
#include "host/HostCall.h"
#include "host/globe/GlobeDisplay.h"
#include "host/globe/GlobeSurface.h"
#include "platform/WideString.h"

namespace zelph::host {

using namespace zelph::host::globe;

namespace {

constexpr LONG kDefaultWidth = 640;
constexpr LONG kDefaultHeight = 480;
constexpr LONG kLargestSide = 8192;

}  // namespace

HRESULT SceneViewer::FinalConstruct() {
  return HostCall([&] {
    ThrowIfFailed(zelph::CreateComInstance<Camera>(nullptr, IID_ICamera, reinterpret_cast<void**>(&m_Camera)));
    m_CameraObject = static_cast<Camera*>(m_Camera.p);
    m_Context = std::make_unique<zelph::OffscreenGLContext>(kDefaultWidth, kDefaultHeight);
    m_CameraObject->SetAspect(static_cast<double>(kDefaultWidth) / kDefaultHeight);
  });
}

void SceneViewer::FinalRelease() {
  m_Context.reset();
  m_CameraObject = nullptr;
  m_Camera.Release();
}

STDMETHODIMP SceneViewer::Redraw(VARIANT_BOOL) {
  return HostCall([&] {
    // A sink may let go of the last reference to the display or to this
    // viewer during the frame; both stay until the frame is over.
    CComPtr<ISceneViewer> keepViewer(this);
    CComPtr<IGlobeDisplay> keepDisplay(m_Display);
    auto started = std::chrono::steady_clock::now();

    m_Context->MakeCurrent();
    GLint mode = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    LoadView();
    if (mode == GL_RENDER) ClearFrame();

    VARIANT_BOOL handled = VARIANT_FALSE;
    if (m_Display) m_Display->FireBeforeDraw(this, &handled);
    // Whatever the sinks did to the matrices, the globe and AfterDraw get
    // the camera's.
    LoadView();
    if (handled == VARIANT_FALSE) {
      // A viewer whose display has gone draws with the options' default.
      double offsetFactor =
          m_Display ? m_Display->SurfaceOffsetFactor() : GlobeAdvancedOptions::kDefaultSurfaceOffsetFactor;
      GlobeSurface::Draw(offsetFactor, mode == GL_SELECT);
    }
    if (m_Display) m_Display->FireAfterDraw(this);
    if (mode != GL_RENDER) return;

    glFinish();
    m_Frame = m_Context->ReadPixels();
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    if (m_Display) m_Display->CountFrame(elapsed.count());
  });
}

void SceneViewer::LoadView() {
  ViewFrame view = m_CameraObject->Frame();
  glViewport(0, 0, m_Context->Width(), m_Context->Height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(view.fieldAngle, view.aspect, view.NearPlane(), view.FarPlane());
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  Vec3 centre = view.eye + view.forward;
  gluLookAt(view.eye.x, view.eye.y, view.eye.z, centre.x, centre.y, centre.z, view.up.x, view.up.y, view.up.z);
  glEnable(GL_DEPTH_TEST);
}

void SceneViewer::ClearFrame() {
  // Whatever masks and scissor the last frame's sinks left must not keep
  // parts of it.
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_SCISSOR_BIT);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glStencilMask(~0u);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glClearStencil(0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glPopAttrib();
}

STDMETHODIMP SceneViewer::get_Camera(ICamera** camera) {
  return HostCall([&] { return m_Camera.CopyTo(camera); }, camera);
}

STDMETHODIMP SceneViewer::SetFrameSize(LONG width, LONG height) {
  return HostCall([&] {
    RequireArgument(width >= 1 && width <= kLargestSide && height >= 1 && height <= kLargestSide);
    if (width == m_Context->Width() && height == m_Context->Height()) return;
    // The context stays, so what the sinks compiled in it (display lists,
    // textures) survives a resize.
    m_Context->Resize(width, height);
    m_Frame.clear();
    m_CameraObject->SetAspect(static_cast<double>(width) / height);
  });
}

STDMETHODIMP SceneViewer::get_FrameWidth(LONG* width) {
  return HostCall([&] { *width = m_Context->Width(); }, width);
}

STDMETHODIMP SceneViewer::get_FrameHeight(LONG* height) {
  return HostCall([&] { *height = m_Context->Height(); }, height);
}

STDMETHODIMP SceneViewer::MakeCurrent() {
  return HostCall([&] { m_Context->MakeCurrent(); });
}

STDMETHODIMP SceneViewer::ReadFrame(BYTE* rgba, LONG size) {
  return HostCall(
      [&] {
        size_t needed = static_cast<size_t>(m_Context->Width()) * m_Context->Height() * 4;
        RequireArgument(size >= 0 && static_cast<size_t>(size) >= needed);
        if (m_Frame.empty()) Fail(E_FAIL);
        std::memcpy(rgba, m_Frame.data(), needed);
      },
      rgba);
}

STDMETHODIMP SceneViewer::SaveFrame(BSTR pngPath) {
  return HostCall([&] {
    // A null BSTR is the empty string.
    std::string path = zelph::ToUtf8(pngPath ? pngPath : L"");
    RequireArgument(!path.empty());
    if (m_Frame.empty()) Fail(E_FAIL);
    if (!WriteBottomUpRgbaPng(path, m_Context->Width(), m_Context->Height(), m_Frame.data())) Fail(E_FAIL);
  });
}

}  // namespace zelph::host
