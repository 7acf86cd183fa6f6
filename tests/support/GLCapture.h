// Reading back what a renderable drew: the primitives it emitted (feedback
// mode, with colours and texture coordinates), the selection names it was
// hit under (selection mode), and a scene set up so that scene coordinates
// are easy to find on screen.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <vector>

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

}  // namespace zelph::test
