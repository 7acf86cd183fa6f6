#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <cwchar>
#include <string>
#include <thread>

#include "platform/WinError.h"
#include "platform/Win32Environment.h"
#include "platform/Win32Sync.h"
#include "platform/Win32Time.h"
#include "platform/Win32UserInterface.h"

namespace {

constexpr LPCWSTR kVariable = L"ZELPH_SERVICES_TEST_VARIABLE";
constexpr const char* kNarrowVariable = "ZELPH_SERVICES_TEST_VARIABLE";

TEST(Win32Environment, ValuesTravelAsUtf8WithTheBufferSizeConventions) {
  ASSERT_TRUE(SetEnvironmentVariableW(kVariable, L"w\u00E9rt"));
  EXPECT_STREQ(std::getenv(kNarrowVariable), "w\xC3\xA9rt");

  EXPECT_EQ(GetEnvironmentVariableW(kVariable, nullptr, 0), 5u) << "size needed, terminator included";
  WCHAR tooSmall[4] = {L'#', L'#', L'#', L'#'};
  EXPECT_EQ(GetEnvironmentVariableW(kVariable, tooSmall, 4), 5u);
  EXPECT_EQ(std::wstring(tooSmall, 4), L"####") << "buffer left as it was";
  WCHAR exact[5];
  EXPECT_EQ(GetEnvironmentVariableW(kVariable, exact, 5), 4u) << "length copied, terminator excluded";
  EXPECT_STREQ(exact, L"w\u00E9rt");

  ASSERT_TRUE(SetEnvironmentVariableW(kVariable, L""));
  SetLastError(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetEnvironmentVariableW(kVariable, exact, 5), 0u);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "empty, not missing";

  ASSERT_TRUE(SetEnvironmentVariableW(kVariable, nullptr));
  EXPECT_EQ(std::getenv(kNarrowVariable), nullptr);
  EXPECT_EQ(GetEnvironmentVariableW(kVariable, exact, 5), 0u);
  EXPECT_EQ(GetLastError(), ERROR_ENVVAR_NOT_FOUND);
  EXPECT_FALSE(SetEnvironmentVariableW(L"A=B", L"x"));
}

TEST(Win32Environment, LastErrorBelongsToEachThread) {
  SetLastError(ERROR_MOD_NOT_FOUND);
  DWORD seenByOtherThread = 1;
  std::thread([&] {
    seenByOtherThread = GetLastError();
    SetLastError(ERROR_PROC_NOT_FOUND);
  }).join();
  EXPECT_EQ(seenByOtherThread, ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

LONGLONG g_FakeTicks = 0;
LONGLONG NextFakeTick() { return g_FakeTicks += 250; }

TEST(Win32Time, PerformanceCounterSourceCanBeReplacedAndRestored) {
  LARGE_INTEGER frequency{};
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 1'000'000'000);

  LARGE_INTEGER count{};
  zelph::SetPerformanceCounterSource(&NextFakeTick);
  QueryPerformanceCounter(&count);
  EXPECT_EQ(count.QuadPart, 250);
  QueryPerformanceCounter(&count);
  EXPECT_EQ(count.QuadPart, 500);
  zelph::SetPerformanceCounterSource(nullptr);
}

TEST(Win32Sync, CriticalSectionIsRecursiveAndExcludesOtherThreads) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  EnterCriticalSection(&section);
  EXPECT_TRUE(TryEnterCriticalSection(&section)) << "the owner may enter again";

  auto otherThreadEnters = [&] {
    BOOL entered = FALSE;
    std::thread([&] {
      entered = TryEnterCriticalSection(&section);
      if (entered) LeaveCriticalSection(&section);
    }).join();
    return entered;
  };
  EXPECT_FALSE(otherThreadEnters());
  LeaveCriticalSection(&section);
  EXPECT_FALSE(otherThreadEnters()) << "still held once";
  LeaveCriticalSection(&section);
  EXPECT_TRUE(otherThreadEnters());

  DeleteCriticalSection(&section);
  EXPECT_EQ(section.lock, nullptr);
}

struct CapturedBox {
  std::wstring text;
  std::wstring caption;
  UINT type = 0;
};
CapturedBox g_Captured;

int CaptureBox(LPCWSTR text, LPCWSTR caption, UINT type) {
  g_Captured = {text, caption, type};
  return 7;
}

TEST(Win32UserInterface, MessageBoxGoesToTheHandlerOrStandardError) {
  EXPECT_EQ(zelph::SetMessageBoxHandler(&CaptureBox), nullptr);
  EXPECT_EQ(MessageBoxW(nullptr, L"Disk \u00FCberf\u00FCllt", L"Zelph", MB_ICONERROR), 7);
  EXPECT_EQ(g_Captured.text, L"Disk \u00FCberf\u00FCllt");
  EXPECT_EQ(g_Captured.caption, L"Zelph");
  EXPECT_EQ(g_Captured.type, MB_ICONERROR);
  EXPECT_EQ(zelph::SetMessageBoxHandler(nullptr), &CaptureBox);

  testing::internal::CaptureStderr();
  int answer = MessageBoxW(nullptr, L"Gr\u00FC\u00DFe", L"Title", MB_OK);
  std::string written = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(written, "Title: Gr\xC3\xBC\xC3\x9F" "e\n");
}

}  // namespace
