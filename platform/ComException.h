// A failing HRESULT travelling as an exception from deep inside a method to
// the boundary where the method turns it back into its result.
#pragma once

#include "platform/WinError.h"

namespace zelph {

class ComException {
 public:
  explicit ComException(HRESULT hr) : m_Result(hr) {}
  HRESULT Result() const { return m_Result; }

 private:
  HRESULT m_Result;
};

[[noreturn]] inline void Fail(HRESULT hr) { throw ComException(hr); }

// For calls that must succeed.
inline void ThrowIfFailed(HRESULT hr) {
  if (FAILED(hr)) Fail(hr);
}

}  // namespace zelph
