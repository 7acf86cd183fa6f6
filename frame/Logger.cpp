#include "frame/Logger.h"

#include <cwchar>

#include "platform/CString.h"
#include "platform/WideString.h"
#include "platform/Win32Time.h"

bool Logger::Initialize(const wchar_t* path) {
  Close();
  if (!path) return false;
  s_TraceFile = std::fopen(zelph::ToUtf8(path).c_str(), "w+");
  return s_TraceFile != nullptr;
}

void Logger::Close() {
  if (s_TraceFile) std::fclose(s_TraceFile);
  s_TraceFile = nullptr;
}

void Logger::Log(const wchar_t* format, va_list args) {
  try {
    if (!format) return;
    if (s_TraceFile) {
      WriteToFile(format, args);
    } else {
      WriteToBuffer(format, args);
    }
  } catch (...) {
    // Logging must never take its caller down.
  }
}

// Every line in the file ends in exactly one line feed: the format's own or
// the one added here. The file holds UTF-8 whatever the process locale.
void Logger::WriteToFile(const wchar_t* format, va_list args) {
  size_t length = std::wcslen(format);
  bool endsInLineFeed = length > 0 && format[length - 1] == L'\n';
  if (EnableTimeStamp) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    std::fprintf(s_TraceFile, "%02d:%02d:%02d.%04d > ", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  }
  CString line;
  line.FormatV(format, args);
  std::fputs(zelph::ToUtf8(line.Str()).c_str(), s_TraceFile);
  if (!endsInLineFeed) std::fputs("\n", s_TraceFile);
  // Flushed whole, so that a crash right after a line never leaves it cut.
  std::fflush(s_TraceFile);
}

void Logger::WriteToBuffer(const wchar_t* format, va_list args) {
  zelph::Utf8FormattingScope utf8Narrow;
  if (std::vswprintf(atlLogOutput, kLineCharacters + 1, format, args) < 0) {
    std::wcscpy(atlLogOutput, L"<Could not log data>");
  }
}

void Logger::Warning(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  Log(format, args);
  va_end(args);
}

void Logger::Trace(const wchar_t* format, ...) {
  if (!EnableTrace) return;
  va_list args;
  va_start(args, format);
  Log(format, args);
  va_end(args);
}

void Logger::Debug(const wchar_t* format, ...) {
  if (!EnableDebug) return;
  va_list args;
  va_start(args, format);
  Log(format, args);
  va_end(args);
}
