// Clocks: the high-resolution performance counter and the system time.
#pragma once

#include "platform/WinTypes.h"

// Nanoseconds of a monotonic clock; the frequency is therefore 1e9.
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);

namespace zelph {
// Replaces the performance counter's source (null restores the monotonic
// clock), so that timing code can be driven tick by tick.
using PerformanceCounterSource = LONGLONG (*)();
void SetPerformanceCounterSource(PerformanceCounterSource source);
}  // namespace zelph

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

// The current time in UTC.
void GetSystemTime(SYSTEMTIME* time);
