#include "frame/DispatchTables.h"

#include <vector>

namespace zelph {

std::span<const DispatchInterface> DispatchInterfaces() {
  static const std::vector<DispatchInterface> interfaces = [] {
    std::vector<DispatchInterface> all;
    for (auto* group : {&GraphicDispatchInterfaces, &MaterialDispatchInterfaces, &SceneDispatchInterfaces,
                        &DisplayDispatchInterfaces, &FontDispatchInterfaces}) {
      std::span<const DispatchInterface> listed = group();
      all.insert(all.end(), listed.begin(), listed.end());
    }
    return all;
  }();
  return interfaces;
}

const DispatchInterface* FindDispatchInterface(REFIID iid) {
  for (const DispatchInterface& described : DispatchInterfaces()) {
    if (*described.iid == iid) return &described;
  }
  return nullptr;
}

const DispatchTable* FindDispatchTable(REFIID iid) {
  const DispatchInterface* described = FindDispatchInterface(iid);
  return described ? described->table : nullptr;
}

}  // namespace zelph
