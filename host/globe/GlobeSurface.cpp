#include "host/globe/GlobeSurface.h"

#include <GL/gl.h>

#include "host/globe/GlobeSelectionNames.h"

namespace zelph::host::globe {
namespace {

// Fine enough that the polygonal outline stays within a tenth of a pixel of
// the true sphere's at any frame size the viewer offers.
constexpr int kSphereStacks = 48;
constexpr int kSphereSlices = 96;

constexpr int kGraticuleStep = 10;     // degrees between lines
constexpr int kGraticuleSampling = 2;  // degrees between a line's vertices
// Just above the surface, so that the lines win the depth test against it
// without floating visibly.
constexpr double kGraticuleRadius = 1.0005;

constexpr GLfloat kSurfaceColour[] = {51 / 255.0f, 102 / 255.0f, 179 / 255.0f, 1.0f};
constexpr GLfloat kGraticuleColour[] = {0.78f, 0.78f, 0.78f, 1.0f};
// Enough ambient light that the limb stays clearly blue where the light
// grazes it.
constexpr GLfloat kAmbientLight[] = {0.35f, 0.35f, 0.35f, 1.0f};
constexpr GLfloat kDiffuseLight[] = {0.75f, 0.75f, 0.75f, 1.0f};
constexpr GLfloat kNoLight[] = {0.0f, 0.0f, 0.0f, 1.0f};
// In eye coordinates: a directional light shining along the line of sight.
constexpr GLfloat kLightFromObserver[] = {0.0f, 0.0f, 1.0f, 0.0f};

// What a frame's sinks may have left enabled and would spoil the globe.
constexpr GLenum kDisabledForGlobe[] = {
    GL_TEXTURE_1D,      GL_TEXTURE_2D,   GL_BLEND,          GL_CULL_FACE,      GL_FOG,
    GL_ALPHA_TEST,      GL_STENCIL_TEST, GL_SCISSOR_TEST,   GL_COLOR_MATERIAL, GL_LINE_STIPPLE,
    GL_POLYGON_STIPPLE, GL_LINE_SMOOTH,  GL_POLYGON_SMOOTH, GL_CLIP_PLANE0,    GL_CLIP_PLANE1,
    GL_CLIP_PLANE2,     GL_CLIP_PLANE3,  GL_CLIP_PLANE4,    GL_CLIP_PLANE5,    GL_LIGHT1,
    GL_LIGHT2,          GL_LIGHT3,       GL_LIGHT4,         GL_LIGHT5,         GL_LIGHT6,
    GL_LIGHT7,
};

void SetUpLighting() {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_NORMALIZE);
  glShadeModel(GL_SMOOTH);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, kAmbientLight);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
  glLightfv(GL_LIGHT0, GL_AMBIENT, kNoLight);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, kDiffuseLight);
  glLightfv(GL_LIGHT0, GL_SPECULAR, kNoLight);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180.0f);
  // The light's direction is taken through the model-view matrix in force.
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glLightfv(GL_LIGHT0, GL_POSITION, kLightFromObserver);
  glPopMatrix();
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, kSurfaceColour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kNoLight);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kNoLight);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
}

}  // namespace

GlobeSurface::GlobeSurface() {
  for (int stack = 0; stack < kSphereStacks; ++stack) {
    double south = -90.0 + 180.0 * stack / kSphereStacks;
    double north = -90.0 + 180.0 * (stack + 1) / kSphereStacks;
    std::vector<Vec3>& strip = m_SphereStrips.emplace_back();
    for (int slice = 0; slice <= kSphereSlices; ++slice) {
      double longitude = -180.0 + 360.0 * slice / kSphereSlices;
      // North before south makes the strip's quads face outwards.
      strip.push_back(DirectionAt(north, longitude));
      strip.push_back(DirectionAt(south, longitude));
    }
  }
  for (int latitude = -90 + kGraticuleStep; latitude < 90; latitude += kGraticuleStep) {
    std::vector<Vec3>& parallel = m_Parallels.emplace_back();
    for (int longitude = -180; longitude < 180; longitude += kGraticuleSampling) {
      parallel.push_back(kGraticuleRadius * DirectionAt(latitude, longitude));
    }
  }
  for (int longitude = -180; longitude < 180; longitude += kGraticuleStep) {
    std::vector<Vec3>& meridian = m_Meridians.emplace_back();
    for (int latitude = -90; latitude <= 90; latitude += kGraticuleSampling) {
      meridian.push_back(kGraticuleRadius * DirectionAt(latitude, longitude));
    }
  }
}

const GlobeSurface& GlobeSurface::Shared() {
  static const GlobeSurface surface;
  return surface;
}

void GlobeSurface::Draw(double surfaceOffsetFactor, bool naming) {
  const GlobeSurface& surface = Shared();
  glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_DEPTH_BUFFER_BIT |
               GL_COLOR_BUFFER_BIT | GL_TRANSFORM_BIT);
  for (GLenum capability : kDisabledForGlobe) glDisable(capability);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glDepthMask(GL_TRUE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glFrontFace(GL_CCW);
  if (naming) {
    glInitNames();
    glPushName(kGlobeSelectionName);
    glPushName(kHostSelectionMarker);
  }

  SetUpLighting();
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(static_cast<GLfloat>(surfaceOffsetFactor), 1.0f);
  surface.DrawSphere();
  glDisable(GL_POLYGON_OFFSET_FILL);

  glDisable(GL_LIGHTING);
  glColor4fv(kGraticuleColour);
  glLineWidth(1.0f);
  surface.DrawGraticule();

  if (naming) {
    // The first pop writes the globe's hit record, with both names.
    glPopName();
    glPopName();
  }
  glPopAttrib();
}

void GlobeSurface::DrawSphere() const {
  for (const std::vector<Vec3>& strip : m_SphereStrips) {
    glBegin(GL_QUAD_STRIP);
    for (const Vec3& vertex : strip) {
      glNormal3d(vertex.x, vertex.y, vertex.z);
      glVertex3d(vertex.x, vertex.y, vertex.z);
    }
    glEnd();
  }
}

void GlobeSurface::DrawGraticule() const {
  for (const std::vector<Vec3>& parallel : m_Parallels) {
    glBegin(GL_LINE_LOOP);
    for (const Vec3& vertex : parallel) glVertex3d(vertex.x, vertex.y, vertex.z);
    glEnd();
  }
  for (const std::vector<Vec3>& meridian : m_Meridians) {
    glBegin(GL_LINE_STRIP);
    for (const Vec3& vertex : meridian) glVertex3d(vertex.x, vertex.y, vertex.z);
    glEnd();
  }
}

}  // namespace zelph::host::globe
