// The current OpenGL context of the calling thread, whichever window-system
// binding made it current.
#pragma once

#include "platform/WinTypes.h"

// The EGL context if one is current, else the GLX context, else null.
HGLRC wglGetCurrentContext();
