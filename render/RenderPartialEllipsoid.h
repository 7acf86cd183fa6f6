// A wedge of an ellipsoid: a range of azimuths (clockwise from north) and a
// range of inclinations (above the local horizontal), optionally closed by
// caps to the centre; the shape of sensor volumes and coverage shells. It
// is drawn as the whole ellipsoid is, over the part of the grid that the
// wedge covers.
#pragma once

#include <GL/gl.h>

#include "render/RenderEllipsoid.h"

class RenderPartialEllipsoid : public RenderEllipsoid {
 public:
  explicit RenderPartialEllipsoid(GLuint Name = kNextGLName);
  ~RenderPartialEllipsoid() override;

  // Degrees; NaN is ignored. The list is rebuilt when the scene manager
  // invalidates it after changing them.
  float GetStartAzimuth() const { return m_SAzi; }
  void SetStartAzimuth(float Azimuth);
  float GetEndAzimuth() const { return m_EAzi; }
  void SetEndAzimuth(float Azimuth);
  float GetStartInclination() const { return m_SInc; }
  void SetStartInclination(float Inclination);
  float GetEndInclination() const { return m_EInc; }
  void SetEndInclination(float Inclination);

  bool GetShowCaps() const { return m_ShowCaps; }
  // A change rebuilds the surface at the next Render.
  void SetShowCaps(bool ShowCaps);

 protected:
  void RenderNonTextured() override;
  void RenderTextured() override;
  void RenderOutline() override;
  void RenderSelection() override;

  // The cells the wedge covers. Columns start at the end azimuth and bands
  // at the start inclination; whole cells are drawn, so the last column and
  // band may reach up to one cell past the end angles. An empty range
  // covers nothing.
  Grid WedgeGrid() const;

  float m_SAzi = 0.0f;
  float m_EAzi = 360.0f;
  float m_SInc = -90.0f;
  float m_EInc = 90.0f;
  bool m_ShowCaps = true;
};
