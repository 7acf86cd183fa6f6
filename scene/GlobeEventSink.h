// What the scene manager advises to a globe display in its place: a small
// object that hands every draw event on to the scene manager.
//
// The display holds its sinks by counted reference. Were the scene manager
// itself the sink, the display and the scene manager would hold each other
// and a released scene manager would live (and draw) as long as the
// display. The sink holds the scene manager by plain pointer instead, so
// that the client's last release reaches the scene manager's final
// release, which disconnects the sink and cuts the pointer.
#pragma once

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "platform/ComPtr.h"

class GlobeEventSink : public zelph::ComObjectRoot, public IGlobeDisplayEvents {
 public:
  using InterfaceMap = zelph::InterfaceMap<IGlobeDisplayEvents>;

  // A new sink handing events on to `target`, with one reference held.
  static CComPtr<IGlobeDisplayEvents> Create(IGlobeDisplayEvents* target);
  // Events that arrive later are answered with S_OK and go nowhere.
  static void Detach(IGlobeDisplayEvents* sink);

  STDMETHODIMP ActiveViewerChanged(ISceneViewer* viewer) override;
  STDMETHODIMP ViewerAdded(ISceneViewer* viewer) override;
  STDMETHODIMP ViewerRemoved(ISceneViewer* viewer) override;
  STDMETHODIMP InteractionStopped() override;
  STDMETHODIMP BatchTileGenerationStarted(BSTR name) override;
  STDMETHODIMP BatchTileGenerationStopped() override;
  STDMETHODIMP BeforeDraw(ISceneViewer* viewer, VARIANT_BOOL* handled) override;
  STDMETHODIMP AfterDraw(ISceneViewer* viewer) override;
  STDMETHODIMP VectorOverflow(ILayer* layer) override;
  STDMETHODIMP TileOverflow(ILayer* layer) override;

 private:
  IGlobeDisplayEvents* m_Target = nullptr;
};
