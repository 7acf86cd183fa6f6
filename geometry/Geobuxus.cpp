#include "geometry/Geobuxus.h"

Geobuxus::Geobuxus(Geopunctus Center, float WidthGeoDegrees, float HeightGeoDegrees)
    : m_Center(Center), m_GeoDegHeight(HeightGeoDegrees), m_GeoDegWidth(WidthGeoDegrees) {}

bool Geobuxus::operator==(const Geobuxus& other) const {
  return m_Center == other.m_Center && m_GeoDegHeight == other.m_GeoDegHeight && m_GeoDegWidth == other.m_GeoDegWidth;
}

float Geobuxus::GetWidthGL() const { return Geopunctus::GeoDegreesToGLDistance(m_GeoDegWidth, m_Center.GetLat()); }

void Geobuxus::SetWidthGL(float WidthGL) {
  m_GeoDegWidth = Geopunctus::GLDistanceToGeoDegrees(WidthGL, m_Center.GetLat());
}

float Geobuxus::GetHeightGL() const { return Geopunctus::GeoDegreesToGLDistance(m_GeoDegHeight, m_Center.GetLat()); }

void Geobuxus::SetHeightGL(float HeightGL) {
  m_GeoDegHeight = Geopunctus::GLDistanceToGeoDegrees(HeightGL, m_Center.GetLat());
}

float Geobuxus::GetWidthMeters() const { return Geopunctus::GeoDegreesToMeters(m_GeoDegWidth, m_Center.GetLat()); }

void Geobuxus::SetWidthMeters(float WidthMeters) {
  m_GeoDegWidth = Geopunctus::MetersToGeoDegrees(WidthMeters, m_Center.GetLat());
}

float Geobuxus::GetHeightMeters() const { return Geopunctus::GeoDegreesToMeters(m_GeoDegHeight, m_Center.GetLat()); }

void Geobuxus::SetHeightMeters(float HeightMeters) {
  m_GeoDegHeight = Geopunctus::MetersToGeoDegrees(HeightMeters, m_Center.GetLat());
}

Geopunctus Geobuxus::Corner(float halfHeights, float halfWidths) const {
  return Geopunctus(m_Center.GetLat() + halfHeights * m_GeoDegHeight / 2.0f,
                    m_Center.GetLon() + halfWidths * m_GeoDegWidth / 2.0f, m_Center.GetAltMeters());
}

Geopunctus Geobuxus::GetUpperLeft() const { return Corner(1.0f, -1.0f); }

Geopunctus Geobuxus::GetUpperRight() const { return Corner(1.0f, 1.0f); }

Geopunctus Geobuxus::GetLowerLeft() const { return Corner(-1.0f, -1.0f); }

Geopunctus Geobuxus::GetLowerRight() const { return Corner(-1.0f, 1.0f); }
