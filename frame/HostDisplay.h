// The host's 2D display: symbols drawn into a device context through a
// display transformation. The library also offers IDisplay itself, on top
// of the 3D scene.
#pragma once

#include "frame/HostGeometry.h"
#include "frame/HostSymbols.h"
#include "platform/GdiTypes.h"
#include "platform/Unknown.h"

// Maps the display's map units onto the pixels of its device frame.
struct IDisplayTransformation : IUnknown {
  // The device's pixel rectangle. Until visible bounds are put, the map
  // shows the same rectangle: one map unit per pixel, y up.
  STDMETHOD(PutDeviceFrame)(LONG left, LONG top, LONG right, LONG bottom) = 0;
  STDMETHOD(QueryDeviceFrame)(LONG* left, LONG* top, LONG* right, LONG* bottom) = 0;
  STDMETHOD(get_VisibleBounds)(IEnvelope** bounds) = 0;
  STDMETHOD(put_VisibleBounds)(IEnvelope* bounds) = 0;
  // Device resolution in dots per inch (96 unless put).
  STDMETHOD(get_Resolution)(double* dotsPerInch) = 0;
  STDMETHOD(put_Resolution)(double dotsPerInch) = 0;
  // A length in map units as points (1/72 inch) on the device, and back.
  STDMETHOD(ToPoints)(double mapUnits, double* points) = 0;
  STDMETHOD(FromPoints)(double points, double* mapUnits) = 0;

 protected:
  ~IDisplayTransformation() = default;
};
ZELPH_DEFINE_IID(IDisplayTransformation, 0x1D4430CC, 0x7FC4, 0x41EC, 0xBE, 0xD1, 0x22, 0x3C, 0xC0, 0x11, 0xEA, 0x14);

struct IDisplayFilter : IUnknown {
 protected:
  ~IDisplayFilter() = default;
};
ZELPH_DEFINE_IID(IDisplayFilter, 0x4FF63F00, 0xFA9D, 0x435E, 0x81, 0x5E, 0xEB, 0x3D, 0x13, 0x22, 0x79, 0x18);

struct ITransparencyDisplayFilter : IDisplayFilter {
  // 0 (clear) to 255 (opaque).
  STDMETHOD(get_Transparency)(SHORT* transparency) = 0;
  STDMETHOD(put_Transparency)(SHORT transparency) = 0;

 protected:
  ~ITransparencyDisplayFilter() = default;
};
ZELPH_DEFINE_IID(ITransparencyDisplayFilter, 0x3F1944F9, 0xB812, 0x4E7F, 0xAB, 0xCF, 0x79, 0x07, 0x57, 0xCA, 0xEC, 0xD2);

// In this slot order. Drawing happens between StartDrawing (on a device
// context) and FinishDrawing, with the symbol last set.
struct IDisplay : IUnknown {
  STDMETHOD(get_DisplayTransformation)(IDisplayTransformation** transformation) = 0;
  STDMETHOD(put_DisplayTransformation)(IDisplayTransformation* transformation) = 0;
  STDMETHOD(get_ClipEnvelope)(IEnvelope** envelope) = 0;
  STDMETHOD(get_ClipEnvelopes)(IUnknown** envelopes) = 0;
  STDMETHOD(get_ClipGeometry)(IGeometry** geometry) = 0;
  STDMETHOD(put_ClipGeometry)(IGeometry* geometry) = 0;
  STDMETHOD(get_SuppressEvents)(VARIANT_BOOL* suppress) = 0;
  STDMETHOD(put_SuppressEvents)(VARIANT_BOOL suppress) = 0;
  STDMETHOD(get_Filter)(IDisplayFilter** filter) = 0;
  STDMETHOD(putref_Filter)(IDisplayFilter* filter) = 0;
  STDMETHOD(get_hPalette)(OLE_HANDLE* palette) = 0;
  STDMETHOD(put_hPalette)(OLE_HANDLE palette) = 0;
  STDMETHOD(StartDrawing)(OLE_HANDLE hDC, SHORT cacheId) = 0;
  STDMETHOD(get_hDC)(OLE_HANDLE* hDC) = 0;
  STDMETHOD(FinishDrawing)() = 0;
  STDMETHOD(Progress)(LONG vertexCount) = 0;
  STDMETHOD(DrawPoint)(IGeometry* geometry) = 0;
  STDMETHOD(DrawMultipoint)(IGeometry* geometry) = 0;
  STDMETHOD(DrawRectangle)(IEnvelope* rectangle) = 0;
  STDMETHOD(DrawPolyline)(IGeometry* geometry) = 0;
  STDMETHOD(DrawPolygon)(IGeometry* geometry) = 0;
  STDMETHOD(DrawText)(IGeometry* geometry, BSTR text) = 0;
  STDMETHOD(SetSymbol)(ISymbol* symbol) = 0;
  STDMETHOD(get_IlluminationProps)(IUnknown** properties) = 0;
  STDMETHOD(put_IlluminationProps)(IUnknown* properties) = 0;

 protected:
  ~IDisplay() = default;
};
ZELPH_DEFINE_IID(IDisplay, 0x7F068B9A, 0xB8BA, 0x4930, 0xB2, 0x5E, 0x09, 0xAC, 0x45, 0x8B, 0x0B, 0xF6);
