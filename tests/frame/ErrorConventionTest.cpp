#include "frame/ErrorConvention.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/ComPtr.h"
#include "platform/WideString.h"
#include "tests/support/QuietLoggerTest.h"

namespace {

using zelph::ComCall;
using zelph::ComException;
using zelph::InternalCall;

// The line the handler reports for a call made on line `line` of this file.
std::wstring ExceptionLine(int line) {
  return L"Exception @ File: ./ErrorConventionTest Line: " + std::to_wstring(line) + L"\n";
}

std::wstring LastLine() { return Logger::atlLogOutput; }

using ErrorConventionTest = zelph::test::QuietLoggerTest;

TEST_F(ErrorConventionTest, SuccessfulCallLogsEntryAndExit) {
  Logger::EnableDebug = true;
  int value = 0;
  int* out = &value;
  EXPECT_EQ(ComCall(L"get_Value", [&] { *out = 42; }, out), S_OK);
  EXPECT_EQ(value, 42);
  EXPECT_EQ(LastLine(), L"Exiting get_Value...");
  // Both lines, in order, as a trace file shows them.
  std::string path = ::testing::TempDir() + "zelph_error_convention.log";
  ASSERT_TRUE(Logger::Initialize(zelph::FromUtf8(path).c_str()));
  EXPECT_EQ(ComCall(L"put_Value", [&] { value = 7; }), S_OK);
  Logger::Close();
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  EXPECT_EQ(text.str(), "Entering put_Value...\nExiting put_Value...\n");
  EXPECT_EQ(value, 7);
  // Without the debug switch a successful call writes nothing.
  Logger::EnableDebug = false;
  Logger::atlLogOutput[0] = L'\0';
  EXPECT_EQ(ComCall(L"get_Quiet", [] {}), S_OK);
  EXPECT_EQ(LastLine(), L"");
}

TEST_F(ErrorConventionTest, NullOutPointerReturnsEPointerWithoutWork) {
  Logger::EnableDebug = true;
  bool ran = false;
  int value = 0;
  double* missing = nullptr;
  EXPECT_EQ(ComCall(L"get_Pair", [&] { ran = true; }, &value, missing), E_POINTER);
  EXPECT_FALSE(ran);
  EXPECT_EQ(LastLine().find(L"Exception"), std::wstring::npos) << LastLine();
  EXPECT_EQ(LastLine().find(L"Exiting"), std::wstring::npos) << LastLine();
}

TEST_F(ErrorConventionTest, AnyExceptionBecomesEFailAndOneWarning) {
  Logger::EnableDebug = true;
  int line = __LINE__; EXPECT_EQ(ComCall(L"A", [] { throw std::runtime_error("boom"); }), E_FAIL);
  EXPECT_EQ(LastLine(), ExceptionLine(line));
  line = __LINE__; EXPECT_EQ(ComCall(L"B", [] { throw 5; }), E_FAIL);
  EXPECT_EQ(LastLine(), ExceptionLine(line));

  bool after = false;
  line = __LINE__; EXPECT_EQ(ComCall(L"C", [&] { zelph::ThrowIfFailed(E_INVALIDARG); after = true; }), E_FAIL);
  EXPECT_EQ(LastLine(), ExceptionLine(line));
  EXPECT_FALSE(after);

  int* none = nullptr;
  line = __LINE__; EXPECT_EQ(ComCall(L"D", [&] { zelph::ThrowIfNull(none); }), E_FAIL);
  EXPECT_EQ(LastLine(), ExceptionLine(line));
  CComPtr<IUnknown> empty;
  line = __LINE__; EXPECT_EQ(ComCall(L"E", [&] { zelph::ThrowIfNull(empty); }), E_FAIL);
  EXPECT_EQ(LastLine(), ExceptionLine(line));

  // The warning is written with every switch off.
  Logger::EnableDebug = false;
  Logger::atlLogOutput[0] = L'\0';
  line = __LINE__; EXPECT_EQ(ComCall(L"F", [] { throw ComException(E_OUTOFMEMORY); }), E_FAIL);
  EXPECT_EQ(LastLine(), ExceptionLine(line));
}

TEST_F(ErrorConventionTest, WorkResultIsReturnedUnchanged) {
  Logger::EnableDebug = true;
  EXPECT_EQ(ComCall(L"Maybe", [] { return S_FALSE; }), S_FALSE);
  EXPECT_EQ(LastLine(), L"Exiting Maybe...");
  Logger::atlLogOutput[0] = L'\0';
  EXPECT_EQ(ComCall(L"Refuse", []() -> HRESULT { return E_INVALIDARG; }), E_INVALIDARG);
  EXPECT_EQ(LastLine(), L"Exiting Refuse...");
}

TEST_F(ErrorConventionTest, InternalCallReturnsValueOrDefault) {
  Logger::EnableDebug = true;
  int target = 3;
  EXPECT_EQ(InternalCall(L"Find", [&] { return &target; }), &target);
  EXPECT_EQ(LastLine(), L"Exiting Find...");
  EXPECT_EQ(InternalCall(L"Count", [] { return 12; }), 12);
  EXPECT_TRUE(InternalCall(L"Check", [] { return true; }));

  int line = __LINE__; EXPECT_EQ(InternalCall(L"Find", [&]() -> int* { throw 1; }), nullptr);
  EXPECT_EQ(LastLine(), ExceptionLine(line));
  line = __LINE__; EXPECT_EQ(InternalCall(L"Count", []() -> int { zelph::ThrowIfFailed(E_FAIL); return 12; }), 0);
  EXPECT_EQ(LastLine(), ExceptionLine(line));
  line = __LINE__; EXPECT_FALSE(InternalCall(L"Check", []() -> bool { throw std::logic_error("x"); }));
  EXPECT_EQ(LastLine(), ExceptionLine(line));

  bool ran = false;
  line = __LINE__; InternalCall(L"Run", [&] { ran = true; throw 2; });
  EXPECT_TRUE(ran);
  EXPECT_EQ(LastLine(), ExceptionLine(line));
}

TEST_F(ErrorConventionTest, LogIfNotOkLogsEverythingButSOk) {
  EXPECT_EQ(zelph::LogIfNotOk(S_OK), S_OK);
  EXPECT_EQ(LastLine(), L"");
  int line = __LINE__; EXPECT_EQ(zelph::LogIfNotOk(E_FAIL), E_FAIL);
  EXPECT_EQ(LastLine(), L"COM Error: 80004005 File: ./ErrorConventionTest Line: " + std::to_wstring(line) + L"\n");

  line = __LINE__; EXPECT_EQ(zelph::LogIfNotOk(S_FALSE), S_FALSE);
  EXPECT_EQ(LastLine(), L"COM Error: 1 File: ./ErrorConventionTest Line: " + std::to_wstring(line) + L"\n");
}

TEST_F(ErrorConventionTest, ReportedSourcePathIsDotSlashBaseName) {
  EXPECT_EQ(zelph::ReportedSourcePath("/a/b/SceneManager3D.cpp"), "./SceneManager3D");
  EXPECT_EQ(zelph::ReportedSourcePath("C:\\src\\frame\\Logger.cpp"), "./Logger");
  EXPECT_EQ(zelph::ReportedSourcePath("dir.v2/NoExtension"), "./NoExtension");
}

}  // namespace
