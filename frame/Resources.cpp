#include "frame/Resources.h"

#include "frame/ClassScript.h"

namespace zelph {

std::wstring LoadRegistrationScript(UINT resourceId) {
  if (resourceId < kFirstClassScript || resourceId > kLastClassScript) return {};
  return kClassRegistrationScript;
}

}  // namespace zelph
