#include "platform/CString.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(CString, FormatsWideAndNarrowArguments) {
  CString text;
  text.Format(L"%d|%ls|%s|%.2f", 42, L"wide \u00E9", "narrow \xC3\xA9", 1.5);
  EXPECT_EQ(text, L"42|wide \u00E9|narrow \u00E9|1.50");
  text.AppendFormat(L"+%x", 255u);
  EXPECT_EQ(text, L"42|wide \u00E9|narrow \u00E9|1.50+ff");
}

TEST(CString, FormatsTextLongerThanAnyFirstGuess) {
  std::wstring longPart(5000, L'x');
  CString text;
  text.Format(L"[%ls]", longPart.c_str());
  ASSERT_EQ(text.GetLength(), 5002);
  EXPECT_EQ(text.Str(), L"[" + longPart + L"]");
  CString appended(L"ab");
  appended.AppendFormat(L"%ls%d", longPart.c_str(), 7);
  EXPECT_EQ(appended.GetLength(), 2 + 5000 + 1);
  EXPECT_EQ(appended.Right(2), L"x7");
}

TEST(CString, RejectedFormatLeavesTheStringEmpty) {
  CString text(L"before");
  text.Format(L"%s", "\xFF\xFE");  // not UTF-8
  EXPECT_TRUE(text.IsEmpty());
  text = L"kept";
  text.AppendFormat(L"%s", "\xFF");
  EXPECT_EQ(text, L"kept");
}

TEST(CString, SubstringsClampOutOfRangeArguments) {
  const CString text(L"abcdef");
  EXPECT_EQ(text.Left(2), L"ab");
  EXPECT_EQ(text.Left(-1), L"");
  EXPECT_EQ(text.Right(2), L"ef");
  EXPECT_EQ(text.Right(-3), L"");
  EXPECT_EQ(text.Mid(2), L"cdef");
  EXPECT_EQ(text.Mid(-2, 3), L"abc");
  EXPECT_EQ(text.Mid(INT_MAX, INT_MAX), L"");
  EXPECT_EQ(text.Mid(1, INT_MAX), L"bcdef");
}

TEST(CString, FindsCharactersAndText) {
  const CString text(L"a.b.c");
  EXPECT_EQ(text.Find(L'.'), 1);
  EXPECT_EQ(text.Find(L'.', -1), -1);
  EXPECT_EQ(text.Find(L'.', 99), -1);
  EXPECT_EQ(text.Find(L"b.c"), 2);
  EXPECT_EQ(text.Find(static_cast<const wchar_t*>(nullptr)), -1);
  EXPECT_EQ(text.ReverseFind(L'.'), 3);
}

TEST(CString, ComparesAndChangesCase) {
  CString text(L"Mixed Case 1");
  EXPECT_EQ(text.CompareNoCase(L"mIXED cASE 1"), 0);
  EXPECT_LT(text.CompareNoCase(L"mixed case 2"), 0);
  EXPECT_GT(text.CompareNoCase(L"mixed"), 0);
  EXPECT_GT(text.CompareNoCase(nullptr), 0);
  EXPECT_EQ(text.MakeUpper(), L"MIXED CASE 1");
  EXPECT_EQ(text.MakeLower(), L"mixed case 1");
}

}  // namespace
