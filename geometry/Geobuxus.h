// A geographic box: a centre and an extent in degrees of latitude (height)
// and longitude (width). Line and area renderables keep their bounds in one
// and map textures across it. Conversions to metres and scene units are
// taken at the centre's latitude.
#pragma once

#include "geometry/Geopunctus.h"

class Geobuxus {
 public:
  Geobuxus() = default;
  Geobuxus(Geopunctus Center, float WidthGeoDegrees, float HeightGeoDegrees);

  Geobuxus(const Geobuxus& other) = default;
  Geobuxus& operator=(const Geobuxus& other) = default;
  bool operator==(const Geobuxus& other) const;
  bool operator!=(const Geobuxus& other) const { return !(*this == other); }

  Geopunctus GetCenter() const { return m_Center; }
  void SetCenter(const Geopunctus& Center) { m_Center = Center; }

  float GetWidthGeoDegrees() const { return m_GeoDegWidth; }
  void SetWidthGeoDegrees(float WidthGeoDegrees) { m_GeoDegWidth = WidthGeoDegrees; }
  float GetHeightGeoDegrees() const { return m_GeoDegHeight; }
  void SetHeightGeoDegrees(float HeightGeoDegrees) { m_GeoDegHeight = HeightGeoDegrees; }

  float GetWidthGL() const;
  void SetWidthGL(float WidthGL);
  float GetHeightGL() const;
  void SetHeightGL(float HeightGL);

  float GetWidthMeters() const;
  void SetWidthMeters(float WidthMeters);
  float GetHeightMeters() const;
  void SetHeightMeters(float HeightMeters);

  // Corners at the centre's altitude.
  Geopunctus GetUpperLeft() const;
  Geopunctus GetUpperRight() const;
  Geopunctus GetLowerLeft() const;
  Geopunctus GetLowerRight() const;

 private:
  // halfHeights and halfWidths are -1 or +1: which side of the centre.
  Geopunctus Corner(float halfHeights, float halfWidths) const;

  Geopunctus m_Center;
  float m_GeoDegHeight = 0.0f;
  float m_GeoDegWidth = 0.0f;
};
