// The 3D display's own interface: its globe, its scene, and the options
// that decide how 2D drawing with map symbols becomes 3D graphics. The
// drawing itself comes through the host's IDisplay, which the 3D display
// also offers.
#pragma once

#include "frame/GraphicInterfaces.h"
#include "frame/HostSymbols.h"
#include "frame/LibraryEnums.h"
#include "frame/SceneInterfaces.h"
#include "platform/Unknown.h"

struct IGLDisplay3D : IDispatch {
  STDMETHOD(InitializeContext)(IUnknown* globeDisplay) = 0;
  STDMETHOD(UninitializeContext)() = 0;
  STDMETHOD(get_BaseExaggeration)(DOUBLE* exaggeration) = 0;
  STDMETHOD(put_BaseExaggeration)(DOUBLE exaggeration) = 0;
  // Removes everything drawn into the display's scene.
  STDMETHOD(ClearDisplayContents)() = 0;
  STDMETHOD(GetGlobeScaleRatio)(DOUBLE* ratio) = 0;
  STDMETHOD(get_EnableExtrusion)(VARIANT_BOOL* enabled) = 0;
  STDMETHOD(put_EnableExtrusion)(VARIANT_BOOL enabled) = 0;
  STDMETHOD(get_EnableOutlining)(VARIANT_BOOL* enabled) = 0;
  STDMETHOD(put_EnableOutlining)(VARIANT_BOOL enabled) = 0;
  STDMETHOD(get_OutlineColorOption)(kestGLDisplayOutlineColorOption* option) = 0;
  STDMETHOD(put_OutlineColorOption)(kestGLDisplayOutlineColorOption option) = 0;
  STDMETHOD(get_ManualOutlineColor)(IRgbColor** color) = 0;
  STDMETHOD(putref_ManualOutlineColor)(IRgbColor* color) = 0;
  STDMETHOD(get_PointOption)(kestGLDisplayPointOption* option) = 0;
  STDMETHOD(put_PointOption)(kestGLDisplayPointOption option) = 0;
  STDMETHOD(get_TextOption)(kestGLDisplayTextOption* option) = 0;
  STDMETHOD(put_TextOption)(kestGLDisplayTextOption option) = 0;
  STDMETHOD(get_EnableCallouts)(VARIANT_BOOL* enabled) = 0;
  STDMETHOD(put_EnableCallouts)(VARIANT_BOOL enabled) = 0;
  STDMETHOD(get_CalloutLineSymbol)(ISimpleLineSymbol** symbol) = 0;
  STDMETHOD(putref_CalloutLineSymbol)(ISimpleLineSymbol* symbol) = 0;
  STDMETHOD(get_Scene)(ISceneManager3D** scene) = 0;
  STDMETHOD(get_FillOption)(kestGLDisplayFillOption* option) = 0;
  STDMETHOD(put_FillOption)(kestGLDisplayFillOption option) = 0;
  STDMETHOD(get_OutlineTransparency)(LONG* transparency) = 0;
  STDMETHOD(put_OutlineTransparency)(LONG transparency) = 0;
  // When set, drawn graphics go into this group instead of the scene.
  STDMETHOD(get_DisplayTargetGraphic)(IGroupGraphic3D** group) = 0;
  STDMETHOD(putref_DisplayTargetGraphic)(IGroupGraphic3D* group) = 0;
  STDMETHOD(get_ThresholdElevation)(DOUBLE* elevation) = 0;
  STDMETHOD(put_ThresholdElevation)(DOUBLE elevation) = 0;

 protected:
  ~IGLDisplay3D() = default;
};
ZELPH_DEFINE_IID(IGLDisplay3D, 0x0EBFFC1E, 0x76E1, 0x4DBA, 0x97, 0xE6, 0x9F, 0xEC, 0x3B, 0x95, 0xF8, 0xEE);
