#include "geometry/Vector.h"

#include <algorithm>
#include <cmath>
#include <source_location>

#include "frame/ErrorConvention.h"

Vector::Vector() : Vector(0.0, 0.0, 0.0) {}

Vector::Vector(double x, double y, double z) : m_X(x), m_Y(y), m_Z(z) { SyncV(); }

Vector::Vector(const Vector& other) : Vector(other.m_X, other.m_Y, other.m_Z) {}

void Vector::SyncV() {
  m_V[0] = m_X;
  m_V[1] = m_Y;
  m_V[2] = m_Z;
}

void Vector::SetX(double x) {
  m_X = x;
  SyncV();
}

void Vector::SetY(double y) {
  m_Y = y;
  SyncV();
}

void Vector::SetZ(double z) {
  m_Z = z;
  SyncV();
}

void Vector::SetV(double x, double y, double z) {
  m_X = x;
  m_Y = y;
  m_Z = z;
  SyncV();
}

double Vector::GetLength() const { return std::sqrt(m_X * m_X + m_Y * m_Y + m_Z * m_Z); }

void Vector::Normalize() {
  try {
    const double length = GetLength();
    SetV(m_X / length, m_Y / length, m_Z / length);
  } catch (...) {
    zelph::LogException(std::source_location::current());
  }
}

Vector& Vector::operator=(const Vector& other) {
  SetV(other.m_X, other.m_Y, other.m_Z);
  return *this;
}

bool Vector::operator==(const Vector& other) const {
  return m_X == other.m_X && m_Y == other.m_Y && m_Z == other.m_Z;
}

Vector Vector::operator+(const Vector& other) const {
  return Vector(m_X + other.m_X, m_Y + other.m_Y, m_Z + other.m_Z);
}

Vector Vector::operator-(const Vector& other) const {
  return Vector(m_X - other.m_X, m_Y - other.m_Y, m_Z - other.m_Z);
}

Vector Vector::operator*(double s) const { return Vector(m_X * s, m_Y * s, m_Z * s); }

double Vector::operator*(const Vector& other) const {
  return m_X * other.m_X + m_Y * other.m_Y + m_Z * other.m_Z;
}

Vector Vector::operator^(const Vector& other) const {
  return Vector(m_Y * other.m_Z - m_Z * other.m_Y, m_Z * other.m_X - m_X * other.m_Z,
                m_X * other.m_Y - m_Y * other.m_X);
}

double Vector::AngleToVector(const Vector& other) const {
  double angle = 0.0;
  try {
    // Rounding can push the cosine of (anti)parallel vectors a hair past
    // +-1, where acos has no answer; hold it on the range. A zero vector
    // still gives NaN, which the clamp passes through.
    const double cosine = (*this * other) / (GetLength() * other.GetLength());
    angle = std::acos(std::clamp(cosine, -1.0, 1.0)) * kDegreesPerRadian;
  } catch (...) {
    zelph::LogException(std::source_location::current());
  }
  return angle;
}

double Vector::GetAzimuth() const {
  double azimuth = 0.0;
  try {
    azimuth = AngleToVector(Vector(0.0, 1.0, 0.0));
    if (m_X < 0.0) azimuth = 360.0 - azimuth;
  } catch (...) {
    zelph::LogException(std::source_location::current());
  }
  return azimuth;
}
