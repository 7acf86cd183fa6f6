// The host's globe: its display with the draw events, the viewer that
// draws frames, and the camera. Scene coordinates put the globe's surface on
// the unit sphere centred at the origin.
#pragma once

#include "frame/HostGeometry.h"
#include "platform/Bstr.h"
#include "platform/Unknown.h"

struct ICamera;
struct ISceneViewer;

struct ILayer : IUnknown {
 protected:
  ~ILayer() = default;
};
ZELPH_DEFINE_IID(ILayer, 0x44DDB229, 0x0B2D, 0x48D4, 0x8F, 0xE7, 0x53, 0x9F, 0x86, 0xC2, 0xFB, 0x65);

enum kestGlobeCameraOrientationMode : int {
  kestGlobeCameraOrientationGlobal = 0,  // the camera looks at the globe's centre
  kestGlobeCameraOrientationLocal = 1,   // the camera looks at a point of its own
};

// The draw events of a globe display, in this slot order. BeforeDraw and
// AfterDraw come in every frame with the viewer's context current and its
// projection and model-view matrices in force.
struct IGlobeDisplayEvents : IUnknown {
  STDMETHOD(ActiveViewerChanged)(ISceneViewer* viewer) = 0;
  STDMETHOD(ViewerAdded)(ISceneViewer* viewer) = 0;
  STDMETHOD(ViewerRemoved)(ISceneViewer* viewer) = 0;
  STDMETHOD(InteractionStopped)() = 0;
  STDMETHOD(BatchTileGenerationStarted)(BSTR name) = 0;
  STDMETHOD(BatchTileGenerationStopped)() = 0;
  STDMETHOD(BeforeDraw)(ISceneViewer* viewer, VARIANT_BOOL* handled) = 0;
  STDMETHOD(AfterDraw)(ISceneViewer* viewer) = 0;
  STDMETHOD(VectorOverflow)(ILayer* layer) = 0;
  STDMETHOD(TileOverflow)(ILayer* layer) = 0;

 protected:
  ~IGlobeDisplayEvents() = default;
};
ZELPH_DEFINE_IID(IGlobeDisplayEvents, 0x861CD269, 0xBCBE, 0x4EDF, 0x8A, 0x92, 0x8D, 0x94, 0xA2, 0x85, 0xB1, 0x75);

struct ISceneViewer : IUnknown {
  // Draws one frame before returning, events included.
  STDMETHOD(Redraw)(VARIANT_BOOL fullRedraw) = 0;
  STDMETHOD(get_Camera)(ICamera** camera) = 0;

 protected:
  ~ISceneViewer() = default;
};
ZELPH_DEFINE_IID(ISceneViewer, 0xF9E3F4DF, 0xA2FD, 0x47FC, 0xBF, 0x34, 0x83, 0x75, 0xFD, 0x3D, 0xF8, 0x1E);

// Positions in scene units. The field angle is the vertical angle of view in
// degrees; the viewing distance is the observer's distance from the target.
struct ICamera : IUnknown {
  STDMETHOD(get_Observer)(IPoint** observer) = 0;
  STDMETHOD(put_Observer)(IPoint* observer) = 0;
  STDMETHOD(get_Target)(IPoint** target) = 0;
  STDMETHOD(put_Target)(IPoint* target) = 0;
  STDMETHOD(QueryUp)(double* x, double* y, double* z) = 0;
  STDMETHOD(PutUp)(double x, double y, double z) = 0;
  STDMETHOD(get_ViewFieldAngle)(double* degrees) = 0;
  STDMETHOD(put_ViewFieldAngle)(double degrees) = 0;
  STDMETHOD(get_ViewingDistance)(double* distance) = 0;

 protected:
  ~ICamera() = default;
};
ZELPH_DEFINE_IID(ICamera, 0x3116E2D4, 0xE2A7, 0x49AF, 0x81, 0x33, 0x39, 0x5F, 0x7A, 0xEA, 0x3C, 0xA2);

struct IGlobeCamera : IUnknown {
  STDMETHOD(get_OrientationMode)(kestGlobeCameraOrientationMode* mode) = 0;
  STDMETHOD(put_OrientationMode)(kestGlobeCameraOrientationMode mode) = 0;
  // Puts the observer `altitude` metres above the given place. In the global
  // mode it looks at the globe's centre, in the local mode straight down at
  // the place; north is up.
  STDMETHOD(PlaceAbove)(double latitude, double longitude, double altitude) = 0;

 protected:
  ~IGlobeCamera() = default;
};
ZELPH_DEFINE_IID(IGlobeCamera, 0x296EE559, 0x01C3, 0x4DC9, 0xB6, 0xD8, 0x12, 0x89, 0x43, 0xEB, 0x44, 0x32);

struct IGlobeViewUtil : IUnknown {
  // Fills `extent` with the longitudes and latitudes (degrees) of the globe
  // that the view shows; empty when the view shows no globe.
  STDMETHOD(QueryVisibleGeographicExtent)(IEnvelope* extent) = 0;

 protected:
  ~IGlobeViewUtil() = default;
};
ZELPH_DEFINE_IID(IGlobeViewUtil, 0xB60A22E6, 0xC359, 0x4D28, 0xA5, 0xDB, 0xE4, 0x98, 0x63, 0x4E, 0xED, 0x6E);

struct IGlobeAdvancedOptions : IUnknown {
  // How far (as a polygon-offset factor) the globe's surface is pushed back
  // in depth, so that graphics lying on it are not hidden by it.
  STDMETHOD(get_SurfaceOffsetFactor)(double* factor) = 0;
  STDMETHOD(put_SurfaceOffsetFactor)(double factor) = 0;

 protected:
  ~IGlobeAdvancedOptions() = default;
};
ZELPH_DEFINE_IID(IGlobeAdvancedOptions, 0x75F757BA, 0x3F25, 0x4D17, 0xA6, 0x6C, 0x1F, 0xCA, 0xEE, 0xC3, 0x23, 0x35);

struct IGlobeStatInfo : IUnknown {
  STDMETHOD(get_FrameCount)(LONG* frames) = 0;
  STDMETHOD(get_LastFrameSeconds)(double* seconds) = 0;

 protected:
  ~IGlobeStatInfo() = default;
};
ZELPH_DEFINE_IID(IGlobeStatInfo, 0xF8DE387F, 0x2A47, 0x4A67, 0xAE, 0x2D, 0xE7, 0x5B, 0xF8, 0xDC, 0xC5, 0x06);

struct IBasicMap : IUnknown {
  STDMETHOD(get_LayerCount)(LONG* count) = 0;
  STDMETHOD(put_LayerCount)(LONG count) = 0;

 protected:
  ~IBasicMap() = default;
};
ZELPH_DEFINE_IID(IBasicMap, 0x2AF9093D, 0x25C4, 0x49AA, 0x84, 0x23, 0x5A, 0xFA, 0x7B, 0xD6, 0x7C, 0x92);

// The display the library attaches to; it also offers IConnectionPointContainer
// for IGlobeDisplayEvents and IGlobeStatInfo.
struct IGlobeDisplay : IUnknown {
  // Null when the display has no viewer.
  STDMETHOD(get_ActiveViewer)(ISceneViewer** viewer) = 0;
  // The globe; it offers IBasicMap.
  STDMETHOD(get_Globe)(IUnknown** globe) = 0;
  STDMETHOD(get_AdvancedOptions)(IGlobeAdvancedOptions** options) = 0;

 protected:
  ~IGlobeDisplay() = default;
};
ZELPH_DEFINE_IID(IGlobeDisplay, 0x2BE973CA, 0x9EE5, 0x4F58, 0xA8, 0x28, 0x40, 0x49, 0x04, 0xDD, 0x20, 0x71);
