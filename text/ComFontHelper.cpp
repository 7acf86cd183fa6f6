#include "text/ComFontHelper.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/LibraryObjects.h"
#include "platform/ComBstr.h"

CComPtr<IFont3D> ComFontHelper::Lookup(FontMap& map, IFont* font, REFCLSID clsid) {
  if (!font) return nullptr;
  CComBSTR name;
  zelph::ThrowIfFailed(font->get_Name(&name));
  std::wstring key = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
  if (auto found = map.find(key); found != map.end()) return found->second;

  CComPtr<IFont3D> component = zelph::NewLibraryObject<IFont3D>(clsid);
  zelph::ThrowIfNull(component);
  // The font object itself, not a copy: later changes to it show in the text.
  zelph::ThrowIfFailed(component->putref_Font(font));
  map.emplace(std::move(key), component);
  return component;
}

CComPtr<IFont3D> ComFontHelper::LookupBillboardFont(IFont* font) {
  return zelph::InternalCall(L"LookupBillboardFont",
                             [&] { return Lookup(m_BillboardFontMap, font, CLSID_BillboardFont3D); });
}

CComPtr<IFont3D> ComFontHelper::LookupExtrudedFont(IFont* font) {
  return zelph::InternalCall(L"LookupExtrudedFont",
                             [&] { return Lookup(m_ExtrudedFontMap, font, CLSID_ExtrudedFont3D); });
}

CComPtr<IFont3D>& ComFontHelper::DefaultBillboardFont() {
  static CComPtr<IFont3D>* const slot = new CComPtr<IFont3D>();
  return *slot;
}

CComPtr<IFont3D> ComFontHelper::GetDefaultBillboardFont() {
  return zelph::InternalCall(L"GetDefaultBillboardFont", [] {
    CComPtr<IFont3D>& font = DefaultBillboardFont();
    if (!font) font = zelph::NewLibraryObject<IFont3D>(CLSID_BillboardFont3D);
    return font;
  });
}

void ComFontHelper::ReleaseDefaultBillboardFont() { DefaultBillboardFont().Release(); }
