// The registration script every component class shares: a versioned and a
// version-independent program id, and the class key with its server,
// threading model, misc status and type library. The module fills in the
// tokens for each class.
#pragma once

namespace zelph {

inline constexpr const wchar_t* kClassRegistrationScript = LR"(; Registration of one component class.
Zelph.%CLASS%.1 = %CLASS% Class
Zelph.%CLASS%.1\CLSID = %CLSID%
Zelph.%CLASS% = %CLASS% Class
Zelph.%CLASS%\CLSID = %CLSID%
Zelph.%CLASS%\CurVer = Zelph.%CLASS%.1
CLSID\%CLSID% = %CLASS% Class
CLSID\%CLSID%\ProgID = Zelph.%CLASS%.1
CLSID\%CLSID%\VersionIndependentProgID = Zelph.%CLASS%
CLSID\%CLSID%\InprocServer32 = %MODULE%
CLSID\%CLSID%\InprocServer32\ThreadingModel = Apartment
CLSID\%CLSID%\MiscStatus = %OLEMISC%
CLSID\%CLSID%\TypeLib = %LIBID%
)";

}  // namespace zelph
