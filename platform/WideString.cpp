#include "platform/WideString.h"

#include <locale.h>

#include <cwctype>

namespace zelph {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t value) { return value >= 0xD800 && value <= 0xDFFF; }
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void AppendUtf8(std::string& out, char32_t value) {
  if (value > kLastCodePoint || IsSurrogate(value)) value = kReplacement;
  if (value < 0x80) {
    out += static_cast<char>(value);
  } else if (value < 0x800) {
    out += static_cast<char>(0xC0 | (value >> 6));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else if (value < 0x10000) {
    out += static_cast<char>(0xE0 | (value >> 12));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (value >> 18));
    out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (value & 0x3F));
  }
}

// What a lead byte promises: how many bytes the sequence has and the range
// its second byte must fall in. Narrowing the second byte's range is what
// rejects overlong forms, surrogates and values past U+10FFFF before they
// are decoded.
struct LeadByte {
  int length = 0;  // 0: not a lead byte at all
  unsigned char secondLow = 0x80;
  unsigned char secondHigh = 0xBF;
};

LeadByte ClassifyLead(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {2};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};
  if (byte == 0xED) return {3, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {3};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};
  if (byte >= 0xF1 && byte <= 0xF3) return {4};
  return {};
}

// Decodes one multi-byte sequence starting at `position`. On a malformed
// sequence it yields U+FFFD and consumes only the longest valid prefix (at
// least one byte), so the byte that broke the sequence is read again as the
// start of the next one, as Unicode recommends.
char32_t DecodeSequence(std::string_view text, size_t& position) {
  auto byte = [&](size_t index) { return static_cast<unsigned char>(text[index]); };
  LeadByte lead = ClassifyLead(byte(position));
  size_t start = position++;
  if (lead.length == 0) return kReplacement;
  char32_t value = byte(start) & (0xFF >> (lead.length + 1));
  for (int index = 1; index < lead.length; ++index) {
    if (position >= text.size()) return kReplacement;
    unsigned char next = byte(position);
    bool fits = index == 1 ? next >= lead.secondLow && next <= lead.secondHigh : IsContinuation(next);
    if (!fits) return kReplacement;
    value = (value << 6) | (next & 0x3F);
    ++position;
  }
  return value;
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t character : text) AppendUtf8(out, static_cast<char32_t>(character));
  return out;
}

std::wstring FromUtf8(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  size_t position = 0;
  while (position < text.size()) {
    auto byte = static_cast<unsigned char>(text[position]);
    if (byte < 0x80) {
      out += static_cast<wchar_t>(byte);
      ++position;
    } else {
      out += static_cast<wchar_t>(DecodeSequence(text, position));
    }
  }
  return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t index = 0; index < a.size(); ++index) {
    if (std::towlower(static_cast<wint_t>(a[index])) != std::towlower(static_cast<wint_t>(b[index]))) return false;
  }
  return true;
}

namespace {

locale_t Utf8FormattingLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  return locale;
}

}  // namespace

Utf8FormattingScope::Utf8FormattingScope()
    : m_Previous(Utf8FormattingLocale() ? uselocale(Utf8FormattingLocale()) : nullptr) {}

Utf8FormattingScope::~Utf8FormattingScope() {
  if (m_Previous) uselocale(static_cast<locale_t>(m_Previous));
}

}  // namespace zelph
