#include "host/symbols/TextSymbol.h"

#include "frame/HostGuids.h"
#include "host/HostClasses.h"
#include "platform/ClassRegistry.h"

namespace zelph::host {

HRESULT CreateTextSymbol(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<symbols::TextSymbol>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::symbols {

const CLSID& TextSymbol::ClassId() const { return CLSID_TextSymbol; }

STDMETHODIMP TextSymbol::get_Font(IFont** font) {
  return HostCall(
      [&] {
        if (!m_Font) ThrowIfFailed(m_Font.CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER));
        return m_Font.CopyTo(font);
      },
      font);
}

STDMETHODIMP TextSymbol::putref_Font(IFont* font) {
  return HostCall([&] { m_Font = font; });
}

void TextSymbol::SaveState(IVariantStream* stream) const {
  SaveColor(stream, m_Text.color);
  streams::WriteDouble(stream, m_Text.size);
  streams::WriteDouble(stream, m_Text.angle);
  streams::WriteInt(stream, m_Text.horizontal);
  streams::WriteInt(stream, m_Text.vertical);
  streams::WriteObject(stream, m_Font);
}

void TextSymbol::LoadState(IVariantStream* stream) {
  Text text;
  text.color = LoadColor(stream);
  text.size = LoadSize(stream);
  text.angle = LoadAngle(stream);
  text.horizontal = streams::ReadEnum(stream, kestTHAFull);
  text.vertical = streams::ReadEnum(stream, kestTVABottom);
  CComPtr<IFont> font = streams::ReadObjectAs<IFont>(stream);
  m_Text = text;
  m_Font = font;
}

}  // namespace zelph::host::symbols
