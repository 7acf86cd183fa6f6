// Stored records carry no class: a member saved as one kind of material,
// font or ellipsoid must come back as that kind, and the values after it in
// the same order, whatever kind the loading component held before.
#include <gtest/gtest.h>

#include "frame/Guids.h"
#include "platform/Gdi.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using RecordKindTest = ComponentTest;

CComPtr<IMaterial3D> TextureMaterialWithPicture() {
  CComPtr<ITexture3D> texture = Make<ITexture3D>(CLSID_Texture3D);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 2;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  EXPECT_EQ(texture->put_BitmapHandle(ToOleHandle(bitmap)), S_OK);
  CComPtr<ITextureMaterial3D> material = Make<ITextureMaterial3D>(CLSID_TextureMaterial3D);
  EXPECT_EQ(material->putref_Texture(texture), S_OK);
  EXPECT_EQ(material->put_TextureMode(kestGLTextureRepeat), S_OK);
  return CComQIPtr<IMaterial3D>(material);
}

TEST_F(RecordKindTest, GraphicsLoadTheMaterialKindTheyWereSavedWith) {
  struct Case {
    const char* name;
    CComPtr<IMaterial3D> material;
    const IID& kind;
  } cases[] = {
      {"texture", TextureMaterialWithPicture(), uuidof<ITextureMaterial3D>()},
      {"gradient", Make<IMaterial3D>(CLSID_GradientMaterial3D), uuidof<IGradientMaterial3D>()},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    CComPtr<IGraphic3D> ellipsoid = Make<IGraphic3D>(CLSID_Ellipsoid3D);
    ASSERT_EQ(ellipsoid->putref_Material(c.material), S_OK);
    ASSERT_EQ(ellipsoid->put_ThresholdElevation(12.5), S_OK);
    CComQIPtr<ICallout3D>(ellipsoid)->put_WindVaneSize(7.0);

    CComPtr<IGraphic3D> loaded = SaveAndLoad<IGraphic3D>(ellipsoid, CLSID_Ellipsoid3D);
    CComPtr<IMaterial3D> material = Get(loaded, &IGraphic3D::get_Material);
    CComPtr<IUnknown> asKind;
    EXPECT_EQ(material->QueryInterface(c.kind, reinterpret_cast<void**>(&asKind)), S_OK);
    EXPECT_EQ(Get(loaded, &IGraphic3D::get_ThresholdElevation), 12.5);
    EXPECT_EQ(Get(loaded, &ICallout3D::get_WindVaneSize), 7.0);
  }
  CComPtr<IGraphic3D> textured = Make<IGraphic3D>(CLSID_Billboard3D);
  ASSERT_EQ(textured->putref_Material(TextureMaterialWithPicture()), S_OK);
  CComPtr<IGraphic3D> loaded = SaveAndLoad<IGraphic3D>(textured, CLSID_Billboard3D);
  CComQIPtr<ITextureMaterial3D> material{Get(loaded, &IGraphic3D::get_Material)};
  ASSERT_TRUE(material);
  EXPECT_EQ(Get(material, &ITextureMaterial3D::get_TextureMode), kestGLTextureRepeat);
  CComPtr<ITexture3D> texture = Get(material, &ITextureMaterial3D::get_Texture);
  EXPECT_NE(Get(texture, &ITexture3D::get_BitmapHandle), 0u);
}

TEST_F(RecordKindTest, TextPointsLoadAnExtrudedFontIntoANewFont) {
  CComPtr<ITextPoint3D> text = Make<ITextPoint3D>(CLSID_TextPoint3D);
  CComPtr<IFont3D> extruded = Make<IFont3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(text->putref_Font(extruded), S_OK);
  ASSERT_EQ(text->put_TextScale(0.25), S_OK);

  CComPtr<ITextPoint3D> loaded = Make<ITextPoint3D>(CLSID_TextPoint3D);
  CComPtr<IFont3D> heldBefore = Get(loaded, &ITextPoint3D::get_Font);
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(CComQIPtr<IPersistVariant>(text)->Save(stream), S_OK);
  Rewind(stream);
  ASSERT_EQ(CComQIPtr<IPersistVariant>(loaded)->Load(stream), S_OK);

  CComPtr<IFont3D> font = Get(loaded, &ITextPoint3D::get_Font);
  EXPECT_TRUE(CComQIPtr<IExtrudedFont3D>(font));
  EXPECT_NE(font.p, heldBefore.p);
  EXPECT_EQ(Get(loaded, &ITextPoint3D::get_TextScale), 0.25);
}

TEST_F(RecordKindTest, BillboardsLoadTheSensorKindTheyWereSavedWith) {
  CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(CLSID_Billboard3D);
  CComPtr<IPartialEllipsoid3D> sector = Make<IPartialEllipsoid3D>(CLSID_PartialEllipsoid3D);
  ASSERT_EQ(sector->put_StartAzimuth(30), S_OK);
  ASSERT_EQ(billboard->putref_SensorEllipsoid(CComQIPtr<IEllipsoid3D>(sector)), S_OK);
  ASSERT_EQ(billboard->PutSize(3, 4), S_OK);

  CComPtr<IBillboard3D> loaded = Make<IBillboard3D>(CLSID_Billboard3D);
  ASSERT_EQ(loaded->putref_SensorEllipsoid(Make<IEllipsoid3D>(CLSID_Ellipsoid3D)), S_OK);
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(CComQIPtr<IPersistVariant>(billboard)->Save(stream), S_OK);
  Rewind(stream);
  ASSERT_EQ(CComQIPtr<IPersistVariant>(loaded)->Load(stream), S_OK);

  CComQIPtr<IPartialEllipsoid3D> sensor{Get(loaded, &IBillboard3D::get_SensorEllipsoid)};
  ASSERT_TRUE(sensor);
  EXPECT_EQ(Get(sensor, &IPartialEllipsoid3D::get_StartAzimuth), 30);
  EXPECT_EQ(Get(loaded, &IBillboard3D::get_YSize), 4);
  EXPECT_EQ(Get(loaded, &IGraphic3D::get_Transparency), 255);
}

}  // namespace
}  // namespace zelph::test
