// Runs test code inside a globe display's frames, with the viewer's context
// current and the camera's matrices in force: the way the library draws.
#pragma once

#include <functional>

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "host/HostInterfaces.h"
#include "platform/ComPtr.h"

namespace zelph::test {

class FrameHook : public zelph::ComObjectRoot, public IGlobeDisplayEvents {
 public:
  using InterfaceMap = zelph::InterfaceMap<IGlobeDisplayEvents>;

  std::function<void()> onBeforeDraw;
  std::function<void()> onAfterDraw;

  STDMETHODIMP ActiveViewerChanged(ISceneViewer*) override { return E_NOTIMPL; }
  STDMETHODIMP ViewerAdded(ISceneViewer*) override { return E_NOTIMPL; }
  STDMETHODIMP ViewerRemoved(ISceneViewer*) override { return E_NOTIMPL; }
  STDMETHODIMP InteractionStopped() override { return E_NOTIMPL; }
  STDMETHODIMP BatchTileGenerationStarted(BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP BatchTileGenerationStopped() override { return E_NOTIMPL; }
  STDMETHODIMP BeforeDraw(ISceneViewer*, VARIANT_BOOL*) override;
  STDMETHODIMP AfterDraw(ISceneViewer*) override;
  STDMETHODIMP VectorOverflow(ILayer*) override { return E_NOTIMPL; }
  STDMETHODIMP TileOverflow(ILayer*) override { return E_NOTIMPL; }
};

// A hook advised to `display` for the life of this object.
class AdvisedFrameHook {
 public:
  explicit AdvisedFrameHook(IUnknown* display);
  ~AdvisedFrameHook();
  AdvisedFrameHook(const AdvisedFrameHook&) = delete;
  AdvisedFrameHook& operator=(const AdvisedFrameHook&) = delete;

  FrameHook* operator->() const { return m_Hook; }
  bool IsAdvised() const { return m_Cookie != 0; }

 private:
  CComPtr<IUnknown> m_Display;
  CComPtr<IGlobeDisplayEvents> m_Sink;
  FrameHook* m_Hook = nullptr;
  DWORD m_Cookie = 0;
};

// A new globe display of the reference host with its viewer and camera.
struct ReferenceView {
  CComPtr<IGlobeDisplay> display;
  CComPtr<ISceneViewer> viewer;
  CComQIPtr<IOffscreenViewer> frame;
  CComPtr<ICamera> camera;
  CComQIPtr<IGlobeCamera> globeCamera;

  static ReferenceView Open();
  bool IsOpen() const { return display && viewer && frame && camera && globeCamera; }
};

}  // namespace zelph::test
