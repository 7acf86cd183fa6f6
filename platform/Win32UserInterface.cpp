#include "platform/Win32UserInterface.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "platform/WideString.h"

namespace {

// With no window system to show a box in, the message goes where a
// developer running the program looks first.
int WriteToStandardError(LPCWSTR text, LPCWSTR caption, UINT type) {
  std::string line = zelph::ToUtf8(caption ? caption : L"Error") + ": " + zelph::ToUtf8(text ? text : L"") + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
  return IDOK;
}

std::atomic<zelph::MessageBoxHandler> g_Handler{&WriteToStandardError};

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) { return g_Handler.load()(text, caption, type); }

namespace zelph {

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler previous = g_Handler.exchange(handler ? handler : &WriteToStandardError);
  return previous == &WriteToStandardError ? nullptr : previous;
}

}  // namespace zelph
