// Which way a text runs, from its first character with a strong direction.
#include <gtest/gtest.h>

#include "platform/TextDirection.h"

namespace {

using zelph::IsRightToLeftText;

TEST(TextDirection, FollowsTheFirstStrongCharacter) {
  EXPECT_TRUE(IsRightToLeftText(L"\u05E9\u05DC\u05D5\u05DD world"));  // Hebrew first
  EXPECT_FALSE(IsRightToLeftText(L"hello \u05E9\u05DC\u05D5\u05DD"));  // Latin first
  EXPECT_TRUE(IsRightToLeftText(L"123, \u0645\u0631\u062D\u0628\u0627"));  // digits, then Arabic
  EXPECT_TRUE(IsRightToLeftText(L"(\u0661\u0662) \u0633\u0644\u0627\u0645"));  // Arabic-Indic digits are neutral
  EXPECT_FALSE(IsRightToLeftText(L"\u0663 abc"));
  EXPECT_TRUE(IsRightToLeftText(L"\uFEFB"));  // Arabic presentation form
  EXPECT_FALSE(IsRightToLeftText(L"\u00AB\u041F\u0440\u0438\u0432\u0435\u0442\u00BB \u05D0"));  // Cyrillic
  EXPECT_FALSE(IsRightToLeftText(L"\u6771\u4EAC \u05D0"));  // CJK
  EXPECT_FALSE(IsRightToLeftText(L"\u00D7 \u00E9"));  // a sign, then a Latin letter
  EXPECT_TRUE(IsRightToLeftText(L"\U0001F600 \u05D0"));  // an emoji has no direction
  EXPECT_FALSE(IsRightToLeftText(L"  42 -- !"));
  EXPECT_FALSE(IsRightToLeftText(L""));
}

}  // namespace
