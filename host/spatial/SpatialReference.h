// One coordinate system made by code: its code, kind and display name.
#pragma once

#include <string>

#include "frame/ComObject.h"
#include "frame/HostSpatialReference.h"
#include "host/spatial/ProjContext.h"

namespace zelph::host {

class SpatialReference : public zelph::ComObjectRoot, public ISpatialReference {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISpatialReference>;

  // Makes the system of `code` when it is of `kind`; E_INVALIDARG otherwise.
  static HRESULT Create(long code, CoordinateSystemKind kind, ISpatialReference** reference);

  // Geographic systems read "GCS_" and their name, projected ones their
  // name; words are joined by underscores and "WGS 84" reads "WGS_1984", so
  // that WGS 1984 geographic is "GCS_WGS_1984".
  static std::wstring DisplayName(const CoordinateSystemInfo& info);

  STDMETHODIMP get_Name(BSTR* name) override;
  STDMETHODIMP get_FactoryCode(LONG* code) override;

 private:
  long m_Code = 0;
  std::wstring m_Name;
};

}  // namespace zelph::host
