// The globe display the library attaches to. It owns the globe, the drawing
// options and one viewer (with its camera), fires the draw events of that
// viewer's frames to every advised sink, and counts the frames.
//
// The viewer reaches the display through a plain back pointer, which the
// display clears when it goes, so that no reference cycle keeps either
// alive.
#pragma once

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "platform/ConnectionPoints.h"

namespace zelph::host {

class GlobeAdvancedOptions;
class SceneViewer;

class GlobeDisplay : public zelph::ComObjectRoot,
                     public IGlobeDisplay,
                     public IConnectionPointContainer,
                     public IGlobeStatInfo {
 public:
  using InterfaceMap = zelph::InterfaceMap<IGlobeDisplay, IConnectionPointContainer, IGlobeStatInfo>;

  // Makes the globe, the options and a viewer of 640 x 480 pixels; fails
  // with E_FAIL when no OpenGL context can be made.
  HRESULT FinalConstruct();
  void FinalRelease();

  // IGlobeDisplay
  STDMETHODIMP get_ActiveViewer(ISceneViewer** viewer) override;
  STDMETHODIMP get_Globe(IUnknown** globe) override;
  STDMETHODIMP get_AdvancedOptions(IGlobeAdvancedOptions** options) override;

  // IConnectionPointContainer: one point, for IGlobeDisplayEvents.
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  // IGlobeStatInfo: frames drawn in GL_RENDER mode (pick passes are not
  // frames anyone sees) and how long the last one took, sinks included.
  STDMETHODIMP get_FrameCount(LONG* frames) override;
  STDMETHODIMP get_LastFrameSeconds(double* seconds) override;

  // For the viewer's frames. Every sink advised when the event starts gets
  // it, in advise order, whatever the others return and even if one of them
  // unadvises during the event; a sink advised during an event waits for
  // the next one.
  void FireBeforeDraw(ISceneViewer* viewer, VARIANT_BOOL* handled);
  void FireAfterDraw(ISceneViewer* viewer);
  void CountFrame(double seconds);
  double SurfaceOffsetFactor() const;

 private:
  CComPtr<IBasicMap> m_Globe;
  CComPtr<IGlobeAdvancedOptions> m_Options;
  GlobeAdvancedOptions* m_OptionsObject = nullptr;
  CComPtr<ISceneViewer> m_Viewer;
  SceneViewer* m_ViewerObject = nullptr;
  ConnectionPoint m_DrawEvents{*this, IID_IGlobeDisplayEvents};
  LONG m_FrameCount = 0;
  double m_LastFrameSeconds = 0.0;
};

}  // namespace zelph::host
