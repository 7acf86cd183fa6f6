// The glyph fonts and their cache, drawn in a frame where scene units are
// pixels: where the ink of a string lands, in what colour, how alignment
// moves it, and what becomes of the glyph lists.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"
#include "platform/Fonts.h"
#include "platform/Gdi.h"
#include "platform/OleFont.h"
#include "render/Bulloriri.h"
#include "tests/support/GLCapture.h"
#include "tests/text/TextPixels.h"
#include "text/BillboardFont.h"
#include "text/FlatGlobeFont.h"
#include "text/FontHelper.h"

namespace {

using zelph::test::DrawAndFindInk;
using zelph::test::Ink;

HFONT MakeArial() {
  return CreateFontW(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
}

CComPtr<IFont> NewStdFont(LONGLONG points) {
  CComPtr<IFont> font;
  EXPECT_EQ(CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER, IID_IFont, reinterpret_cast<void**>(&font)),
            S_OK);
  if (font) {
    EXPECT_EQ(font->put_Size(CY{points * 10000}), S_OK);
  }
  return font;
}

// A font object that has no OS font handle to give.
class HandlelessFont final : public IFont {
 public:
  STDMETHODIMP QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP get_hFont(HFONT* font) override { return *font = nullptr, S_OK; }
  STDMETHODIMP get_Name(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Name(BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP get_Size(CY*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Size(CY) override { return E_NOTIMPL; }
  STDMETHODIMP get_Bold(BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Bold(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_Italic(BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Italic(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_Underline(BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Underline(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_Strikethrough(BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Strikethrough(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_Weight(SHORT*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Weight(SHORT) override { return E_NOTIMPL; }
  STDMETHODIMP get_Charset(SHORT*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Charset(SHORT) override { return E_NOTIMPL; }
  STDMETHODIMP Clone(IFont**) override { return E_NOTIMPL; }
  STDMETHODIMP IsEqual(IFont*) override { return E_NOTIMPL; }
  STDMETHODIMP SetRatio(LONG, LONG) override { return E_NOTIMPL; }
  STDMETHODIMP QueryTextMetrics(TEXTMETRICW*) override { return E_NOTIMPL; }
  STDMETHODIMP AddRefHfont(HFONT) override { return E_NOTIMPL; }
  STDMETHODIMP ReleaseHfont(HFONT) override { return E_NOTIMPL; }
  STDMETHODIMP SetHdc(HDC) override { return E_NOTIMPL; }
};

class GlyphFontTest : public zelph::test::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    m_Arial = MakeArial();
    ASSERT_NE(m_Arial, nullptr);
    zelph::test::UsePixelFrame(kWidth, kHeight);
  }

  void TearDown() override {
    DeleteObject(m_Arial);
    GLTest::TearDown();
  }

  Ink Draw(const std::function<void()>& draw) { return DrawAndFindInk(Context(), draw); }

  HFONT m_Arial = nullptr;
};

TEST_F(GlyphFontTest, BillboardTextLandsWhereItsMetricsSayInItsColourAndFacesTheCamera) {
  BillboardFont font;
  font.SetFont(m_Arial);
  font.SetScale(40.0f);
  font.SetGLColor(1.0f, 0.5f, 0.0f);
  const Ink ink = Draw([&] { font.RenderString(L"H", 10.0f, 20.0f, 0.0f, false, false, false); });
  ASSERT_TRUE(font.IsInitialized());
  ASSERT_FALSE(font.IsUnixed());
  const GLYPHMETRICSFLOAT& h = font.GetGlyphMetrics(L'H');
  ASSERT_GT(h.gmfBlackBoxX, 0.3f);
  EXPECT_NEAR(ink.left, 10.0f + 40.0f * h.gmfptGlyphOrigin.x, 1.0f);
  EXPECT_NEAR(ink.right + 1, 10.0f + 40.0f * (h.gmfptGlyphOrigin.x + h.gmfBlackBoxX), 1.0f);
  EXPECT_NEAR(ink.bottom, 20.0f, 1.0f);  // H stands on the baseline
  EXPECT_NEAR(ink.top + 1, 20.0f + 40.0f * h.gmfBlackBoxY, 1.0f);
  const zelph::Rgba stem = Context().ReadPixel(ink.left + 1, ink.bottom + 2);
  EXPECT_EQ(stem.r, 255);
  EXPECT_NEAR(stem.g, 128, 1);
  EXPECT_EQ(stem.b, 0);

  // A camera rolled a quarter turn: billboard text still reads upright,
  // plain text turns with the camera, and the orientation list turns the
  // string inside the camera-facing frame.
  font.SetScale(10.0f);
  glTranslatef(32.0f, 32.0f, 0.0f);
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  Bulloriri::Initialize();
  Bulloriri::LoadBillboardDisplayList();
  const Ink facing = Draw([&] { font.RenderString(L"HHH", 0.0f, 0.0f, 0.0f, true, false, false); });
  EXPECT_GT(facing.Width(), 2 * facing.Height());
  EXPECT_NEAR(facing.left, 32.0f, 1.5f);
  const Ink turned = Draw([&] { font.RenderString(L"HHH", 0.0f, 0.0f, 0.0f, false, false, false); });
  EXPECT_GT(turned.Height(), 2 * turned.Width());
  EXPECT_NEAR(turned.bottom, 32.0f, 1.5f);
  EXPECT_LE(turned.right, 32);
  const GLuint halfTurn = glGenLists(1);
  glNewList(halfTurn, GL_COMPILE);
  glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
  glEndList();
  font.SetOrientationDisplayList(halfTurn);
  const Ink reversed = Draw([&] { font.RenderString(L"HHH", 0.0f, 0.0f, 0.0f, true, true, false); });
  EXPECT_EQ(reversed.Width(), facing.Width());
  EXPECT_NEAR(reversed.right + 1, 32.0f, 1.5f);
  glDeleteLists(halfTurn, 1);
  Bulloriri::UnInitialize();
}

TEST_F(GlyphFontTest, AlignmentsShiftByMeasuredWidthAndFontHeight) {
  BillboardFont font;
  font.SetFont(m_Arial);
  font.SetScale(10.0f);
  font.SetGLColor(1.0f, 1.0f, 1.0f);
  const Ink right = Draw([&] { font.RenderStringRightAligned(L"HIH", 32.0f, 32.0f, 0.0f, false, false, false); });
  const Ink left = Draw([&] { font.RenderString(L"HIH", 32.0f, 32.0f, 0.0f, false, false, false); });
  const Ink centre = Draw([&] { font.RenderStringCenterAligned(L"HIH", 32.0f, 32.0f, 0.0f, false, false, false); });
  const float width = 10.0f * font.MeasureString(L"HIH");
  ASSERT_GT(width, 15.0f);
  // The shift of the right-aligned string was used up by it.
  EXPECT_NEAR(left.left, 32.0f + 10.0f * font.GetGlyphMetrics(L'H').gmfptGlyphOrigin.x, 1.0f);
  EXPECT_NEAR(left.left - right.left, width, 1.0f);
  EXPECT_NEAR(left.left - centre.left, width / 2.0f, 1.0f);
  EXPECT_EQ(right.Width(), left.Width());

  // Each vertical alignment moves the baseline by its share of the line
  // height.
  const float height = 6.0f * font.GetFontHeight();
  EXPECT_GT(font.GetFontHeight(), 0.9f);
  EXPECT_LT(font.GetFontHeight(), 1.5f);
  font.SetScale(6.0f);
  const float shares[] = {0.0f, 1.35f, -1.35f, -0.5f, 0.85f, 2.1f, -1.85f, -3.1f};
  for (int alignment = 0; alignment < 8; ++alignment) {
    font.SetVerticalAlignment(static_cast<VAlignment>(alignment));
    const Ink ink = Draw([&] { font.RenderString(L"H", 20.0f, 40.0f, 0.0f, false, false, false); });
    EXPECT_NEAR(ink.bottom, 40.0f + shares[alignment] * height, 1.0f) << "alignment " << alignment;
  }
}

TEST_F(GlyphFontTest, EmptyTextDrawsNothingAndRightToLeftTextRunsBackwards) {
  BillboardFont font;
  font.SetFont(m_Arial);
  font.SetScale(10.0f);
  font.SetGLColor(1.0f, 1.0f, 1.0f);
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  EXPECT_EQ(Draw([&] { font.RenderString(L"", 32.0f, 32.0f, 0.0f, false, false, false); }).count, 0);
  const wchar_t* none = nullptr;
  EXPECT_EQ(Draw([&] { font.RenderStringCenterAligned(none, 32.0f, 32.0f, 0.0f, false, false, false); }).count, 0);
  GLfloat colour[4] = {};
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_FLOAT_EQ(colour[2], 0.75f);

  EXPECT_TRUE(font.InitializeForText(L"\u05E9\u05DC\u05D5\u05DD"));
  EXPECT_FALSE(font.InitializeForText(L"HI"));
  font.RenderString(L"IH", 20.0f, 30.0f, 0.0f, false, false, true);
  const std::vector<std::uint8_t> backwards = Context().ReadPixels();
  Draw([&] { font.RenderString(L"HI", 20.0f, 30.0f, 0.0f, false, false, false); });
  EXPECT_TRUE(Context().ReadPixels() == backwards);
}

TEST_F(GlyphFontTest, GlyphsAreBuiltOutsideListCompilationAndFreedWithTheFont) {
  auto font = std::make_unique<BillboardFont>();
  font->SetFont(m_Arial);
  font->SetScale(20.0f);
  font->SetGLColor(1.0f, 1.0f, 1.0f);
  // Compiled before its glyph exists: the string calls an empty list...
  const GLuint text = glGenLists(1);
  glNewList(text, GL_COMPILE);
  font->RenderString(L"\u00E9", 20.0f, 20.0f, 0.0f, false, false, false);
  glEndList();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(font->GetGlyphMetrics(L'\u00E9').gmfCellIncX, 0.0f);
  EXPECT_EQ(Draw([&] { glCallList(text); }).count, 0);
  // ...which the glyph fills once the text asks for it.
  font->InitializeForText(L"\u00E9");
  EXPECT_GT(font->GetGlyphMetrics(L'\u00E9').gmfCellIncX, 0.0f);
  EXPECT_GT(Draw([&] { glCallList(text); }).count, 10);
  glDeleteLists(text, 1);

  const GLuint base = font->GetListBase();
  ASSERT_NE(base, 0u);
  EXPECT_TRUE(glIsList(base + L'A'));
  font.reset();
  EXPECT_FALSE(glIsList(base));
  EXPECT_FALSE(glIsList(base + L'A'));
  EXPECT_FALSE(glIsList(base + FontBase::kGlyphCount - 1));

  // A handle that dies under the font leaves it drawing in its fallback
  // typeface.
  HFONT doomed = MakeArial();
  BillboardFont orphan;
  orphan.SetFont(doomed);
  DeleteObject(doomed);
  orphan.SetScale(20.0f);
  orphan.SetGLColor(1.0f, 1.0f, 1.0f);
  EXPECT_GT(Draw([&] { orphan.RenderString(L"H", 20.0f, 20.0f, 0.0f, false, false, false); }).count, 10);
}

TEST_F(GlyphFontTest, FontHelperSharesOneNativeFontPerHandle) {
  CComPtr<IFont> small = NewStdFont(12);
  CComPtr<IFont> large = NewStdFont(30);
  HFONT smallHandle = nullptr;
  ASSERT_EQ(small->get_hFont(&smallHandle), S_OK);

  auto helper = std::make_unique<FontHelper>();
  BillboardFont* billboard = helper->LookupBillboardFont(small);
  ASSERT_NE(billboard, nullptr);
  EXPECT_EQ(billboard->GetFont(), smallHandle);
  EXPECT_EQ(helper->LookupBillboardFont(small), billboard);
  EXPECT_NE(helper->LookupBillboardFont(large), billboard);
  FlatGlobeFont* flat = helper->LookupExtrusionFlatFont(small);
  ASSERT_NE(flat, nullptr);
  EXPECT_EQ(helper->LookupExtrusionFlatFont(small), flat);
  EXPECT_NE(helper->LookupExtrusionFlatFont(large), flat);

  HandlelessFont handleless;
  EXPECT_EQ(helper->LookupBillboardFont(&handleless), nullptr);
  EXPECT_EQ(helper->LookupExtrusionFlatFont(&handleless), nullptr);
  EXPECT_EQ(helper->LookupBillboardFont(nullptr), nullptr);

  // The helper frees the glyphs of its fonts, and leaves their handles to
  // their owners.
  flat->InitializeForText(L"A");
  const GLuint base = flat->GetListBase();
  EXPECT_TRUE(glIsList(base + L'A'));
  helper.reset();
  EXPECT_FALSE(glIsList(base + L'A'));
  LOGFONTW description{};
  EXPECT_TRUE(zelph::gdi::DescribeFont(smallHandle, &description));
}

}  // namespace
