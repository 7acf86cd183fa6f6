// The table behind every GDI handle: bitmaps, brushes, fonts and device
// contexts live here, each under a number that is never issued twice in a
// process, so that a handle used after its DeleteObject finds nothing.
#pragma once

#include <cstdint>
#include <memory>

namespace zelph::gdi {

enum class ObjectKind { Bitmap, Brush, Font, DeviceContext };

class GdiObject {
 public:
  virtual ~GdiObject() = default;
  virtual ObjectKind Kind() const = 0;
};

// Takes the object and returns its handle number (never 0).
std::uint32_t InsertObject(std::shared_ptr<GdiObject> object);
// The object under `handle` when it is of `kind`; null otherwise.
std::shared_ptr<GdiObject> FindObject(std::uint32_t handle, ObjectKind kind);
// The object under `handle`, whatever its kind; null when there is none.
std::shared_ptr<GdiObject> FindAnyObject(std::uint32_t handle);
// Removes the object; false when there was none. The object itself lives on
// while someone still holds it (a bitmap selected into a context).
bool EraseObject(std::uint32_t handle);

template <class Object, class Handle>
std::shared_ptr<Object> Find(Handle handle, ObjectKind kind) {
  return std::static_pointer_cast<Object>(
      FindObject(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle)), kind));
}

template <class Handle>
Handle Insert(std::shared_ptr<GdiObject> object) {
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(InsertObject(std::move(object))));
}

}  // namespace zelph::gdi
