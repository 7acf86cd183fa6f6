#include "text/RenderTextPoint.h"

#include <cmath>

#include "geometry/Geopunctus.h"

namespace {

// Alpha above which a pass writes depth.
constexpr float kDepthWritingAlpha = 0.95f;
// Angles no larger than this add no turn to the orientation list.
constexpr float kNoTurn = 1e-9f;

void TurnIfSignificant(float degrees, float x, float y, float z) {
  if (std::fabs(degrees) > kNoTurn) glRotatef(degrees, x, y, z);
}

// What text needs on top of every renderable's drawing state, pushed for
// its life. Whatever texturing the host left on must neither colour the
// text nor be mistaken by the fonts for texturing of the text's own; and
// the face of flat text lies exactly on the top of its extrusion, so it
// must pass the depth test where that top already is.
class TextState {
 public:
  TextState() {
    glPushAttrib(GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDepthFunc(GL_LEQUAL);
  }
  ~TextState() { glPopAttrib(); }
  TextState(const TextState&) = delete;
  TextState& operator=(const TextState&) = delete;
};

}  // namespace

RenderTextPoint::RenderTextPoint(GLuint Name) : CalloutBase(Name) {}

void RenderTextPoint::InvalidateLocation() {
  CalloutBase::InvalidateLocation();
  if (m_Mode == FontMode::FLAT && m_AutoExDepthEnabled) m_ValidDisplayList = false;
}

void RenderTextPoint::Render() {
  Guarded(L"Render", [&] {
    if (!m_Visible || m_Text.empty()) return;
    DrawingState state;
    TextState textState;

    if (!m_ValidLoxDisplayList) MachenLoxDisplayList();
    if (!m_ValidOrientationDisplayList) MachenOrientationDisplayList();
    {
      ModelViewScope modelView;
      TranslateToAnchor();
      if (m_Mode != FontMode::BILLBOARD) {
        // The local frame on the globe's surface: +X east, +Y north, +Z up.
        glRotatef(m_CentroidLocation.GetLon(), 0.0f, 0.0f, 1.0f);
        glRotatef(90.0f - m_CentroidLocation.GetLat(), 0.0f, 1.0f, 0.0f);
        glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
      }
      if (!m_ValidDisplayList) {
        // Glyphs must be built before the list is opened: no list can be
        // compiled while another one is.
        if (FontBase* font = ModeFont()) {
          if (!font->IsInitialized()) font->Initialize(m_Mode == FontMode::BILLBOARD ? 0.0f : 1.0f);
          m_RightToLeft = font->InitializeForText(m_Text);
        }
      }
      CallMainList([&] { MachenDisplayList(); });
    }
    if (m_EnableCallout) DrawCallout();
  });
}

void RenderTextPoint::MachenLoxDisplayList() {
  if (m_WindVaneSize > 0.0f) {
    const float altitude = m_CentroidLocation.ThresholdAltitude(m_ThresholdElevation);
    MakeWindVaneList(Geopunctus::MetersToGLDistance(0.5f * altitude, m_CentroidLocation.GetLat()));
  }
  m_ValidLoxDisplayList = true;
}

void RenderTextPoint::MachenOrientationDisplayList() {
  const bool billboard = m_Mode == FontMode::BILLBOARD;
  CompileList(OrientationDisplayList(), m_ValidOrientationDisplayList, [&] {
    if (billboard) {
      TurnIfSignificant(-m_Heading, 0.0f, 1.0f, 0.0f);
      TurnIfSignificant(m_Pitch, 1.0f, 0.0f, 0.0f);
      TurnIfSignificant(m_Roll, 0.0f, 0.0f, 1.0f);
    } else {
      TurnIfSignificant(-m_Heading, 0.0f, 0.0f, 1.0f);
      TurnIfSignificant(m_Pitch, 0.0f, 1.0f, 0.0f);
      TurnIfSignificant(m_Roll, 1.0f, 0.0f, 0.0f);
    }
  });
}

float RenderTextPoint::ExtrusionDepth() const {
  if (!m_AutoExDepthEnabled) return m_ExDepth;
  // Down to the ground from where the anchor is placed.
  const float altitude = m_CentroidLocation.ThresholdAltitude(m_ThresholdElevation) * m_Zex;
  return Geopunctus::MetersToGLDistance(altitude, m_CentroidLocation.GetLat());
}

void RenderTextPoint::MachenDisplayList() {
  const bool extruded = m_Mode == FontMode::FLAT && m_ExEnabled;
  if (extruded) {
    const float depth = ExtrusionDepth();
    if (m_FEFont) m_FEFont->SetGLExtrusion(depth);
    glDepthMask(m_ExAlpha > kDepthWritingAlpha ? GL_TRUE : GL_FALSE);
    const bool textured = m_ExRenderMat.ApplyTexture();
    glCallList(OrientationDisplayList());
    DrawWithMaterial(m_ExRenderMat, m_ExAlpha, depth, textured);
    if (textured) glDisable(GL_TEXTURE_2D);
  }

  glDepthMask(m_Alpha > kDepthWritingAlpha ? GL_TRUE : GL_FALSE);
  const bool textured = m_RenderMat.ApplyTexture();
  if (m_Mode == FontMode::UPRIGHT || (m_Mode == FontMode::FLAT && !extruded)) {
    glCallList(OrientationDisplayList());
  } else if (m_Mode == FontMode::BILLBOARD && m_BBFont) {
    // Turned inside the camera-facing frame, not before it.
    m_BBFont->SetOrientationDisplayList(OrientationDisplayList());
  }
  DrawWithMaterial(m_RenderMat, m_Alpha, 0.0f, textured);
  if (textured) glDisable(GL_TEXTURE_2D);
}

void RenderTextPoint::DrawWithMaterial(const RenderMaterial& Material, float Alpha, float Depth, bool Textured) {
  FontBase* font = ModeFont();
  if (!font) return;
  glPushAttrib(GL_LINE_BIT | GL_POLYGON_BIT | GL_POLYGON_STIPPLE_BIT | GL_TEXTURE_BIT);
  float red = 1.0f, green = 1.0f, blue = 1.0f;
  if (Textured) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // One copy of the image per em, across and up the glyphs.
    static const GLfloat sPlane[] = {1.0f, 0.0f, 0.0f, 0.0f};
    static const GLfloat tPlane[] = {0.0f, 1.0f, 0.0f, 0.0f};
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(GL_S, GL_OBJECT_PLANE, sPlane);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, tPlane);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    if (m_Selected) {
      red = m_SelectR;
      green = m_SelectG;
      blue = m_SelectB;
    }
  } else {
    Material.GetColor1RGB(&red, &green, &blue);
    if (m_Selected) {
      red *= m_SelectR;
      green *= m_SelectG;
      blue *= m_SelectB;
    }
  }
  font->SetGLColor(red, green, blue);
  font->SetGLAlpha(m_Selected ? kSelectionAlpha : Alpha);
  Material.ApplyLineStipple();
  Material.ApplyPolygonStipple();
  DrawTextW(Depth);
  glPopAttrib();
}

void RenderTextPoint::DrawTextW(float Depth) {
  FontBase* font = ModeFont();
  if (!font) return;
  font->SetScale(m_TextScale * m_Scale);
  font->SetWireframe(m_Wireframe);
  if (m_VOption >= static_cast<int>(VAlignment::NORMAL) && m_VOption <= static_cast<int>(VAlignment::WAY_BELOW_CENTER)) {
    font->SetVerticalAlignment(static_cast<VAlignment>(m_VOption));
  }

  if (m_Mode == FontMode::BILLBOARD) {
    switch (static_cast<HAlign>(m_HOption)) {
      case HAlign::LEFT:
        m_BBFont->RenderString(m_Text, 0.0f, 0.0f, 0.0f, true, true, m_RightToLeft);
        break;
      case HAlign::RIGHT:
        m_BBFont->RenderStringRightAligned(m_Text, 0.0f, 0.0f, 0.0f, true, true, m_RightToLeft);
        break;
      case HAlign::CENTER:
        m_BBFont->RenderStringCenterAligned(m_Text, 0.0f, 0.0f, 0.0f, true, true, m_RightToLeft);
        break;
    }
    return;
  }

  // The globe font is shared by upright and flat texts, so every string
  // sets its own turn and depth: upright text has none.
  m_FEFont->SetAzimuth(0.0f);
  m_FEFont->SetInclination(m_Mode == FontMode::UPRIGHT ? 90.0f : 0.0f);
  m_FEFont->SetGLExtrusion(m_Mode == FontMode::FLAT ? Depth : 0.0f);
  switch (static_cast<HAlign>(m_HOption)) {
    case HAlign::LEFT:
      m_FEFont->RenderString(m_Text, 0.0f, 0.0f, 0.0f, m_RightToLeft);
      break;
    case HAlign::RIGHT:
      m_FEFont->RenderStringRightAligned(m_Text, 0.0f, 0.0f, 0.0f, m_RightToLeft);
      break;
    case HAlign::CENTER:
      m_FEFont->RenderStringCenterAligned(m_Text, 0.0f, 0.0f, 0.0f, m_RightToLeft);
      break;
  }
}
