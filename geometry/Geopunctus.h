// A geographic point (latitude, longitude, altitude) and the one placement
// that puts any geographic position into the globe's OpenGL scene:
// origin at the globe's centre, one unit = the globe radius, +X towards
// (0, 0), +Y towards (0, 90 E), +Z towards the north pole. Every renderable
// anchors itself with one of these.
#pragma once

class Geopunctus {
 public:
  static constexpr float METERS_PER_DEGREE_LON = 111132.875f;
  static constexpr float GLOBE_RADIUS_METERS = 6367444.5f;
  // Pi as a float: every degree/radian conversion here goes through it, so
  // placements and their inverses round the same way.
  static constexpr float PI = 3.14159274f;

  Geopunctus() = default;
  // NaN arguments are stored as 0, as by every setter.
  Geopunctus(float Lat, float Lon, float AltMeters);

  float GetLat() const { return m_Lat; }
  float GetLon() const { return m_Lon; }
  float GetAltMeters() const { return m_AltMeters; }
  void SetLat(float Lat);
  void SetLon(float Lon);
  void SetAltMeters(float AltMeters);
  // Writes through the pointers that are not null.
  void GetCoords(float* Lat, float* Lon, float* AltMeters) const;
  void SetCoords(float Lat, float Lon, float AltMeters);

  Geopunctus& operator=(const Geopunctus& other) = default;
  Geopunctus(const Geopunctus& other) = default;
  bool operator==(const Geopunctus& other) const;
  bool operator!=(const Geopunctus& other) const { return !(*this == other); }

  // Scene position. DefAltm bends the altitude: a positive threshold lifts
  // the point to at least that height, a negative one holds it at or below
  // that depth, 0 leaves it alone. Vex exaggerates the chosen altitude.
  void ConvertToGLLocation(float* GlX, float* GlY, float* GlZ, float DefAltm, float Vex) const;
  // As ConvertToGLLocation for (lat + LatOffset, lon + LonOffset), with
  // AltOffset added to the chosen altitude before exaggeration.
  void ConvertToGLOffsetLocation(float* GlX, float* GlY, float* GlZ, float LatOffset, float LonOffset,
                                 float AltOffset, float DefAltm, float Vex) const;
  // Direction on the unit sphere, ignoring altitude.
  void ConvertToGLAnchor(float* GlX, float* GlY, float* GlZ) const;
  // Inverse of ConvertToGLLocation with DefAltm 0.
  static Geopunctus ConvertFromGL(float GlX, float GlY, float GlZ, float Vex);

  static float MetersPerDegreeLon(float DegreesLat);
  static float GeoDegreesToMeters(float DistDegrees, float DegreesLat);
  static float MetersToGeoDegrees(float DistMeters, float DegreesLat);
  static float GeoDegreesToGLDistance(float DistDegrees, float DegreesLat);
  static float GLDistanceToGeoDegrees(float GLDistance, float DegreesLat);
  static float GLDistanceToMeters(float GLDistance, float DegreesLat);
  static float MetersToGLDistance(float DistMeters, float DegreesLat);

  // Central angle in degrees.
  float GreatCircleDistanceDegreesTo(const Geopunctus& To) const;
  // Flat distance in degrees; altitude counts through MetersPerDegreeLon at
  // the mean latitude, longitude is not scaled by latitude.
  float DistanceDegreesTo(const Geopunctus& To) const;
  Geopunctus FindMidpoint(const Geopunctus& To) const;
  // The point DistDegrees (as DistanceDegreesTo measures) from here towards To.
  Geopunctus Interpolate(const Geopunctus& To, float DistDegrees) const;
  // Clockwise about Centre in the flat (lon, lat) plane; altitude kept.
  Geopunctus RotateClockwise(const Geopunctus& Centre, float Degrees) const;
  // Inclusive bounds, no wrap at +-180.
  bool Within(float MinLat, float MaxLat, float MinLon, float MaxLon) const;

  // Azimuth from Left to Right in degrees, clockwise from north.
  static float CalculateAzimuth(Geopunctus Left, Geopunctus Right);
  // Compass azimuth to a mathematical angle (counter-clockwise from east).
  static float AzimuthToGeoAngle(float AzimuthDegrees);
  static float GeoToAzimuthAngle(float GeoDegrees);
  // The rotation that turns an object to face the azimuth.
  static float GeorotationForAzimuth(float AzimuthDegrees);

  // The altitude ConvertToGLLocation places the point at, before
  // exaggeration: the point's own altitude bent by the threshold elevation.
  float ThresholdAltitude(float DefAltm) const;

 private:
  static void PlaceOnSphere(float LatDegrees, float LonDegrees, float AltMeters, float Vex, float* GlX, float* GlY,
                            float* GlZ);

  float m_Lat = 0.0f;
  float m_Lon = 0.0f;
  float m_AltMeters = 0.0f;
};
