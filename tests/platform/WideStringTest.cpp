#include "platform/WideString.h"

#include <gtest/gtest.h>

namespace zelph {
namespace {

TEST(WideString, NonAsciiTextRoundTripsThroughUtf8) {
  const std::wstring text = L"Gr\u00FC\u00DFe \u65E5\u672C \U0001F30D";
  const std::string utf8 = "Gr\xC3\xBC\xC3\x9F" "e \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8C\x8D";
  EXPECT_EQ(ToUtf8(text), utf8);
  EXPECT_EQ(FromUtf8(utf8), text);
  // Embedded terminators belong to the text.
  EXPECT_EQ(FromUtf8(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(WideString, InvalidUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xFF" "b"), L"a\uFFFDb");
  // A sequence cut off by the end of the text is one replacement.
  EXPECT_EQ(FromUtf8("x\xE6\x97"), L"x\uFFFD");
  // A sequence broken by an ASCII byte keeps that byte.
  EXPECT_EQ(FromUtf8("\xE6" "A"), L"\uFFFDA");
  // Overlong forms, encoded surrogates and values past U+10FFFF are refused
  // byte by byte rather than decoded into characters they smuggle in.
  EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("\xE0\x80\xAF"), L"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD");
  // Boundaries that are valid must stay valid.
  EXPECT_EQ(FromUtf8("\xED\x9F\xBF\xF4\x8F\xBF\xBF"), L"\uD7FF\U0010FFFF");
}

TEST(WideString, WideValuesWithoutUtf8FormBecomeReplacementCharacters) {
  std::wstring invalid{static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)};
  EXPECT_EQ(ToUtf8(invalid), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(WideString, EqualsNoCaseIgnoresCaseOnly) {
  EXPECT_TRUE(EqualsNoCase(L"CLSID_Point", L"clsid_point"));
  EXPECT_FALSE(EqualsNoCase(L"abc", L"abd"));
  EXPECT_FALSE(EqualsNoCase(L"abc", L"abcd"));
  EXPECT_TRUE(EqualsNoCase(L"", L""));
}

}  // namespace
}  // namespace zelph
