#include "render/ExtrusionBase.h"

#include <cmath>

namespace {

// Comparisons with NaN are false, so NaN is dropped with the rest.
void TakeFraction(float& target, float value) {
  if (value >= 0.0f && value <= 1.0f) target = value;
}

}  // namespace

void ExtrusionBase::SetExDepth(float Depth) {
  if (!std::isnan(Depth)) m_ExDepth = Depth;
}

void ExtrusionBase::SetExAlpha(float Alpha) { TakeFraction(m_ExAlpha, Alpha); }

void ExtrusionBase::GetOutlineRGBA(float* R, float* G, float* B, float* A) const {
  if (R) *R = m_ExOutlineRed;
  if (G) *G = m_ExOutlineGreen;
  if (B) *B = m_ExOutlineBlue;
  if (A) *A = m_ExOutlineAlpha;
}

void ExtrusionBase::SetOutlineRGBA(float R, float G, float B, float A) {
  TakeFraction(m_ExOutlineRed, R);
  TakeFraction(m_ExOutlineGreen, G);
  TakeFraction(m_ExOutlineBlue, B);
  TakeFraction(m_ExOutlineAlpha, A);
}

void ExtrusionBase::SetOutlineWidth(float Width) {
  if (!std::isnan(Width)) m_ExOutlineWidth = Width;
}
