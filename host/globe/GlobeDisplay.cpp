#include "host/globe/GlobeDisplay.h"

#include "host/HostClasses.h"
#include "host/globe/Globe.h"
#include "host/globe/GlobeAdvancedOptions.h"
#include "host/HostCall.h"
#include "host/globe/SceneViewer.h"

namespace zelph::host {


HRESULT CreateGlobeDisplay(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<GlobeDisplay>(outer, riid, result);
}

HRESULT GlobeDisplay::FinalConstruct() {
  return HostCall([&] {
    ThrowIfFailed(zelph::CreateComInstance<Globe>(nullptr, IID_IBasicMap, reinterpret_cast<void**>(&m_Globe)));
    ThrowIfFailed(zelph::CreateComInstance<GlobeAdvancedOptions>(nullptr, IID_IGlobeAdvancedOptions,
                                                                 reinterpret_cast<void**>(&m_Options)));
    m_OptionsObject = static_cast<GlobeAdvancedOptions*>(m_Options.p);
    ThrowIfFailed(
        zelph::CreateComInstance<SceneViewer>(nullptr, IID_ISceneViewer, reinterpret_cast<void**>(&m_Viewer)));
    m_ViewerObject = static_cast<SceneViewer*>(m_Viewer.p);
    m_ViewerObject->AttachDisplay(this);
  });
}

void GlobeDisplay::FinalRelease() {
  // Sinks often hold the display's users; let them go first. The viewer may
  // outlive the display in a client's hands: it must not call back.
  m_DrawEvents.UnadviseAll();
  if (m_ViewerObject) m_ViewerObject->AttachDisplay(nullptr);
  m_ViewerObject = nullptr;
  m_Viewer.Release();
  m_OptionsObject = nullptr;
  m_Options.Release();
  m_Globe.Release();
}

STDMETHODIMP GlobeDisplay::get_ActiveViewer(ISceneViewer** viewer) {
  return HostCall([&] { return m_Viewer.CopyTo(viewer); }, viewer);
}

STDMETHODIMP GlobeDisplay::get_Globe(IUnknown** globe) {
  return HostCall([&] { return m_Globe->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(globe)); }, globe);
}

STDMETHODIMP GlobeDisplay::get_AdvancedOptions(IGlobeAdvancedOptions** options) {
  return HostCall([&] { return m_Options.CopyTo(options); }, options);
}

STDMETHODIMP GlobeDisplay::EnumConnectionPoints(IEnumConnectionPoints** points) {
  return HostCall([&] { return EnumConnectionPointsOf({&m_DrawEvents}, points); }, points);
}

STDMETHODIMP GlobeDisplay::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  return HostCall([&] { return FindConnectionPointIn({&m_DrawEvents}, iid, point); }, point);
}

STDMETHODIMP GlobeDisplay::get_FrameCount(LONG* frames) {
  return HostCall([&] { *frames = m_FrameCount; }, frames);
}

STDMETHODIMP GlobeDisplay::get_LastFrameSeconds(double* seconds) {
  return HostCall([&] { *seconds = m_LastFrameSeconds; }, seconds);
}

void GlobeDisplay::FireBeforeDraw(ISceneViewer* viewer, VARIANT_BOOL* handled) {
  for (const CComPtr<IGlobeDisplayEvents>& sink : m_DrawEvents.Sinks<IGlobeDisplayEvents>()) {
    sink->BeforeDraw(viewer, handled);
  }
}

void GlobeDisplay::FireAfterDraw(ISceneViewer* viewer) {
  for (const CComPtr<IGlobeDisplayEvents>& sink : m_DrawEvents.Sinks<IGlobeDisplayEvents>()) {
    sink->AfterDraw(viewer);
  }
}

void GlobeDisplay::CountFrame(double seconds) {
  ++m_FrameCount;
  m_LastFrameSeconds = seconds;
}

double GlobeDisplay::SurfaceOffsetFactor() const { return m_OptionsObject->SurfaceOffsetFactor(); }

}  // namespace zelph::host
