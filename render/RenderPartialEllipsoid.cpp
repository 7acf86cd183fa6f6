#include "render/RenderPartialEllipsoid.h"

#include <cmath>

namespace {

void TakeAngle(float& angle, float value) {
  if (!std::isnan(value)) angle = value;
}

}  // namespace

RenderPartialEllipsoid::RenderPartialEllipsoid(GLuint Name) : RenderEllipsoid(Name) {}

RenderPartialEllipsoid::~RenderPartialEllipsoid() = default;

void RenderPartialEllipsoid::SetStartAzimuth(float Azimuth) { TakeAngle(m_SAzi, Azimuth); }

void RenderPartialEllipsoid::SetEndAzimuth(float Azimuth) { TakeAngle(m_EAzi, Azimuth); }

void RenderPartialEllipsoid::SetStartInclination(float Inclination) { TakeAngle(m_SInc, Inclination); }

void RenderPartialEllipsoid::SetEndInclination(float Inclination) { TakeAngle(m_EInc, Inclination); }

void RenderPartialEllipsoid::SetShowCaps(bool ShowCaps) {
  if (ShowCaps == m_ShowCaps) return;
  m_ShowCaps = ShowCaps;
  m_ValidDisplayList = false;
}

RenderPartialEllipsoid::Grid RenderPartialEllipsoid::WedgeGrid() const {
  // The grid's longitude runs from south towards east, so a clockwise
  // azimuth from north becomes 180 - azimuth; the upper bound stops one
  // degree short as the whole sphere's does.
  const float lon0 = 180.0f - m_EAzi;
  return Grid{lon0, StepsFrom(lon0, 179.0f - m_SAzi, false), m_SInc, StepsFrom(m_SInc, m_EInc, false)};
}

void RenderPartialEllipsoid::RenderNonTextured() {
  DrawSurface(WedgeGrid(), m_ShowCaps ? Strips::Capped : Strips::Separate, false);
}

void RenderPartialEllipsoid::RenderTextured() {
  DrawSurface(WedgeGrid(), m_ShowCaps ? Strips::Capped : Strips::Separate, true);
}

void RenderPartialEllipsoid::RenderOutline() { DrawOutline(WedgeGrid()); }

void RenderPartialEllipsoid::RenderSelection() { DrawSelection(WedgeGrid()); }
