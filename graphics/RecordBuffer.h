// Collects the values of one record before any of them reaches the caller's
// stream, so that a Save that fails part-way writes nothing at all rather
// than a partial record that would shift everything written after it.
#pragma once

#include <functional>
#include <vector>

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"

class RecordBuffer : public zelph::ComObjectRoot, public IVariantStream {
 public:
  using InterfaceMap = zelph::InterfaceMap<IVariantStream>;

  // Writes `record` into a buffer and, when it returns without throwing,
  // hands every buffered value to `stream` in order. A failed Write on
  // `stream` is reported and writing goes on, as for any single value.
  static void SaveWhole(IVariantStream* stream, const std::function<void(IVariantStream*)>& record);

  // Not a source of values.
  STDMETHODIMP Read(VARIANT* value) override;
  STDMETHODIMP Write(VARIANT value) override;

 private:
  std::vector<CComVariant> m_Values;
};
