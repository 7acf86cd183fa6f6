#include "scene/GlobeEventSink.h"

#include "platform/ComException.h"

CComPtr<IGlobeDisplayEvents> GlobeEventSink::Create(IGlobeDisplayEvents* target) {
  zelph::ComObject<GlobeEventSink>* created = nullptr;
  zelph::ThrowIfFailed(zelph::ComObject<GlobeEventSink>::CreateInstance(&created));
  created->m_Target = target;
  return CComPtr<IGlobeDisplayEvents>(created);
}

void GlobeEventSink::Detach(IGlobeDisplayEvents* sink) {
  if (sink) static_cast<GlobeEventSink*>(sink)->m_Target = nullptr;
}

STDMETHODIMP GlobeEventSink::ActiveViewerChanged(ISceneViewer* viewer) {
  return m_Target ? m_Target->ActiveViewerChanged(viewer) : S_OK;
}
STDMETHODIMP GlobeEventSink::ViewerAdded(ISceneViewer* viewer) {
  return m_Target ? m_Target->ViewerAdded(viewer) : S_OK;
}
STDMETHODIMP GlobeEventSink::ViewerRemoved(ISceneViewer* viewer) {
  return m_Target ? m_Target->ViewerRemoved(viewer) : S_OK;
}
STDMETHODIMP GlobeEventSink::InteractionStopped() { return m_Target ? m_Target->InteractionStopped() : S_OK; }
STDMETHODIMP GlobeEventSink::BatchTileGenerationStarted(BSTR name) {
  return m_Target ? m_Target->BatchTileGenerationStarted(name) : S_OK;
}
STDMETHODIMP GlobeEventSink::BatchTileGenerationStopped() {
  return m_Target ? m_Target->BatchTileGenerationStopped() : S_OK;
}
STDMETHODIMP GlobeEventSink::BeforeDraw(ISceneViewer* viewer, VARIANT_BOOL* handled) {
  return m_Target ? m_Target->BeforeDraw(viewer, handled) : S_OK;
}
STDMETHODIMP GlobeEventSink::AfterDraw(ISceneViewer* viewer) { return m_Target ? m_Target->AfterDraw(viewer) : S_OK; }
STDMETHODIMP GlobeEventSink::VectorOverflow(ILayer* layer) { return m_Target ? m_Target->VectorOverflow(layer) : S_OK; }
STDMETHODIMP GlobeEventSink::TileOverflow(ILayer* layer) { return m_Target ? m_Target->TileOverflow(layer) : S_OK; }
