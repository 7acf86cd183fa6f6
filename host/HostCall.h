// The boundary of every method of the host's components: pointer arguments
// are checked (and interface out-pointers cleared) before any work, and
// whatever the work throws becomes the HRESULT the caller sees. The host does
// not link the library's logger, so failures travel only as HRESULTs.
#pragma once

#include <new>
#include <type_traits>

#include "platform/ComException.h"

namespace zelph::host {

using zelph::Fail;
using zelph::ThrowIfFailed;

// Bad values from the caller.
inline void RequireArgument(bool valid) {
  if (!valid) Fail(E_INVALIDARG);
}

namespace detail {
template <class T>
void ClearInterfaceOut(T* out) {
  if constexpr (std::is_pointer_v<T>) *out = nullptr;
}
}  // namespace detail

// Runs `work` and turns every failure into an HRESULT: E_POINTER when one of
// the `required` pointers is null (nothing runs then), the carried result of
// a ComException, E_OUTOFMEMORY when memory ran out, E_FAIL for anything else
// (such as an OpenGL context that could not be made). The work returns
// nothing (the call succeeds with S_OK) or an HRESULT of its own.
template <class Work, class... Pointees>
HRESULT HostCall(Work&& work, Pointees*... required) noexcept {
  if (((required == nullptr) || ...)) return E_POINTER;
  // An interface out-pointer is null unless the call hands something out.
  (detail::ClearInterfaceOut(required), ...);
  try {
    if constexpr (std::is_void_v<std::invoke_result_t<Work>>) {
      work();
      return S_OK;
    } else {
      return work();
    }
  } catch (const ComException& failure) {
    return failure.Result();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace zelph::host
