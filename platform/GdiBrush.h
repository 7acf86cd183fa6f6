// A solid brush as the handle table keeps it.
#pragma once

#include "platform/GdiHandles.h"
#include "platform/GdiTypes.h"

namespace zelph::gdi {

class Brush final : public GdiObject {
 public:
  explicit Brush(COLORREF colour) : m_Colour(colour & 0x00FFFFFF) {}

  ObjectKind Kind() const override { return ObjectKind::Brush; }
  COLORREF Colour() const { return m_Colour; }

 private:
  COLORREF m_Colour;
};

}  // namespace zelph::gdi
