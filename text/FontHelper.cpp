#include "text/FontHelper.h"

#include "frame/ErrorConvention.h"

template <class NativeFont, class... Arguments>
NativeFont* FontHelper::Lookup(std::map<HFONT, std::unique_ptr<NativeFont>>& Map, IFont* Font,
                               Arguments... arguments) {
  if (!Font) return nullptr;
  HFONT handle = nullptr;
  zelph::ThrowIfFailed(Font->get_hFont(&handle));
  if (!handle) return nullptr;
  if (auto found = Map.find(handle); found != Map.end()) return found->second.get();
  // The handle stays the font object's: the native font only borrows it.
  auto made = std::make_unique<NativeFont>(arguments...);
  made->SetFont(handle);
  return Map.emplace(handle, std::move(made)).first->second.get();
}

BillboardFont* FontHelper::LookupBillboardFont(IFont* Font) {
  return zelph::InternalCall(L"LookupBillboardFont", [&] { return Lookup(m_BBMap, Font); });
}

FlatGlobeFont* FontHelper::LookupExtrusionFlatFont(IFont* Font) {
  return zelph::InternalCall(L"LookupExtrusionFlatFont",
                             [&] { return Lookup(m_EFMap, Font, kFlatFontExtrusion); });
}
