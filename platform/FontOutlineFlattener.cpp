#include "platform/FontOutlineFlattener.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>

namespace zelph::gdi {
namespace {

// Even a wildly curved glyph at a tolerance far below a design unit stays a
// reasonable number of vertices.
constexpr int kMostChords = 256;

FontOutlinePoint operator+(FontOutlinePoint a, FontOutlinePoint b) { return {a.x + b.x, a.y + b.y}; }
FontOutlinePoint operator*(double factor, FontOutlinePoint point) { return {factor * point.x, factor * point.y}; }
bool operator==(FontOutlinePoint a, FontOutlinePoint b) { return a.x == b.x && a.y == b.y; }

// The length of p0 - 2 p1 + p2: how far a curve through those control
// points bends away from its chord.
double SecondDifference(FontOutlinePoint p0, FontOutlinePoint p1, FontOutlinePoint p2) {
  return std::hypot(p0.x - 2.0 * p1.x + p2.x, p0.y - 2.0 * p1.y + p2.y);
}

}  // namespace

FontOutlineFlattener::FontOutlineFlattener(double scale, double tolerance) : m_Scale(scale), m_Tolerance(tolerance) {}

std::optional<FontOutline> FontOutlineFlattener::Flatten(const FT_Outline_& outline) {
  m_Outline = FontOutline{};
  m_Contour.clear();
  static constexpr FT_Outline_Funcs kWalk = {&MoveTo, &LineTo, &ConicTo, &CubicTo, 0, 0};
  if (FT_Outline_Decompose(const_cast<FT_Outline*>(&outline), &kWalk, this) != 0) return std::nullopt;
  EndContour();
  m_Outline.evenOdd = (outline.flags & FT_OUTLINE_EVEN_ODD_FILL) != 0;
  // TrueType outlines run with the ink on their right, PostScript ones with
  // the ink on their left; the latter are turned round.
  if (FT_Outline_Get_Orientation(const_cast<FT_Outline*>(&outline)) == FT_ORIENTATION_FILL_LEFT) {
    for (FontContour& contour : m_Outline.contours) std::reverse(contour.begin(), contour.end());
  }
  return std::move(m_Outline);
}

template <class Step>
int FontOutlineFlattener::Walk(void* user, Step step) {
  try {
    step(*static_cast<FontOutlineFlattener*>(user));
    return 0;
  } catch (...) {
    return 1;
  }
}

int FontOutlineFlattener::MoveTo(const FT_Vector* to, void* user) {
  return Walk(user, [&](FontOutlineFlattener& self) { self.StartContour(self.ToEm(*to)); });
}

int FontOutlineFlattener::LineTo(const FT_Vector* to, void* user) {
  return Walk(user, [&](FontOutlineFlattener& self) { self.Add(self.ToEm(*to)); });
}

int FontOutlineFlattener::ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  return Walk(user, [&](FontOutlineFlattener& self) { self.AddQuadratic(self.ToEm(*control), self.ToEm(*to)); });
}

int FontOutlineFlattener::CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to,
                                  void* user) {
  return Walk(user, [&](FontOutlineFlattener& self) {
    self.AddCubic(self.ToEm(*control1), self.ToEm(*control2), self.ToEm(*to));
  });
}

FontOutlinePoint FontOutlineFlattener::ToEm(const FT_Vector& point) const {
  return {static_cast<double>(point.x) * m_Scale, static_cast<double>(point.y) * m_Scale};
}

void FontOutlineFlattener::StartContour(FontOutlinePoint start) {
  EndContour();
  m_Contour.push_back(start);
}

// FreeType closes every contour by coming back to its start, so the last
// point is dropped; whatever encloses no area is left out.
void FontOutlineFlattener::EndContour() {
  if (m_Contour.size() > 1 && m_Contour.back() == m_Contour.front()) m_Contour.pop_back();
  if (m_Contour.size() >= 3) m_Outline.contours.push_back(std::move(m_Contour));
  m_Contour.clear();
}

void FontOutlineFlattener::Add(FontOutlinePoint point) {
  if (m_Contour.empty() || !(m_Contour.back() == point)) m_Contour.push_back(point);
}

// A curve with second derivative at most M strays at most M h^2 / 8 from a
// chord spanning h of its parameter; `factor` is M / 8 per unit of `bend`.
int FontOutlineFlattener::Chords(double bend, double factor) const {
  double chords = std::ceil(std::sqrt(bend * factor / m_Tolerance));
  if (!(chords >= 1.0)) return 1;
  return static_cast<int>(std::min(chords, static_cast<double>(kMostChords)));
}

void FontOutlineFlattener::AddQuadratic(FontOutlinePoint control, FontOutlinePoint to) {
  if (m_Contour.empty()) return;
  const FontOutlinePoint from = m_Contour.back();
  // B'' = 2 (p0 - 2 p1 + p2).
  const int chords = Chords(SecondDifference(from, control, to), 2.0 / 8.0);
  for (int step = 1; step < chords; ++step) {
    const double t = static_cast<double>(step) / chords;
    const double u = 1.0 - t;
    Add(u * u * from + 2.0 * u * t * control + t * t * to);
  }
  Add(to);
}

void FontOutlineFlattener::AddCubic(FontOutlinePoint control1, FontOutlinePoint control2, FontOutlinePoint to) {
  if (m_Contour.empty()) return;
  const FontOutlinePoint from = m_Contour.back();
  // |B''| <= 6 max(|p0 - 2 p1 + p2|, |p1 - 2 p2 + p3|).
  const double bend = std::max(SecondDifference(from, control1, control2), SecondDifference(control1, control2, to));
  const int chords = Chords(bend, 6.0 / 8.0);
  for (int step = 1; step < chords; ++step) {
    const double t = static_cast<double>(step) / chords;
    const double u = 1.0 - t;
    Add(u * u * u * from + 3.0 * u * u * t * control1 + 3.0 * u * t * t * control2 + t * t * t * to);
  }
  Add(to);
}

}  // namespace zelph::gdi
