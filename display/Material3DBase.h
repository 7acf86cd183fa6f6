// What every material has: the stipple of its lines (one of the line
// options, or a custom 16-bit pattern) and the fill pattern of its areas
// (IMaterial3D). The setters store any value; values outside the options
// fall back to solid where the scene manager uses them.
//
// Not a component class by itself: each material derives from it.
#pragma once

#include <cstdint>

#include "frame/DispatchImpl.h"
#include "frame/MaterialInterfaces.h"
#include "graphics/SerialHelper.h"
#include "platform/ComPtr.h"

class Material3DBase : public zelph::DispatchImpl<IMaterial3D> {
 public:
  explicit Material3DBase(bool textured) : m_Textured(textured) {}
  virtual ~Material3DBase() = default;

  STDMETHODIMP get_Textured(VARIANT_BOOL* textured) override;
  STDMETHODIMP get_LineOption(kestGLLineOption* option) override;
  STDMETHODIMP put_LineOption(kestGLLineOption option) override;
  STDMETHODIMP get_CustomStipplePattern(LONG* pattern) override;
  // Keeps the low 16 bits.
  STDMETHODIMP put_CustomStipplePattern(LONG pattern) override;
  STDMETHODIMP get_FillOption(kestGLFillOption* option) override;
  STDMETHODIMP put_FillOption(kestGLFillOption option) override;

 protected:
  // The block every material's record ends with: line option, custom
  // stipple and fill option, as three integers.
  void Save(IVariantStream* stream);
  void Load(IVariantStream* stream);

  // A new host colour of the given components; throws when the host cannot
  // make one.
  static CComPtr<IRgbColor> NewColor(LONG red, LONG green, LONG blue);

  SerialHelper m_Serial;
  // The options are kept as plain 32-bit integers: a value beyond the
  // enumeration is stored as given, and an enumeration object must never
  // hold one.
  int m_LineOption = kestGLLineSolid;
  std::uint16_t m_CustomStipple = 0xFFFF;
  int m_FillOption = kestGLFillSolid;

 private:
  bool m_Textured;
};
