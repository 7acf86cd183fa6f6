// One text label of a labelled billboard: what it says and where it sits
// around the quad. A plain value, copied into the billboard's list of labels.
#pragma once

#include <string>

#include "text/FontBase.h"

struct Label {
  std::wstring Text;
  // Degrees counter-clockwise from the quad's +x axis.
  float Angle = 0.0f;
  // Which end of the text is held at the label's position.
  HAlign Alignment = HAlign::LEFT;
  // Placed on the quad's edge where the ray at Angle leaves it; otherwise
  // Radius scene units from the centre.
  bool AutoArrange = true;
  float Radius = 0.0f;
  // Whether the text runs right to left; found out by the font when the
  // labels are compiled.
  bool RightToLeft = false;
};
