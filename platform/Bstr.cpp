#include "platform/Bstr.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>

namespace {

// The byte length sits in the four bytes before the characters; malloc's
// alignment keeps the characters aligned for wchar_t.
constexpr size_t kPrefixBytes = sizeof(std::uint32_t);

std::uint32_t* PrefixOf(BSTR text) { return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(text) - kPrefixBytes); }

// Allocates room for `byteLength` bytes plus a wide terminator, copies
// `bytes` (if any) and terminates.
BSTR AllocateBytes(const void* bytes, size_t byteLength) {
  if (byteLength > std::numeric_limits<std::uint32_t>::max() - 2 * sizeof(wchar_t)) return nullptr;
  // Round up to whole characters so that the terminator is aligned.
  size_t characterBytes = (byteLength + sizeof(wchar_t) - 1) / sizeof(wchar_t) * sizeof(wchar_t);
  auto* block = static_cast<char*>(std::malloc(kPrefixBytes + characterBytes + sizeof(wchar_t)));
  if (!block) return nullptr;
  std::memset(block + kPrefixBytes, 0, characterBytes + sizeof(wchar_t));
  std::uint32_t prefix = static_cast<std::uint32_t>(byteLength);
  std::memcpy(block, &prefix, kPrefixBytes);
  if (bytes && byteLength) std::memcpy(block + kPrefixBytes, bytes, byteLength);
  return reinterpret_cast<BSTR>(block + kPrefixBytes);
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
  if (!text) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::wcslen(text)));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  if (length > std::numeric_limits<std::uint32_t>::max() / sizeof(wchar_t)) return nullptr;
  return AllocateBytes(text, size_t{length} * sizeof(wchar_t));
}

BSTR SysAllocStringByteLen(const char* bytes, UINT length) { return AllocateBytes(bytes, length); }

void SysFreeString(BSTR text) {
  if (text) std::free(PrefixOf(text));
}

BOOL SysReAllocString(BSTR* text, const OLECHAR* source) {
  if (!text) return FALSE;
  BSTR copy = SysAllocString(source);
  if (source && !copy) return FALSE;
  SysFreeString(*text);
  *text = copy;
  return TRUE;
}

UINT SysStringByteLen(BSTR text) {
  if (!text) return 0;
  std::uint32_t prefix;
  std::memcpy(&prefix, PrefixOf(text), kPrefixBytes);
  return prefix;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(wchar_t); }
