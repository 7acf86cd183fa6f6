// The scene manager's interfaces: the graphics of one globe view and their
// drawing, picking and selection, the rubber-band rectangle, and the
// conversions between window pixels and places on the globe.
#pragma once

#include "frame/GraphicInterfaces.h"
#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "frame/HostSymbols.h"
#include "frame/LibraryEnums.h"
#include "platform/Bstr.h"
#include "platform/Unknown.h"

// The graphics of one globe view. Nothing added is built or drawn until
// Refresh; updates reach the screen at the level each graphic asks for.
struct ISceneManager3D : IDispatch {
  // Attaches to a globe display (any other object leaves the manager
  // detached) and draws in its frames from then on.
  STDMETHOD(InitializeContext)(IUnknown* context) = 0;
  STDMETHOD(UninitializeContext)() = 0;
  STDMETHOD(get_BaseExaggeration)(DOUBLE* exaggeration) = 0;
  STDMETHOD(put_BaseExaggeration)(DOUBLE exaggeration) = 0;
  STDMETHOD(AddGraphic)(IGraphic3D* graphic) = 0;
  STDMETHOD(RemoveGraphic)(IGraphic3D* graphic) = 0;
  STDMETHOD(Refresh)() = 0;
  STDMETHOD(ClearAllGraphics)() = 0;
  // A new array of the graphics that have been refreshed, in order.
  STDMETHOD(get_Graphics)(IArray** graphics) = 0;
  // Replaces everything by the array's graphics and refreshes; the array
  // itself serves as the pending list and is empty afterwards.
  STDMETHOD(putref_Graphics)(IArray* graphics) = 0;
  STDMETHOD(FindGraphic)(BSTR uid, IGraphic3D** graphic) = 0;
  STDMETHOD(UpdateGraphic)(IGraphic3D* graphic) = 0;
  STDMETHOD(get_AutoRefreshGlobe)(VARIANT_BOOL* autoRefresh) = 0;
  STDMETHOD(put_AutoRefreshGlobe)(VARIANT_BOOL autoRefresh) = 0;
  STDMETHOD(ToggleRendering)(VARIANT_BOOL on) = 0;

 protected:
  ~ISceneManager3D() = default;
};
ZELPH_DEFINE_IID(ISceneManager3D, 0x0814084C, 0x8550, 0x4984, 0xA9, 0xD6, 0x74, 0x13, 0x90, 0xC0, 0x36, 0xFF);

// The dragged rubber-band rectangle, in window pixels (row 0 at the top).
struct IOrthoTrack3D : IDispatch {
  STDMETHOD(StartTrackRect)(LONG x, LONG y) = 0;
  STDMETHOD(UpdateTrackRect)(LONG x, LONG y) = 0;
  // Its size in scene units; the rectangle is reset.
  STDMETHOD(FinishTrackRect)(DOUBLE* width, DOUBLE* height) = 0;

 protected:
  ~IOrthoTrack3D() = default;
};
ZELPH_DEFINE_IID(IOrthoTrack3D, 0x2570B26C, 0x6127, 0x486B, 0x82, 0xBF, 0x98, 0xA1, 0x0C, 0x99, 0x78, 0xF2);

// How selected graphics are shown, and which graphics lie under a window
// point or inside a window rectangle.
struct ISelection3D : IDispatch {
  STDMETHOD(get_SelectionOption)(kestGLSelectionOption* option) = 0;
  STDMETHOD(put_SelectionOption)(kestGLSelectionOption option) = 0;
  STDMETHOD(get_SelectionColor)(IRgbColor** color) = 0;
  STDMETHOD(putref_SelectionColor)(IRgbColor* color) = 0;
  STDMETHOD(HitTestPoint)(LONG x, LONG y, IGraphic3D** graphic) = 0;
  STDMETHOD(HitTestRect)(LONG x, LONG y, LONG dx, LONG dy, ISet** graphics) = 0;
  STDMETHOD(ClearSelection)() = 0;

 protected:
  ~ISelection3D() = default;
};
ZELPH_DEFINE_IID(ISelection3D, 0xC40B3839, 0x6F6C, 0x44CB, 0xA5, 0x27, 0x9C, 0x6E, 0x53, 0x9F, 0x1A, 0xA8);

// Window pixels to places on the globe and back, and ground distances.
struct ILocationHelper3D : IDispatch {
  STDMETHOD(WindowToGeographic)(LONG x, LONG y, IPoint** location) = 0;
  STDMETHOD(GeographicToWindow)(IPoint* location, LONG* x, LONG* y) = 0;
  STDMETHOD(PixelsToDegrees)(LONG pixels, DOUBLE* degrees) = 0;
  STDMETHOD(PixelsToMeters)(LONG pixels, DOUBLE* meters) = 0;

 protected:
  ~ILocationHelper3D() = default;
};
ZELPH_DEFINE_IID(ILocationHelper3D, 0x79E6F037, 0xE683, 0x4723, 0xAC, 0x41, 0x81, 0x9A, 0x07, 0x43, 0x1E, 0x80);
