// The dual interfaces the library describes, each with its id, its name and
// its dispatch table. Each group of interfaces lists its own in a file of its
// own; late binding and the type library both read these lists.
#pragma once

#include <span>

#include "frame/DispatchTable.h"

namespace zelph {

struct DispatchInterface {
  const IID* iid;
  const wchar_t* name;
  const DispatchTable* table;
};

// Lists an interface under its own name, so that name and id never part.
#define ZELPH_DISPATCH_INTERFACE(Interface, table) \
  ::zelph::DispatchInterface { &uuidof<Interface>(), L"" #Interface, &(table) }

// Every described interface: the groups' lists one after the other. A type
// library's index of an interface is its position here.
std::span<const DispatchInterface> DispatchInterfaces();
// The interface `iid`, or null when the library does not describe it.
const DispatchInterface* FindDispatchInterface(REFIID iid);
// The table of the interface `iid`, or null while it has none.
const DispatchTable* FindDispatchTable(REFIID iid);

// The interfaces of each group.
std::span<const DispatchInterface> GraphicDispatchInterfaces();
std::span<const DispatchInterface> MaterialDispatchInterfaces();
std::span<const DispatchInterface> SceneDispatchInterfaces();
std::span<const DispatchInterface> DisplayDispatchInterfaces();
std::span<const DispatchInterface> FontDispatchInterfaces();

// The extrusion table, which extruded fonts include as well as geographic
// extrusions.
const DispatchTable& ExtrusionDispatchTable();
// The material table every kind of material includes.
const DispatchTable& MaterialDispatchTable();

}  // namespace zelph
