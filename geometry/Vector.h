// A double-precision 3-vector for the library's scene arithmetic (callout
// lines, line and area walls, window rectangles, azimuths, extrusions).
// The components are also kept side by side in m_V so that calls wanting a
// pointer to three doubles (glVertex3dv and friends) can take GetV().
#pragma once

class Vector {
 public:
  Vector();
  Vector(double x, double y, double z);
  Vector(const Vector& other);

  double GetX() const { return m_X; }
  double GetY() const { return m_Y; }
  double GetZ() const { return m_Z; }
  void SetX(double x);
  void SetY(double y);
  void SetZ(double z);

  // Points at the three components in x, y, z order; valid as long as this
  // vector lives.
  double* GetV() { return m_V; }
  const double* GetV() const { return m_V; }
  void SetV(double x, double y, double z);

  double GetLength() const;
  // Scales to unit length. A zero vector becomes non-finite; callers that
  // may hold one must check first.
  void Normalize();

  Vector& operator=(const Vector& other);
  // Exact comparison: no tolerance.
  bool operator==(const Vector& other) const;
  Vector operator+(const Vector& other) const;
  Vector operator-(const Vector& other) const;
  Vector operator*(double s) const;
  // Dot product.
  double operator*(const Vector& other) const;
  // Cross product this x other.
  Vector operator^(const Vector& other) const;

  // Angle between this and other, in degrees.
  double AngleToVector(const Vector& other) const;
  // Compass-style angle in degrees in [0, 360): 0 along +Y, growing
  // clockwise when seen from +Z.
  double GetAzimuth() const;

  // Radians to degrees as the library has always converted angles: a
  // little below 180/pi, kept so that stored and compared angles agree.
  static constexpr double kDegreesPerRadian = 57.29577950560105;

 private:
  void SyncV();

  // Written only through the setters, so that m_V always mirrors them.
  double m_X;
  double m_Y;
  double m_Z;
  double m_V[3];
};
