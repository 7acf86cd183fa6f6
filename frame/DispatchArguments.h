// The positional arguments of one late-bound call, first argument first
// (DISPPARAMS holds them last argument first), and where a bad one is
// reported.
#pragma once

#include "platform/Unknown.h"
#include "platform/Variant.h"

namespace zelph {

class DispatchArguments {
 public:
  // `params` may be null: a call without arguments.
  DispatchArguments(const DISPPARAMS* params, UINT* argumentError) : m_Params(params), m_ArgumentError(argumentError) {}

  UINT Count() const { return m_Params ? m_Params->cArgs : 0; }
  const VARIANT& At(UINT position) const { return m_Params->rgvarg[RawIndex(position)]; }
  // Reports the argument at `position` as the one that failed and passes `hr` on.
  HRESULT Fail(UINT position, HRESULT hr) const {
    if (m_ArgumentError) *m_ArgumentError = RawIndex(position);
    return hr;
  }

 private:
  UINT RawIndex(UINT position) const { return m_Params->cArgs - 1 - position; }

  const DISPPARAMS* m_Params;
  UINT* m_ArgumentError;
};

}  // namespace zelph
