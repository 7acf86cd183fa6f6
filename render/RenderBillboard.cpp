#include "render/RenderBillboard.h"

#include <cmath>

#include "render/RenderEllipsoid.h"

namespace {

// Half the quad's side in its own units: the quad spans -0.5 to 0.5.
constexpr float kHalf = 0.5f;
// How far in front of the quad the selection is drawn, as a share of the
// quad's width, so that it is not lost in the quad's own depth.
constexpr float kSelectionLift = 0.01f;
// Width of the selection outline, pixels.
constexpr float kSelectionLineWidth = 2.0f;
// Angles reach the edges of the turn ranges that show the quad's back
// within this margin.
constexpr double kCullingMargin = 1e-9;

// True when a turn by `degrees` about one axis may show the quad's back.
bool ShowsBack(float degrees) {
  const double a = degrees;
  return (a >= 90.0 - kCullingMargin && a <= 270.0 + kCullingMargin) ||
         (a >= -270.0 - kCullingMargin && a <= -90.0 + kCullingMargin);
}

// One triangle strip over the rectangle from (left, bottom) to (right, top)
// carrying the whole texture, its top edge at t = 1.
void TexturedStrip(float left, float bottom, float right, float top) {
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(left, top, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(left, bottom, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(right, top, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(right, bottom, 0.0f);
  glEnd();
}

}  // namespace

RenderBillboard::RenderBillboard(GLuint Name) : CalloutBase(Name) {}

RenderBillboard::~RenderBillboard() = default;

void RenderBillboard::SetGLName(GLuint Name) {
  CalloutBase::SetGLName(Name);
  if (m_SensorEllipsoid) m_SensorEllipsoid->SetGLName(Name);
}

void RenderBillboard::SetWidth(float Width) {
  if (!std::isnan(Width)) m_Width = Width;
}

void RenderBillboard::SetHeight(float Height) {
  if (!std::isnan(Height)) m_Height = Height;
}

void RenderBillboard::SetSize(float Width, float Height) {
  if (std::isnan(Width) || std::isnan(Height)) return;
  m_Width = Width;
  m_Height = Height;
}

void RenderBillboard::GetSize(float* Width, float* Height) const {
  if (!Width || !Height) return;
  *Width = m_Width;
  *Height = m_Height;
}

RenderEllipsoid* RenderBillboard::GetSensorEllipsoid() { return m_SensorEllipsoid.get(); }

void RenderBillboard::SetSensorEllipsoid(RenderEllipsoid* pRE) {
  if (!pRE) return;
  // Handing in the ellipsoid already held must not delete it.
  if (pRE != m_SensorEllipsoid.get()) m_SensorEllipsoid.reset(pRE);
  m_SensorEllipsoid->SetGLName(m_GLName);
}

void RenderBillboard::MachenSizeDisplayList() {
  m_ValidLoxDisplayList = false;
  m_ValidSizeDisplayList = true;
}

void RenderBillboard::PreRender() {
  Guarded(L"PreRender", [] {
    PushDrawingState();
    ++s_OpenPasses;
  });
}

void RenderBillboard::PostRender() {
  Guarded(L"PostRender", [] {
    // An unmatched pop would take state that is not the passes' own.
    if (s_OpenPasses == 0) return;
    --s_OpenPasses;
    glPopAttrib();
  });
}

void RenderBillboard::Render() {
  Guarded(L"Render", [&] {
    if (m_Visible) DrawBillboard();
  });
}

void RenderBillboard::DrawBillboard() {
  if (!m_ValidSizeDisplayList) MachenSizeDisplayList();
  if (!m_ValidLoxDisplayList) {
    if (m_WindVaneSize > 0.0f) {
      MakeWindVaneList(kHalf * m_Height);
    } else {
      // A vane set to nothing must not leave its last arrow behind.
      glNewList(m_WindVaneList, GL_COMPILE);
      glEndList();
    }
    m_ValidLoxDisplayList = true;
  }

  {
    // The turn decides culling for the quad alone; the callout and the
    // sensor after it find culling as the pass left it.
    const GLboolean culling = glIsEnabled(GL_CULL_FACE);
    ModelViewScope modelView;
    TranslateToAnchor();
    glMultMatrixf(s_Bbmat);
    Orient();
    glScalef(m_Width, m_Height, 1.0f);
    CallMainList([&] { MachenDisplayList(); });
    if (culling) {
      glEnable(GL_CULL_FACE);
    } else {
      glDisable(GL_CULL_FACE);
    }
  }

  if (m_EnableCallout) DrawCallout();
  if (m_SensorEllipsoid) m_SensorEllipsoid->Render();
}

void RenderBillboard::Orient() {
  bool stopCulling = false;
  auto turn = [&stopCulling](float degrees, float x, float y, float z) {
    if (std::fabs(degrees) < kMinAngle) return;
    glRotatef(degrees, x, y, z);
    stopCulling = stopCulling || ShowsBack(degrees);
  };
  turn(-m_Heading, 0.0f, 1.0f, 0.0f);
  turn(m_Pitch, 1.0f, 0.0f, 0.0f);
  turn(m_Roll, 0.0f, 0.0f, 1.0f);
  m_DisableCulling = stopCulling;
  if (m_DisableCulling) {
    glDisable(GL_CULL_FACE);
  } else {
    glEnable(GL_CULL_FACE);
  }
}

void RenderBillboard::MachenDisplayList() {
  ApplyDepthMask();
  if (m_Wireframe) {
    DrawWireframe();
  } else {
    DrawFilled();
  }
  MachenLabels();
  if (m_Selected) DrawSelection();
}

void RenderBillboard::DrawWireframe() const {
  // Lines carry no texture: the outline shows the material's colours, top
  // edge in colour 1 and bottom edge in colour 2.
  const bool stippled = m_RenderMat.GetLineOption() < 0xFFFF;
  if (stippled) {
    glPushAttrib(GL_LINE_BIT);
    m_RenderMat.ApplyLineStipple();
  }
  glBegin(GL_LINE_STRIP);
  m_RenderMat.ApplyColor1(m_Alpha);
  glVertex3f(-kHalf, kHalf, 0.0f);
  m_RenderMat.ApplyColor2(m_Alpha);
  glVertex3f(-kHalf, -kHalf, 0.0f);
  glVertex3f(kHalf, -kHalf, 0.0f);
  m_RenderMat.ApplyColor1(m_Alpha);
  glVertex3f(kHalf, kHalf, 0.0f);
  glVertex3f(-kHalf, kHalf, 0.0f);
  glEnd();
  if (stippled) glPopAttrib();
}

void RenderBillboard::DrawFilled() const {
  const GLubyte* fill = m_RenderMat.GetFillOption();
  const bool stippled = fill != nullptr && fill != RenderMaterial::SOLID;
  if (stippled) {
    glPushAttrib(GL_POLYGON_BIT);
    m_RenderMat.ApplyPolygonStipple();
  }
  if (m_RenderMat.ApplyTextureWithCoordinates()) {
    // White, so that the texture shows its own colours at the billboard's
    // opacity.
    glColor4f(1.0f, 1.0f, 1.0f, m_Alpha);
    if (m_RenderMat.GetTextureRepeat()) {
      // Each quarter carries the whole image: it repeats twice each way.
      TexturedStrip(-kHalf, 0.0f, 0.0f, kHalf);
      TexturedStrip(0.0f, 0.0f, kHalf, kHalf);
      TexturedStrip(-kHalf, -kHalf, 0.0f, 0.0f);
      TexturedStrip(0.0f, -kHalf, kHalf, 0.0f);
    } else {
      TexturedStrip(-kHalf, -kHalf, kHalf, kHalf);
    }
    glDisable(GL_TEXTURE_2D);
  } else {
    // A vertical gradient from colour 1 at the top to colour 2 at the
    // bottom; equal colours give a flat fill.
    glBegin(GL_TRIANGLE_STRIP);
    m_RenderMat.ApplyColor1(m_Alpha);
    glVertex3f(-kHalf, kHalf, 0.0f);
    m_RenderMat.ApplyColor2(m_Alpha);
    glVertex3f(-kHalf, -kHalf, 0.0f);
    m_RenderMat.ApplyColor1(m_Alpha);
    glVertex3f(kHalf, kHalf, 0.0f);
    m_RenderMat.ApplyColor2(m_Alpha);
    glVertex3f(kHalf, -kHalf, 0.0f);
    glEnd();
  }
  if (stippled) glPopAttrib();
}

void RenderBillboard::DrawSelection() const {
  ApplySelectionColor();
  const float z = kSelectionLift * m_Width;
  if (m_SelectOutline) {
    // The wider line is this outline's alone.
    glPushAttrib(GL_LINE_BIT);
    glLineWidth(kSelectionLineWidth);
    glBegin(GL_LINE_STRIP);
    glVertex3f(-kHalf, kHalf, z);
    glVertex3f(-kHalf, -kHalf, z);
    glVertex3f(kHalf, -kHalf, z);
    glVertex3f(kHalf, kHalf, z);
    glVertex3f(-kHalf, kHalf, z);
    glEnd();
    glPopAttrib();
  } else if (m_SelectOverlay) {
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(-kHalf, kHalf, z);
    glVertex3f(-kHalf, -kHalf, z);
    glVertex3f(kHalf, kHalf, z);
    glVertex3f(kHalf, -kHalf, z);
    glEnd();
  }
}
