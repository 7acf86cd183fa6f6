// Turns a FreeType outline into the closed polygons of a FontOutline: curves
// become chords that stay within a tolerance of them.
#pragma once

#include <optional>

#include "platform/FontOutline.h"

struct FT_Outline_;
struct FT_Vector_;

namespace zelph::gdi {

class FontOutlineFlattener {
 public:
  // `scale` turns font units into em units; `tolerance` is the largest
  // distance, in em units, between a curve and the chords standing in for it.
  FontOutlineFlattener(double scale, double tolerance);

  // Null when FreeType cannot walk the outline.
  std::optional<FontOutline> Flatten(const FT_Outline_& outline);

 private:
  static int MoveTo(const FT_Vector_* to, void* user);
  static int LineTo(const FT_Vector_* to, void* user);
  static int ConicTo(const FT_Vector_* control, const FT_Vector_* to, void* user);
  static int CubicTo(const FT_Vector_* control1, const FT_Vector_* control2, const FT_Vector_* to, void* user);
  // Runs one step of the walk for FreeType, which is C and must not see an
  // exception: a failed step stops the walk instead.
  template <class Step>
  static int Walk(void* user, Step step);

  FontOutlinePoint ToEm(const FT_Vector_& point) const;
  void StartContour(FontOutlinePoint start);
  void EndContour();
  void Add(FontOutlinePoint point);
  // How many chords keep a curve whose second differences are at most
  // `bend` long within the tolerance; `factor` carries the curve's degree.
  int Chords(double bend, double factor) const;
  void AddQuadratic(FontOutlinePoint control, FontOutlinePoint to);
  void AddCubic(FontOutlinePoint control1, FontOutlinePoint control2, FontOutlinePoint to);

  double m_Scale;
  double m_Tolerance;
  FontOutline m_Outline;
  FontContour m_Contour;
};

}  // namespace zelph::gdi
