#include "display/Texture3D.h"

#include <utility>

#include "display/BitmapBot.h"
#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/PropertyValues.h"
#include "platform/Gdi.h"
#include "platform/Win32OpenGL.h"

using zelph::ComCall;

void Texture3D::FinalRelease() {
  DeleteTexture();
  Own(nullptr);
  m_TransColor.Release();
}

void Texture3D::Own(HBITMAP bitmap) {
  if (m_BMP && m_BMP != bitmap) DeleteObject(m_BMP);
  m_BMP = bitmap;
}

void Texture3D::DeleteTexture() {
  // A name means nothing without the context that made it; with another
  // context current it may name someone else's texture, which
  // glIsTexture cannot tell, so only a live name in a current context goes.
  if (m_Tex != 0 && wglGetCurrentContext() && glIsTexture(m_Tex)) glDeleteTextures(1, &m_Tex);
  m_Tex = 0;
}

STDMETHODIMP Texture3D::get_UID(BSTR* uid) {
  return ComCall(L"get_UID", [&] { zelph::HandOutCopy(m_UID, uid); }, uid);
}

STDMETHODIMP Texture3D::put_UID(BSTR uid) {
  return ComCall(L"put_UID", [&] { m_UID = zelph::TakeCopy(uid); });
}

STDMETHODIMP Texture3D::get_BitmapHandle(OLE_HANDLE* bitmap) {
  return ComCall(L"get_BitmapHandle", [&] { *bitmap = ToOleHandle(m_BMP); }, bitmap);
}

STDMETHODIMP Texture3D::put_BitmapHandle(OLE_HANDLE bitmap) {
  return ComCall(L"put_BitmapHandle", [&]() -> HRESULT {
    if (bitmap == 0) return E_POINTER;
    HBITMAP handle = FromOleHandle<HBITMAP>(bitmap);
    if (!BitmapBot::IsBitmap(handle)) return E_INVALIDARG;
    Own(handle);
    m_NeedRegen = true;
    return S_OK;
  });
}

STDMETHODIMP Texture3D::get_TransparencyColor(IRgbColor** color) {
  return ComCall(L"get_TransparencyColor", [&] { zelph::HandOut(m_TransColor.p, color); }, color);
}

STDMETHODIMP Texture3D::putref_TransparencyColor(IRgbColor* color) {
  return ComCall(L"putref_TransparencyColor", [&] {
    m_TransColor = color;
    m_NeedRegen = true;
  });
}

STDMETHODIMP Texture3D::get_TextureHandle(OLE_HANDLE* texture) {
  return ComCall(
      L"get_TextureHandle",
      [&] {
        if (!wglGetCurrentContext()) {
          Logger::Warning(L"No current GL context - no texture can be made...\n");
          zelph::Fail(E_FAIL);
        }
        if (m_NeedRegen) {
          DeleteTexture();
          LONG red = 0, green = 0, blue = 0;
          if (m_TransColor) {
            zelph::ThrowIfFailed(m_TransColor->get_Red(&red));
            zelph::ThrowIfFailed(m_TransColor->get_Green(&green));
            zelph::ThrowIfFailed(m_TransColor->get_Blue(&blue));
          }
          // The helper may stretch the bitmap to a valid size: the stretched
          // one then takes the held one's place.
          if (m_BMP) m_Tex = m_Imager.CreateTexture(m_BMP, m_TransColor != nullptr, red, green, blue);
          if (m_Tex != 0 && glIsTexture(m_Tex)) m_NeedRegen = false;
        }
        *texture = m_Tex;
      },
      texture);
}

STDMETHODIMP Texture3D::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", CLSID_Texture3D, id); }

STDMETHODIMP Texture3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    CComBSTR uid = m_Serial.LoadBSTR(record);
    CComPtr<IRgbColor> color = m_Serial.LoadObject<IRgbColor>(record);
    // A bitmap record that cannot be read throws: the texture then stays
    // as it was, bitmap and all.
    HBITMAP bitmap = m_Serial.LoadBitmapW(record);
    m_UID = std::move(uid);
    m_TransColor = color;
    Own(bitmap);
    m_NeedRegen = true;
  });
}

STDMETHODIMP Texture3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    m_Serial.SaveBSTR(record, m_UID);
    m_Serial.SaveUnknown(record, m_TransColor);
    m_Serial.SaveBitmap(record, m_BMP);
  });
}
