#include "tests/support/FrameHook.h"

#include "frame/HostGuids.h"
#include "platform/ClassRegistry.h"
#include "platform/ConnectionPoints.h"

namespace zelph::test {

STDMETHODIMP FrameHook::BeforeDraw(ISceneViewer*, VARIANT_BOOL*) {
  if (onBeforeDraw) onBeforeDraw();
  return S_OK;
}

STDMETHODIMP FrameHook::AfterDraw(ISceneViewer*) {
  if (onAfterDraw) onAfterDraw();
  return S_OK;
}

AdvisedFrameHook::AdvisedFrameHook(IUnknown* display) : m_Display(display) {
  if (FAILED(zelph::CreateComInstance<FrameHook>(nullptr, IID_IGlobeDisplayEvents,
                                                 reinterpret_cast<void**>(&m_Sink)))) {
    return;
  }
  m_Hook = static_cast<zelph::ComObject<FrameHook>*>(m_Sink.p);
  if (m_Display) AtlAdvise(m_Display, m_Sink, IID_IGlobeDisplayEvents, &m_Cookie);
}

AdvisedFrameHook::~AdvisedFrameHook() {
  if (m_Cookie) AtlUnadvise(m_Display, IID_IGlobeDisplayEvents, m_Cookie);
}

ReferenceView ReferenceView::Open() {
  ReferenceView view;
  if (FAILED(view.display.CoCreateInstance(CLSID_GlobeDisplay))) return view;
  if (FAILED(view.display->get_ActiveViewer(&view.viewer)) || !view.viewer) return view;
  view.frame = view.viewer.p;
  if (SUCCEEDED(view.viewer->get_Camera(&view.camera))) view.globeCamera = view.camera.p;
  return view;
}

}  // namespace zelph::test
