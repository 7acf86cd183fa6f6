#include "render/Bulloriri.h"

#include "frame/ErrorConvention.h"

void Bulloriri::Initialize() {
  if (!Valid()) s_BillboardDisplayList = glGenLists(1);
}

void Bulloriri::UnInitialize() {
  if (Valid()) glDeleteLists(s_BillboardDisplayList, 1);
  // The name means nothing any more, whether or not it was still a list.
  s_BillboardDisplayList = 0;
}

bool Bulloriri::Valid() { return s_BillboardDisplayList != 0 && glIsList(s_BillboardDisplayList) == GL_TRUE; }

void Bulloriri::LoadBillboardMatrix() {
  zelph::InternalCall(L"LoadBillboardMatrix", [] {
    glGetFloatv(GL_MODELVIEW_MATRIX, s_MdlView);
    const float* m = s_MdlView;
    // The transpose of a rotation is its inverse; the translation is left
    // out because each billboard supplies its own anchor.
    const float transposed[16] = {
        m[0], m[4], m[8], 0.0f,  //
        m[1], m[5], m[9], 0.0f,  //
        m[2], m[6], m[10], 0.0f,  //
        0.0f, 0.0f, 0.0f, 1.0f,
    };
    for (int i = 0; i < 16; ++i) s_Bbmat[i] = transposed[i];
    glGetDoublev(GL_PROJECTION_MATRIX, s_Projection);
    glGetIntegerv(GL_VIEWPORT, s_Viewport);
  });
}

void Bulloriri::LoadBillboardDisplayList() {
  zelph::InternalCall(L"LoadBillboardDisplayList", [] {
    LoadBillboardMatrix();
    // List 0 cannot be compiled; trying would leave GL_INVALID_VALUE behind
    // in every frame until the list exists.
    if (s_BillboardDisplayList == 0) return;
    glNewList(s_BillboardDisplayList, GL_COMPILE);
    glMultMatrixf(s_Bbmat);
    glEndList();
  });
}

void Bulloriri::ResetBillboardMatrix() { s_ReloadBBMatrix = true; }

void Bulloriri::Billboard() {
  zelph::InternalCall(L"Billboard", [] {
    if (!s_ReloadBBMatrix) return;
    LoadBillboardMatrix();
    s_ReloadBBMatrix = false;
  });
}
