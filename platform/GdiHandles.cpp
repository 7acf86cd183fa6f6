#include "platform/GdiHandles.h"

#include <mutex>
#include <unordered_map>

namespace zelph::gdi {
namespace {

struct HandleTable {
  std::mutex lock;
  std::unordered_map<std::uint32_t, std::shared_ptr<GdiObject>> objects;
  std::uint32_t lastIssued = 0;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

}  // namespace

std::uint32_t InsertObject(std::shared_ptr<GdiObject> object) {
  if (!object) return 0;
  HandleTable& table = Table();
  std::lock_guard guard(table.lock);
  // Numbers wrap only after four billion objects; 0 is never a handle.
  do {
    ++table.lastIssued;
  } while (table.lastIssued == 0 || table.objects.count(table.lastIssued));
  table.objects.emplace(table.lastIssued, std::move(object));
  return table.lastIssued;
}

std::shared_ptr<GdiObject> FindAnyObject(std::uint32_t handle) {
  HandleTable& table = Table();
  std::lock_guard guard(table.lock);
  auto found = table.objects.find(handle);
  return found == table.objects.end() ? nullptr : found->second;
}

std::shared_ptr<GdiObject> FindObject(std::uint32_t handle, ObjectKind kind) {
  std::shared_ptr<GdiObject> object = FindAnyObject(handle);
  return object && object->Kind() == kind ? object : nullptr;
}

bool EraseObject(std::uint32_t handle) {
  std::shared_ptr<GdiObject> erased;
  HandleTable& table = Table();
  std::lock_guard guard(table.lock);
  auto found = table.objects.find(handle);
  if (found == table.objects.end()) return false;
  // Destroyed after the lock is left: a destructor may touch the table.
  erased = std::move(found->second);
  table.objects.erase(found);
  return true;
}

}  // namespace zelph::gdi
