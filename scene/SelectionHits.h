// Reading an OpenGL selection buffer. Each hit record is the number of
// names on the stack, the least and greatest depth of the hit, and the
// names themselves, so a record takes 3 + count words. The records are
// walked by their own counts, whatever drew them: the host's own drawing
// (its globe names itself with names of its own) and nameless drawing
// leave records that are simply passed over.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <span>
#include <vector>

class SelectionHits {
 public:
  struct Hit {
    GLuint name;
    GLuint minDepth;
  };

  // The records of `hitCount` hits (a negative count, from a buffer that
  // overflowed, reads nothing) that carry exactly one name, that name
  // lying in 0 < name < nameLimit: the names renderables draw under. In
  // buffer order; a record cut off by the buffer's end ends the walk.
  static std::vector<Hit> ReadGraphicHits(std::span<const GLuint> buffer, GLint hitCount, GLuint nameLimit);

  // The hit nearest the eye: least minimum depth, the first of equals.
  // Null for none.
  static const Hit* Nearest(const std::vector<Hit>& hits);
};
