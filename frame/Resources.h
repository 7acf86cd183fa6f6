// The library's resources: the registration scripts of its classes.
#pragma once

#include <string>

#include "platform/WinTypes.h"

namespace zelph {

constexpr UINT kFirstClassScript = 101;
constexpr UINT kLastClassScript = 119;

// The registration script with the given resource number; empty for a number
// the library does not have.
std::wstring LoadRegistrationScript(UINT resourceId);

}  // namespace zelph
