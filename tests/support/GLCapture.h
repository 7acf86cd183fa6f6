// Reading back what a renderable drew: the primitives it emitted (feedback
// mode, with colours and texture coordinates), the selection names it was
// hit under (selection mode), and a scene set up so that scene coordinates
// are easy to find on screen.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace zelph {
class OffscreenGLContext;
}

namespace zelph::test {

struct CapturedVertex {
  float x, y, z;  // window coordinates; z is the depth 0..1
  float r, g, b, a;
  float s, t;
};

struct CapturedPrimitive {
  enum Kind { Point, Line, Polygon } kind;
  std::vector<CapturedVertex> vertices;
};

// Everything `draw` emits, in order. A line strip of n vertices comes back
// as n - 1 lines; a triangle strip or quad as its triangles or polygons.
std::vector<CapturedPrimitive> CaptureFeedback(const std::function<void()>& draw);

// Counts of each kind of primitive in a capture.
int CountOf(const std::vector<CapturedPrimitive>& primitives, CapturedPrimitive::Kind kind);

// The name stack of every hit `draw` makes inside a pick square of `size`
// pixels around window pixel (x, y) (rows from the bottom), in hit order.
// The projection and model-view are what `draw` sets after `setUpView`.
std::vector<std::vector<GLuint>> SelectHits(int x, int y, int size, const std::function<void()>& setUpView,
                                            const std::function<void()>& draw);

// A view of the scene's unit-radius globe from `distance` globe radii out on
// the +X axis (latitude 0, longitude 0), looking at the centre, with +Z up
// on screen and +Y to the right; viewport of the current context, 30 degree
// field of view. Loads the projection and the model-view.
void LookAtGlobeFromPlusX(float distance, int width, int height);

// An orthographic view whose window pixel (x, y) shows scene point (x, y):
// the plain frame for checking flat geometry.
void UsePixelFrame(int width, int height);

// The globe seen from +X in parallel projection, `halfView` scene units
// each way from its centre: east to the right, north up. Loads the
// projection and the model-view.
void LookAtGlobeFromPlusXParallel(double halfView, int width, int height);

// The window position (z: depth) a scene point lands on under the current
// matrices and viewport, and the scene point a window position shows.
CapturedVertex WindowOf(double x, double y, double z);
std::array<double, 3> SceneOf(const CapturedVertex& window);

// Whether a vertex lies within `tolerance` pixels of window point (x, y).
bool NearPixel(const CapturedVertex& v, float x, float y, float tolerance = 0.01f);

// A new RGBA texture of width x height texels, clamped at its edges, left
// bound.
GLuint MakeTexture(int width, int height, const GLubyte* rgba);

// How many of `lists` are display lists.
int LiveLists(const std::vector<GLuint>& lists);

// Whether all of `lists` are display lists before `destroy` runs and none
// is afterwards.
bool ListsFreedBy(const std::vector<GLuint>& lists, const std::function<void()>& destroy);

// Where a drawing left ink: the box of the pixels that differ from the
// background, rows from the bottom; the bounds are inclusive and mean
// something when count > 0.
struct Ink {
  int count = 0;
  int left = 1 << 20, right = -1, bottom = 1 << 20, top = -1;
  int Width() const { return right - left + 1; }
  int Height() const { return top - bottom + 1; }
};

// Clears `context` to opaque black, runs `draw` (which must leave no OpenGL
// error) and finds the pixels for which `match` holds (by default: any that
// is not black).
Ink DrawAndFindInk(zelph::OffscreenGLContext& context, const std::function<void()>& draw,
                   const std::function<bool(const std::uint8_t*)>& match = {});

}  // namespace zelph::test
