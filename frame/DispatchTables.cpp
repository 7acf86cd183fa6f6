#include "frame/DispatchTables.h"

namespace zelph {

const DispatchTable* FindDispatchTable(REFIID iid) {
  for (auto* find : {&FindGraphicDispatchTable, &FindMaterialDispatchTable, &FindSceneDispatchTable,
                     &FindDisplayDispatchTable, &FindFontDispatchTable}) {
    if (const DispatchTable* table = find(iid)) return table;
  }
  return nullptr;
}

}  // namespace zelph
