#include "platform/CString.h"

#include "platform/WideString.h"

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <vector>

namespace {

constexpr size_t kFirstBufferLength = 256;
// A formatted text longer than this is taken for a runaway format.
constexpr size_t kLongestFormattedText = size_t{1} << 20;

// The C library reports a buffer that is too small and a format it rejects
// with the same -1; only a rejection sets errno, so that alone stops the
// buffer from growing to the cap for nothing.
bool FormatRejected(int error) { return error == EILSEQ || error == EINVAL; }

std::optional<std::wstring> FormatText(const wchar_t* format, va_list args) {
  if (!format) return std::nullopt;
  zelph::Utf8FormattingScope utf8Narrow;
  std::vector<wchar_t> buffer(kFirstBufferLength);
  while (true) {
    va_list attempt;
    va_copy(attempt, args);
    errno = 0;
    int written = std::vswprintf(buffer.data(), buffer.size(), format, attempt);
    int error = errno;
    va_end(attempt);
    if (written >= 0) return std::wstring(buffer.data(), static_cast<size_t>(written));
    if (FormatRejected(error) || buffer.size() >= kLongestFormattedText) return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
}

// Clamps a start and a count to the string, as the home platform does:
// out-of-range values select less, never throw. Works in long long so that
// first + count cannot overflow.
std::wstring Slice(const std::wstring& text, long long first, long long count) {
  long long length = static_cast<long long>(text.size());
  if (first < 0) first = 0;
  if (count < 0) count = 0;
  if (first >= length) return {};
  if (first + count > length) count = length - first;
  return text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
}

}  // namespace

void CString::Format(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::AppendFormat(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::optional<std::wstring> text = FormatText(format, args);
  va_end(args);
  if (text) m_Text += *text;
}

void CString::FormatV(const wchar_t* format, va_list args) {
  m_Text = FormatText(format, args).value_or(std::wstring());
}

int CString::CompareNoCase(const wchar_t* other) const {
  const wchar_t* mine = m_Text.c_str();
  if (!other) other = L"";
  for (;; ++mine, ++other) {
    wint_t left = std::towlower(static_cast<wint_t>(*mine));
    wint_t right = std::towlower(static_cast<wint_t>(*other));
    if (left != right) return left < right ? -1 : 1;
    if (left == 0) return 0;
  }
}

int CString::Find(wchar_t character, int start) const {
  if (start < 0 || start >= GetLength()) return -1;
  size_t found = m_Text.find(character, static_cast<size_t>(start));
  return found == std::wstring::npos ? -1 : static_cast<int>(found);
}

int CString::Find(const wchar_t* text, int start) const {
  if (!text || start < 0 || start > GetLength()) return -1;
  size_t found = m_Text.find(text, static_cast<size_t>(start));
  return found == std::wstring::npos ? -1 : static_cast<int>(found);
}

int CString::ReverseFind(wchar_t character) const {
  size_t found = m_Text.rfind(character);
  return found == std::wstring::npos ? -1 : static_cast<int>(found);
}

CString CString::Left(int count) const { return Slice(m_Text, 0, count); }

CString CString::Right(int count) const {
  long long kept = count < 0 ? 0 : std::min<long long>(count, GetLength());
  return Slice(m_Text, GetLength() - kept, kept);
}

// The default count of -1 (any negative count) means "to the end".
CString CString::Mid(int first, int count) const {
  long long wanted = count < 0 ? static_cast<long long>(GetLength()) : count;
  return Slice(m_Text, first, wanted);
}

CString& CString::MakeUpper() {
  for (wchar_t& character : m_Text) character = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(character)));
  return *this;
}

CString& CString::MakeLower() {
  for (wchar_t& character : m_Text) character = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(character)));
  return *this;
}
