#include "platform/Guid.h"

#include <sys/random.h>

#include <cwchar>

namespace {

constexpr int kGuidTextLength = 38;  // "{8-4-4-4-12}" without the terminator

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Reads `digits` hex digits from `text` into `value`; false on any non-digit.
bool ReadHex(const wchar_t* text, int digits, std::uint64_t& value) {
  value = 0;
  for (int i = 0; i < digits; ++i) {
    int digit = HexValue(text[i]);
    if (digit < 0) return false;
    value = (value << 4) | static_cast<std::uint64_t>(digit);
  }
  return true;
}

}  // namespace

int StringFromGUID2(REFGUID guid, LPOLESTR text, int cchMax) {
  if (!text || cchMax < kGuidTextLength + 1) return 0;
  std::swprintf(text, static_cast<size_t>(cchMax), L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1,
                guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return kGuidTextLength + 1;
}

HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid) {
  if (!clsid) return E_POINTER;
  if (!text || std::wcslen(text) != kGuidTextLength || text[0] != L'{' || text[37] != L'}') return CO_E_CLASSSTRING;
  if (text[9] != L'-' || text[14] != L'-' || text[19] != L'-' || text[24] != L'-') return CO_E_CLASSSTRING;

  GUID parsed{};
  std::uint64_t value = 0;
  if (!ReadHex(text + 1, 8, value)) return CO_E_CLASSSTRING;
  parsed.Data1 = static_cast<std::uint32_t>(value);
  if (!ReadHex(text + 10, 4, value)) return CO_E_CLASSSTRING;
  parsed.Data2 = static_cast<std::uint16_t>(value);
  if (!ReadHex(text + 15, 4, value)) return CO_E_CLASSSTRING;
  parsed.Data3 = static_cast<std::uint16_t>(value);
  // The last two groups hold Data4's eight bytes: two, then six.
  const int byteOffsets[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!ReadHex(text + byteOffsets[i], 2, value)) return CO_E_CLASSSTRING;
    parsed.Data4[i] = static_cast<std::uint8_t>(value);
  }
  *clsid = parsed;
  return NOERROR;
}

HRESULT IIDFromString(LPCOLESTR text, IID* iid) { return CLSIDFromString(text, iid); }

HRESULT CoCreateGuid(GUID* guid) {
  if (!guid) return E_POINTER;
  std::uint8_t bytes[16];
  size_t filled = 0;
  while (filled < sizeof bytes) {
    ssize_t got = getrandom(bytes + filled, sizeof bytes - filled, 0);
    if (got < 0) return E_FAIL;
    filled += static_cast<size_t>(got);
  }
  bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
  guid->Data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
                bytes[3];
  guid->Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
  guid->Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
  for (int i = 0; i < 8; ++i) guid->Data4[i] = bytes[8 + i];
  return S_OK;
}
