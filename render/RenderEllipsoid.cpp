#include "render/RenderEllipsoid.h"

#include <cmath>

#include "geometry/Geopunctus.h"

namespace {

// A grid never runs longer than one full turn: more would only draw the
// same cells again, and a huge or runaway angle range must not stall the
// frame.
constexpr int kFullTurnSteps = 64;

// Texture coordinates of the centre of a capped wedge: the middle of the
// image.
constexpr float kCentreTexCoord = 0.5f;

void TakeComponent(float& component, float value) {
  if (value >= 0.0f && value <= 1.0f) component = value;
}

}  // namespace

RenderEllipsoid::RenderEllipsoid(GLuint Name) : CalloutBase(Name) {}

RenderEllipsoid::~RenderEllipsoid() = default;

void RenderEllipsoid::SetWireframe(bool Wireframe) {
  if (Wireframe && m_Option == kFillOnly) m_Option = kFrameOnly;
}

void RenderEllipsoid::GetOutlineRGB(float* R, float* G, float* B) const {
  if (R) *R = m_OutlineRed;
  if (G) *G = m_OutlineGreen;
  if (B) *B = m_OutlineBlue;
}

void RenderEllipsoid::SetOutlineRGB(float R, float G, float B) {
  TakeComponent(m_OutlineRed, R);
  TakeComponent(m_OutlineGreen, G);
  TakeComponent(m_OutlineBlue, B);
}

void RenderEllipsoid::SetOutlineWidth(float Width) {
  if (!std::isnan(Width)) m_OutlineWidth = Width;
}

void RenderEllipsoid::SetXSize(float XSize) {
  if (!std::isnan(XSize)) m_XSize = XSize;
}

void RenderEllipsoid::SetYSize(float YSize) {
  if (!std::isnan(YSize)) m_YSize = YSize;
}

void RenderEllipsoid::SetZSize(float ZSize) {
  if (!std::isnan(ZSize)) m_ZSize = ZSize;
}

void RenderEllipsoid::SetSize(float XSize, float YSize, float ZSize) {
  if (std::isnan(XSize) || std::isnan(YSize) || std::isnan(ZSize)) return;
  m_XSize = XSize;
  m_YSize = YSize;
  m_ZSize = ZSize;
}

void RenderEllipsoid::GetSize(float* XSize, float* YSize, float* ZSize) const {
  if (!XSize || !YSize || !ZSize) return;
  *XSize = m_XSize;
  *YSize = m_YSize;
  *ZSize = m_ZSize;
}

void RenderEllipsoid::Render() {
  Guarded(L"Render", [&] {
    if (!m_Visible) return;
    DrawingState state;
    if (!m_ValidLoxDisplayList) MachenLoxDisplayList();
    {
      ModelViewScope modelView;
      TranslateToAnchor();
      ApplyLocalFrame();
      Orient();
      glScalef(m_XSize, m_YSize, m_ZSize);
      CallMainList([&] { MachenDisplayList(); });
    }
    if (m_EnableCallout) DrawCallout();
  });
}

void RenderEllipsoid::MachenLoxDisplayList() {
  // The vane's foot lies one east-west diameter below the anchor.
  if (m_WindVaneSize > 0.0f) MakeWindVaneList(m_YSize);
  m_ValidLoxDisplayList = true;
}

void RenderEllipsoid::MachenDisplayList() {
  ApplyDepthMask();
  // The grid lies on the unit sphere; halved, the ellipsoid's sizes are its
  // diameters.
  glPushMatrix();
  glScalef(0.5f, 0.5f, 0.5f);
  const bool frame = m_Option == kFrameOnly || m_Option == kFrameAndFill;
  const bool fill = m_Option == kFillOnly || m_Option == kFrameAndFill;
  // The frame keeps its own colour: the texture is bound for the textured
  // surface alone.
  if (frame) RenderOutline();
  if (fill) {
    if (m_RenderMat.ApplyTexture()) {
      RenderTextured();
      glDisable(GL_TEXTURE_2D);
    } else {
      RenderNonTextured();
    }
  }
  if (m_Selected) RenderSelection();
  glPopMatrix();
}

void RenderEllipsoid::RenderNonTextured() { DrawSurface(FullGrid(), Strips::Joined, false); }

void RenderEllipsoid::RenderTextured() { DrawSurface(FullGrid(), Strips::Joined, true); }

void RenderEllipsoid::RenderOutline() { DrawOutline(FullGrid()); }

void RenderEllipsoid::RenderSelection() { DrawSelection(FullGrid()); }

int RenderEllipsoid::StepsFrom(float Start, float Bound, bool Inclusive) {
  if (!std::isfinite(Start) || !std::isfinite(Bound)) return 0;
  int steps = 0;
  while (steps < kFullTurnSteps) {
    const float angle = Start + static_cast<float>(steps) * kGridStep;
    if (Inclusive ? !(angle <= Bound) : !(angle < Bound)) break;
    ++steps;
  }
  return steps;
}

RenderEllipsoid::Grid RenderEllipsoid::FullGrid() {
  // The bounds stop one degree short of the closing meridian and pole, so
  // the last column and band end exactly on them.
  return Grid{-180.0f, StepsFrom(-180.0f, 179.0f, true), -90.0f, StepsFrom(-90.0f, 89.0f, true)};
}

void RenderEllipsoid::GridVertex(float Lat, float Lon) const {
  float x = 0.0f, y = 0.0f, z = 0.0f;
  Geopunctus(Lat, Lon, 0.0f).ConvertToGLLocation(&x, &y, &z, m_ThresholdElevation, m_Zex);
  glVertex3f(x, y, z);
}

void RenderEllipsoid::SurfaceColumn(const Grid& grid, int column, Paint paint) const {
  const float lon = grid.Lon0 + static_cast<float>(column) * kGridStep;
  const float lons[2] = {lon, lon + kGridStep};
  const bool repeat = m_RenderMat.GetTextureRepeat();
  for (int band = 0; band < grid.Bands; ++band) {
    const float lat = grid.Lat0 + static_cast<float>(band) * kGridStep;
    const float lats[2] = {lat, lat + kGridStep};
    // (lat, lon), (lat, lon + step), (lat + step, lon), (lat + step,
    // lon + step): the colours cross over the cell.
    for (int corner = 0; corner < 4; ++corner) {
      const int up = corner / 2;
      const int east = corner % 2;
      switch (paint) {
        case Paint::Colours:
          if (up == east) {
            m_RenderMat.ApplyColor1(m_Alpha);
          } else {
            m_RenderMat.ApplyColor2(m_Alpha);
          }
          break;
        case Paint::TextureCoordinates:
          if (repeat) {
            glTexCoord2f(static_cast<float>(east), static_cast<float>(up));
          } else {
            glTexCoord2f((lons[east] + 180.0f) / 360.0f, (lats[up] + 90.0f) / 180.0f);
          }
          break;
        case Paint::Nothing:
          break;
      }
      GridVertex(lats[up], lons[east]);
    }
  }
}

void RenderEllipsoid::FrameColumn(const Grid& grid, int column) const {
  const float lon = grid.Lon0 + static_cast<float>(column) * kGridStep;
  for (int band = 0; band < grid.Bands; ++band) {
    const float lat = grid.Lat0 + static_cast<float>(band) * kGridStep;
    GridVertex(lat, lon);
    GridVertex(lat + kGridStep, lon);
    GridVertex(lat + kGridStep, lon + kGridStep);
    GridVertex(lat + kGridStep, lon);
  }
}

void RenderEllipsoid::DrawSurface(const Grid& grid, Strips strips, bool Textured) const {
  if (grid.Empty()) return;
  const bool stippled = m_RenderMat.GetFillOption() != RenderMaterial::SOLID;
  if (stippled) {
    glPushAttrib(GL_POLYGON_BIT);
    m_RenderMat.ApplyPolygonStipple();
  }
  Paint paint = Paint::Colours;
  if (Textured) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glColor4f(1.0f, 1.0f, 1.0f, m_Alpha);
    paint = Paint::TextureCoordinates;
  }
  auto centre = [&] {
    if (paint == Paint::Colours) m_RenderMat.ApplyColor1(m_Alpha);
    if (paint == Paint::TextureCoordinates) glTexCoord2f(kCentreTexCoord, kCentreTexCoord);
    glVertex3f(0.0f, 0.0f, 0.0f);
  };
  if (strips == Strips::Separate) {
    for (int column = 0; column < grid.Columns; ++column) {
      glBegin(GL_TRIANGLE_STRIP);
      SurfaceColumn(grid, column, paint);
      glEnd();
    }
  } else {
    glBegin(GL_TRIANGLE_STRIP);
    for (int column = 0; column < grid.Columns; ++column) {
      if (strips == Strips::Capped) centre();
      SurfaceColumn(grid, column, paint);
      if (strips == Strips::Capped) centre();
    }
    glEnd();
  }
  if (stippled) glPopAttrib();
}

void RenderEllipsoid::DrawOutline(const Grid& grid) const {
  if (grid.Empty()) return;
  // The line state is the frame's alone: the fill, the callout and whatever
  // is drawn next must not inherit its stipple or width.
  glPushAttrib(GL_LINE_BIT);
  const GLushort pattern = m_OutlineStyle & m_RenderMat.GetLineOption();
  if (pattern < 0xFFFF) {
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, pattern);
  }
  glLineWidth(m_OutlineWidth);
  glColor4f(m_OutlineRed, m_OutlineGreen, m_OutlineBlue, m_Alpha);
  glBegin(GL_LINE_STRIP);
  for (int column = 0; column < grid.Columns; ++column) {
    glVertex3f(0.0f, 0.0f, 0.0f);
    FrameColumn(grid, column);
    glVertex3f(0.0f, 0.0f, 0.0f);
  }
  glEnd();
  glPopAttrib();
}

void RenderEllipsoid::DrawSelection(const Grid& grid) const {
  if (grid.Empty() || !(m_SelectOutline || m_SelectOverlay)) return;
  ApplySelectionColor();
  glBegin(m_SelectOutline ? GL_LINE_STRIP : GL_TRIANGLE_STRIP);
  for (int column = 0; column < grid.Columns; ++column) {
    glVertex3f(0.0f, 0.0f, 0.0f);
    if (m_SelectOutline) {
      FrameColumn(grid, column);
    } else {
      SurfaceColumn(grid, column, Paint::Nothing);
    }
    glVertex3f(0.0f, 0.0f, 0.0f);
  }
  glEnd();
}
