#include "render/GraphicBase.h"

#include <cmath>

#include "render/Glomarch.h"

namespace {

// Replaces or adds to one orientation angle; NaN leaves it as it was.
void TurnAngle(float& angle, float value, bool addNotReplace) {
  if (std::isnan(value)) return;
  angle = addNotReplace ? angle + value : value;
}

void RotateIfSignificant(float degrees, float x, float y, float z) {
  if (std::fabs(degrees) >= GraphicBase::kMinAngle) glRotatef(degrees, x, y, z);
}

}  // namespace

GraphicBase::GraphicBase(GLuint Name)
    : m_GLName(Name == kNextGLName ? Glomarch::GetNextGLName() : Name),
      m_DisplayList(glGenLists(1)),
      m_UID(L""),
      m_NameBSTR(L"UNINITIALIZED") {}

GraphicBase::~GraphicBase() {
  if (m_DisplayList != 0 && glIsList(m_DisplayList)) glDeleteLists(m_DisplayList, 1);
}

void GraphicBase::GetGLCentroid(float* X, float* Y, float* Z) {
  if (X) *X = m_GlX;
  if (Y) *Y = m_GlY;
  if (Z) *Z = m_GlZ;
}

void GraphicBase::SetUID(const CComBSTR& UID) {
  if (UID.m_str != m_UID.m_str) m_UID = UID;
}

void GraphicBase::SetNameBSTR(const CComBSTR& Name) {
  if (Name.m_str != m_NameBSTR.m_str) m_NameBSTR = Name;
}

void GraphicBase::SetCentroidLocation(Geopunctus CentroidLocation, bool /*Center*/) {
  m_CentroidLocation = CentroidLocation;
  m_CentroidLocation.ConvertToGLLocation(&m_GlX, &m_GlY, &m_GlZ, m_ThresholdElevation, m_Zex);
}

void GraphicBase::SetSelectOutline() {
  m_SelectOutline = true;
  m_SelectOverlay = false;
}

void GraphicBase::SetSelectOverlay() {
  m_SelectOverlay = true;
  m_SelectOutline = false;
}

void GraphicBase::GetSelectionRGB(float* R, float* G, float* B) const {
  if (R) *R = m_SelectR;
  if (G) *G = m_SelectG;
  if (B) *B = m_SelectB;
}

void GraphicBase::SetSelectionRGB(float R, float G, float B) {
  m_SelectR = R;
  m_SelectG = G;
  m_SelectB = B;
}

void GraphicBase::SetScale(float Scale) {
  if (!std::isnan(Scale)) m_Scale = Scale;
}

void GraphicBase::SetThresholdElevation(float ThresholdElevation) {
  if (!std::isnan(ThresholdElevation)) m_ThresholdElevation = ThresholdElevation;
}

void GraphicBase::SetAlpha(float Alpha) {
  // The comparisons are false for NaN, so it is dropped with the rest.
  if (Alpha >= 0.0f && Alpha <= 1.0f) m_Alpha = Alpha;
}

void GraphicBase::QueryOrientation(float* Heading, float* Pitch, float* Roll) const {
  if (Heading) *Heading = m_Heading;
  if (Pitch) *Pitch = m_Pitch;
  if (Roll) *Roll = m_Roll;
}

void GraphicBase::SetHeading(float Heading, bool AddNotReplace) { TurnAngle(m_Heading, Heading, AddNotReplace); }

void GraphicBase::SetPitch(float Pitch, bool AddNotReplace) { TurnAngle(m_Pitch, Pitch, AddNotReplace); }

void GraphicBase::SetRoll(float Roll, bool AddNotReplace) { TurnAngle(m_Roll, Roll, AddNotReplace); }

void GraphicBase::PushDrawingState() {
  glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT |
               GL_TEXTURE_BIT);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.0f);
}

GraphicBase::DrawingState::DrawingState() { PushDrawingState(); }

GraphicBase::DrawingState::~DrawingState() { glPopAttrib(); }

GraphicBase::ModelViewScope::ModelViewScope() {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
}

GraphicBase::ModelViewScope::~ModelViewScope() {
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void GraphicBase::TranslateToAnchor() const { glTranslatef(m_GlX, m_GlY, m_GlZ); }

void GraphicBase::ApplyLocalFrame() const {
  // Turn +X onto the anchor's meridian, then tip +Z from the pole down to
  // the anchor: +X is left pointing south and +Y east.
  glRotatef(m_CentroidLocation.GetLon(), 0.0f, 0.0f, 1.0f);
  glRotatef(90.0f - m_CentroidLocation.GetLat(), 0.0f, 1.0f, 0.0f);
}

void GraphicBase::ApplyOrientation() const {
  // Counter-clockwise is positive about +Z (up), so a compass heading turns
  // the other way.
  RotateIfSignificant(-m_Heading, 0.0f, 0.0f, 1.0f);
  RotateIfSignificant(m_Pitch, 0.0f, 1.0f, 0.0f);
  RotateIfSignificant(m_Roll, 1.0f, 0.0f, 0.0f);
}

void GraphicBase::ApplyDepthMask() const { glDepthMask(m_Alpha >= kOpaqueAlpha ? GL_TRUE : GL_FALSE); }

void GraphicBase::ApplySelectionColor() const { glColor4f(m_SelectR, m_SelectG, m_SelectB, kSelectionAlpha); }
