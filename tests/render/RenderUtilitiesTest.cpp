// Selection names, update levels, identifiers, stipples, window/scene
// conversions, the billboard matrix and the local flat frame.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cwctype>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "frame/HostGuids.h"
#include "host/HostInterfaces.h"
#include "platform/ComPtr.h"
#include "platform/ConnectionPoints.h"
#include "platform/Guid.h"
#include "platform/Win32UserInterface.h"
#include "render/Bulloriri.h"
#include "render/Glomarch.h"
#include "render/Platysarch.h"
#include "tests/support/GLContext.h"
#include "tests/support/FrameHook.h"


namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

TEST(Glomarch, SelectionNamesCountOnFromTheLastOneHandedOut) {
  const GLuint before = Glomarch::GetNextGLNameNoInc() - 1;
  Glomarch::SetNextGLName(1);  // as the counter starts
  EXPECT_EQ(Glomarch::GetNextGLName(), 2u);
  EXPECT_EQ(Glomarch::GetNextGLName(), 3u);
  EXPECT_EQ(Glomarch::GetNextGLName(), 4u);
  // Peeking twice neither takes nor skips a name.
  EXPECT_EQ(Glomarch::GetNextGLNameNoInc(), 5u);
  EXPECT_EQ(Glomarch::GetNextGLNameNoInc(), 5u);
  EXPECT_EQ(Glomarch::GetNextGLName(), 5u);
  Glomarch::SetNextGLName(41);
  EXPECT_EQ(Glomarch::GetNextGLNameNoInc(), 42u);
  EXPECT_EQ(Glomarch::GetNextGLName(), 42u);
  Glomarch::SetNextGLName(before);
}

TEST(Glomarch, UpdateLevelsOnlyRise) {
  const kestGLUpdateLevel levels[] = {kestGLUpdateNone, kestGLUpdateLocation, kestGLUpdateMinor, kestGLUpdateMajor};
  for (kestGLUpdateLevel start : levels) {
    for (kestGLUpdateLevel raise : levels) {
      kestGLUpdateLevel current = start;
      Glomarch::IncreaseUpdateLevel(current, raise);
      EXPECT_EQ(current, std::max(start, raise)) << "from " << start << " with " << raise;
    }
  }
}

TEST(Glomarch, GeneratedIdentifiersAreGuidTextWithoutBraces) {
  BSTR first = Glomarch::GenerateGUID();
  BSTR second = Glomarch::GenerateGUID();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  std::wstring text(first, SysStringLen(first));
  ASSERT_EQ(text.size(), 36u);
  for (size_t i = 0; i < text.size(); ++i) {
    bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
    if (hyphenPlace) {
      EXPECT_EQ(text[i], L'-') << "at " << i;
    } else {
      EXPECT_TRUE(std::iswxdigit(text[i])) << "at " << i;
    }
  }
  // With its braces back it is the registry form of a GUID again.
  GUID parsed = GUID_NULL;
  EXPECT_EQ(CLSIDFromString((L"{" + text + L"}").c_str(), &parsed), S_OK);
  EXPECT_NE(parsed, GUID_NULL);
  EXPECT_NE(text, std::wstring(second, SysStringLen(second)));
  SysFreeString(first);
  SysFreeString(second);
}

TEST(Glomarch, LineStylesBecomeSixteenBitStipples) {
  EXPECT_EQ(Glomarch::ConvertLineStyle(kestSLSSolid), 0xFFFF);
  EXPECT_EQ(Glomarch::ConvertLineStyle(kestSLSDash), 0x0FFF);
  EXPECT_EQ(Glomarch::ConvertLineStyle(kestSLSDot), 0x0F0F);
  EXPECT_EQ(Glomarch::ConvertLineStyle(kestSLSDashDot), 0x33FF);
  EXPECT_EQ(Glomarch::ConvertLineStyle(kestSLSDashDotDot), 0x333F);
  EXPECT_EQ(Glomarch::ConvertLineStyle(kestSLSNull), 0xFFFF);
  EXPECT_EQ(Glomarch::ConvertLineStyle(kestSLSInsideFrame), 0xFFFF);
  EXPECT_EQ(Glomarch::ConvertLineStyle(static_cast<kestSimpleLineStyle>(7)), 0xFFFF);
}

struct ShownBox {
  std::wstring text, caption;
  UINT type = 0xFFFF;
  int count = 0;
};
ShownBox g_Shown;

int RecordBox(LPCWSTR text, LPCWSTR caption, UINT type) {
  g_Shown.text = text ? text : L"(null)";
  g_Shown.caption = caption ? caption : L"(null)";
  g_Shown.type = type;
  ++g_Shown.count;
  return IDOK;
}

TEST(Glomarch, NotifyShowsAnOkBoxWithItsCaption) {
  g_Shown = {};
  zelph::MessageBoxHandler previous = zelph::SetMessageBoxHandler(RecordBox);
  Glomarch::Notify(CString(L"Layer has no spatial reference"), CString(L"Globe graphics"));
  zelph::SetMessageBoxHandler(previous);
  EXPECT_EQ(g_Shown.count, 1);
  EXPECT_EQ(g_Shown.text, L"Layer has no spatial reference");
  EXPECT_EQ(g_Shown.caption, L"Globe graphics");
  EXPECT_EQ(g_Shown.type, MB_OK);
}

// Identity model-view and projection over the 64 x 64 viewport: scene x and
// y from -1 to 1 span the window, scene z is the depth from -1 to 1.
using WindowConversion = zelph::test::GLTest;

TEST_F(WindowConversion, ObjectToWindowCountsRowsFromTheTop) {
  long x = -1, y = -1;
  Glomarch::ObjectToWindow(0.0, 0.0, 0.0, &x, &y);
  EXPECT_EQ(x, kWidth / 2);
  EXPECT_EQ(y, kHeight / 2);
  // Upper right quarter: three quarters across, one quarter down.
  Glomarch::ObjectToWindow(0.5, 0.5, 0.0, &x, &y);
  EXPECT_EQ(x, kWidth * 3 / 4);
  EXPECT_EQ(y, kHeight / 4);
  // Lower left corner: the bottom row is counted last.
  Glomarch::ObjectToWindow(-1.0, -1.0, 0.0, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, kHeight);
  // Truncated, not rounded: 0.99 of a pixel past the middle stays in it.
  Glomarch::ObjectToWindow(0.99 * 2.0 / kWidth, 0.0, 0.0, &x, &y);
  EXPECT_EQ(x, kWidth / 2);

  // No projection for a point that is not a number or lies in the eye's
  // plane: the outputs stay zero. Null outputs are no crash.
  Glomarch::ObjectToWindow(std::nan(""), 0.0, 0.0, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  glMatrixMode(GL_PROJECTION);
  gluPerspective(60.0, 1.0, 0.1, 10.0);
  glMatrixMode(GL_MODELVIEW);
  Glomarch::ObjectToWindow(0.3, 0.3, 0.0, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  Glomarch::ObjectToWindow(0.0, 0.0, -1.0, nullptr, &y);
  EXPECT_EQ(y, 0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

TEST_F(WindowConversion, WindowToObjectUnprojectsTheDepthUnderThePixel) {
  // Half depth everywhere is scene z = 0.
  glClearDepth(0.5);
  glClear(GL_DEPTH_BUFFER_BIT);
  double x = 9, y = 9, z = 9;
  Glomarch::WindowToObject(kWidth * 3 / 4, kHeight / 4, &x, &y, &z);
  EXPECT_NEAR(x, 0.5, 1e-6);
  EXPECT_NEAR(y, 0.5, 1e-6);
  EXPECT_NEAR(z, 0.0, 1e-6);

  // A quad drawn at z = -0.5 on the right half only.
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  glBegin(GL_QUADS);
  glVertex3d(0.0, -1.0, -0.5);
  glVertex3d(1.0, -1.0, -0.5);
  glVertex3d(1.0, 1.0, -0.5);
  glVertex3d(0.0, 1.0, -0.5);
  glEnd();
  glDisable(GL_DEPTH_TEST);
  Glomarch::WindowToObject(kWidth * 3 / 4, kHeight / 2, &x, &y, &z);
  EXPECT_NEAR(x, 0.5, 1e-6);
  EXPECT_NEAR(z, -0.5, 1e-6);
  Glomarch::WindowToObject(kWidth / 4, kHeight / 2, &x, &y, &z);
  EXPECT_NEAR(x, -0.5, 1e-6);
  EXPECT_NEAR(z, 0.0, 1e-6);

  // Where nothing was drawn lies the far plane; outside the window too,
  // instead of whatever the depth variable held.
  glClearDepth(1.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  Glomarch::WindowToObject(kWidth / 2, kHeight / 2, &x, &y, &z);
  EXPECT_NEAR(z, 1.0, 1e-6);
  glClearDepth(0.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  Glomarch::WindowToObject(-10, kHeight + 10, &x, &y, &z);
  EXPECT_NEAR(x, -1.0 - 20.0 / kWidth, 1e-6);
  EXPECT_NEAR(y, -1.0 - 20.0 / kHeight, 1e-6);
  EXPECT_NEAR(z, 1.0, 1e-6);
  Glomarch::WindowToObject(1, 1, &x, nullptr, &z);
  glClearDepth(1.0);
}

std::array<double, 3> SurfacePoint(double latitude, double longitude) {
  double lat = latitude * kRadiansPerDegree, lon = longitude * kRadiansPerDegree;
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

TEST(WindowConversionOnTheGlobe, TheWindowCentreIsThePlaceUnderTheCamera) {
  auto [display, viewer, frame, camera, placing] = zelph::test::ReferenceView::Open();
  ASSERT_TRUE(display && viewer && frame && placing);
  LONG width = 0, height = 0;
  ASSERT_EQ(frame->get_FrameWidth(&width), S_OK);
  ASSERT_EQ(frame->get_FrameHeight(&height), S_OK);

  zelph::test::AdvisedFrameHook hook(display);
  ASSERT_TRUE(hook.IsAdvised());

  struct Place {
    kestGlobeCameraOrientationMode mode;
    double latitude, longitude;
  };
  for (Place place : {Place{kestGlobeCameraOrientationLocal, 10.0, 20.0},
                      Place{kestGlobeCameraOrientationGlobal, -35.0, 140.0},
                      Place{kestGlobeCameraOrientationLocal, 52.0, -100.0}}) {
    SCOPED_TRACE(testing::Message() << "mode " << place.mode << " at " << place.latitude << ", " << place.longitude);
    ASSERT_EQ(placing->put_OrientationMode(place.mode), S_OK);
    ASSERT_EQ(placing->PlaceAbove(place.latitude, place.longitude, 1000e3), S_OK);

    bool drawn = false;
    std::array<double, 3> centre{};
    long placeX = -1, placeY = -1, northX = -1, northY = -1, backX = -1, backY = -1;
    hook->onAfterDraw = [&] {
      drawn = true;
      Glomarch::WindowToObject(width / 2, height / 2, &centre[0], &centre[1], &centre[2]);
      std::array<double, 3> under = SurfacePoint(place.latitude, place.longitude);
      Glomarch::ObjectToWindow(under[0], under[1], under[2], &placeX, &placeY);
      std::array<double, 3> north = SurfacePoint(place.latitude + 2.0, place.longitude);
      Glomarch::ObjectToWindow(north[0], north[1], north[2], &northX, &northY);
      // A pixel off the centre, on the globe, goes there and back.
      double x = 0, y = 0, z = 0;
      Glomarch::WindowToObject(width / 3, height / 3, &x, &y, &z);
      Glomarch::ObjectToWindow(x, y, z, &backX, &backY);
    };
    ASSERT_EQ(viewer->Redraw(VARIANT_FALSE), S_OK);
    ASSERT_TRUE(drawn);

    double radius = std::sqrt(centre[0] * centre[0] + centre[1] * centre[1] + centre[2] * centre[2]);
    EXPECT_NEAR(radius, 1.0, 2e-3);
    EXPECT_NEAR(std::asin(centre[2] / radius) / kRadiansPerDegree, place.latitude, 0.05);
    EXPECT_NEAR(std::atan2(centre[1], centre[0]) / kRadiansPerDegree, place.longitude, 0.05);
    EXPECT_NEAR(placeX, width / 2, 1);
    EXPECT_NEAR(placeY, height / 2, 1);
    // North is up, and rows count down from the top.
    EXPECT_NEAR(northX, width / 2, 1);
    EXPECT_LT(northY, height / 2 - 10);
    EXPECT_NEAR(backX, width / 3, 1);
    EXPECT_NEAR(backY, height / 3, 1);
  }
  hook->onAfterDraw = nullptr;
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Reads the class-wide billboard state back, and leaves none behind.
class BillboardMatrix : public zelph::test::GLTest {
 protected:
  void TearDown() override {
    Bulloriri::UnInitialize();
    Bulloriri::ResetBillboardMatrix();
    zelph::test::GLTest::TearDown();
  }

  static std::array<float, 16> Bbmat() {
    std::array<float, 16> m{};
    std::copy(std::begin(Bulloriri::s_Bbmat), std::end(Bulloriri::s_Bbmat), m.begin());
    return m;
  }
  static std::array<float, 16> CurrentModelView() {
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
  }
  static void ExpectMatrix(const std::array<float, 16>& actual, const std::array<float, 16>& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6f) << "element " << i;
  }
};

constexpr std::array<float, 16> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// A quarter turn clockwise about Z (x to -y, y to x), column-major: what
// undoes a model-view that turns a quarter counter-clockwise.
constexpr std::array<float, 16> kQuarterTurnBack = {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

TEST_F(BillboardMatrix, UndoesTheRotationAndDropsTheTranslation) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  Bulloriri::LoadBillboardMatrix();
  ExpectMatrix(Bbmat(), kIdentity);

  glTranslatef(3.0f, -2.0f, 7.0f);
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  const std::array<float, 16> modelView = CurrentModelView();
  glMatrixMode(GL_PROJECTION);
  glOrtho(-2.0, 2.0, -1.0, 1.0, 0.5, 9.0);
  glMatrixMode(GL_MODELVIEW);
  glViewport(4, 6, 40, 30);
  Bulloriri::LoadBillboardMatrix();
  ExpectMatrix(Bbmat(), kQuarterTurnBack);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(Bulloriri::s_MdlView[i], modelView[i]);
  // The orthographic x scale 2 / (right - left) and the viewport as set.
  EXPECT_DOUBLE_EQ(Bulloriri::s_Projection[0], 0.5);
  EXPECT_EQ(std::vector<GLint>(std::begin(Bulloriri::s_Viewport), std::end(Bulloriri::s_Viewport)),
            (std::vector<GLint>{4, 6, 40, 30}));

  // At an anchor, the billboard matrix cancels any camera rotation: the
  // product's rotation part is the identity.
  glLoadIdentity();
  glRotatef(35.0f, 0.3f, -0.8f, 0.5f);
  Bulloriri::LoadBillboardMatrix();
  glTranslatef(0.2f, 0.1f, -0.4f);
  glMultMatrixf(Bulloriri::s_Bbmat);
  std::array<float, 16> product = CurrentModelView();
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) EXPECT_NEAR(product[column * 4 + row], column == row ? 1.0f : 0.0f, 1e-6f);
  }
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

TEST_F(BillboardMatrix, TheSharedListAppliesTheMatrixOfItsLastLoad) {
  // Without a list only the matrix is loaded, and no GL error is left.
  Bulloriri::UnInitialize();
  EXPECT_FALSE(Bulloriri::Valid());
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  Bulloriri::LoadBillboardDisplayList();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  ExpectMatrix(Bbmat(), kQuarterTurnBack);

  Bulloriri::Initialize();
  ASSERT_TRUE(Bulloriri::Valid());
  const GLuint list = Bulloriri::s_BillboardDisplayList;
  Bulloriri::Initialize();
  EXPECT_EQ(Bulloriri::s_BillboardDisplayList, list) << "a second Initialize must keep the list";

  Bulloriri::LoadBillboardDisplayList();
  glLoadIdentity();
  glCallList(Bulloriri::s_BillboardDisplayList);
  ExpectMatrix(CurrentModelView(), kQuarterTurnBack);

  // Reloaded with another camera, the list follows.
  glLoadIdentity();
  Bulloriri::LoadBillboardDisplayList();
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  glCallList(Bulloriri::s_BillboardDisplayList);
  std::array<float, 16> quarter{};
  glGetFloatv(GL_MODELVIEW_MATRIX, quarter.data());
  EXPECT_NEAR(quarter[1], 1.0f, 1e-6f);
  EXPECT_NEAR(quarter[4], -1.0f, 1e-6f);

  Bulloriri::UnInitialize();
  EXPECT_FALSE(glIsList(list));
  EXPECT_FALSE(Bulloriri::Valid());
  glLoadIdentity();
}

TEST_F(BillboardMatrix, BillboardReloadsOnlyAfterAReset) {
  Bulloriri billboard;
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  Bulloriri::ResetBillboardMatrix();
  billboard.Billboard();
  EXPECT_FALSE(Bulloriri::s_ReloadBBMatrix);
  ExpectMatrix(Bbmat(), kQuarterTurnBack);

  // The camera moves but nobody reset the matrix: it stays.
  glLoadIdentity();
  billboard.Billboard();
  ExpectMatrix(Bbmat(), kQuarterTurnBack);
  Bulloriri::ResetBillboardMatrix();
  billboard.Billboard();
  ExpectMatrix(Bbmat(), kIdentity);
}

using FlatFrame = zelph::test::GLTest;

TEST_F(FlatFrame, AxesPointEastNorthAndUpAtThePlace) {
  // The caller's matrices and matrix mode must survive.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1.0f, 2.0f, 3.0f);
  glMatrixMode(GL_PROJECTION);

  Platysarch flat;
  for (auto [latitude, longitude] : {std::array<double, 2>{0.0, 0.0}, {10.0, 20.0}, {-45.0, 135.0}, {89.0, -170.0}}) {
    SCOPED_TRACE(testing::Message() << latitude << ", " << longitude);
    flat.LoadUpMatrixForLatLon(latitude, longitude);
    double lat = latitude * kRadiansPerDegree, lon = longitude * kRadiansPerDegree;
    const double east[3] = {-std::sin(lon), std::cos(lon), 0.0};
    const double north[3] = {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)};
    const double up[3] = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
    const double* axes[3] = {east, north, up};
    for (int column = 0; column < 3; ++column) {
      for (int row = 0; row < 3; ++row) EXPECT_NEAR(flat.m_Flatmat[column * 4 + row], axes[column][row], 1e-6);
      EXPECT_EQ(flat.m_Flatmat[column * 4 + 3], 0.0f);
      EXPECT_EQ(flat.m_Flatmat[12 + column], 0.0f) << "no translation";
    }
  }

  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_PROJECTION);
  glMatrixMode(GL_MODELVIEW);
  GLfloat modelView[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
  EXPECT_EQ(modelView[12], 1.0f);
  EXPECT_EQ(modelView[13], 2.0f);
  EXPECT_EQ(modelView[14], 3.0f);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  glLoadIdentity();
}

}  // namespace
