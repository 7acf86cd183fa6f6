#include "scene/SceneManager3D.h"

#include <GL/glu.h>

#include <cmath>
#include <utility>

#include "frame/CTiming.h"
#include "frame/ErrorConvention.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/Logger.h"
#include "frame/PropertyValues.h"
#include "platform/ConnectionPoints.h"
#include "platform/Win32OpenGL.h"
#include "render/Bulloriri.h"
#include "render/Glomarch.h"
#include "render/RenderBillboard.h"
#include "scene/GlobeEventSink.h"
#include "scene/SelectionHits.h"

using zelph::ComCall;
using zelph::InternalCall;

namespace {

// The globe's surface-offset option while a scene manager is attached:
// far enough back that graphics lying on the surface are not hidden by it.
constexpr double kSurfaceOffsetFactor = 3.0;
// Side, in pixels, of the region a point pick looks at.
constexpr LONG kPointPickSize = 3;

class CriticalLock {
 public:
  explicit CriticalLock(CRITICAL_SECTION& section) : m_Section(section) { EnterCriticalSection(&m_Section); }
  ~CriticalLock() { LeaveCriticalSection(&m_Section); }
  CriticalLock(const CriticalLock&) = delete;
  CriticalLock& operator=(const CriticalLock&) = delete;

 private:
  CRITICAL_SECTION& m_Section;
};

// Keeps the draw events out while renderables are rebuilt; rendering is on
// again afterwards, whatever happened in between.
class RenderingPause {
 public:
  explicit RenderingPause(bool& renderingOn) : m_RenderingOn(renderingOn) { m_RenderingOn = false; }
  ~RenderingPause() { m_RenderingOn = true; }
  RenderingPause(const RenderingPause&) = delete;
  RenderingPause& operator=(const RenderingPause&) = delete;

 private:
  bool& m_RenderingOn;
};

GLint CurrentRenderMode() {
  GLint mode = GL_RENDER;
  glGetIntegerv(GL_RENDER_MODE, &mode);
  return mode;
}

}  // namespace

SceneManager3D::SceneManager3D()
    : m_Builder(m_FontHelper, [this](IGraphic3D* graphic) { return LookUpGLName(GraphicList::UidOf(graphic)); }),
      m_Updater(m_BillboardMap, m_OtherMap) {
  InitializeCriticalSection(&m_Critical);
}

SceneManager3D::~SceneManager3D() { DeleteCriticalSection(&m_Critical); }

// ---------------------------------------------------------------------------
// Life

HRESULT SceneManager3D::FinalConstruct() {
  return ComCall(L"FinalConstruct", [&] {
    m_PendingGraphics = zelph::RequireHostObject<IArray>(CLSID_Array);
    m_SelectionColor = zelph::RequireHostObject<IRgbColor>(CLSID_RgbColor);
    ClearRenderMaps();
    Logger::EnableDebug = false;
    Logger::EnableTrace = false;
  });
}

void SceneManager3D::FinalRelease() {
  Logger::Debug(L"Locking SceneManager3D::FinalRelease...");
  m_RenderingOn = false;
  Logger::Debug(L"Uninitializing context...");
  UninitializeContext();
  GlobeEventSink::Detach(m_EventSink);
  Logger::Debug(L"Clearing all graphics...");
  ClearAllGraphics();
  Logger::Debug(L"Uninitializing Bulloriri display list...");
  Bulloriri::UnInitialize();
  Logger::Debug(L"Unlocking SceneManager3D::FinalRelease...");
}

// ---------------------------------------------------------------------------
// Attachment

STDMETHODIMP SceneManager3D::InitializeContext(IUnknown* context) {
  return ComCall(L"SinkGlobeEvents", [&]() -> HRESULT {
    HRESULT hr = UninitializeContext();
    if (hr != S_OK) Logger::Warning(L"Globe event unsinking failed...");
    m_GlobeDisplay.Release();
    if (context) {
      HRESULT found = context->QueryInterface(IID_IGlobeDisplay, reinterpret_cast<void**>(&m_GlobeDisplay));
      if (FAILED(found) && found != E_NOINTERFACE) zelph::Fail(found);
    }
    m_GlobeStat = CComQIPtr<IGlobeStatInfo>(m_GlobeDisplay);
    if (!m_GlobeDisplay) return hr;

    // A sink still connected elsewhere (its display refused to let go)
    // must not hand that display's events on any more.
    GlobeEventSink::Detach(m_EventSink);
    m_Sinking = false;
    m_EventSink = GlobeEventSink::Create(this);
    hr = AtlAdvise(m_GlobeDisplay, m_EventSink, IID_IGlobeDisplayEvents, &m_GlobeCookie);

    CComPtr<IGlobeAdvancedOptions> options;
    m_GlobeDisplay->get_AdvancedOptions(&options);
    if (options) options->put_SurfaceOffsetFactor(kSurfaceOffsetFactor);
    if (hr == S_OK) m_Sinking = true;

    m_Viewer.Release();
    zelph::ThrowIfFailed(m_GlobeDisplay->get_ActiveViewer(&m_Viewer));
    if (m_Viewer) {
      CComPtr<ICamera> camera;
      m_Viewer->get_Camera(&camera);
      CComQIPtr<IGlobeCamera> globeCamera(camera);
      m_TrackRect.SetGlobeCamera(IGlobeCameraPtr(globeCamera));
      m_SizeRect.SetGlobeCamera(IGlobeCameraPtr(globeCamera));
    }
    if (hr != S_OK) Logger::Warning(L"Globe event sinking failed...");
    return hr;
  });
}

STDMETHODIMP SceneManager3D::UninitializeContext() {
  return ComCall(L"UninitializeContext", [&]() -> HRESULT {
    if (!m_Sinking) {
      Logger::Debug(L"Not sinking; Exiting UninitializeContext...");
      return S_OK;
    }
    if (!m_GlobeDisplay) return E_FAIL;
    HRESULT hr = AtlUnadvise(m_GlobeDisplay, IID_IGlobeDisplayEvents, m_GlobeCookie);
    if (hr == S_OK) m_Sinking = false;
    return hr;
  });
}

void SceneManager3D::Refresh3D() {
  InternalCall(L"Refresh3D", [&] {
    if (m_Viewer) m_Viewer->Redraw(VARIANT_FALSE);
  });
}

void SceneManager3D::InitBulloriri() {
  InternalCall(L"InitBulloriri", [&] {
    if (Bulloriri::Valid() || !m_GlobeDisplay) return;
    CComPtr<IUnknown> globe;
    m_GlobeDisplay->get_Globe(&globe);
    CComQIPtr<IBasicMap> map(globe);
    LONG layers = 0;
    if (map && map->get_LayerCount(&layers) == S_OK && layers > 0) Bulloriri::Initialize();
  });
}

// ---------------------------------------------------------------------------
// Options

STDMETHODIMP SceneManager3D::get_BaseExaggeration(DOUBLE* exaggeration) {
  return ComCall(
      L"get_BaseExaggeration", [&] { *exaggeration = m_BaseExaggeration; }, exaggeration);
}

STDMETHODIMP SceneManager3D::put_BaseExaggeration(DOUBLE exaggeration) {
  return ComCall(L"put_BaseExaggeration", [&]() -> HRESULT {
    if (std::isnan(exaggeration)) return E_FAIL;
    m_BaseExaggeration = exaggeration;
    return S_OK;
  });
}

STDMETHODIMP SceneManager3D::get_AutoRefreshGlobe(VARIANT_BOOL* autoRefresh) {
  return ComCall(
      L"get_AutoRefreshGlobe", [&] { *autoRefresh = m_AutoRefreshGlobe ? VARIANT_TRUE : VARIANT_FALSE; }, autoRefresh);
}

STDMETHODIMP SceneManager3D::put_AutoRefreshGlobe(VARIANT_BOOL autoRefresh) {
  return ComCall(L"put_AutoRefreshGlobe", [&] { m_AutoRefreshGlobe = autoRefresh == VARIANT_TRUE; });
}

STDMETHODIMP SceneManager3D::ToggleRendering(VARIANT_BOOL on) {
  return ComCall(L"ToggleRendering", [&] { m_RenderingOn = on == VARIANT_TRUE; });
}

RenderableBuilder::SceneSettings SceneManager3D::Settings() const {
  return {m_BaseExaggeration, m_SelectionOption, m_SelectionColor};
}

// ---------------------------------------------------------------------------
// Graphics

STDMETHODIMP SceneManager3D::AddGraphic(IGraphic3D* graphic) {
  return ComCall(L"AddGraphic", [&]() -> HRESULT {
    if (!graphic) return E_POINTER;
    zelph::ThrowIfNull(m_PendingGraphics);
    zelph::ThrowIfFailed(m_PendingGraphics->Add(graphic));
    return S_OK;
  });
}

STDMETHODIMP SceneManager3D::RemoveGraphic(IGraphic3D* graphic) {
  return ComCall(L"RemoveGraphic", [&]() -> HRESULT {
    if (!graphic) return E_POINTER;
    UidKey uid = GraphicList::UidOf(graphic);
    if (CComPtr<IGraphic3D> removed = m_ProcessedGraphics.RemoveFirst(uid, graphic)) {
      Logger::Debug(L"Removing from processed graphics map...");
      m_Junk.push_back(removed);
    }
    LONG pending = PendingIndex(uid);
    if (pending >= 0) {
      Logger::Debug(L"Removing from pending graphics map...");
      CComPtr<IUnknown> element;
      zelph::ThrowIfFailed(m_PendingGraphics->get_Element(pending, &element));
      m_Junk.push_back(CComQIPtr<IGraphic3D>(element));
      zelph::ThrowIfFailed(m_PendingGraphics->Remove(pending));
    }
    Logger::Debug(L"Erasing the renderable...");
    EraseRenderable(uid);
    return S_OK;
  });
}

STDMETHODIMP SceneManager3D::Refresh() {
  return ComCall(L"Refresh", [&] {
    {
      RenderingPause pause(m_RenderingOn);
      RebuildAllRenderables();
    }
    if (m_AutoRefreshGlobe) Refresh3D();
  });
}

void SceneManager3D::RebuildAllRenderables() {
  InternalCall(L"RebuildAllRenderables", [&] {
    CriticalLock lock(m_Critical);
    m_AmRefreshing = true;
    struct Done {
      bool& refreshing;
      ~Done() { refreshing = false; }
    } done{m_AmRefreshing};
    zelph::ThrowIfNull(m_PendingGraphics);
    LONG count = 0;
    zelph::ThrowIfFailed(m_PendingGraphics->get_Count(&count));
    // Room for all of them at once: filling the indexes then never rehashes.
    m_ProcessedGraphics.Reserve(m_ProcessedGraphics.Count() + count);
    m_BillboardMap.Reserve(m_BillboardMap.Size() + count);
    m_OtherMap.Reserve(m_OtherMap.Size() + count);
    for (LONG index = 0; index < count; ++index) {
      CComPtr<IUnknown> element;
      zelph::ThrowIfFailed(m_PendingGraphics->get_Element(index, &element));
      CComQIPtr<IGraphic3D> graphic(element);
      if (graphic) ProcessGraphic(graphic, GraphicList::UidOf(graphic));
    }
    zelph::ThrowIfFailed(m_PendingGraphics->RemoveAll());
  });
}

STDMETHODIMP SceneManager3D::ClearAllGraphics() {
  return ComCall(L"ClearAllGraphics", [&] {
    CriticalLock lock(m_Critical);
    m_ProcessedGraphics.Clear();
    zelph::ThrowIfNull(m_PendingGraphics);
    zelph::ThrowIfFailed(m_PendingGraphics->RemoveAll());
    m_Junk.clear();
    ClearRenderMaps();
    if (m_AutoRefreshGlobe) Refresh3D();
  });
}

STDMETHODIMP SceneManager3D::get_Graphics(IArray** graphics) {
  return ComCall(
      L"get_Graphics",
      [&] {
        CComPtr<IArray> copy = zelph::RequireHostObject<IArray>(CLSID_Array);
        m_ProcessedGraphics.CopyTo(copy);
        *graphics = copy.Detach();
      },
      graphics);
}

STDMETHODIMP SceneManager3D::putref_Graphics(IArray* graphics) {
  return ComCall(L"putref_Graphics", [&] {
    zelph::ThrowIfFailed(ClearAllGraphics());
    // Without an array of the caller's the list stays, empty, so that
    // graphics can still be added.
    m_PendingGraphics = graphics ? CComPtr<IArray>(graphics) : zelph::RequireHostObject<IArray>(CLSID_Array);
    zelph::ThrowIfFailed(Refresh());
  });
}

STDMETHODIMP SceneManager3D::FindGraphic(BSTR uid, IGraphic3D** graphic) {
  return ComCall(
      L"FindGraphic", [&] { *graphic = FindGraphicByUid(UidKey(uid)).Detach(); }, graphic);
}

STDMETHODIMP SceneManager3D::UpdateGraphic(IGraphic3D* graphic) {
  return ComCall(L"UpdateGraphic", [&]() -> HRESULT {
    if (!graphic) {
      Logger::Warning(L"pGraphic is NULL...");
      return E_POINTER;
    }
    UidKey uid = GraphicList::UidOf(graphic);
    if (!FindRenderable(uid)) return E_FAIL;
    CComQIPtr<IUpdate3D> update(graphic);
    zelph::ThrowIfNull(update);
    kestGLUpdateLevel level = kestGLUpdateNone;
    zelph::ThrowIfFailed(update->get_UpdateLevel(&level));

    RenderingPause pause(m_RenderingOn);
    switch (level) {
      case kestGLUpdateLocation:
        m_Updater.MinorUpdateGraphic(graphic, true);
        break;
      case kestGLUpdateMinor:
        m_Updater.MinorUpdateGraphic(graphic, false);
        break;
      case kestGLUpdateMajor:
        Logger::Debug(L"Calling IArray::Remove in UpdateGraphic...");
        m_Junk.push_back(CComPtr<IGraphic3D>(graphic));
        m_ProcessedGraphics.RemoveFirst(uid, graphic);
        ProcessGraphic(graphic, uid);
        break;
      default:
        break;
    }
    return S_OK;
  });
}

void SceneManager3D::ProcessGraphic(IGraphic3D* graphic, const UidKey& uid) {
  InternalCall(L"ProcessGraphic", [&] {
    RenderableBuilder::Built built = m_Builder.Construct(LookUpGLName(uid), graphic, Settings());
    PlaceInRenderMap(MapOf(built.map), uid, std::move(built.renderable));
    m_ProcessedGraphics.Append(graphic, uid);
    CComQIPtr<IUpdate3D> update(graphic);
    if (update) update->put_UpdateLevel(kestGLUpdateNone);
  });
}

RenderMap& SceneManager3D::MapOf(RenderableBuilder::MapKind kind) {
  return kind == RenderableBuilder::MapKind::Billboard ? m_BillboardMap : m_OtherMap;
}

void SceneManager3D::PlaceInRenderMap(RenderMap& map, const UidKey& uid, std::unique_ptr<GraphicBase> renderable) {
  InternalCall(L"PlaceInRenderMap", [&] {
    if (!renderable) {
      Logger::Debug(L"pRenderable is NULL...");
      return;
    }
    map.Place(uid, std::move(renderable));
  });
}

void SceneManager3D::EraseRenderable(const UidKey& uid) {
  InternalCall(L"EraseRenderable", [&] {
    if (m_BillboardMap.Erase(uid)) {
      Logger::Debug(L"Found in m_BillboardMap! Exiting EraseRenderable...");
    } else if (m_OtherMap.Erase(uid)) {
      Logger::Debug(L"Found in m_OtherMap! Exiting EraseRenderable...");
    }
  });
}

void SceneManager3D::ClearRenderMaps() {
  m_BillboardMap.Clear();
  m_OtherMap.Clear();
}

GraphicBase* SceneManager3D::FindRenderable(const UidKey& uid) const {
  if (GraphicBase* billboard = m_BillboardMap.Find(uid)) return billboard;
  return m_OtherMap.Find(uid);
}

GLuint SceneManager3D::LookUpGLName(const UidKey& uid) const {
  GraphicBase* renderable = FindRenderable(uid);
  return renderable ? renderable->GetGLName() : GraphicBase::kNextGLName;
}

CComPtr<IGraphic3D> SceneManager3D::FindGraphicByName(GLuint name) {
  GraphicBase* renderable = m_BillboardMap.FindByGLName(name);
  if (!renderable) renderable = m_OtherMap.FindByGLName(name);
  if (!renderable) return nullptr;
  CComBSTR uid = renderable->GetUID();
  return FindGraphicByUid(UidKey(uid.m_str));
}

CComPtr<IGraphic3D> SceneManager3D::FindGraphicByUid(const UidKey& uid) {
  if (CComPtr<IGraphic3D> processed = m_ProcessedGraphics.Find(uid)) return processed;
  LONG pending = PendingIndex(uid);
  if (pending < 0) return nullptr;
  CComPtr<IUnknown> element;
  zelph::ThrowIfFailed(m_PendingGraphics->get_Element(pending, &element));
  return CComQIPtr<IGraphic3D>(element);
}

LONG SceneManager3D::PendingIndex(const UidKey& uid) {
  if (!m_PendingGraphics) return -1;
  LONG count = 0;
  zelph::ThrowIfFailed(m_PendingGraphics->get_Count(&count));
  for (LONG index = 0; index < count; ++index) {
    CComPtr<IUnknown> element;
    zelph::ThrowIfFailed(m_PendingGraphics->get_Element(index, &element));
    CComQIPtr<IGraphic3D> graphic(element);
    if (graphic && GraphicList::UidOf(graphic) == uid) return index;
  }
  return -1;
}

// ---------------------------------------------------------------------------
// Frames

STDMETHODIMP SceneManager3D::ActiveViewerChanged(ISceneViewer*) { return E_NOTIMPL; }
STDMETHODIMP SceneManager3D::ViewerAdded(ISceneViewer*) { return E_NOTIMPL; }
STDMETHODIMP SceneManager3D::ViewerRemoved(ISceneViewer*) { return E_NOTIMPL; }
STDMETHODIMP SceneManager3D::InteractionStopped() { return E_NOTIMPL; }
STDMETHODIMP SceneManager3D::BatchTileGenerationStarted(BSTR) { return E_NOTIMPL; }
STDMETHODIMP SceneManager3D::BatchTileGenerationStopped() { return E_NOTIMPL; }
STDMETHODIMP SceneManager3D::VectorOverflow(ILayer*) { return E_NOTIMPL; }
STDMETHODIMP SceneManager3D::TileOverflow(ILayer*) { return E_NOTIMPL; }

STDMETHODIMP SceneManager3D::BeforeDraw(ISceneViewer* viewer, VARIANT_BOOL*) {
  return ComCall(L"BeforeDraw", [&]() -> HRESULT {
    if (!m_RenderingOn) {
      Logger::Debug(L"Rendering off; exiting BeforeDraw...");
      return S_OK;
    }
    // Graphics removed or rebuilt since the last frame go now.
    std::vector<CComPtr<IGraphic3D>> junk = std::exchange(m_Junk, {});
    junk.clear();
    if (!wglGetCurrentContext()) {
      Logger::Warning(L"Invalid context - returning...");
      return E_FAIL;
    }
    DecideObserverSide(viewer);
    if (CurrentRenderMode() != GL_RENDER) return S_OK;

    glMatrixMode(GL_MODELVIEW);
    GLint frontFace = AdjustFrontFace();
    m_Frustrum.LoadFrustrum();
    InitBulloriri();
    Bulloriri::LoadBillboardDisplayList();
    RenderBillboard::PreRender();
    if (m_SubsurfaceObserver) {
      RenderSurfaceBBs();
    } else {
      RenderSubSurfaceBBs();
    }
    RenderBillboard::PostRender();
    if (m_SubsurfaceObserver) {
      RenderSurfaceOthers();
    } else {
      RenderSubSurfaceOthers();
    }
    glFrontFace(frontFace);
    return S_OK;
  });
}

STDMETHODIMP SceneManager3D::AfterDraw(ISceneViewer*) {
  return ComCall(L"AfterDraw", [&]() -> HRESULT {
    if (!m_RenderingOn) {
      Logger::Debug(L"Rendering off; exiting AfterDraw...");
      return S_OK;
    }
    if (!wglGetCurrentContext()) {
      Logger::Warning(L"Invalid context - returning...");
      return E_FAIL;
    }
    ServeLocationHelp();
    bool picking = m_Selecting;
    if (picking) {
      BeginPickPass();
    } else if (CurrentRenderMode() == GL_SELECT) {
      return S_OK;
    }

    glMatrixMode(GL_MODELVIEW);
    GLint frontFace = AdjustFrontFace();
    RenderBillboard::PreRender();
    if (picking || m_SubsurfaceObserver) RenderSubSurfaceBBs();
    if (picking || !m_SubsurfaceObserver) RenderSurfaceBBs();
    RenderOverlays();
    RenderBillboard::PostRender();
    if (picking || m_SubsurfaceObserver) RenderSubSurfaceOthers();
    if (picking || !m_SubsurfaceObserver) RenderSurfaceOthers();
    glFrontFace(frontFace);
    if (picking) EndPickPass();
    return S_OK;
  });
}

void SceneManager3D::DecideObserverSide(ISceneViewer* viewer) {
  m_SubsurfaceObserver = false;
  CComPtr<ICamera> camera;
  if (viewer) viewer->get_Camera(&camera);
  if (!camera) return;
  CComPtr<IPoint> observer;
  zelph::ThrowIfFailed(camera->get_Observer(&observer));
  zelph::ThrowIfNull(observer);
  double x = 0.0, y = 0.0, z = 0.0;
  observer->get_X(&x);
  observer->get_Y(&y);
  observer->get_Z(&z);
  m_SubsurfaceObserver = std::sqrt(x * x + y * y + z * z) < 1.0;
}

GLint SceneManager3D::AdjustFrontFace() {
  GLint cullFace = GL_BACK;
  GLint frontFace = GL_CCW;
  glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
  glGetIntegerv(GL_FRONT_FACE, &frontFace);
  if (cullFace == GL_FRONT) glFrontFace(GL_CW);
  if (cullFace == GL_BACK) glFrontFace(GL_CCW);
  return frontFace;
}

HRESULT SceneManager3D::RenderSurfaceBBs() {
  return RenderPass(L"RenderSurfaceBBs", m_BillboardMap, false, true,
                    L"%d surface billboard graphic(s) rendered in %g ms.");
}

HRESULT SceneManager3D::RenderSubSurfaceBBs() {
  return RenderPass(L"RenderSubSurfaceBBs", m_BillboardMap, true, true,
                    L"%d subsurface billboard graphic(s) rendered in %g ms.");
}

HRESULT SceneManager3D::RenderSurfaceOthers() {
  return RenderPass(L"RenderSurfaceOthers", m_OtherMap, false, false,
                    L"%d other surface graphic(s) rendered in %g ms.");
}

HRESULT SceneManager3D::RenderSubSurfaceOthers() {
  return RenderPass(L"RenderSubSurfaceOthers", m_OtherMap, true, false,
                    L"%d other subsurface graphic(s) rendered in %g ms.");
}

HRESULT SceneManager3D::RenderPass(const wchar_t* method, const RenderMap& map, bool subsurface, bool cull,
                                   const wchar_t* trace) {
  return ComCall(method, [&] {
    double started = CTiming::GetTickCount();
    int rendered = 0;
    map.ForEach([&](GraphicBase& renderable) {
      if (renderable.IsSubsurface() != subsurface) return;
      if (cull) {
        float x = 0.0f, y = 0.0f, z = 0.0f;
        renderable.GetGLCentroid(&x, &y, &z);
        if (!m_Frustrum.PointInFrustrum(x, y, z)) return;
      }
      renderable.Render();
      ++rendered;
    });
    if (rendered > 0) Logger::Trace(trace, rendered, (CTiming::GetTickCount() - started) * 1000.0);
  });
}

void SceneManager3D::RenderOverlays() {
  if (m_Tracking) m_TrackRect.Render();
  if (m_Sizing) m_SizeRect.Render();
}

// ---------------------------------------------------------------------------
// Picking

void SceneManager3D::BeginPickPass() {
  // The request normally switched to selection before the redraw; a context
  // that was not current then is switched now (and the host's own drawing
  // of this frame leaves no records).
  if (CurrentRenderMode() != GL_SELECT) {
    glSelectBuffer(kSelectBufferSize, m_SelectBuffer.data());
    glRenderMode(GL_SELECT);
  }
  GLint viewport[4];
  GLdouble projection[16];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPickMatrix(m_X, viewport[3] - m_Y, m_Dx, m_Dy, viewport);
  glMultMatrixd(projection);
  glInitNames();
  glPushName(0);
  glMatrixMode(GL_MODELVIEW);
  InitBulloriri();
  Bulloriri::LoadBillboardDisplayList();
}

void SceneManager3D::EndPickPass() {
  m_SelectHits = glRenderMode(GL_RENDER);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  m_Selecting = false;
}

void SceneManager3D::RequestPick(LONG x, LONG y, LONG dx, LONG dy) {
  m_Selecting = true;
  m_X = x;
  m_Y = y;
  m_Dx = dx;
  m_Dy = dy;
  m_SelectHits = -1;
  bool selectionMode = wglGetCurrentContext() && CurrentRenderMode() == GL_RENDER;
  if (selectionMode) {
    glSelectBuffer(kSelectBufferSize, m_SelectBuffer.data());
    glRenderMode(GL_SELECT);
  }
  Refresh3D();
  if (!m_Selecting) return;
  // No pick pass ran (no viewer, rendering off, no context): the request
  // is dropped rather than left to turn a later frame into a pick pass.
  m_Selecting = false;
  if (selectionMode && wglGetCurrentContext() && CurrentRenderMode() == GL_SELECT) glRenderMode(GL_RENDER);
}

STDMETHODIMP SceneManager3D::HitTestPoint(LONG x, LONG y, IGraphic3D** graphic) {
  return ComCall(
      L"HitTestPoint",
      [&] {
        *graphic = nullptr;
        m_SelectBuffer.fill(0);
        RequestPick(x, y, kPointPickSize, kPointPickSize);
        auto hits = SelectionHits::ReadGraphicHits(m_SelectBuffer, m_SelectHits, Glomarch::GetNextGLNameNoInc());
        if (const SelectionHits::Hit* nearest = SelectionHits::Nearest(hits)) {
          *graphic = FindGraphicByName(nearest->name).Detach();
        }
      },
      graphic);
}

STDMETHODIMP SceneManager3D::HitTestRect(LONG x, LONG y, LONG dx, LONG dy, ISet** graphics) {
  return ComCall(
      L"HitTestRect",
      [&] {
        *graphics = nullptr;
        CComPtr<ISet> found = zelph::RequireHostObject<ISet>(CLSID_Set);
        RequestPick(x, y + dy, dx, dy);
        auto hits = SelectionHits::ReadGraphicHits(m_SelectBuffer, m_SelectHits, Glomarch::GetNextGLNameNoInc());
        for (const SelectionHits::Hit& hit : hits) {
          if (CComPtr<IGraphic3D> graphic = FindGraphicByName(hit.name)) found->Add(graphic);
        }
        *graphics = found.Detach();
      },
      graphics);
}

STDMETHODIMP SceneManager3D::ClearSelection() {
  return ComCall(L"ClearSelection", [&] { Logger::Warning(L"ClearSelection is not currently implemented..."); });
}

STDMETHODIMP
SceneManager3D::get_SelectionOption(kestGLSelectionOption* option) {
  return ComCall(L"get_SelectionOption", [&]() -> HRESULT {
    if (!option) {
      Logger::Warning(L"Option is NULL...");
      return E_POINTER;
    }
    *option = m_SelectionOption;
    return S_OK;
  });
}

STDMETHODIMP SceneManager3D::put_SelectionOption(kestGLSelectionOption option) {
  return ComCall(L"put_SelectionOption", [&] { m_SelectionOption = option; });
}

STDMETHODIMP SceneManager3D::get_SelectionColor(IRgbColor** color) {
  return ComCall(
      L"get_SelectionColor", [&] { zelph::HandOut(m_SelectionColor.p, color); }, color);
}

STDMETHODIMP SceneManager3D::putref_SelectionColor(IRgbColor* color) {
  return ComCall(L"putref_SelectionColor", [&]() -> HRESULT {
    // Every renderable built later reads this colour.
    if (!color) return E_POINTER;
    m_SelectionColor = color;
    return S_OK;
  });
}

// ---------------------------------------------------------------------------
// Rubber band

STDMETHODIMP SceneManager3D::StartTrackRect(LONG x, LONG y) {
  return ComCall(L"StartTrackRect", [&] {
    m_TrackRect.Start(x, y);
    if (m_AutoRefreshGlobe) Refresh3D();
  });
}

STDMETHODIMP SceneManager3D::UpdateTrackRect(LONG x, LONG y) {
  return ComCall(L"UpdateTrackRect", [&] {
    m_TrackRect.Update(x, y);
    m_Tracking = true;
    if (m_AutoRefreshGlobe) Refresh3D();
  });
}

STDMETHODIMP SceneManager3D::FinishTrackRect(DOUBLE* width, DOUBLE* height) {
  return ComCall(L"FinishTrackRect", [&]() -> HRESULT {
    if (!width || !height) {
      Logger::Warning(L"GLWidth or GLHeight is NULL...");
      return E_POINTER;
    }
    *width = m_TrackRect.GetGLWidth();
    *height = m_TrackRect.GetGLHeight();
    m_Tracking = false;
    m_TrackRect.Reset();
    if (m_AutoRefreshGlobe) Refresh3D();
    return S_OK;
  });
}

// ---------------------------------------------------------------------------
// Location help

void SceneManager3D::ServeLocationHelp() {
  int mode = std::exchange(m_LocationHelpMode, 0);
  InternalCall(L"ServeLocationHelp", [&] {
    if (mode == 1) {
      double x = 0.0, y = 0.0, z = 0.0;
      Glomarch::WindowToObject(m_LocX, m_LocY, &x, &y, &z);
      Geopunctus place = Geopunctus::ConvertFromGL(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z),
                                                   static_cast<float>(m_BaseExaggeration));
      if (!m_LocPoint) m_LocPoint = zelph::RequireHostObject<IPoint>(CLSID_Point);
      zelph::ThrowIfFailed(m_LocPoint->put_X(place.GetLon()));
      zelph::ThrowIfFailed(m_LocPoint->put_Y(place.GetLat()));
      zelph::ThrowIfFailed(m_LocPoint->put_Z(place.GetAltMeters()));
    } else if (mode == 2 && m_LocPoint) {
      double longitude = 0.0, latitude = 0.0, altitude = 0.0;
      m_LocPoint->get_X(&longitude);
      m_LocPoint->get_Y(&latitude);
      if (m_LocPoint->get_Z(&altitude) != S_OK || std::isnan(altitude)) altitude = 0.0;
      Geopunctus place(static_cast<float>(latitude), static_cast<float>(longitude), static_cast<float>(altitude));
      float x = 0.0f, y = 0.0f, z = 0.0f;
      place.ConvertToGLLocation(&x, &y, &z, 0.0f, static_cast<float>(m_BaseExaggeration));
      long windowX = 0, windowY = 0;
      Glomarch::ObjectToWindow(x, y, z, &windowX, &windowY);
      m_LocX = static_cast<LONG>(windowX);
      m_LocY = static_cast<LONG>(windowY);
    }
  });
}

STDMETHODIMP SceneManager3D::WindowToGeographic(LONG x, LONG y, IPoint** location) {
  return ComCall(L"WindowToGeographic", [&]() -> HRESULT {
    m_LocX = x;
    m_LocY = y;
    m_LocationHelpMode = 1;
    Refresh3D();
    m_LocationHelpMode = 0;
    if (!location) return E_POINTER;
    zelph::HandOut(m_LocPoint.p, location);
    return S_OK;
  });
}

STDMETHODIMP SceneManager3D::GeographicToWindow(IPoint* location, LONG* x, LONG* y) {
  return ComCall(L"GeographicToWindow", [&]() -> HRESULT {
    if (!location || !x || !y) {
      Logger::Warning(L"pLocation or X or Y is NULL...");
      return E_POINTER;
    }
    m_LocPoint = location;
    m_LocationHelpMode = 2;
    Refresh3D();
    m_LocationHelpMode = 0;
    *x = m_LocX;
    *y = m_LocY;
    return S_OK;
  });
}

STDMETHODIMP SceneManager3D::PixelsToDegrees(LONG pixels, DOUBLE* degrees) {
  return ComCall(
      L"PixelsToDegrees",
      [&] {
        m_SizeRect.Start(0, 0);
        m_SizeRect.Update(0, pixels);
        m_SizeRect.SetVisible(false);
        m_Sizing = true;
        Refresh3D();
        m_Sizing = false;
        *degrees = Geopunctus::GLDistanceToGeoDegrees(static_cast<float>(m_SizeRect.GetGLHeight()), 0.0f);
      },
      degrees);
}

STDMETHODIMP SceneManager3D::PixelsToMeters(LONG pixels, DOUBLE* meters) {
  return ComCall(
      L"PixelsToMeters",
      [&] {
        DOUBLE degrees = 0.0;
        zelph::ThrowIfFailed(PixelsToDegrees(pixels, &degrees));
        *meters = Geopunctus::GeoDegreesToMeters(static_cast<float>(degrees), 0.0f);
      },
      meters);
}
