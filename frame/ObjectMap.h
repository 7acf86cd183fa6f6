// The library's object map: its creatable classes, in their fixed order.
#pragma once

#include <span>

#include "frame/ComModule.h"

#pragma GCC visibility push(hidden)
namespace zelph {

std::span<ObjectMapEntry> LibraryObjectMap();

}  // namespace zelph
#pragma GCC visibility pop
