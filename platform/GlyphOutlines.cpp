#include "platform/GlyphOutlines.h"

#include <GL/gl.h>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Win32Call.h"
#include "platform/FontFace.h"
#include "platform/FontObject.h"
#include "platform/FontOutlineTessellator.h"
#include "platform/WinError.h"
#include "platform/Win32OpenGL.h"

using zelph::Win32Call;
using zelph::FailWin32Call;

namespace zelph {
namespace {

using gdi::FontFace;
using gdi::FontGlyph;
using gdi::FontObject;
using gdi::FontOutline;
using gdi::FontOutlinePoint;

struct OutlineRequest {
  gdi::FontSynthesis synthesis;
  double tolerance;
  GLfloat extrusion;
  int format;
};

void Vertex(const FontOutlinePoint& point, GLfloat z) {
  glVertex3f(static_cast<GLfloat>(point.x), static_cast<GLfloat>(point.y), z);
}

// The triangles come counter-clockwise; the face looking down -z takes them
// the other way round, so that it too is seen from its front.
void EmitFace(const std::vector<FontOutlinePoint>& triangles, GLfloat z, bool facingBack) {
  glNormal3f(0.0f, 0.0f, facingBack ? -1.0f : 1.0f);
  glBegin(GL_TRIANGLES);
  for (size_t first = 0; first + 2 < triangles.size(); first += 3) {
    Vertex(triangles[first], z);
    Vertex(triangles[first + (facingBack ? 2 : 1)], z);
    Vertex(triangles[first + (facingBack ? 1 : 2)], z);
  }
  glEnd();
}

// Contours keep the ink on their right, so the outside of every edge is on
// its left; each quad runs counter-clockwise seen from there.
void EmitWalls(const FontOutline& outline, GLfloat depth) {
  glBegin(GL_QUADS);
  for (const gdi::FontContour& contour : outline.contours) {
    for (size_t index = 0; index < contour.size(); ++index) {
      const FontOutlinePoint& from = contour[index];
      const FontOutlinePoint& to = contour[(index + 1) % contour.size()];
      const double length = std::hypot(to.x - from.x, to.y - from.y);
      if (length == 0.0) continue;
      glNormal3f(static_cast<GLfloat>((from.y - to.y) / length), static_cast<GLfloat>((to.x - from.x) / length), 0.0f);
      Vertex(from, 0.0f);
      Vertex(to, 0.0f);
      Vertex(to, -depth);
      Vertex(from, -depth);
    }
  }
  glEnd();
}

void EmitLines(const FontOutline& outline) {
  for (const gdi::FontContour& contour : outline.contours) {
    glBegin(GL_LINE_LOOP);
    for (const FontOutlinePoint& point : contour) Vertex(point, 0.0f);
    glEnd();
  }
}

// Everything that can fail or allocate happens before the list is opened.
bool CompileGlyph(const FontGlyph& glyph, GLuint list, const OutlineRequest& request) {
  std::vector<FontOutlinePoint> triangles;
  if (request.format == WGL_FONT_POLYGONS) {
    std::optional<std::vector<FontOutlinePoint>> cut = gdi::FontOutlineTessellator::Triangulate(glyph.outline);
    if (!cut) return false;
    triangles = std::move(*cut);
  }
  glNewList(list, GL_COMPILE);
  if (request.format == WGL_FONT_LINES) {
    EmitLines(glyph.outline);
  } else if (!triangles.empty()) {
    EmitFace(triangles, 0.0f, false);
    if (request.extrusion > 0.0f) {
      EmitFace(triangles, -request.extrusion, true);
      EmitWalls(glyph.outline, request.extrusion);
    }
  }
  glTranslatef(static_cast<GLfloat>(glyph.advance), 0.0f, 0.0f);
  glEndList();
  return true;
}

GLYPHMETRICSFLOAT MetricsOf(const FontGlyph& glyph) {
  GLYPHMETRICSFLOAT metrics{};
  metrics.gmfBlackBoxX = static_cast<FLOAT>(glyph.box.width);
  metrics.gmfBlackBoxY = static_cast<FLOAT>(glyph.box.height);
  metrics.gmfptGlyphOrigin = {static_cast<FLOAT>(glyph.box.left), static_cast<FLOAT>(glyph.box.top)};
  metrics.gmfCellIncX = static_cast<FLOAT>(glyph.advance);
  metrics.gmfCellIncY = 0.0f;
  return metrics;
}

bool ValidRequest(FLOAT deviation, FLOAT extrusion, int format) {
  const bool knownFormat = format == WGL_FONT_LINES || format == WGL_FONT_POLYGONS;
  return knownFormat && deviation >= 0.0f && extrusion >= 0.0f && std::isfinite(extrusion);
}

// The face of a live font, or the reason there is none; it lives as long as
// the font object does.
const FontFace* FaceOf(const std::shared_ptr<FontObject>& font, DWORD* error) {
  *error = !font ? ERROR_INVALID_HANDLE : !font->Face() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
  return *error == ERROR_SUCCESS ? font->Face().get() : nullptr;
}

}  // namespace

BOOL UseFontOutlinesW(HFONT font, std::span<const DWORD> codes, DWORD listBase, FLOAT deviation, FLOAT extrusion,
                      int format, GLYPHMETRICSFLOAT* metrics) {
  return Win32Call(FALSE, [&] {
    const std::shared_ptr<FontObject> object = FontObject::FromHandle(font);
    DWORD error = ERROR_SUCCESS;
    const FontFace* face = FaceOf(object, &error);
    if (!object) return FailWin32Call(error, FALSE);
    if (!ValidRequest(deviation, extrusion, format)) return FailWin32Call(ERROR_INVALID_PARAMETER, FALSE);
    if (!wglGetCurrentContext()) return FailWin32Call(ERROR_INVALID_HANDLE, FALSE);
    if (!face) return FailWin32Call(error, FALSE);

    const OutlineRequest request{object->Synthesis(), deviation > 0.0f ? deviation : face->DesignUnit(),
                                 extrusion, format};
    for (DWORD code : codes) {
      const GLuint list = listBase + code;
      if (list == 0) return FailWin32Call(ERROR_INVALID_PARAMETER, FALSE);
      const std::optional<FontGlyph> glyph = face->LoadGlyph(code, request.synthesis, request.tolerance);
      if (!glyph || !CompileGlyph(*glyph, list, request)) return FailWin32Call(ERROR_INVALID_DATA, FALSE);
      if (metrics) metrics[code] = MetricsOf(*glyph);
    }
    return TRUE;
  });
}

BOOL GetFontOutlineHeight(HFONT font, FLOAT* height) {
  return Win32Call(FALSE, [&] {
    if (!height) return FailWin32Call(ERROR_INVALID_PARAMETER, FALSE);
    const std::shared_ptr<FontObject> object = FontObject::FromHandle(font);
    DWORD error = ERROR_SUCCESS;
    const FontFace* face = FaceOf(object, &error);
    if (!face) return FailWin32Call(error, FALSE);
    *height = static_cast<FLOAT>(face->LineHeight());
    return TRUE;
  });
}

}  // namespace zelph
