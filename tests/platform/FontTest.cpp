// Font handles, the typeface lookup behind them and the standard font.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/FontMatcher.h"
#include "platform/FontObject.h"
#include "platform/Fonts.h"
#include "platform/OleFont.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"

namespace {

using zelph::gdi::DescribeFont;
using zelph::gdi::FontMatcher;
using zelph::gdi::FontObject;

HFONT MakeFont(int height, int weight, BOOL italic, const wchar_t* face) {
  return CreateFontW(height, 0, 0, 0, weight, italic, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
}

LOGFONTW Described(HFONT font) {
  LOGFONTW description{};
  EXPECT_TRUE(DescribeFont(font, &description));
  return description;
}

bool IsLive(HFONT font) {
  LOGFONTW description{};
  return DescribeFont(font, &description) != FALSE;
}

CY Points(double points) { return CY{static_cast<LONGLONG>(points * 10000.0)}; }

CComPtr<IFont> NewStdFont() {
  CComPtr<IFont> font;
  EXPECT_EQ(CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER, IID_IFont, reinterpret_cast<void**>(&font)),
            S_OK);
  return font;
}

HFONT HandleOf(IFont* font) {
  HFONT handle = nullptr;
  EXPECT_EQ(font->get_hFont(&handle), S_OK);
  EXPECT_NE(handle, nullptr);
  return handle;
}

TEST(FontMatcher, FindsTheMetricCompatibleFaceForArialInEachStyle) {
  const struct {
    LONG weight;
    bool italic;
    const char* file;
  } styles[] = {{FW_NORMAL, false, "LiberationSans-Regular"}, {FW_BOLD, true, "LiberationSans-BoldItalic"}};
  for (const auto& style : styles) {
    const auto match = FontMatcher::Match(L"Arial", style.weight, style.italic);
    ASSERT_TRUE(match) << style.file;
    EXPECT_EQ(match->family, L"Liberation Sans");
    EXPECT_NE(match->file.path.find(style.file), std::string::npos) << match->file.path;
    EXPECT_EQ(match->weight >= FW_SEMIBOLD, style.weight == FW_BOLD) << style.file;
    EXPECT_EQ(match->italic, style.italic) << style.file;
    // The family has every style: nothing is made up.
    EXPECT_FALSE(match->synthesis.embolden) << style.file;
    EXPECT_EQ(match->synthesis.slant, 0.0) << style.file;
  }
}

TEST(FontHandle, KeepsTheLogicalFontAndReadsHeightsAsEmOrCell) {
  HFONT em = MakeFont(-20, FW_BOLD, TRUE, L"Arial");
  ASSERT_NE(em, nullptr);
  const LOGFONTW description = Described(em);
  EXPECT_EQ(description.lfHeight, -20);
  EXPECT_EQ(description.lfWeight, FW_BOLD);
  EXPECT_EQ(description.lfItalic, 1);
  EXPECT_STREQ(description.lfFaceName, L"Arial");
  const auto emFont = FontObject::FromHandle(em);
  ASSERT_TRUE(emFont && emFont->Face());
  EXPECT_EQ(emFont->Family(), L"Liberation Sans");
  EXPECT_DOUBLE_EQ(emFont->EmPixels(), 20.0);

  // A positive height is the cell, which holds more than the em.
  HFONT cell = MakeFont(20, FW_NORMAL, FALSE, L"Arial");
  ASSERT_NE(cell, nullptr);
  EXPECT_NE(cell, em);
  const double cellEm = FontObject::FromHandle(cell)->EmPixels();
  EXPECT_LT(cellEm, 19.0);
  EXPECT_GT(cellEm, 15.0);

  for (HFONT font : {em, cell}) EXPECT_TRUE(FontObject::DeleteHandle(font));
}

TEST(FontHandle, RefusesNullAndDeletedHandles) {
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  LOGFONTW description{};
  EXPECT_FALSE(DescribeFont(nullptr, &description));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

  HFONT font = MakeFont(-12, FW_NORMAL, FALSE, L"Arial");
  ASSERT_NE(font, nullptr);
  EXPECT_FALSE(DescribeFont(font, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(FontObject::DeleteHandle(font));
  EXPECT_FALSE(DescribeFont(font, &description));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(FontObject::DeleteHandle(font));
}

TEST(StdFont, MakesAHandleForItsAttributesAndRetiresItWhenTheyChange) {
  CComPtr<IFont> font = NewStdFont();
  ASSERT_TRUE(font);
  CComBSTR name;
  ASSERT_EQ(font->get_Name(&name), S_OK);
  EXPECT_EQ(name.View(), L"Arial");

  ASSERT_EQ(font->put_Size(Points(10)), S_OK);
  CY size{};
  ASSERT_EQ(font->get_Size(&size), S_OK);
  EXPECT_EQ(size.int64, 100000);
  const HFONT tenPoints = HandleOf(font);
  EXPECT_EQ(HandleOf(font), tenPoints);
  EXPECT_EQ(Described(tenPoints).lfHeight, -13);  // 10 pt at 96 dpi
  EXPECT_STREQ(Described(tenPoints).lfFaceName, L"Arial");

  ASSERT_EQ(font->put_Size(Points(12)), S_OK);
  const HFONT twelvePoints = HandleOf(font);
  EXPECT_NE(twelvePoints, tenPoints);
  EXPECT_FALSE(IsLive(tenPoints));
  EXPECT_EQ(Described(twelvePoints).lfHeight, -16);

  ASSERT_EQ(font->put_Bold(TRUE), S_OK);
  const HFONT bold = HandleOf(font);
  EXPECT_FALSE(IsLive(twelvePoints));
  EXPECT_EQ(Described(bold).lfWeight, FW_BOLD);

  ASSERT_EQ(font->put_Italic(TRUE), S_OK);
  ASSERT_EQ(font->put_Name(CComBSTR(L"Times New Roman")), S_OK);
  const HFONT last = HandleOf(font);
  EXPECT_EQ(Described(last).lfItalic, 1);
  EXPECT_STREQ(Described(last).lfFaceName, L"Times New Roman");

  // The handle dies with the font.
  font.Release();
  EXPECT_FALSE(IsLive(last));
}

TEST(StdFont, ClonesComparesAndRefusesBadArguments) {
  CComPtr<IFont> font = NewStdFont();
  ASSERT_TRUE(font);
  ASSERT_EQ(font->put_Name(CComBSTR(L"Courier New")), S_OK);
  ASSERT_EQ(font->put_Size(Points(11.5)), S_OK);
  ASSERT_EQ(font->put_Underline(TRUE), S_OK);

  CComPtr<IFont> copy;
  ASSERT_EQ(font->Clone(&copy), S_OK);
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.p, font.p);
  EXPECT_EQ(font->IsEqual(copy), S_OK);
  EXPECT_NE(HandleOf(copy), HandleOf(font));
  BOOL underline = FALSE;
  ASSERT_EQ(copy->get_Underline(&underline), S_OK);
  EXPECT_TRUE(underline);

  ASSERT_EQ(copy->put_Name(CComBSTR(L"courier new")), S_OK);
  EXPECT_EQ(font->IsEqual(copy), S_OK);
  ASSERT_EQ(copy->put_Size(Points(12)), S_OK);
  EXPECT_EQ(font->IsEqual(copy), S_FALSE);
  EXPECT_EQ(font->IsEqual(NewStdFont()), S_FALSE);

  EXPECT_EQ(font->get_Name(nullptr), E_POINTER);
  EXPECT_EQ(font->put_Name(nullptr), E_INVALIDARG);
  EXPECT_EQ(font->put_Size(CY{0}), E_INVALIDARG);
  // Refused values leave the font as it was.
  CY size{};
  ASSERT_EQ(font->get_Size(&size), S_OK);
  EXPECT_EQ(size.int64, 115000);
}

}  // namespace
