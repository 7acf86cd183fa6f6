// What every font component is: one standard font object, "Arial" at 10
// points until the client hands in another, offered through IFont3D and
// stored as one object record. The class of the component (and the marker
// interface it adds) says how its texts are drawn; a component that stores
// more than the font writes it after the font through SaveAfterFont.
//
// Not a component class by itself: Font3D, BillboardFont3D and
// ExtrudedFont3D derive from it.
#pragma once

#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/FontInterfaces.h"
#include "frame/HostCollections.h"
#include "graphics/SerialHelper.h"
#include "platform/ComPtr.h"

class Font3DBase : public zelph::ComObjectRoot, public zelph::DispatchImpl<IFont3D>, public IPersistVariant {
 public:
  // Makes the standard font; construction fails when it cannot be made.
  HRESULT FinalConstruct();

  // IFont3D
  STDMETHODIMP get_Font(IFont** font) override;
  // Holds the font object itself; a null font is held too (Save writes an
  // empty object record for it).
  STDMETHODIMP putref_Font(IFont* font) override;

  // IPersistVariant: the font as one object record, then what the component
  // adds. Loading an empty or foreign record keeps the font held.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 protected:
  explicit Font3DBase(REFCLSID clsid) : m_ClassId(clsid) {}
  virtual ~Font3DBase() = default;

  // The part of the record that follows the font; none by default.
  virtual void SaveAfterFont(IVariantStream*) {}
  virtual void LoadAfterFont(IVariantStream*) {}

  SerialHelper m_Serial;
  CComPtr<IFont> m_Font;

 private:
  const CLSID& m_ClassId;
};
