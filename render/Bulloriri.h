// The billboard matrix: the inverse of the camera's rotation, so that
// whatever is drawn in the x-y plane after a translation to its anchor and a
// multiplication by it faces the viewer, +x to the right and +y up. One
// matrix serves every billboard of a frame, so it is class-wide; the scene
// manager reloads it (and the one-entry display list that applies it) at the
// start of every frame, while the model-view holds only the camera.
#pragma once

#include <GL/gl.h>

class Bulloriri {
 public:
  virtual ~Bulloriri() = default;

  // Reserves the shared display list unless it already names a list in the
  // current context.
  static void Initialize();
  static void UnInitialize();
  static bool Valid();

  // Rebuilds s_Bbmat from the current model-view and keeps the projection
  // and viewport with it.
  static void LoadBillboardMatrix();
  // LoadBillboardMatrix, then records one glMultMatrixf(s_Bbmat) into the
  // shared list. Without a list (the globe shows no layer yet) only the
  // matrix is loaded.
  static void LoadBillboardDisplayList();
  // Makes the next Billboard() reload the matrix.
  static void ResetBillboardMatrix();

  // Reloads the matrix once after each ResetBillboardMatrix.
  void Billboard();

  static inline GLuint s_BillboardDisplayList = 0;
  static inline bool s_ReloadBBMatrix = true;
  static inline float s_MdlView[16] = {};
  // Column-major, like every OpenGL matrix.
  static inline float s_Bbmat[16] = {};
  static inline double s_Projection[16] = {};
  static inline GLint s_Viewport[4] = {};
};
