// The host's spatial references: named coordinate systems made by code.
#pragma once

#include "platform/Bstr.h"
#include "platform/Unknown.h"

struct ISpatialReference : IUnknown {
  STDMETHOD(get_Name)(BSTR* name) = 0;
  // The code the system was made from (4326 for WGS 1984 geographic).
  STDMETHOD(get_FactoryCode)(LONG* code) = 0;

 protected:
  ~ISpatialReference() = default;
};
ZELPH_DEFINE_IID(ISpatialReference, 0xFE9B3E3D, 0x5FDA, 0x4401, 0x94, 0x95, 0xCC, 0x72, 0x8E, 0xDC, 0x60, 0x16);

// Offered by the host's SpatialReferenceEnvironment. An unknown code, or a
// code of the other kind, is E_INVALIDARG.
struct ISpatialReferenceFactory : IUnknown {
  STDMETHOD(CreateGeographicCoordinateSystem)(LONG code, ISpatialReference** reference) = 0;
  STDMETHOD(CreateProjectedCoordinateSystem)(LONG code, ISpatialReference** reference) = 0;

 protected:
  ~ISpatialReferenceFactory() = default;
};
ZELPH_DEFINE_IID(ISpatialReferenceFactory, 0x44C0C259, 0xB5A6, 0x4EAA, 0xAD, 0xEB, 0x9D, 0xD1, 0x85, 0xE1, 0xBB, 0x5F);
