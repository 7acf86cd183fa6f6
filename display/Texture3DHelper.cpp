#include "display/Texture3DHelper.h"

#include <memory>
#include <type_traits>

#include "display/BitmapBot.h"
#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/HostDisplay.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "platform/Gdi.h"

using zelph::ComCall;

namespace {

// The marker fills this share of the square's side.
constexpr double kMarkerShare = 0.95;

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
// A bitmap this helper owns until a texture takes it.
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

struct BrushDeleter {
  void operator()(HBRUSH brush) const { DeleteObject(brush); }
};
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, BrushDeleter>;

struct ScreenRelease {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using ScreenDC = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenRelease>;

COLORREF ColorOf(IRgbColor* color) {
  LONG red = 0, green = 0, blue = 0;
  zelph::ThrowIfFailed(color->get_Red(&red));
  zelph::ThrowIfFailed(color->get_Green(&green));
  zelph::ThrowIfFailed(color->get_Blue(&blue));
  return RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
}

// A new texture holding `bitmap`, which it then owns.
CComPtr<ITexture3D> MakeTexture(BSTR uid, IRgbColor* transparency, OwnedBitmap bitmap) {
  CComPtr<ITexture3D> texture = zelph::NewLibraryObject<ITexture3D>(CLSID_Texture3D);
  zelph::ThrowIfNull(texture);
  zelph::ThrowIfFailed(texture->put_UID(uid));
  zelph::ThrowIfFailed(texture->putref_TransparencyColor(transparency));
  zelph::ThrowIfFailed(texture->put_BitmapHandle(ToOleHandle(bitmap.get())));
  bitmap.release();  // the texture's now
  return texture;
}

// Draws `symbol` at `where` into the bitmap selected into `dc`.
HRESULT DrawMarker(IDisplay* display, HDC dc, ISymbol* symbol, IPoint* where) {
  HRESULT hr = display->StartDrawing(ToOleHandle(dc), 0);
  if (FAILED(hr)) return hr;
  hr = display->SetSymbol(symbol);
  if (SUCCEEDED(hr)) hr = display->DrawPoint(where);
  const HRESULT finished = display->FinishDrawing();
  return FAILED(hr) ? hr : finished;
}

}  // namespace

STDMETHODIMP Texture3DHelper::CreateBMPTexture(BSTR uid, BSTR path, IRgbColor* transparency, ITexture3D** texture) {
  return ComCall(
      L"CreateBMPTexture",
      [&] {
        *texture = nullptr;
        const COLORREF key = transparency ? ColorOf(transparency) : RGB(0, 0, 0);
        BitmapBot bot;
        if (!bot.LoadBitmapW(path, key, transparency != nullptr)) {
          Logger::Warning(L"Could not load the image file %ls\n", path ? path : L"");
          zelph::Fail(E_FAIL);
        }
        OwnedBitmap copy(bot.CopyBitmapByHandle());
        zelph::ThrowIfNull(copy);
        *texture = MakeTexture(uid, transparency, std::move(copy)).Detach();
      },
      texture);
}

STDMETHODIMP Texture3DHelper::CreateMarkerTexture(BSTR uid, IMarkerSymbol* marker, LONG size, IRgbColor* transparency,
                                                  ITexture3D** texture) {
  return ComCall(
      L"CreateMarkerTexture",
      [&] {
        *texture = nullptr;
        zelph::ThrowIfNull(marker);
        if (size < 1) zelph::Fail(E_FAIL);
        CComQIPtr<ISymbol> symbol{marker};
        zelph::ThrowIfNull(symbol);
        const COLORREF background = transparency ? ColorOf(transparency) : RGB(255, 255, 255);
        ScreenDC screen(GetDC(nullptr));
        zelph::ThrowIfNull(screen);
        OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), size, size));
        zelph::ThrowIfNull(bitmap);
        {
          BitmapBot::Canvas canvas(screen.get(), bitmap.get());
          zelph::ThrowIfNull(canvas.Dc());
          OwnedBrush brush(CreateSolidBrush(background));
          zelph::ThrowIfNull(brush);
          const RECT all{0, 0, size, size};
          if (!FillRect(canvas.Dc(), &all, brush.get())) zelph::Fail(E_FAIL);

          // The display sees the bitmap's pixel frame; the middle of its
          // bounds is the middle of the square.
          CComPtr<IDisplay> display = zelph::RequireHostObject<IDisplay>(CLSID_SimpleDisplay);
          CComPtr<IDisplayTransformation> transformation;
          zelph::ThrowIfFailed(display->get_DisplayTransformation(&transformation));
          zelph::ThrowIfNull(transformation);
          zelph::ThrowIfFailed(transformation->PutDeviceFrame(0, 0, size, size));
          CComPtr<IEnvelope> bounds;
          zelph::ThrowIfFailed(transformation->get_VisibleBounds(&bounds));
          zelph::ThrowIfNull(bounds);
          double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
          zelph::ThrowIfFailed(bounds->QueryCoords(&xMin, &yMin, &xMax, &yMax));
          CComPtr<IPoint> middle = zelph::RequireHostObject<IPoint>(CLSID_Point);
          zelph::ThrowIfFailed(middle->PutCoords((xMin + xMax) / 2.0, (yMin + yMax) / 2.0));
          double markerPoints = 0.0;
          zelph::ThrowIfFailed(transformation->ToPoints(kMarkerShare * (xMax - xMin), &markerPoints));

          // The caller's marker is lent at this size and given back as it was.
          double ownSize = 0.0;
          zelph::ThrowIfFailed(marker->get_Size(&ownSize));
          zelph::ThrowIfFailed(marker->put_Size(markerPoints));
          const HRESULT drawn = DrawMarker(display, canvas.Dc(), symbol, middle);
          const HRESULT restored = marker->put_Size(ownSize);
          zelph::ThrowIfFailed(drawn);
          zelph::ThrowIfFailed(restored);
        }
        HBITMAP valid = bitmap.release();
        m_Imager.ValidateBitmapSize(valid);
        bitmap.reset(valid);
        *texture = MakeTexture(uid, transparency, std::move(bitmap)).Detach();
      },
      texture);
}
