// Text: the formatted string class, wide and UTF-8 conversions, and which
// way a text runs (from its first character with a strong direction).
#include <gtest/gtest.h>

#include <climits>

#include "platform/CString.h"
#include "platform/TextDirection.h"
#include "platform/WideString.h"

namespace {

TEST(Text, FormatsClampsComparesConvertsToUtf8AndFindsTheDirection) {
  CString text;
  text.Format(L"%d|%ls|%s|%.2f", 42, L"wide \u00E9", "narrow \xC3\xA9", 1.5);
  text.AppendFormat(L"+%x", 255u);
  EXPECT_EQ(text, L"42|wide \u00E9|narrow \u00E9|1.50+ff");

  // Longer than any first guess at the size.
  const std::wstring longPart(5000, L'x');
  text.Format(L"[%ls]", longPart.c_str());
  EXPECT_EQ(text.Str(), L"[" + longPart + L"]");
  CString appended(L"ab");
  appended.AppendFormat(L"%ls%d", longPart.c_str(), 7);
  EXPECT_EQ(appended.Str(), L"ab" + longPart + L"7");

  text.Format(L"%s", "\xFF\xFE");  // not UTF-8
  EXPECT_TRUE(text.IsEmpty());
  text = L"kept";
  text.AppendFormat(L"%s", "\xFF");
  EXPECT_EQ(text, L"kept");

  // Substrings clamp their arguments; searches refuse positions out of range.
  const CString dotted(L"a.b.cdef");
  EXPECT_EQ(dotted.Left(3), L"a.b");
  EXPECT_EQ(dotted.Left(-1), L"");
  EXPECT_EQ(dotted.Right(2), L"ef");
  EXPECT_EQ(dotted.Right(-3), L"");
  EXPECT_EQ(dotted.Mid(4), L"cdef");
  EXPECT_EQ(dotted.Mid(-2, 3), L"a.b");
  EXPECT_EQ(dotted.Mid(INT_MAX, INT_MAX), L"");
  EXPECT_EQ(dotted.Mid(1, INT_MAX), L".b.cdef");
  EXPECT_EQ(dotted.Find(L'.'), 1);
  EXPECT_EQ(dotted.Find(L'.', -1), -1);
  EXPECT_EQ(dotted.Find(L'.', 99), -1);
  EXPECT_EQ(dotted.Find(L"b.c"), 2);
  EXPECT_EQ(dotted.Find(static_cast<const wchar_t*>(nullptr)), -1);
  EXPECT_EQ(dotted.ReverseFind(L'.'), 3);

  CString mixed(L"Mixed Case 1");
  EXPECT_EQ(mixed.CompareNoCase(L"mIXED cASE 1"), 0);
  EXPECT_LT(mixed.CompareNoCase(L"mixed case 2"), 0);
  EXPECT_GT(mixed.CompareNoCase(L"mixed"), 0);
  EXPECT_GT(mixed.CompareNoCase(nullptr), 0);
  EXPECT_EQ(mixed.MakeUpper(), L"MIXED CASE 1");
  EXPECT_EQ(mixed.MakeLower(), L"mixed case 1");

  // Wide text round-trips through UTF-8.
  const std::wstring wide = L"Gr\u00FC\u00DFe \u65E5\u672C \U0001F30D";
  const std::string utf8 = "Gr\xC3\xBC\xC3\x9F" "e \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8C\x8D";
  EXPECT_EQ(zelph::ToUtf8(wide), utf8);
  EXPECT_EQ(zelph::FromUtf8(utf8), wide);
  // Embedded terminators belong to the text.
  EXPECT_EQ(zelph::FromUtf8(std::string_view("a\0b", 3)), std::wstring(L"a\0b", 3));
  // Wide values with no UTF-8 form become replacement characters.
  const std::wstring invalid{static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)};
  EXPECT_EQ(zelph::ToUtf8(invalid), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_TRUE(zelph::EqualsNoCase(L"CLSID_Point", L"clsid_point"));
  EXPECT_FALSE(zelph::EqualsNoCase(L"abc", L"abd"));
  EXPECT_FALSE(zelph::EqualsNoCase(L"abc", L"abcd"));

  // Invalid UTF-8 becomes replacement characters.
  EXPECT_EQ(zelph::FromUtf8("a\xFF" "b"), L"a\uFFFDb");
  // A sequence cut off by the end of the text is one replacement.
  EXPECT_EQ(zelph::FromUtf8("x\xE6\x97"), L"x\uFFFD");
  // A sequence broken by an ASCII byte keeps that byte.
  EXPECT_EQ(zelph::FromUtf8("\xE6" "A"), L"\uFFFDA");
  // Overlong forms, encoded surrogates and values past U+10FFFF are refused
  // byte by byte rather than decoded into characters they smuggle in.
  EXPECT_EQ(zelph::FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");
  EXPECT_EQ(zelph::FromUtf8("\xE0\x80\xAF"), L"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(zelph::FromUtf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(zelph::FromUtf8("\xF4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD");
  // Boundaries that are valid must stay valid.
  EXPECT_EQ(zelph::FromUtf8("\xED\x9F\xBF\xF4\x8F\xBF\xBF"), L"\uD7FF\U0010FFFF");

  // Which way a text runs follows its first strong character.
  EXPECT_TRUE(zelph::IsRightToLeftText(L"\u05E9\u05DC\u05D5\u05DD world"));           // Hebrew first
  EXPECT_FALSE(zelph::IsRightToLeftText(L"hello \u05E9\u05DC\u05D5\u05DD"));          // Latin first
  EXPECT_TRUE(zelph::IsRightToLeftText(L"123, \u0645\u0631\u062D\u0628\u0627"));      // digits, then Arabic
  EXPECT_TRUE(zelph::IsRightToLeftText(L"(\u0661\u0662) \u0633\u0644\u0627\u0645"));  // Arabic-Indic digits are neutral
  EXPECT_TRUE(zelph::IsRightToLeftText(L"\uFEFB"));                                   // Arabic presentation form
  EXPECT_FALSE(zelph::IsRightToLeftText(L"\u6771\u4EAC \u05D0"));                                      // CJK
  EXPECT_FALSE(zelph::IsRightToLeftText(L"\u00D7 \u00E9"));     // a sign, then a Latin letter
  EXPECT_TRUE(zelph::IsRightToLeftText(L"\U0001F600 \u05D0"));  // an emoji has no direction
  EXPECT_FALSE(zelph::IsRightToLeftText(L""));
}

}  // namespace
