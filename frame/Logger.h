// The library's one logger: warnings always, trace and debug lines behind
// their switches; into the trace file when one is open, else into an
// in-memory line buffer that a debugger can watch. Nothing is written to any
// file unless a host opens one.
#pragma once

#include <cstdarg>
#include <cstdio>

class Logger {
 public:
  static constexpr int kLineCharacters = 1024;

  static inline bool EnableTimeStamp = false;
  static inline bool EnableTrace = false;
  static inline bool EnableDebug = false;
  static inline std::FILE* s_TraceFile = nullptr;
  static inline wchar_t atlLogOutput[kLineCharacters + 1] = {};

  // Closes any open trace file, then opens `path` created or truncated.
  static bool Initialize(const wchar_t* path);
  // Closes the trace file; later lines go to the buffer again.
  static void Close();

  // Formats one line (wide printf format: %s takes a narrow string, %ls a
  // wide one) and writes it. Never throws.
  static void Log(const wchar_t* format, va_list args);
  static void Warning(const wchar_t* format, ...);
  static void Trace(const wchar_t* format, ...);
  static void Debug(const wchar_t* format, ...);

 private:
  static void WriteToFile(const wchar_t* format, va_list args);
  static void WriteToBuffer(const wchar_t* format, va_list args);
};
