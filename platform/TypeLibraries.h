// Loading a registered type library: the record a server wrote when it
// registered names the module whose type information it is; that module is
// loaded like any in-process server and asked for the library.
#pragma once

#include "platform/Unknown.h"

// The type library `libid` of exactly version `major`.`minor`. The locale is
// not used: a server describes its interfaces in one language only.
// TYPE_E_LIBNOTREGISTERED when no such library is registered;
// TYPE_E_CANTLOADLIBRARY when its module cannot be loaded or exports no
// DllGetTypeLib; otherwise what the module's DllGetTypeLib returns.
HRESULT LoadRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, ITypeLib** lib);

// The entry point a server that describes its interfaces exports.
using DllGetTypeLibFunction = HRESULT (*)(REFGUID libid, WORD major, WORD minor, ITypeLib** lib);
