// Making, selecting into and releasing device contexts.
#include "platform/Gdi.h"
#include "platform/Win32Call.h"
#include "platform/GdiDeviceContext.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"

using zelph::Win32Call;

using namespace zelph::gdi;

namespace {

HDC NewContext(DeviceContext::Target target) {
  return Win32Call(HDC{}, [&] { return Insert<HDC>(std::make_shared<DeviceContext>(target)); });
}

// Erases `dc` when it is a context of the given target.
BOOL EraseContext(HDC dc, DeviceContext::Target target) {
  std::shared_ptr<DeviceContext> context = LookupContext(dc);
  if (!context || context->IsMemory() != (target == DeviceContext::Target::Memory)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return EraseObject(HandleNumber(dc)) ? TRUE : FALSE;
}

}  // namespace

HDC CreateCompatibleDC(HDC dc) {
  if (dc && !LookupContext(dc)) return nullptr;
  return NewContext(DeviceContext::Target::Memory);
}

BOOL DeleteDC(HDC dc) { return EraseContext(dc, DeviceContext::Target::Memory); }

HDC GetDC(HWND window) {
  if (window) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return NewContext(DeviceContext::Target::Screen);
}

int ReleaseDC(HWND window, HDC dc) { return EraseContext(dc, DeviceContext::Target::Screen); }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  std::shared_ptr<DeviceContext> context = LookupContext(dc);
  if (!context) return nullptr;
  std::uint32_t number = HandleNumber(object);
  std::shared_ptr<GdiObject> found = FindAnyObject(number);
  if (!found || found->Kind() == ObjectKind::DeviceContext) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (found->Kind() == ObjectKind::Bitmap && !context->IsMemory()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::uint32_t previous = context->Select(number, std::move(found));
  // A first font replaces none: null, but not a failure.
  if (!previous) SetLastError(ERROR_SUCCESS);
  return ObjectHandleOf(previous);
}

HGDIOBJ GetCurrentObject(HDC dc, UINT kind) {
  std::shared_ptr<DeviceContext> context = LookupContext(dc);
  if (!context) return nullptr;
  switch (kind) {
    case OBJ_BITMAP:
      return ObjectHandleOf(context->Current(ObjectKind::Bitmap));
    case OBJ_BRUSH:
      return ObjectHandleOf(context->Current(ObjectKind::Brush));
    case OBJ_FONT:
      return ObjectHandleOf(context->Current(ObjectKind::Font));
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

int SetStretchBltMode(HDC dc, int mode) {
  std::shared_ptr<DeviceContext> context = LookupContext(dc);
  if (!context) return 0;
  if (mode < BLACKONWHITE || mode > HALFTONE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int previous = context->StretchMode();
  context->SetStretchMode(mode);
  return previous;
}

int GetStretchBltMode(HDC dc) {
  std::shared_ptr<DeviceContext> context = LookupContext(dc);
  return context ? context->StretchMode() : 0;
}
