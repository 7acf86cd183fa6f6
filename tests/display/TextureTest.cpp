// Textures without OpenGL: the stored record (packed blue-green-red rows,
// the top row first, whatever the bitmap's row order), loading it back, and
// the bitmap the texture owns.
#include <gtest/gtest.h>

#include <vector>

#include "frame/Guids.h"
#include "frame/MaterialInterfaces.h"
#include "tests/display/DisplayTestSupport.h"

namespace zelph::test {
namespace {

using TextureTest = ComponentTest;

COLORREF Pattern(int x, int y) { return RGB(10 * x + 1, 20 * y + 2, 30 + x + 5 * y); }

CComPtr<ITexture3D> TextureWith(HBITMAP bitmap) {
  CComPtr<ITexture3D> texture = Make<ITexture3D>(CLSID_Texture3D);
  EXPECT_EQ(texture->put_BitmapHandle(ToOleHandle(bitmap)), S_OK);
  return texture;
}

HBITMAP BitmapOf(ITexture3D* texture) {
  OLE_HANDLE handle = 0;
  EXPECT_EQ(texture->get_BitmapHandle(&handle), S_OK);
  return FromOleHandle<HBITMAP>(handle);
}

std::wstring UidOf(ITexture3D* texture) {
  CComBSTR uid;
  EXPECT_EQ(texture->get_UID(&uid), S_OK);
  return Text(uid);
}

CComPtr<IVariantStream> StreamOf(const std::vector<CComVariant>& values) {
  CComPtr<IVariantStream> stream = NewStream();
  for (const CComVariant& value : values) EXPECT_EQ(stream->Write(value), S_OK);
  Rewind(stream);
  return stream;
}

TEST_F(TextureTest, BitmapRecordIsPackedBgrTopRowFirst) {
  for (BitmapKind kind : {BitmapKind::BottomUpSection, BitmapKind::TopDownSection, BitmapKind::Compatible}) {
    SCOPED_TRACE(static_cast<int>(kind));
    // Three pixels make 9 bytes of a 12-byte section row: the padding must
    // not reach the record.
    std::vector<CComVariant> values = SavedValues(TextureWith(MakeBitmap(3, 2, Pattern, kind)));
    ASSERT_EQ(values.size(), 2u + 2u + 18u);
    EXPECT_EQ(values[0].vt, VT_BSTR);
    EXPECT_EQ(values[1].vt, VT_UNKNOWN);
    EXPECT_EQ(values[2].vt, VT_INT);
    EXPECT_EQ(values[2].intVal, 2);
    EXPECT_EQ(values[3].vt, VT_INT);
    EXPECT_EQ(values[3].intVal, 3);
    std::size_t at = 4;
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        const COLORREF colour = Pattern(x, y);
        for (BYTE expected : {GetBValue(colour), GetGValue(colour), GetRValue(colour)}) {
          EXPECT_EQ(values[at].vt, VT_I1);
          EXPECT_EQ(static_cast<BYTE>(values[at].cVal), expected) << "byte " << at;
          ++at;
        }
      }
    }
  }
}

TEST_F(TextureTest, SaveAndLoadKeepsUidColourAndPixels) {
  CComPtr<ITexture3D> texture = TextureWith(MakeBitmap(5, 4, Pattern));
  ASSERT_EQ(texture->put_UID(CComBSTR(L"tile")), S_OK);
  ASSERT_EQ(texture->putref_TransparencyColor(NewColor(1, 2, 3)), S_OK);
  CComPtr<ITexture3D> loaded = SaveAndLoad<ITexture3D>(texture, CLSID_Texture3D);
  EXPECT_EQ(UidOf(loaded), L"tile");
  CComPtr<IRgbColor> key;
  ASSERT_EQ(loaded->get_TransparencyColor(&key), S_OK);
  EXPECT_EQ(ColorOf(key), RGB(1, 2, 3));
  HBITMAP bitmap = BitmapOf(loaded);
  ASSERT_NE(bitmap, BitmapOf(texture));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelOf(bitmap, x, y), Pattern(x, y));
  }

  // A new texture: an empty UID, no colour, no bitmap, and so it loads.
  CComPtr<ITexture3D> blank = SaveAndLoad<ITexture3D>(Make<ITexture3D>(CLSID_Texture3D), CLSID_Texture3D);
  EXPECT_EQ(UidOf(blank), L"");
  EXPECT_EQ(BitmapOf(blank), nullptr);
}

TEST_F(TextureTest, UnreadableBitmapRecordLeavesTheTextureAsItWas) {
  HBITMAP old = MakeBitmap(2, 2, Pattern);
  CComPtr<ITexture3D> texture = TextureWith(old);
  ASSERT_EQ(texture->put_UID(CComBSTR(L"old")), S_OK);
  const CComVariant uid(L"new");
  const CComVariant none(static_cast<IUnknown*>(nullptr));
  std::vector<CComVariant> truncated{uid, none, CComVariant(2, VT_INT), CComVariant(3, VT_INT)};
  for (int i = 0; i < 5; ++i) truncated.push_back(CComVariant(static_cast<char>(i)));
  const std::vector<std::vector<CComVariant>> records{
      truncated,
      {uid, none, CComVariant(-2, VT_INT), CComVariant(3, VT_INT)},
      {uid, none, CComVariant(0x10000, VT_INT), CComVariant(0x10000, VT_INT)}};
  for (const std::vector<CComVariant>& record : records) {
    EXPECT_EQ(CComQIPtr<IPersistVariant>{texture}->Load(StreamOf(record)), E_FAIL);
    EXPECT_EQ(BitmapOf(texture), old);
    EXPECT_TRUE(IsLiveBitmap(old));
    EXPECT_EQ(UidOf(texture), L"old");
  }

  // A good record replaces the bitmap, and the old one is gone.
  std::vector<CComVariant> good{uid, none, CComVariant(1, VT_INT), CComVariant(1, VT_INT)};
  for (char byte : {'\x05', '\x06', '\x07'}) good.push_back(CComVariant(byte));
  ASSERT_EQ(CComQIPtr<IPersistVariant>{texture}->Load(StreamOf(good)), S_OK);
  EXPECT_FALSE(IsLiveBitmap(old));
  EXPECT_EQ(PixelOf(BitmapOf(texture), 0, 0), RGB(7, 6, 5));
  EXPECT_EQ(UidOf(texture), L"new");
}

TEST_F(TextureTest, TextureOwnsTheBitmapItIsGiven) {
  HBITMAP first = MakeBitmap(2, 2, Pattern);
  CComPtr<ITexture3D> texture = TextureWith(first);
  EXPECT_EQ(texture->put_BitmapHandle(0), E_POINTER);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(texture->put_BitmapHandle(ToOleHandle(brush)), E_INVALIDARG);
  DeleteObject(brush);
  EXPECT_EQ(BitmapOf(texture), first);
  EXPECT_TRUE(IsLiveBitmap(first));
  // Giving the held bitmap again keeps it.
  EXPECT_EQ(texture->put_BitmapHandle(ToOleHandle(first)), S_OK);
  EXPECT_TRUE(IsLiveBitmap(first));

  HBITMAP second = MakeBitmap(3, 3, Pattern);
  ASSERT_EQ(texture->put_BitmapHandle(ToOleHandle(second)), S_OK);
  EXPECT_FALSE(IsLiveBitmap(first));
  EXPECT_EQ(BitmapOf(texture), second);
  texture.Release();
  EXPECT_FALSE(IsLiveBitmap(second));
}

}  // namespace
}  // namespace zelph::test
