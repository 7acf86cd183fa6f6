// Draw-event sinks that draw what a scene manager's frame draws, the
// cheapest way fixed-function OpenGL offers, to measure the scene manager
// against: billboards as one batched glDrawArrays of camera-facing quads,
// the same quads as one display list each (the bare cost of replaying a
// list per object), and ellipsoids as one glDrawArrays over a buffer of
// their triangle strips (and, lower still, as indexed triangles). Each
// draws in AfterDraw with the drawing state the library's renderables use
// (both faces filled, depth test, blending by source alpha, alpha test
// above 0).
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "bench/BenchView.h"
#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "platform/ConnectionPoints.h"

namespace zelph::bench {

// A sink that draws in AfterDraw; nothing else of the events does anything.
class DrawSink : public zelph::ComObjectRoot, public IGlobeDisplayEvents {
 public:
  using InterfaceMap = zelph::InterfaceMap<IGlobeDisplayEvents>;
  virtual ~DrawSink() = default;

  STDMETHODIMP ActiveViewerChanged(ISceneViewer*) override { return E_NOTIMPL; }
  STDMETHODIMP ViewerAdded(ISceneViewer*) override { return E_NOTIMPL; }
  STDMETHODIMP ViewerRemoved(ISceneViewer*) override { return E_NOTIMPL; }
  STDMETHODIMP InteractionStopped() override { return E_NOTIMPL; }
  STDMETHODIMP BatchTileGenerationStarted(BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP BatchTileGenerationStopped() override { return E_NOTIMPL; }
  STDMETHODIMP BeforeDraw(ISceneViewer*, VARIANT_BOOL*) override { return S_OK; }
  STDMETHODIMP AfterDraw(ISceneViewer*) override {
    if (!m_Draw) return S_OK;
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT |
                 GL_TEXTURE_BIT | GL_ENABLE_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glDepthMask(GL_TRUE);
    Draw();
    glPopAttrib();
    return S_OK;
  }
  STDMETHODIMP VectorOverflow(ILayer*) override { return E_NOTIMPL; }
  STDMETHODIMP TileOverflow(ILayer*) override { return E_NOTIMPL; }

  // Off, the sink only answers the events: the cost of the event itself.
  void SetDrawing(bool draw) { m_Draw = draw; }

 protected:
  virtual void Draw() = 0;

  // The camera's right and up axes in scene units: the first two rows of
  // the model-view's rotation, which the billboard matrix turns +x and +y
  // into.
  static void CameraAxes(float right[3], float up[3]) {
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    right[0] = m[0], right[1] = m[4], right[2] = m[8];
    up[0] = m[1], up[1] = m[5], up[2] = m[9];
  }

  // Back faces culled, counter-clockwise in front: what a billboard turned
  // by nothing draws with.
  static void CullLikeBillboards() {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
  }

 private:
  bool m_Draw = true;
};

// Makes a sink of class T and advises it to `display` for its life.
template <class T>
class AdvisedSink {
 public:
  explicit AdvisedSink(IUnknown* display) : m_Display(display) {
    if (FAILED(zelph::CreateComInstance<T>(nullptr, IID_IGlobeDisplayEvents, reinterpret_cast<void**>(&m_Sink)))) {
      return;
    }
    m_Object = static_cast<zelph::ComObject<T>*>(m_Sink.p);
    if (AtlAdvise(m_Display, m_Sink, IID_IGlobeDisplayEvents, &m_Cookie) != S_OK) m_Cookie = 0;
  }
  ~AdvisedSink() {
    if (m_Cookie) AtlUnadvise(m_Display, IID_IGlobeDisplayEvents, m_Cookie);
  }
  AdvisedSink(const AdvisedSink&) = delete;
  AdvisedSink& operator=(const AdvisedSink&) = delete;

  bool IsAdvised() const { return m_Cookie != 0; }
  T* operator->() const { return m_Object; }

 private:
  CComPtr<IUnknown> m_Display;
  CComPtr<IGlobeDisplayEvents> m_Sink;
  T* m_Object = nullptr;
  DWORD m_Cookie = 0;
};

// The quads of billboards: anchor and side in scene units, one colour.
struct QuadSet {
  std::vector<Placement> places;
  std::array<float, 4> rgba{1.0f, 0.0f, 0.0f, 1.0f};
};

// Every quad in one glDrawArrays of triangles from a client vertex array,
// the corners turned to the camera on the CPU in each frame.
class BatchedQuadSink : public DrawSink {
 public:
  void SetQuads(const QuadSet& quads) {
    m_Quads = quads;
    m_Vertices.assign(m_Quads.places.size() * 6 * 3, 0.0f);
  }

 protected:
  void Draw() override {
    float right[3], up[3];
    CameraAxes(right, up);
    float* v = m_Vertices.data();
    for (const Placement& place : m_Quads.places) {
      const float half = static_cast<float>(place.size) / 2.0f;
      const float* a = place.anchor;
      float corner[4][3];  // top left, bottom left, top right, bottom right
      for (int k = 0; k < 3; ++k) {
        corner[0][k] = a[k] - half * right[k] + half * up[k];
        corner[1][k] = a[k] - half * right[k] - half * up[k];
        corner[2][k] = a[k] + half * right[k] + half * up[k];
        corner[3][k] = a[k] + half * right[k] - half * up[k];
      }
      // The two triangles of the billboard's strip, wound as it winds them.
      for (int index : {0, 1, 2, 2, 1, 3}) {
        *v++ = corner[index][0];
        *v++ = corner[index][1];
        *v++ = corner[index][2];
      }
    }
    CullLikeBillboards();
    glColor4fv(m_Quads.rgba.data());
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, m_Vertices.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(m_Vertices.size() / 3));
    glDisableClientState(GL_VERTEX_ARRAY);
  }

 private:
  QuadSet m_Quads;
  std::vector<float> m_Vertices;
};

// One display list per quad (its colour and unit strip), replayed under
// push, translate to the anchor, the billboard matrix, scale, pop.
class ListReplaySink : public DrawSink {
 public:
  ~ListReplaySink() override { DeleteLists(); }

  // Needs the context current.
  void SetQuads(const QuadSet& quads) {
    DeleteLists();
    m_Quads = quads;
    const GLsizei count = static_cast<GLsizei>(m_Quads.places.size());
    m_FirstList = count > 0 ? glGenLists(count) : 0;
    for (GLsizei i = 0; i < count; ++i) {
      glNewList(m_FirstList + static_cast<GLuint>(i), GL_COMPILE);
      glColor4fv(m_Quads.rgba.data());
      glBegin(GL_TRIANGLE_STRIP);
      glVertex3f(-0.5f, 0.5f, 0.0f);
      glVertex3f(-0.5f, -0.5f, 0.0f);
      glVertex3f(0.5f, 0.5f, 0.0f);
      glVertex3f(0.5f, -0.5f, 0.0f);
      glEnd();
      glEndList();
    }
  }

  // Switches culling on for each quad and back off after it, as a
  // billboard does in a pass that began with culling off: the cost of a
  // state change between every two draws.
  void SetToggleCulling(bool toggle) { m_ToggleCulling = toggle; }

 protected:
  void Draw() override {
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const float billboard[16] = {m[0], m[4], m[8], 0, m[1], m[5], m[9], 0, m[2], m[6], m[10], 0, 0, 0, 0, 1};
    CullLikeBillboards();
    if (m_ToggleCulling) glDisable(GL_CULL_FACE);
    glMatrixMode(GL_MODELVIEW);
    for (size_t i = 0; i < m_Quads.places.size(); ++i) {
      const Placement& place = m_Quads.places[i];
      const float size = static_cast<float>(place.size);
      glPushMatrix();
      glTranslatef(place.anchor[0], place.anchor[1], place.anchor[2]);
      glMultMatrixf(billboard);
      if (m_ToggleCulling) glEnable(GL_CULL_FACE);
      glScalef(size, size, 1.0f);
      glCallList(m_FirstList + static_cast<GLuint>(i));
      if (m_ToggleCulling) glDisable(GL_CULL_FACE);
      glPopMatrix();
    }
  }

 private:
  void DeleteLists() {
    if (m_FirstList) glDeleteLists(m_FirstList, static_cast<GLsizei>(m_Quads.places.size()));
    m_FirstList = 0;
  }

  QuadSet m_Quads;
  GLuint m_FirstList = 0;
  bool m_ToggleCulling = false;
};

// The grid of a whole ellipsoid as the library's ellipsoid draws its fill:
// one triangle strip over 64 columns of 5.625 degrees from longitude -180,
// each column 32 bands from latitude -90, four corners a cell.
struct EllipsoidGrid {
  static constexpr int kColumns = 64;
  static constexpr int kBands = 32;
  static constexpr float kStep = 5.625f;
  static constexpr int kVerticesPerEllipsoid = kColumns * kBands * 4;

  // The corner at (latitude, longitude) of the unit sphere, degrees, of
  // the sphere standing at `place` (diameter place.size) in its frame (+x
  // south, +y east, +z up): the renderable's transform written out,
  // translate to the anchor, rotate by the longitude about +z and by 90 -
  // latitude about +y, scale by the diameter, halve the unit sphere.
  static void Corner(const Placement& place, float latDegrees, float lonDegrees, std::vector<float>& out) {
    const double lon = place.longitude * std::numbers::pi / 180.0;
    const double tilt = (90.0 - place.latitude) * std::numbers::pi / 180.0;
    const double cz = std::cos(lon), sz = std::sin(lon), cy = std::cos(tilt), sy = std::sin(tilt);
    const double half = place.size / 2.0;
    const double lat = latDegrees * std::numbers::pi / 180.0, lng = lonDegrees * std::numbers::pi / 180.0;
    const double ux = std::cos(lat) * std::cos(lng) * half, uy = std::cos(lat) * std::sin(lng) * half;
    const double uz = std::sin(lat) * half;
    const double rx = cy * ux + sy * uz, ry = uy, rz = -sy * ux + cy * uz;  // Ry(tilt)
    out.push_back(static_cast<float>(place.anchor[0] + cz * rx - sz * ry));  // then Rz(lon)
    out.push_back(static_cast<float>(place.anchor[1] + sz * rx + cz * ry));
    out.push_back(static_cast<float>(place.anchor[2] + rz));
  }

  static float Latitude(int band) { return -90.0f + static_cast<float>(band) * kStep; }
  static float Longitude(int column) { return -180.0f + static_cast<float>(column) * kStep; }
};

// The ellipsoids' fill drawn by one call from buffer objects, in the
// library's colour and drawing state; culling off, as the renderable
// leaves it.
class EllipsoidFloorSink : public DrawSink {
 public:
  ~EllipsoidFloorSink() override {
    GLuint buffers[2] = {m_Vertices, m_Indices};
    glDeleteBuffers(2, buffers);
  }

  GLsizei VertexCount() const { return m_VertexCount; }

 protected:
  // Fills the vertex buffer (and the index buffer, when `indices` holds
  // any); needs the context current.
  void Upload(const std::vector<float>& vertices, const std::vector<GLuint>& indices) {
    if (!m_Vertices) glGenBuffers(1, &m_Vertices);
    glBindBuffer(GL_ARRAY_BUFFER, m_Vertices);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    m_VertexCount = static_cast<GLsizei>(vertices.size() / 3);
    m_IndexCount = static_cast<GLsizei>(indices.size());
    if (indices.empty()) return;
    if (!m_Indices) glGenBuffers(1, &m_Indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_Indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  }

  void Draw() override {
    glDisable(GL_CULL_FACE);
    glColor4fv(m_Rgba.data());
    glBindBuffer(GL_ARRAY_BUFFER, m_Vertices);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    if (m_IndexCount > 0) {
      glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_Indices);
      glDrawElements(GL_TRIANGLES, m_IndexCount, GL_UNSIGNED_INT, nullptr);
      glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    } else {
      glDrawArrays(GL_TRIANGLE_STRIP, 0, m_VertexCount);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
  }

  std::array<float, 4> m_Rgba{1.0f, 1.0f, 0.0f, 1.0f};

 private:
  GLuint m_Vertices = 0;
  GLuint m_Indices = 0;
  GLsizei m_VertexCount = 0;
  GLsizei m_IndexCount = 0;
};

// Every ellipsoid's strip, corner for corner as the renderable emits it, in
// one glDrawArrays: the strips joined by repeating the last corner of one
// and the first of the next.
class BatchedEllipsoidSink : public EllipsoidFloorSink {
 public:
  void SetEllipsoids(const std::vector<Placement>& places, std::array<float, 4> rgba) {
    m_Rgba = rgba;
    std::vector<float> vertices, strip;
    vertices.reserve(places.size() * (EllipsoidGrid::kVerticesPerEllipsoid + 2) * 3);
    for (const Placement& place : places) {
      strip.clear();
      for (int column = 0; column < EllipsoidGrid::kColumns; ++column) {
        const float lon = EllipsoidGrid::Longitude(column), east = lon + EllipsoidGrid::kStep;
        for (int band = 0; band < EllipsoidGrid::kBands; ++band) {
          const float lat = EllipsoidGrid::Latitude(band), up = lat + EllipsoidGrid::kStep;
          EllipsoidGrid::Corner(place, lat, lon, strip);
          EllipsoidGrid::Corner(place, lat, east, strip);
          EllipsoidGrid::Corner(place, up, lon, strip);
          EllipsoidGrid::Corner(place, up, east, strip);
        }
      }
      if (!vertices.empty()) {
        const std::array<float, 3> last{vertices[vertices.size() - 3], vertices[vertices.size() - 2],
                                        vertices.back()};
        vertices.insert(vertices.end(), last.begin(), last.end());
        vertices.insert(vertices.end(), strip.begin(), strip.begin() + 3);
      }
      vertices.insert(vertices.end(), strip.begin(), strip.end());
    }
    Upload(vertices, {});
  }
};

// The same triangles with every grid corner stored once, drawn as indexed
// triangles in one glDrawElements: a lower floor than the strips, as each
// corner is transformed once instead of up to four times.
class IndexedEllipsoidSink : public EllipsoidFloorSink {
 public:
  void SetEllipsoids(const std::vector<Placement>& places, std::array<float, 4> rgba) {
    m_Rgba = rgba;
    constexpr int kRows = EllipsoidGrid::kBands + 1, kCorners = (EllipsoidGrid::kColumns + 1) * kRows;
    std::vector<float> vertices;
    std::vector<GLuint> indices;
    vertices.reserve(places.size() * kCorners * 3);
    indices.reserve(places.size() * EllipsoidGrid::kColumns * EllipsoidGrid::kBands * 6);
    for (const Placement& place : places) {
      const GLuint first = static_cast<GLuint>(vertices.size() / 3);
      for (int column = 0; column <= EllipsoidGrid::kColumns; ++column) {
        for (int band = 0; band < kRows; ++band) {
          EllipsoidGrid::Corner(place, EllipsoidGrid::Latitude(band), EllipsoidGrid::Longitude(column), vertices);
        }
      }
      auto at = [&](int column, int band) { return first + static_cast<GLuint>(column * kRows + band); };
      for (int column = 0; column < EllipsoidGrid::kColumns; ++column) {
        for (int band = 0; band < EllipsoidGrid::kBands; ++band) {
          // The strip's two triangles of the cell, wound as the strip winds them.
          const GLuint c0 = at(column, band), c1 = at(column + 1, band);
          const GLuint c2 = at(column, band + 1), c3 = at(column + 1, band + 1);
          indices.insert(indices.end(), {c0, c1, c2, c2, c1, c3});
        }
      }
    }
    Upload(vertices, indices);
  }
};

}  // namespace zelph::bench
