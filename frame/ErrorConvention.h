// The one way component methods report: an entry and an exit debug line,
// E_POINTER for a null out-pointer, and every failure caught at the method's
// boundary, logged with its source file and line, and returned as E_FAIL.
//
//     STDMETHODIMP Billboard3D::get_Size(double* size) {
//       return zelph::ComCall(L"get_Size", [&] { *size = m_Size; }, size);
//     }
//
// The work may return nothing (the method returns S_OK) or an HRESULT of its
// own. Inside it, ThrowIfFailed and ThrowIfNull turn a failing call or a
// missing member into an exception that reaches the same handler.
#pragma once

#include <source_location>
#include <string>
#include <type_traits>

#include "frame/Logger.h"
#include "platform/ComException.h"
#include "platform/WinError.h"

namespace zelph {

// A method's name with the place it is reported from.
struct MethodSite {
  MethodSite(const wchar_t* methodName, std::source_location where = std::source_location::current())
      : name(methodName), location(where) {}

  const wchar_t* name;
  std::source_location location;
};

template <class Pointer>
void ThrowIfNull(const Pointer& pointer) {
  if (!static_cast<bool>(pointer)) Fail(E_POINTER);
}

// The source path as the log shows it: "./" and the file's base name.
std::string ReportedSourcePath(const char* file);

void LogEntering(const wchar_t* method);
void LogExiting(const wchar_t* method);
void LogException(const std::source_location& where);

// Writes "COM Error" with the call's HRESULT when a call whose failure is
// not fatal returns anything but S_OK; returns that HRESULT unchanged.
HRESULT LogIfNotOk(HRESULT hr, std::source_location where = std::source_location::current());

template <class Work, class... OutPointers>
HRESULT ComCall(MethodSite site, Work&& work, OutPointers*... outs) {
  LogEntering(site.name);
  if (((outs == nullptr) || ...)) return E_POINTER;
  try {
    HRESULT hr = S_OK;
    if constexpr (std::is_void_v<std::invoke_result_t<Work>>) {
      work();
    } else {
      hr = work();
    }
    LogExiting(site.name);
    return hr;
  } catch (...) {
    LogException(site.location);
    return E_FAIL;
  }
}

// The same for internal operations: on failure they return their result
// type's default (null, false, zero) or nothing.
template <class Work>
auto InternalCall(MethodSite site, Work&& work) -> std::invoke_result_t<Work> {
  using Result = std::invoke_result_t<Work>;
  LogEntering(site.name);
  try {
    if constexpr (std::is_void_v<Result>) {
      work();
      LogExiting(site.name);
    } else {
      Result result = work();
      LogExiting(site.name);
      return result;
    }
  } catch (...) {
    LogException(site.location);
    if constexpr (!std::is_void_v<Result>) return Result{};
  }
}

}  // namespace zelph
