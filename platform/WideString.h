// Conversions between the runtime's wide strings (UTF-32 wchar_t here) and
// the UTF-8 that Linux paths, environment values and files use.
#pragma once

#include <string>
#include <string_view>

namespace zelph {

std::string ToUtf8(std::wstring_view text);
// Invalid UTF-8 sequences become U+FFFD, so nothing read is ever dropped.
std::wstring FromUtf8(std::string_view text);
// Case-insensitive comparison of two wide strings (simple case folding).
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace zelph
