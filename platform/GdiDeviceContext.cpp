#include "platform/GdiDeviceContext.h"

#include "platform/GdiStockObjects.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"

namespace zelph::gdi {

DeviceContext::DeviceContext(Target target) : m_Target(target), m_StretchMode(BLACKONWHITE) {
  // As on the home platform, a new context is never without a brush, and a
  // memory context never without a bitmap: what SelectObject first hands
  // back can always be selected again.
  std::uint32_t brush = StockHandle(StockObject::WhiteBrush);
  Select(brush, FindObject(brush, ObjectKind::Brush));
  if (IsMemory()) {
    std::uint32_t bitmap = StockHandle(StockObject::DefaultBitmap);
    Select(bitmap, FindObject(bitmap, ObjectKind::Bitmap));
  }
}

DeviceContext::Selection& DeviceContext::Slot(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Bitmap:
      return m_Bitmap;
    case ObjectKind::Brush:
      return m_Brush;
    default:
      return m_Font;
  }
}

std::uint32_t DeviceContext::Select(std::uint32_t handle, std::shared_ptr<GdiObject> object) {
  Selection& slot = Slot(object->Kind());
  std::uint32_t previous = slot.handle;
  slot = {handle, std::move(object)};
  return previous;
}

std::uint32_t DeviceContext::Current(ObjectKind kind) const { return Slot(kind).handle; }

std::shared_ptr<Bitmap> DeviceContext::SelectedBitmap() const {
  return std::static_pointer_cast<Bitmap>(m_Bitmap.object);
}

std::shared_ptr<GdiObject> Lookup(const void* handle, ObjectKind kind) {
  std::shared_ptr<GdiObject> object = FindObject(HandleNumber(handle), kind);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

std::shared_ptr<DeviceContext> LookupContext(HDC dc) {
  return std::static_pointer_cast<DeviceContext>(Lookup(dc, ObjectKind::DeviceContext));
}

std::shared_ptr<Bitmap> DrawingTarget(HDC dc) {
  std::shared_ptr<DeviceContext> context = LookupContext(dc);
  std::shared_ptr<Bitmap> bitmap = context ? context->SelectedBitmap() : nullptr;
  if (!bitmap) SetLastError(ERROR_INVALID_HANDLE);
  return bitmap;
}

}  // namespace zelph::gdi
