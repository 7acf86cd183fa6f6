// Where a dual interface's dispatch table is found. Each group of
// interfaces defines its tables in a file of its own; this finds them by
// interface id.
#pragma once

#include "frame/DispatchTable.h"

namespace zelph {

// The table of the interface `iid`, or null while it has none.
const DispatchTable* FindDispatchTable(REFIID iid);

// The tables of each group, by interface id, or null for an interface
// outside the group.
const DispatchTable* FindGraphicDispatchTable(REFIID iid);
const DispatchTable* FindMaterialDispatchTable(REFIID iid);
const DispatchTable* FindSceneDispatchTable(REFIID iid);
const DispatchTable* FindDisplayDispatchTable(REFIID iid);
const DispatchTable* FindFontDispatchTable(REFIID iid);

// The extrusion table, which extruded fonts include as well as geographic
// extrusions.
const DispatchTable& ExtrusionDispatchTable();
// The material table every kind of material includes.
const DispatchTable& MaterialDispatchTable();

}  // namespace zelph
