// Scaffold until the texture pipeline lands in this session.
#include "display/ImageHelper.h"
void ImageHelper::ValidateBitmapSize(HBITMAP&) {}
BgrImage ImageHelper::GetBitmapBGRBits(HBITMAP) { return {}; }
HBITMAP ImageHelper::CreateBitmapFromBGR(const BgrImage&) { return nullptr; }
GLuint ImageHelper::CreateTexture(HBITMAP&, bool, int, int, int) { return 0; }
