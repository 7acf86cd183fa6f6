#include "frame/Logger.h"

#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/WideString.h"
#include "tests/support/QuietLoggerTest.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class LoggerTest : public zelph::test::QuietLoggerTest {
 protected:
  std::string OpenTraceFile() {
    std::string path = ::testing::TempDir() + "zelph_logger_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
    EXPECT_TRUE(Logger::Initialize(zelph::FromUtf8(path).c_str()));
    return path;
  }
};

TEST_F(LoggerTest, WithoutFileLinesGoToTheBufferOnly) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  Logger::Warning(L"value %d of %ls and %s", 7, L"wide", "narrow");
  EXPECT_STREQ(Logger::atlLogOutput, L"value 7 of wide and narrow");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(Logger::s_TraceFile, nullptr);
}

TEST_F(LoggerTest, BufferHoldsAtMost1024Characters) {
  std::wstring longest(Logger::kLineCharacters, L'x');
  Logger::Warning(L"%ls", longest.c_str());
  EXPECT_EQ(std::wstring(Logger::atlLogOutput), longest);

  std::wstring tooLong(Logger::kLineCharacters + 1, L'y');
  Logger::Warning(L"%ls", tooLong.c_str());
  EXPECT_STREQ(Logger::atlLogOutput, L"<Could not log data>");
}

TEST_F(LoggerTest, BufferTakesNarrowArgumentsAsUtf8) {
  // The file path reads %s arguments as UTF-8 whatever the locale (a host
  // may run under "C"); a line that reaches the buffer must read the same.
  std::string previous = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  Logger::Warning(L"File: %s", "./Caf\xC3\xA9");
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_STREQ(Logger::atlLogOutput, L"File: ./Caf\u00E9");
}

TEST_F(LoggerTest, FileLinesEndInExactlyOneLineFeed) {
  std::string path = OpenTraceFile();
  Logger::Warning(L"first %d", 1);
  Logger::Warning(L"second\n");
  Logger::Warning(L"%ls|%s", L"\u05e9\u05dc\u05d5\u05dd", "caf\xC3\xA9");
  Logger::Close();
  EXPECT_EQ(ReadFile(path), "first 1\nsecond\n\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D|caf\xC3\xA9\n");
  EXPECT_STREQ(Logger::atlLogOutput, L"");

  // Opening the same path again starts the file afresh.
  ASSERT_TRUE(Logger::Initialize(zelph::FromUtf8(path).c_str()));
  Logger::Warning(L"again");
  Logger::Close();
  EXPECT_EQ(ReadFile(path), "again\n");
}

TEST_F(LoggerTest, LineIsCompleteInTheFileWhenWarningReturns) {
  // A reader watching the file (or a crash right after the call) must see
  // the whole line with its line feed, not just the text.
  std::string path = OpenTraceFile();
  Logger::Warning(L"watched");
  EXPECT_EQ(ReadFile(path), "watched\n");
}

TEST_F(LoggerTest, TimeStampPrecedesEveryFileLine) {
  std::string path = OpenTraceFile();
  Logger::EnableTimeStamp = true;
  std::time_t before = std::time(nullptr);
  Logger::Warning(L"one %d", 1);
  Logger::Warning(L"two\n");
  std::time_t after = std::time(nullptr);
  Logger::Close();

  std::string text = ReadFile(path);
  const std::string stamp = R"(([01]\d|2[0-3]):[0-5]\d:[0-6]\d\.0\d{3} > )";
  std::smatch match;
  ASSERT_TRUE(std::regex_match(text, match, std::regex(stamp + "one 1\n" + stamp + "two\n"))) << text;
  std::tm first{}, last{};
  gmtime_r(&before, &first);
  gmtime_r(&after, &last);
  for (int hour : {std::stoi(match[1]), std::stoi(match[2])}) {
    EXPECT_TRUE(hour == first.tm_hour || hour == last.tm_hour) << hour;
  }
}

TEST_F(LoggerTest, TraceAndDebugFollowTheirSwitches) {
  std::string path = OpenTraceFile();
  Logger::Trace(L"trace off");
  Logger::Debug(L"debug off");
  Logger::Warning(L"warning 1");
  Logger::EnableTrace = true;
  Logger::Trace(L"trace on");
  Logger::Debug(L"debug still off");
  Logger::EnableDebug = true;
  Logger::Debug(L"debug on");
  Logger::EnableTrace = false;
  Logger::EnableDebug = false;
  Logger::Warning(L"warning 2");
  Logger::Close();
  EXPECT_EQ(ReadFile(path), "warning 1\ntrace on\ndebug on\nwarning 2\n");
  // The same holds for the buffer.
  Logger::Debug(L"dropped");
  Logger::Trace(L"dropped");
  EXPECT_STREQ(Logger::atlLogOutput, L"");
  Logger::EnableDebug = true;
  Logger::Debug(L"kept %d", 3);
  EXPECT_STREQ(Logger::atlLogOutput, L"kept 3");
}

TEST_F(LoggerTest, UnopenablePathLeavesNoFileOpen) {
  std::string path = OpenTraceFile();
  std::string missing = ::testing::TempDir() + "zelph_no_such_folder/trace.log";
  EXPECT_FALSE(Logger::Initialize(zelph::FromUtf8(missing).c_str()));
  EXPECT_EQ(Logger::s_TraceFile, nullptr);
  EXPECT_FALSE(Logger::Initialize(nullptr));
  Logger::Warning(L"to the buffer");
  EXPECT_STREQ(Logger::atlLogOutput, L"to the buffer");
  EXPECT_EQ(ReadFile(path), "");
}

}  // namespace
