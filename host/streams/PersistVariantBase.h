// IPersistVariant of a host class, written once: get_ID names the class,
// and Save and Load run the class's own state through the error boundary.
// A class reads its whole record before it takes any of it, so a failed
// Load leaves the object as it was.
#pragma once

#include "frame/HostCollections.h"

namespace zelph::host::streams {

class PersistVariantBase : public IPersistVariant {
 public:
  // A new UID holding the class's id in its braced text form.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 protected:
  virtual ~PersistVariantBase() = default;

  virtual const CLSID& ClassId() const = 0;
  virtual void SaveState(IVariantStream* stream) const = 0;
  virtual void LoadState(IVariantStream* stream) = 0;
};

}  // namespace zelph::host::streams
