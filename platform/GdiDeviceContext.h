// A device context as the handle table keeps it: the bitmap, brush and font
// selected into it, each with the handle it was selected under, so that
// SelectObject can hand back what it replaces. A context holds what is
// selected into it: a bitmap deleted while selected lives on until the
// context lets it go.
#pragma once

#include <memory>

#include "platform/GdiBitmap.h"
#include "platform/GdiHandles.h"
#include "platform/GdiTypes.h"

namespace zelph::gdi {

class DeviceContext final : public GdiObject {
 public:
  // A memory context draws on the bitmap selected into it; the screen
  // context has no pixels.
  enum class Target { Memory, Screen };

  explicit DeviceContext(Target target);

  ObjectKind Kind() const override { return ObjectKind::DeviceContext; }
  bool IsMemory() const { return m_Target == Target::Memory; }

  // Puts `object` (of kind bitmap, brush or font) in its slot and returns the
  // handle it replaces (0 when the slot was empty).
  std::uint32_t Select(std::uint32_t handle, std::shared_ptr<GdiObject> object);
  std::uint32_t Current(ObjectKind kind) const;
  // Null for the screen.
  std::shared_ptr<Bitmap> SelectedBitmap() const;

  int StretchMode() const { return m_StretchMode; }
  void SetStretchMode(int mode) { m_StretchMode = mode; }

 private:
  struct Selection {
    std::uint32_t handle = 0;
    std::shared_ptr<GdiObject> object;
  };
  Selection& Slot(ObjectKind kind);
  const Selection& Slot(ObjectKind kind) const { return const_cast<DeviceContext*>(this)->Slot(kind); }

  Target m_Target;
  Selection m_Bitmap;
  Selection m_Brush;
  Selection m_Font;
  int m_StretchMode;
};

// The object under `handle` when it is of `kind`; otherwise null, with
// ERROR_INVALID_HANDLE as the last error.
std::shared_ptr<GdiObject> Lookup(const void* handle, ObjectKind kind);
std::shared_ptr<DeviceContext> LookupContext(HDC dc);
// The bitmap a memory context draws on; null with ERROR_INVALID_HANDLE for
// anything else.
std::shared_ptr<Bitmap> DrawingTarget(HDC dc);

// The table's number for a handle; 0 (no object) for values the table never
// issues, so that a made-up handle cannot alias a real one.
inline std::uint32_t HandleNumber(const void* handle) {
  std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
  return value > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(value);
}
inline HGDIOBJ ObjectHandleOf(std::uint32_t number) {
  return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(number));
}

}  // namespace zelph::gdi
