// A stream that hands out values already taken from another stream before
// it reads on from that stream: how a record whose kind was told from its
// first values is still loaded from its first value on.
#pragma once

#include <deque>

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"

class ReplayStream : public zelph::ComObjectRoot, public IVariantStream {
 public:
  using InterfaceMap = zelph::InterfaceMap<IVariantStream>;

  // A stream that replays `taken` (emptied) and then reads `source`.
  static CComPtr<ReplayStream> Over(IVariantStream* source, std::deque<CComVariant>& taken);

  // The replayed values nobody read, handed back (emptied).
  std::deque<CComVariant> TakeUnread() { return std::move(m_Taken); }

  STDMETHODIMP Read(VARIANT* value) override;
  STDMETHODIMP Write(VARIANT value) override;

 private:
  CComPtr<IVariantStream> m_Source;
  std::deque<CComVariant> m_Taken;
};
