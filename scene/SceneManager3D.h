// The 3D graphics of one globe view. A client attaches the scene manager to
// a globe display, adds graphic components and refreshes; the scene
// manager builds a renderable for every graphic, keeps the renderables in
// draw order, draws them in every frame of the display (the part beyond
// the globe's surface before the globe, the rest after it), applies each
// graphic's updates at the level the graphic asks for, and answers
// questions about the window (what lies under a point or in a rectangle,
// where a pixel lies on the globe, how far a number of pixels reaches)
// from inside the display's redraw.
//
// Renderables are made and destroyed with the display's OpenGL context
// current: in Refresh and UpdateGraphic (which a host calls between its
// frames), in RemoveGraphic and ClearAllGraphics, and at the final release.
#pragma once

#include <GL/gl.h>

#include <array>
#include <memory>
#include <vector>

#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/HostGlobe.h"
#include "frame/SceneInterfaces.h"
#include "geometry/Frustrum.h"
#include "geometry/OrthoRectangle.h"
#include "platform/ComPtr.h"
#include "platform/Win32Sync.h"
#include "scene/GraphicList.h"
#include "scene/RenderMap.h"
#include "scene/RenderableBuilder.h"
#include "scene/RenderableUpdater.h"
#include "text/FontHelper.h"

class SceneManager3D : public zelph::ComObjectRoot,
                       public zelph::DispatchImpl<ISceneManager3D>,
                       public IGlobeDisplayEvents,
                       public zelph::DispatchImpl<IOrthoTrack3D>,
                       public zelph::DispatchImpl<ISelection3D>,
                       public zelph::DispatchImpl<ILocationHelper3D> {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISceneManager3D, zelph::DispatchAs<ISceneManager3D>, IGlobeDisplayEvents,
                                           IOrthoTrack3D, ISelection3D, ILocationHelper3D>;

  // Words of the OpenGL selection buffer of a pick pass.
  static constexpr int kSelectBufferSize = 16384;

  SceneManager3D();
  ~SceneManager3D();

  HRESULT FinalConstruct();
  void FinalRelease();

  // ISceneManager3D
  STDMETHODIMP InitializeContext(IUnknown* context) override;
  STDMETHODIMP UninitializeContext() override;
  STDMETHODIMP get_BaseExaggeration(DOUBLE* exaggeration) override;
  STDMETHODIMP put_BaseExaggeration(DOUBLE exaggeration) override;
  STDMETHODIMP AddGraphic(IGraphic3D* graphic) override;
  STDMETHODIMP RemoveGraphic(IGraphic3D* graphic) override;
  STDMETHODIMP Refresh() override;
  STDMETHODIMP ClearAllGraphics() override;
  STDMETHODIMP get_Graphics(IArray** graphics) override;
  STDMETHODIMP putref_Graphics(IArray* graphics) override;
  STDMETHODIMP FindGraphic(BSTR uid, IGraphic3D** graphic) override;
  STDMETHODIMP UpdateGraphic(IGraphic3D* graphic) override;
  STDMETHODIMP get_AutoRefreshGlobe(VARIANT_BOOL* autoRefresh) override;
  STDMETHODIMP put_AutoRefreshGlobe(VARIANT_BOOL autoRefresh) override;
  STDMETHODIMP ToggleRendering(VARIANT_BOOL on) override;

  // IGlobeDisplayEvents: only the draw events do anything.
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

  // IOrthoTrack3D
  STDMETHODIMP StartTrackRect(LONG x, LONG y) override;
  STDMETHODIMP UpdateTrackRect(LONG x, LONG y) override;
  STDMETHODIMP FinishTrackRect(DOUBLE* width, DOUBLE* height) override;

  // ISelection3D
  STDMETHODIMP get_SelectionOption(kestGLSelectionOption* option) override;
  STDMETHODIMP put_SelectionOption(kestGLSelectionOption option) override;
  STDMETHODIMP get_SelectionColor(IRgbColor** color) override;
  STDMETHODIMP putref_SelectionColor(IRgbColor* color) override;
  STDMETHODIMP HitTestPoint(LONG x, LONG y, IGraphic3D** graphic) override;
  STDMETHODIMP HitTestRect(LONG x, LONG y, LONG dx, LONG dy, ISet** graphics) override;
  STDMETHODIMP ClearSelection() override;

  // ILocationHelper3D
  STDMETHODIMP WindowToGeographic(LONG x, LONG y, IPoint** location) override;
  STDMETHODIMP GeographicToWindow(IPoint* location, LONG* x, LONG* y) override;
  STDMETHODIMP PixelsToDegrees(LONG pixels, DOUBLE* degrees) override;
  STDMETHODIMP PixelsToMeters(LONG pixels, DOUBLE* meters) override;

 private:
  // Asks the viewer for a frame, drawn before the call returns.
  void Refresh3D();
  // Builds the pending graphics and lists them as processed.
  void RebuildAllRenderables();
  // Builds the renderable of the graphic (whose UID is `uid`) under its
  // OpenGL name, files it in its render map, lists the graphic as processed
  // and resets its update level.
  // (Members of groups and sensor ellipsoids are built by the builder for
  // their parent renderable.)
  void ProcessGraphic(IGraphic3D* graphic, const UidKey& uid);
  RenderMap& MapOf(RenderableBuilder::MapKind kind);
  void PlaceInRenderMap(RenderMap& map, const UidKey& uid, std::unique_ptr<GraphicBase> renderable);
  void EraseRenderable(const UidKey& uid);
  void ClearRenderMaps();
  // The renderable stored under the graphic's UID, billboards first.
  GraphicBase* FindRenderable(const UidKey& uid) const;
  // The OpenGL name the graphic with `uid` drew under, for its rebuilt
  // renderable; GraphicBase::kNextGLName for a graphic never built.
  GLuint LookUpGLName(const UidKey& uid) const;
  CComPtr<IGraphic3D> FindGraphicByName(GLuint name);
  CComPtr<IGraphic3D> FindGraphicByUid(const UidKey& uid);
  // The first pending graphic with `uid`, or -1.
  LONG PendingIndex(const UidKey& uid);
  void InitBulloriri();
  RenderableBuilder::SceneSettings Settings() const;

  // Frames.
  void DecideObserverSide(ISceneViewer* viewer);
  // Adjusts the front face to the cull face in force; returns the front
  // face to restore.
  static GLint AdjustFrontFace();
  void BeginPickPass();
  void EndPickPass();
  HRESULT RenderSurfaceBBs();
  HRESULT RenderSubSurfaceBBs();
  HRESULT RenderSurfaceOthers();
  HRESULT RenderSubSurfaceOthers();
  HRESULT RenderPass(const wchar_t* method, const RenderMap& map, bool subsurface, bool cull, const wchar_t* trace);
  void RenderOverlays();
  void ServeLocationHelp();

  // Picking.
  void RequestPick(LONG x, LONG y, LONG dx, LONG dy);

  double m_BaseExaggeration = 1.0;
  CComPtr<IGlobeDisplay> m_GlobeDisplay;
  CComPtr<ISceneViewer> m_Viewer;
  CComPtr<IGlobeStatInfo> m_GlobeStat;
  DWORD m_GlobeCookie = 0;
  bool m_Sinking = false;
  // What the display holds in place of this object (see GlobeEventSink).
  CComPtr<IGlobeDisplayEvents> m_EventSink;
  GraphicList m_ProcessedGraphics;
  CComPtr<IArray> m_PendingGraphics;
  std::vector<CComPtr<IGraphic3D>> m_Junk;
  RenderMap m_BillboardMap;
  RenderMap m_OtherMap;
  CRITICAL_SECTION m_Critical{};
  FontHelper m_FontHelper;
  RenderableBuilder m_Builder;
  RenderableUpdater m_Updater;
  bool m_AmRefreshing = false;
  bool m_SubsurfaceObserver = false;
  bool m_AutoRefreshGlobe = true;
  bool m_RenderingOn = true;
  Frustrum m_Frustrum;
  OrthoRectangle m_TrackRect;
  bool m_Tracking = false;
  kestGLSelectionOption m_SelectionOption = kestGLSelectionOverlay;
  CComPtr<IRgbColor> m_SelectionColor;
  std::array<GLuint, kSelectBufferSize> m_SelectBuffer{};
  bool m_Selecting = false;
  LONG m_X = -1;
  LONG m_Y = -1;
  LONG m_Dx = -1;
  LONG m_Dy = -1;
  GLint m_SelectHits = -1;
  int m_LocationHelpMode = 0;
  LONG m_LocX = 0;
  LONG m_LocY = 0;
  CComPtr<IPoint> m_LocPoint;
  OrthoRectangle m_SizeRect;
  bool m_Sizing = false;
};
