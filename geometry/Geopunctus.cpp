#include "geometry/Geopunctus.h"

#include <algorithm>
#include <cmath>

#include "geometry/Vector.h"

namespace {

// NaN never enters a point: a renderable placed from it would vanish or
// poison its neighbours' bounds.
float Sane(float value) { return std::isnan(value) ? 0.0f : value; }

double Radians(double degrees) { return degrees / 180.0 * Geopunctus::PI; }

double Degrees(double radians) { return radians / Geopunctus::PI * 180.0; }

void Store(float* target, double value) {
  if (target != nullptr) *target = static_cast<float>(value);
}

}  // namespace

Geopunctus::Geopunctus(float Lat, float Lon, float AltMeters) { SetCoords(Lat, Lon, AltMeters); }

void Geopunctus::SetLat(float Lat) { m_Lat = Sane(Lat); }

void Geopunctus::SetLon(float Lon) { m_Lon = Sane(Lon); }

void Geopunctus::SetAltMeters(float AltMeters) { m_AltMeters = Sane(AltMeters); }

void Geopunctus::GetCoords(float* Lat, float* Lon, float* AltMeters) const {
  if (Lat != nullptr) *Lat = m_Lat;
  if (Lon != nullptr) *Lon = m_Lon;
  if (AltMeters != nullptr) *AltMeters = m_AltMeters;
}

void Geopunctus::SetCoords(float Lat, float Lon, float AltMeters) {
  SetLat(Lat);
  SetLon(Lon);
  SetAltMeters(AltMeters);
}

bool Geopunctus::operator==(const Geopunctus& other) const {
  return m_Lat == other.m_Lat && m_Lon == other.m_Lon && m_AltMeters == other.m_AltMeters;
}

float Geopunctus::ThresholdAltitude(float DefAltm) const {
  if (DefAltm > 0.0f) return std::max(m_AltMeters, DefAltm);
  if (DefAltm < 0.0f) return std::min(m_AltMeters, DefAltm);
  return m_AltMeters;
}

void Geopunctus::PlaceOnSphere(float LatDegrees, float LonDegrees, float AltMeters, float Vex, float* GlX,
                               float* GlY, float* GlZ) {
  const double factor = (static_cast<double>(AltMeters) * Vex + GLOBE_RADIUS_METERS) / GLOBE_RADIUS_METERS;
  const double lat = Radians(LatDegrees);
  const double lon = Radians(LonDegrees);
  Store(GlX, std::cos(lat) * std::cos(lon) * factor);
  Store(GlY, std::cos(lat) * std::sin(lon) * factor);
  Store(GlZ, std::sin(lat) * factor);
}

void Geopunctus::ConvertToGLLocation(float* GlX, float* GlY, float* GlZ, float DefAltm, float Vex) const {
  PlaceOnSphere(m_Lat, m_Lon, ThresholdAltitude(DefAltm), Vex, GlX, GlY, GlZ);
}

void Geopunctus::ConvertToGLOffsetLocation(float* GlX, float* GlY, float* GlZ, float LatOffset, float LonOffset,
                                           float AltOffset, float DefAltm, float Vex) const {
  PlaceOnSphere(m_Lat + LatOffset, m_Lon + LonOffset, ThresholdAltitude(DefAltm) + AltOffset, Vex, GlX, GlY, GlZ);
}

void Geopunctus::ConvertToGLAnchor(float* GlX, float* GlY, float* GlZ) const {
  PlaceOnSphere(m_Lat, m_Lon, 0.0f, 1.0f, GlX, GlY, GlZ);
}

Geopunctus Geopunctus::ConvertFromGL(float GlX, float GlY, float GlZ, float Vex) {
  const double x = GlX;
  const double y = GlY;
  const double z = GlZ;
  const double rad3d = std::sqrt(x * x + y * y + z * z);
  const double rad2d = std::sqrt(x * x + y * y);
  // The latitude comes from atan2 rather than acos(rad2d / rad3d): near the
  // equator that ratio rounds to 1 and acos would snap points within a few
  // hundredths of a degree onto the equator. Same angle, same sign rule
  // (south unless z > 0); the centre still has no latitude and gets 0.
  const double lat = rad3d > 0.0 ? std::atan2(z, rad2d) : 0.0;
  Geopunctus point;
  point.SetCoords(static_cast<float>(Degrees(lat)), static_cast<float>(Degrees(std::atan2(y, x))),
                  static_cast<float>((rad3d - 1.0) / Vex * GLOBE_RADIUS_METERS));
  return point;
}

float Geopunctus::MetersPerDegreeLon(float DegreesLat) {
  return static_cast<float>(std::cos(Radians(DegreesLat)) * METERS_PER_DEGREE_LON);
}

float Geopunctus::GeoDegreesToMeters(float DistDegrees, float DegreesLat) {
  return MetersPerDegreeLon(DegreesLat) * DistDegrees;
}

float Geopunctus::MetersToGeoDegrees(float DistMeters, float DegreesLat) {
  return DistMeters / MetersPerDegreeLon(DegreesLat);
}

float Geopunctus::GeoDegreesToGLDistance(float DistDegrees, float DegreesLat) {
  float x1, y1, z1, x2, y2, z2;
  Geopunctus(DegreesLat, 0.0f, 0.0f).ConvertToGLLocation(&x1, &y1, &z1, 0.0f, 1.0f);
  Geopunctus(DegreesLat, DistDegrees, 0.0f).ConvertToGLLocation(&x2, &y2, &z2, 0.0f, 1.0f);
  return static_cast<float>(Vector(x2 - x1, y2 - y1, z2 - z1).GetLength());
}

float Geopunctus::GLDistanceToGeoDegrees(float GLDistance, float DegreesLat) {
  return GLDistance / GeoDegreesToGLDistance(1.0f, DegreesLat);
}

float Geopunctus::GLDistanceToMeters(float GLDistance, float DegreesLat) {
  return GeoDegreesToMeters(GLDistanceToGeoDegrees(GLDistance, DegreesLat), DegreesLat);
}

float Geopunctus::MetersToGLDistance(float DistMeters, float DegreesLat) {
  return GeoDegreesToGLDistance(MetersToGeoDegrees(DistMeters, DegreesLat), DegreesLat);
}

float Geopunctus::GreatCircleDistanceDegreesTo(const Geopunctus& To) const {
  const double lat1 = Radians(m_Lat);
  const double lat2 = Radians(To.m_Lat);
  const double cosine =
      std::sin(lat1) * std::sin(lat2) + std::cos(lat1) * std::cos(lat2) * std::cos(Radians(To.m_Lon - m_Lon));
  // Rounding lifts the cosine of a zero angle just past 1, where acos has
  // no answer; a point is at distance 0 from itself.
  return static_cast<float>(Degrees(std::acos(std::clamp(cosine, -1.0, 1.0))));
}

float Geopunctus::DistanceDegreesTo(const Geopunctus& To) const {
  const float dLat = To.m_Lat - m_Lat;
  const float dLon = To.m_Lon - m_Lon;
  const float dAlt = (To.m_AltMeters - m_AltMeters) / MetersPerDegreeLon((m_Lat + To.m_Lat) / 2.0f);
  return std::sqrt(dLat * dLat + dLon * dLon + dAlt * dAlt);
}

Geopunctus Geopunctus::FindMidpoint(const Geopunctus& To) const {
  return Geopunctus((m_Lat + To.m_Lat) / 2.0f, (m_Lon + To.m_Lon) / 2.0f, (m_AltMeters + To.m_AltMeters) / 2.0f);
}

Geopunctus Geopunctus::Interpolate(const Geopunctus& To, float DistDegrees) const {
  const float distance = DistanceDegreesTo(To);
  // Between coincident points there is no direction to walk; the answer is
  // the point itself, not 0 * infinity.
  if (distance == 0.0f) return *this;
  const float f = DistDegrees / distance;
  return Geopunctus(m_Lat + (To.m_Lat - m_Lat) * f, m_Lon + (To.m_Lon - m_Lon) * f,
                    m_AltMeters + (To.m_AltMeters - m_AltMeters) * f);
}

Geopunctus Geopunctus::RotateClockwise(const Geopunctus& Centre, float Degrees) const {
  const double dx = m_Lon - Centre.m_Lon;
  const double dy = m_Lat - Centre.m_Lat;
  const double a = Radians(-Degrees);
  const double x = std::cos(a) * dx - std::sin(a) * dy;
  const double y = std::sin(a) * dx + std::cos(a) * dy;
  return Geopunctus(static_cast<float>(Centre.m_Lat + y), static_cast<float>(Centre.m_Lon + x), m_AltMeters);
}

bool Geopunctus::Within(float MinLat, float MaxLat, float MinLon, float MaxLon) const {
  return MinLat <= m_Lat && m_Lat <= MaxLat && MinLon <= m_Lon && m_Lon <= MaxLon;
}

float Geopunctus::CalculateAzimuth(Geopunctus Left, Geopunctus Right) {
  const Vector estimate(Right.m_Lon - Left.m_Lon, Right.m_Lat - Left.m_Lat, 0.0);
  // Coincident points have no direction (their estimate is the zero
  // vector, whose azimuth is NaN): the answer is north, as for a target
  // straight north.
  if (estimate.GetLength() == 0.0) return 0.0f;
  const double estimatedAzimuth = estimate.GetAzimuth();
  if (estimatedAzimuth == 0.0) return 0.0f;

  // Measure from the point that keeps the target within 180 degrees of
  // north, then turn the answer around.
  const bool fromRight = estimatedAzimuth > 180.0;
  const Geopunctus& origin = fromRight ? Right : Left;
  const Geopunctus& target = fromRight ? Left : Right;
  const Geopunctus north(origin.m_Lat + 1.0f, origin.m_Lon, origin.m_AltMeters);

  float ox, oy, oz, tx, ty, tz, nx, ny, nz;
  origin.ConvertToGLLocation(&ox, &oy, &oz, 0.0f, 1.0f);
  target.ConvertToGLLocation(&tx, &ty, &tz, 0.0f, 1.0f);
  north.ConvertToGLLocation(&nx, &ny, &nz, 0.0f, 1.0f);
  const Vector toNorth(nx - ox, ny - oy, nz - oz);
  const Vector toTarget(tx - ox, ty - oy, tz - oz);
  double azimuth = toNorth.AngleToVector(toTarget);
  if (fromRight) azimuth += 180.0;
  return static_cast<float>(azimuth);
}

float Geopunctus::AzimuthToGeoAngle(float AzimuthDegrees) {
  // Whole turns are taken off the integer part only, keeping the fraction
  // exact; fmod keeps the sign of the integer part as an integer remainder
  // would, without overflowing on huge inputs.
  const double n = 450.0 - AzimuthDegrees;
  const double k = std::trunc(n);
  return static_cast<float>((n - k) + std::fmod(k, 360.0));
}

float Geopunctus::GeoToAzimuthAngle(float GeoDegrees) { return 90.0f - GeoDegrees; }

float Geopunctus::GeorotationForAzimuth(float AzimuthDegrees) { return 360.0f - AzimuthDegrees; }
