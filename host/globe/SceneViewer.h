// The host's viewer: draws the display's frames offscreen into its own
// OpenGL context (Mesa's surfaceless EGL, so no GPU and no display are
// needed) and keeps the last frame for reading and saving.
//
// A frame, drawn synchronously by Redraw:
//   1. the viewer's context is made current and its render mode read;
//   2. the viewport becomes the frame, the projection and model-view
//      matrices the camera's (matrix mode GL_MODELVIEW), the depth test is
//      switched on; in GL_RENDER mode colour (black), depth and stencil are
//      cleared;
//   3. BeforeDraw goes to every sink; a sink that sets `handled` to true
//      has drawn the globe itself, and the host's globe is left out;
//   4. the camera's matrices are loaded again, then the globe is drawn (in
//      GL_SELECT mode under the names of GlobeSelectionNames.h);
//   5. AfterDraw goes to every sink;
//   6. in GL_RENDER mode the frame is finished and read back.
// In GL_SELECT (or GL_FEEDBACK) mode, set by a caller that picks, nothing is
// cleared and nothing read back. The context stays current afterwards, so a
// caller may go on issuing OpenGL calls on it between frames.
//
// What the sinks find in force in both events: the context current, the
// viewport, the camera's projection and model-view matrices, matrix mode
// GL_MODELVIEW and the depth test on. The host's drawing of the globe pushes
// and pops everything else it sets (lighting, material, polygon offset,
// colour, line width), so every other state is as the context began or as
// the sinks left it: by default lighting, texturing and blending off, depth
// function GL_LESS, depth writes on, and an empty name stack in a selection
// pass.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "host/HostInterfaces.h"
#include "platform/ComPtr.h"
#include "platform/OffscreenGLContext.h"

namespace zelph::host {

class Camera;
class GlobeDisplay;

class SceneViewer : public zelph::ComObjectRoot, public ISceneViewer, public IOffscreenViewer {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISceneViewer, IOffscreenViewer>;

  // Makes the camera and a context of 640 x 480 pixels; E_FAIL when no
  // context can be made.
  HRESULT FinalConstruct();
  void FinalRelease();

  // ISceneViewer. A partial redraw is a full one: every frame is drawn
  // whole.
  STDMETHODIMP Redraw(VARIANT_BOOL fullRedraw) override;
  STDMETHODIMP get_Camera(ICamera** camera) override;

  // IOffscreenViewer. Resizing makes a new context (the old one's display
  // lists and textures go with it) and forgets the last frame. ReadFrame and
  // SaveFrame fail with E_FAIL until a frame has been drawn at the current
  // size; an unwritable path fails SaveFrame with E_FAIL, an empty one with
  // E_INVALIDARG.
  STDMETHODIMP SetFrameSize(LONG width, LONG height) override;
  STDMETHODIMP get_FrameWidth(LONG* width) override;
  STDMETHODIMP get_FrameHeight(LONG* height) override;
  STDMETHODIMP MakeCurrent() override;
  STDMETHODIMP ReadFrame(BYTE* rgba, LONG size) override;
  STDMETHODIMP SaveFrame(BSTR pngPath) override;

  // The display whose sinks get this viewer's draw events; null for none.
  void AttachDisplay(GlobeDisplay* display) { m_Display = display; }

 private:
  void LoadView();
  void ClearFrame();

  GlobeDisplay* m_Display = nullptr;
  CComPtr<ICamera> m_Camera;
  Camera* m_CameraObject = nullptr;
  std::unique_ptr<zelph::OffscreenGLContext> m_Context;
  // RGBA rows bottom-up; empty until a frame is drawn at the current size.
  std::vector<std::uint8_t> m_Frame;
};

}  // namespace zelph::host
