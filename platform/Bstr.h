// BSTR: a length-prefixed wide string. The four bytes before the first
// character hold the byte length (without the terminator); a terminator
// follows the characters. A null BSTR reads as the empty string.
#pragma once

#include "platform/Unknown.h"

BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
BSTR SysAllocStringByteLen(const char* bytes, UINT length);
void SysFreeString(BSTR text);
// Reallocates `*text` to hold a copy of `source`; FALSE when out of memory.
BOOL SysReAllocString(BSTR* text, const OLECHAR* source);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);
