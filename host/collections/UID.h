// A class or interface id as an object. A new UID holds no value (VT_EMPTY)
// until one is put or generated; a value is kept in the canonical upper-case
// braced form, whatever case it was put in.
#pragma once

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"

namespace zelph::host::collections {

class UID : public zelph::ComObjectRoot, public IUID {
 public:
  using InterfaceMap = zelph::InterfaceMap<IUID>;

  STDMETHODIMP get_Value(VARIANT* value) override;
  STDMETHODIMP put_Value(VARIANT value) override;
  STDMETHODIMP Generate() override;

 private:
  void Hold(const GUID& id);

  CComBSTR m_Text;  // null while the UID holds nothing
};

// A new UID holding `id`.
CComPtr<IUID> NewUid(const GUID& id);

}  // namespace zelph::host::collections
