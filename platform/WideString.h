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

// Makes the calling thread format with UTF-8 narrow text for one scope: wide
// printf reads %s arguments through the thread's locale, and a program that
// never called setlocale would reject the whole format at the first accented
// letter. Numbers keep the "C" conventions, so that logged and stored values
// read the same everywhere.
class Utf8FormattingScope {
 public:
  Utf8FormattingScope();
  ~Utf8FormattingScope();
  Utf8FormattingScope(const Utf8FormattingScope&) = delete;
  Utf8FormattingScope& operator=(const Utf8FormattingScope&) = delete;

 private:
  void* m_Previous;  // the thread's locale_t before the scope
};

}  // namespace zelph
