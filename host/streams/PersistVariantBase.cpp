#include "host/streams/PersistVariantBase.h"

#include "host/HostCall.h"
#include "host/collections/UID.h"

namespace zelph::host::streams {

STDMETHODIMP PersistVariantBase::get_ID(IUID** id) {
  return HostCall([&] { *id = collections::NewUid(ClassId()).Detach(); }, id);
}

STDMETHODIMP PersistVariantBase::Load(IVariantStream* stream) {
  return HostCall([&] { LoadState(stream); }, stream);
}

STDMETHODIMP PersistVariantBase::Save(IVariantStream* stream) {
  return HostCall([&] { SaveState(stream); }, stream);
}

}  // namespace zelph::host::streams
