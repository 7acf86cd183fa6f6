// Vectors and geographic directions in scene units, where the globe's
// surface is the unit sphere centred at the origin, the +Z axis points to
// the north pole and the +X axis to latitude 0, longitude 0.
#pragma once

#include <cmath>
#include <numbers>

namespace zelph::host::globe {

// The globe's radius in metres: altitudes divide by it to become scene units.
inline constexpr double kGlobeRadiusMetres = 6367444.5;

struct Vec3 {
  double x = 0.0, y = 0.0, z = 0.0;

  friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
  friend Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
  friend bool operator==(const Vec3&, const Vec3&) = default;
};

inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
// The zero vector stays zero, so that callers test degeneracy on the result.
inline Vec3 Normalized(Vec3 a) {
  double length = Length(a);
  return length > 0.0 ? (1.0 / length) * a : Vec3{};
}
inline bool IsFinite(Vec3 a) { return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z); }

inline double Radians(double degrees) { return degrees * (std::numbers::pi / 180.0); }
inline double Degrees(double radians) { return radians * (180.0 / std::numbers::pi); }

// The unit vector from the centre through (latitude, longitude), in degrees.
inline Vec3 DirectionAt(double latitude, double longitude) {
  double lat = Radians(latitude), lon = Radians(longitude);
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

// The direction of north along the surface at (latitude, longitude). At a
// pole it continues the given meridian, as the limit along that meridian.
inline Vec3 NorthAt(double latitude, double longitude) {
  double lat = Radians(latitude), lon = Radians(longitude);
  return {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)};
}

// Latitude and longitude (degrees, longitude in [-180, 180]) of a direction.
inline double LatitudeOf(Vec3 direction) {
  return Degrees(std::atan2(direction.z, std::hypot(direction.x, direction.y)));
}
inline double LongitudeOf(Vec3 direction) { return Degrees(std::atan2(direction.y, direction.x)); }

}  // namespace zelph::host::globe
