#include "frame/Resources.h"

namespace zelph {
namespace {

// Every class registers alike: a versioned and a version-independent
// program id, and the class key with its server, threading model, misc
// status and type library. The module fills in the tokens.
constexpr const wchar_t* kClassScript = LR"(; Registration of one ZelphCore component class.
ZelphCore.%CLASS%.1 = %CLASS% Class
ZelphCore.%CLASS%.1\CLSID = %CLSID%
ZelphCore.%CLASS% = %CLASS% Class
ZelphCore.%CLASS%\CLSID = %CLSID%
ZelphCore.%CLASS%\CurVer = ZelphCore.%CLASS%.1
CLSID\%CLSID% = %CLASS% Class
CLSID\%CLSID%\ProgID = ZelphCore.%CLASS%.1
CLSID\%CLSID%\VersionIndependentProgID = ZelphCore.%CLASS%
CLSID\%CLSID%\InprocServer32 = %MODULE%
CLSID\%CLSID%\InprocServer32\ThreadingModel = Apartment
CLSID\%CLSID%\MiscStatus = %OLEMISC%
CLSID\%CLSID%\TypeLib = %LIBID%
)";

}  // namespace

std::wstring LoadRegistrationScript(UINT resourceId) {
  if (resourceId < kFirstClassScript || resourceId > kLastClassScript) return {};
  return kClassScript;
}

}  // namespace zelph
