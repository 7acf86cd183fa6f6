#include "platform/GdiStockObjects.h"

#include <array>

#include "platform/GdiBitmap.h"
#include "platform/GdiBrush.h"

namespace zelph::gdi {
namespace {

struct StockTable {
  std::array<std::uint32_t, 3> handles{};

  StockTable() {
    handles[static_cast<int>(StockObject::WhiteBrush)] = InsertObject(std::make_shared<Brush>(RGB(255, 255, 255)));
    handles[static_cast<int>(StockObject::BlackBrush)] = InsertObject(std::make_shared<Brush>(RGB(0, 0, 0)));
    handles[static_cast<int>(StockObject::DefaultBitmap)] =
        InsertObject(Bitmap::Make(1, 1, 32, Bitmap::Layout::TopDown, false));
  }
};

const StockTable& Stock() {
  static const StockTable table;
  return table;
}

}  // namespace

std::uint32_t StockHandle(StockObject which) { return Stock().handles[static_cast<int>(which)]; }

bool IsStockHandle(std::uint32_t handle) {
  for (std::uint32_t stock : Stock().handles) {
    if (stock == handle) return true;
  }
  return false;
}

}  // namespace zelph::gdi
