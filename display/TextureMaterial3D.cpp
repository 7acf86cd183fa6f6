#include "display/TextureMaterial3D.h"

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

STDMETHODIMP TextureMaterial3D::get_Texture(ITexture3D** texture) {
  return ComCall(L"get_Texture", [&] { zelph::HandOut(m_Texture.p, texture); }, texture);
}

STDMETHODIMP TextureMaterial3D::putref_Texture(ITexture3D* texture) {
  return ComCall(L"putref_Texture", [&] { m_Texture = texture; });
}

STDMETHODIMP TextureMaterial3D::get_TextureMode(kestGLTextureOption* mode) {
  return ComCall(L"get_TextureMode", [&] { *mode = static_cast<kestGLTextureOption>(m_TextureOption); }, mode);
}

STDMETHODIMP TextureMaterial3D::put_TextureMode(kestGLTextureOption mode) {
  const int value = static_cast<int>(mode);
  return ComCall(L"put_TextureMode", [&] { m_TextureOption = value; });
}

STDMETHODIMP TextureMaterial3D::get_ID(IUID** id) {
  return zelph::GetClassID(L"get_ID", CLSID_TextureMaterial3D, id);
}

STDMETHODIMP TextureMaterial3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    // The record always holds a texture's fields; a material without a
    // texture gains one to read them into.
    if (!m_Texture) {
      m_Texture = zelph::NewLibraryObject<ITexture3D>(CLSID_Texture3D);
      zelph::ThrowIfNull(m_Texture);
    }
    m_Serial.LoadInline(record, m_Texture, CLSID_Texture3D);
    m_TextureOption = m_Serial.LoadInt(record);
    Material3DBase::Load(record);
  });
}

STDMETHODIMP TextureMaterial3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    // Without a texture, a new texture's fields keep the record's layout.
    m_Serial.SaveInline(record, m_Texture, CLSID_Texture3D);
    m_Serial.SaveInt(record, m_TextureOption);
    Material3DBase::Save(record);
  });
}
