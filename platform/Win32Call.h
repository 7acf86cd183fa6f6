// The boundary of the runtime's Win32-style functions: a failure reports
// through the thread's last error and the function's failure value, and no
// exception ever gets out.
#pragma once

#include <new>

#include "platform/WinError.h"
#include "platform/Win32Environment.h"

namespace zelph {

template <class Result>
Result FailWin32Call(DWORD error, Result failed) {
  SetLastError(error);
  return failed;
}

template <class Result, class Work>
Result Win32Call(Result failed, Work&& work) noexcept {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return FailWin32Call(ERROR_NOT_ENOUGH_MEMORY, failed);
  } catch (...) {
    return FailWin32Call(ERROR_GEN_FAILURE, failed);
  }
}

}  // namespace zelph
