// The host's simple display: draws marker symbols into the bitmap selected
// into a memory device context, placed through its display transformation.
//
// Each draw call writes into the bitmap's bits at once; FinishDrawing only
// lets the context go. Lines, fills, rectangles and text are not drawn by
// this display (E_NOTIMPL), nor does it clip, keep a palette, raise events
// or report progress.
#pragma once

#include <vector>

#include "frame/ComObject.h"
#include "frame/HostDisplay.h"
#include "platform/ComPtr.h"

namespace zelph::host::display {

class SimpleDisplay : public zelph::ComObjectRoot, public IDisplay {
 public:
  using InterfaceMap = zelph::InterfaceMap<IDisplay>;

  // Starts with a display transformation of its own.
  HRESULT FinalConstruct();

  // The live transformation: changing it changes where this display draws.
  STDMETHODIMP get_DisplayTransformation(IDisplayTransformation** transformation) override;
  STDMETHODIMP put_DisplayTransformation(IDisplayTransformation* transformation) override;
  STDMETHODIMP get_ClipEnvelope(IEnvelope**) override { return E_NOTIMPL; }
  STDMETHODIMP get_ClipEnvelopes(IUnknown**) override { return E_NOTIMPL; }
  STDMETHODIMP get_ClipGeometry(IGeometry**) override { return E_NOTIMPL; }
  STDMETHODIMP put_ClipGeometry(IGeometry*) override { return E_NOTIMPL; }
  STDMETHODIMP get_SuppressEvents(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_SuppressEvents(VARIANT_BOOL) override { return E_NOTIMPL; }
  // A transparency filter makes what is drawn translucent.
  STDMETHODIMP get_Filter(IDisplayFilter** filter) override;
  STDMETHODIMP putref_Filter(IDisplayFilter* filter) override;
  STDMETHODIMP get_hPalette(OLE_HANDLE*) override { return E_NOTIMPL; }
  STDMETHODIMP put_hPalette(OLE_HANDLE) override { return E_NOTIMPL; }
  // `hDC` must be a memory context with a bitmap selected (E_INVALIDARG
  // otherwise); a second StartDrawing moves to the new context.
  STDMETHODIMP StartDrawing(OLE_HANDLE hDC, SHORT cacheId) override;
  // 0 while not drawing.
  STDMETHODIMP get_hDC(OLE_HANDLE* hDC) override;
  // E_UNEXPECTED while not drawing.
  STDMETHODIMP FinishDrawing() override;
  STDMETHODIMP Progress(LONG) override { return E_NOTIMPL; }
  // The current symbol must be a marker (E_FAIL otherwise); an empty point
  // draws nothing. E_UNEXPECTED while not drawing.
  STDMETHODIMP DrawPoint(IGeometry* geometry) override;
  // Each point of a point collection, in order.
  STDMETHODIMP DrawMultipoint(IGeometry* geometry) override;
  STDMETHODIMP DrawRectangle(IEnvelope*) override { return E_NOTIMPL; }
  STDMETHODIMP DrawPolyline(IGeometry*) override { return E_NOTIMPL; }
  STDMETHODIMP DrawPolygon(IGeometry*) override { return E_NOTIMPL; }
  STDMETHODIMP DrawText(IGeometry*, BSTR) override { return E_NOTIMPL; }
  // Kept for the following draw calls; null clears it.
  STDMETHODIMP SetSymbol(ISymbol* symbol) override;
  STDMETHODIMP get_IlluminationProps(IUnknown**) override { return E_NOTIMPL; }
  STDMETHODIMP put_IlluminationProps(IUnknown*) override { return E_NOTIMPL; }

 private:
  // Draws the current marker at each point (all placed before any is drawn).
  void DrawMarkers(const std::vector<CComPtr<IPoint>>& points);

  CComPtr<IDisplayTransformation> m_Transformation;
  CComPtr<IDisplayFilter> m_Filter;
  CComPtr<ISymbol> m_Symbol;
  OLE_HANDLE m_hDC = 0;
};

}  // namespace zelph::host::display
