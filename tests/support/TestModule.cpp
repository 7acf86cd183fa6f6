// The module of a test program, for the objects it makes itself (sinks,
// containers, outer objects) from the component templates.
#include "frame/ComModule.h"

namespace {
constinit zelph::ComModule s_TestProgramModule;
}

zelph::ComModule& ThisModule() { return s_TestProgramModule; }
