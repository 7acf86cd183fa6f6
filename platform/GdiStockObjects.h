// The objects every process shares and nobody deletes: the brushes handed
// out by GetStockObject and the 1 x 1 bitmap a new memory context holds.
#pragma once

#include <cstdint>

namespace zelph::gdi {

enum class StockObject { WhiteBrush, BlackBrush, DefaultBitmap };

// Made on first use; the handle stays valid until the process ends.
std::uint32_t StockHandle(StockObject which);
bool IsStockHandle(std::uint32_t handle);

}  // namespace zelph::gdi
