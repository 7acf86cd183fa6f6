#include <gtest/gtest.h>

#include <cmath>

#include "frame/Guids.h"
#include "frame/HostSymbols.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {

// Both objects save the same values, nested object records compared by
// what they save in turn. Used by the billboard tests too.
void ExpectSameRecord(IUnknown* expected, IUnknown* actual) {
  std::vector<CComVariant> want = SavedValues(expected), got = SavedValues(actual);
  ASSERT_EQ(want.size(), got.size());
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(want[i].vt, got[i].vt);
    if (want[i].vt == VT_UNKNOWN) {
      ASSERT_EQ(!want[i].punkVal, !got[i].punkVal);
      // Objects the stream keeps by other means (a font) are not compared.
      if (CComQIPtr<IPersistVariant>(want[i].punkVal)) ExpectSameRecord(want[i].punkVal, got[i].punkVal);
    } else if (want[i].vt == VT_R8) {
      EXPECT_TRUE(want[i].dblVal == got[i].dblVal || (std::isnan(want[i].dblVal) && std::isnan(got[i].dblVal)));
    } else if (want[i].vt == VT_BSTR) {
      EXPECT_EQ(Text(want[i].bstrVal), Text(got[i].bstrVal));
    } else if (want[i].vt == VT_BOOL) {
      EXPECT_EQ(want[i].boolVal, got[i].boolVal);
    } else {
      EXPECT_EQ(want[i].vt == VT_I4 ? want[i].lVal : want[i].intVal, got[i].vt == VT_I4 ? got[i].lVal : got[i].intVal);
    }
  }
}

namespace {

using EllipsoidTest = ComponentTest;

kestGLUpdateLevel LevelOf(IUnknown* graphic) {
  CComQIPtr<IUpdate3D> update{graphic};
  kestGLUpdateLevel level = kestGLUpdateMajor;
  EXPECT_EQ(update->get_UpdateLevel(&level), S_OK);
  return level;
}

void ResetLevel(IUnknown* graphic) { ASSERT_EQ(CComQIPtr<IUpdate3D>(graphic)->put_UpdateLevel(kestGLUpdateNone), S_OK); }

std::vector<double> ExtentOf(IUnknown* graphic) {
  CComPtr<IEnvelope> extent;
  EXPECT_EQ(CComQIPtr<IGraphic3D>(graphic)->get_Extent(&extent), S_OK);
  std::vector<double> box(4);
  EXPECT_EQ(extent->QueryCoords(&box[0], &box[1], &box[2], &box[3]), S_OK);
  return box;
}

std::vector<double> SizesOf(IEllipsoid3D* ellipsoid) {
  std::vector<double> sizes(3);
  EXPECT_EQ(ellipsoid->QuerySize(&sizes[0], &sizes[1], &sizes[2]), S_OK);
  return sizes;
}

std::vector<double> SectorOf(IPartialEllipsoid3D* partial) {
  std::vector<double> sector(4);
  EXPECT_EQ(partial->get_StartAzimuth(&sector[0]), S_OK);
  EXPECT_EQ(partial->get_EndAzimuth(&sector[1]), S_OK);
  EXPECT_EQ(partial->get_StartInclination(&sector[2]), S_OK);
  EXPECT_EQ(partial->get_EndInclination(&sector[3]), S_OK);
  return sector;
}

TEST_F(EllipsoidTest, NewEllipsoidsAreWholeFramedAndFilledUnitEllipsoids) {
  for (const CLSID* clsid : {&CLSID_Ellipsoid3D, &CLSID_PartialEllipsoid3D}) {
    CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(*clsid);
    kestGLEllipsoidOption option = kestGLEllipsoidFrameOnly;
    CComPtr<ISimpleLineSymbol> grid;
    ASSERT_EQ(ellipsoid->get_EllipsoidOption(&option), S_OK);
    ASSERT_EQ(ellipsoid->get_GridSymbol(&grid), S_OK);
    EXPECT_EQ(option, kestGLEllipsoidFrameAndFill);
    EXPECT_TRUE(grid);
    EXPECT_EQ(SizesOf(ellipsoid), std::vector<double>({1, 1, 1}));
    EXPECT_EQ(ellipsoid->QuerySize(nullptr, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(LevelOf(ellipsoid), kestGLUpdateNone);
    VARIANT_BOOL callout = VARIANT_TRUE;
    ASSERT_EQ(CComQIPtr<ICallout3D>(ellipsoid)->get_EnableCallout(&callout), S_OK);
    EXPECT_EQ(callout, VARIANT_FALSE);
  }
  CComPtr<IPartialEllipsoid3D> partial = Make<IPartialEllipsoid3D>(CLSID_PartialEllipsoid3D);
  EXPECT_EQ(SectorOf(partial), std::vector<double>({0, 360, -90, 90}));
  VARIANT_BOOL caps = VARIANT_FALSE;
  ASSERT_EQ(partial->get_ShowCaps(&caps), S_OK);
  EXPECT_EQ(caps, VARIANT_TRUE);
}

TEST_F(EllipsoidTest, SizesKeepTheExtentAroundTheCentroidAndRefuseNaN) {
  CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
  ASSERT_EQ(CComQIPtr<IGraphic3D>(ellipsoid)->putref_Centroid(NewPoint(10, 20)), S_OK);
  EXPECT_EQ(ExtentOf(ellipsoid), std::vector<double>({9.5, 19.5, 10.5, 20.5}));

  ResetLevel(ellipsoid);
  ASSERT_EQ(ellipsoid->put_ZSize(5), S_OK);  // height: not part of the extent
  EXPECT_EQ(ExtentOf(ellipsoid), std::vector<double>({9.5, 19.5, 10.5, 20.5}));
  EXPECT_EQ(LevelOf(ellipsoid), kestGLUpdateMinor);
  ASSERT_EQ(ellipsoid->put_XSize(4), S_OK);
  ASSERT_EQ(ellipsoid->put_YSize(8), S_OK);
  EXPECT_EQ(ExtentOf(ellipsoid), std::vector<double>({8, 16, 12, 24}));

  ResetLevel(ellipsoid);
  EXPECT_EQ(ellipsoid->put_XSize(NAN), E_FAIL);
  EXPECT_EQ(ellipsoid->put_ZSize(NAN), E_FAIL);
  EXPECT_EQ(ellipsoid->PutSize(6, 6, NAN), E_FAIL);
  EXPECT_EQ(SizesOf(ellipsoid), std::vector<double>({4, 8, 5}));
  EXPECT_EQ(LevelOf(ellipsoid), kestGLUpdateNone);
  ASSERT_EQ(ellipsoid->PutSize(2, 6, 7), S_OK);
  EXPECT_EQ(ExtentOf(ellipsoid), std::vector<double>({9, 17, 11, 23}));
  EXPECT_EQ(LevelOf(ellipsoid), kestGLUpdateMinor);
}

TEST_F(EllipsoidTest, AzimuthsFoldIntoOneTurnAndInclinationsAreClamped) {
  CComPtr<IPartialEllipsoid3D> partial = Make<IPartialEllipsoid3D>(CLSID_PartialEllipsoid3D);
  auto azimuthAfter = [&](double azimuth) {
    EXPECT_EQ(partial->put_StartAzimuth(azimuth), S_OK) << azimuth;
    return SectorOf(partial)[0];
  };
  EXPECT_EQ(azimuthAfter(725), 5);
  EXPECT_EQ(azimuthAfter(-30), 330);
  EXPECT_EQ(azimuthAfter(360), 360);
  EXPECT_EQ(azimuthAfter(720), 360);
  EXPECT_EQ(azimuthAfter(-720), 0);
  EXPECT_EQ(azimuthAfter(1080.5), 0.5);
  // Far beyond the precision of a step of 360: still folded, and at once.
  double huge = azimuthAfter(1e300), hugeNegative = azimuthAfter(-1e20);
  EXPECT_TRUE(huge > 0 && huge <= 360) << huge;
  EXPECT_TRUE(hugeNegative >= 0 && hugeNegative < 360) << hugeNegative;

  ASSERT_EQ(partial->put_EndInclination(120), S_OK);
  ASSERT_EQ(partial->put_StartInclination(-INFINITY), S_OK);
  EXPECT_EQ(SectorOf(partial)[2], -90);
  EXPECT_EQ(SectorOf(partial)[3], 90);
  ASSERT_EQ(partial->put_EndInclination(-100), S_OK);
  EXPECT_EQ(SectorOf(partial)[3], -90);

  ResetLevel(partial);
  std::vector<double> before = SectorOf(partial);
  EXPECT_EQ(partial->put_StartAzimuth(NAN), E_FAIL);
  EXPECT_EQ(partial->put_EndAzimuth(INFINITY), E_FAIL);
  EXPECT_EQ(partial->put_EndAzimuth(-INFINITY), E_FAIL);
  EXPECT_EQ(partial->put_EndInclination(NAN), E_FAIL);
  EXPECT_EQ(SectorOf(partial), before);
  EXPECT_EQ(LevelOf(partial), kestGLUpdateNone);

  VARIANT_BOOL caps = VARIANT_TRUE;
  ASSERT_EQ(partial->put_ShowCaps(1), S_OK);
  ASSERT_EQ(partial->get_ShowCaps(&caps), S_OK);
  EXPECT_EQ(caps, VARIANT_FALSE);
  EXPECT_EQ(LevelOf(partial), kestGLUpdateMajor);
  ASSERT_EQ(partial->put_ShowCaps(VARIANT_TRUE), S_OK);
  ASSERT_EQ(partial->get_ShowCaps(&caps), S_OK);
  EXPECT_EQ(caps, VARIANT_TRUE);
}

// Every stored property of an ellipsoid, its callout and its base away
// from its default.
void SetEllipsoidProperties(IEllipsoid3D* ellipsoid) {
  CComPtr<ISimpleLineSymbol> grid = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  ASSERT_EQ(grid->put_Width(3.5), S_OK);
  ASSERT_EQ(ellipsoid->put_EllipsoidOption(kestGLEllipsoidFrameOnly), S_OK);
  ASSERT_EQ(ellipsoid->putref_GridSymbol(grid), S_OK);
  ASSERT_EQ(ellipsoid->PutSize(2, 3, 4), S_OK);
  CComQIPtr<ICallout3D> callout{ellipsoid};
  ASSERT_EQ(callout->put_EnableCallout(VARIANT_TRUE), S_OK);
  ASSERT_EQ(callout->put_WindVaneAzimuth(45), S_OK);
  ASSERT_EQ(callout->put_WindVaneSize(7), S_OK);
  ASSERT_EQ(callout->putref_CalloutAnchorLocation(NewPoint(1, 2)), S_OK);
  CComQIPtr<IGraphic3D> graphic{ellipsoid};
  ASSERT_EQ(graphic->putref_Centroid(NewPoint(30, 40, 500)), S_OK);
  ASSERT_EQ(graphic->put_Name(CComBSTR(L"sensor")), S_OK);
  ASSERT_EQ(graphic->put_Transparency(100), S_OK);
  ASSERT_EQ(graphic->put_ThresholdElevation(12.5), S_OK);
  ASSERT_EQ(graphic->put_Visible(VARIANT_FALSE), S_OK);
}

TEST_F(EllipsoidTest, SaveAndLoadKeepEveryStoredProperty) {
  CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
  SetEllipsoidProperties(ellipsoid);
  CComPtr<IEllipsoid3D> loaded = SaveAndLoad<IEllipsoid3D>(ellipsoid, CLSID_Ellipsoid3D);
  ExpectSameRecord(ellipsoid, loaded);
  EXPECT_EQ(SizesOf(loaded), std::vector<double>({2, 3, 4}));
  EXPECT_EQ(ExtentOf(loaded), std::vector<double>({29, 38.5, 31, 41.5}));

  CComPtr<IPartialEllipsoid3D> partial = Make<IPartialEllipsoid3D>(CLSID_PartialEllipsoid3D);
  SetEllipsoidProperties(CComQIPtr<IEllipsoid3D>(partial));
  ASSERT_EQ(partial->put_StartAzimuth(30), S_OK);
  ASSERT_EQ(partial->put_EndAzimuth(300), S_OK);
  ASSERT_EQ(partial->put_StartInclination(-10), S_OK);
  ASSERT_EQ(partial->put_EndInclination(80), S_OK);
  ASSERT_EQ(partial->put_ShowCaps(VARIANT_FALSE), S_OK);
  CComPtr<IPartialEllipsoid3D> loadedPartial = SaveAndLoad<IPartialEllipsoid3D>(partial, CLSID_PartialEllipsoid3D);
  ExpectSameRecord(partial, loadedPartial);
  EXPECT_EQ(SectorOf(loadedPartial), std::vector<double>({30, 300, -10, 80}));

  // Values come back as stored, not brought into range again.
  std::vector<CComVariant> values = SavedValues(partial);
  values[0] = CComVariant(725.0);
  values[3] = CComVariant(120.0);
  CComPtr<IVariantStream> stream = NewStream();
  for (const CComVariant& value : values) ASSERT_EQ(stream->Write(value), S_OK);
  Rewind(stream);
  CComPtr<IPartialEllipsoid3D> raw = Make<IPartialEllipsoid3D>(CLSID_PartialEllipsoid3D);
  ASSERT_EQ(CComQIPtr<IPersistVariant>(raw)->Load(stream), S_OK);
  EXPECT_EQ(ReadAll(stream).size(), 0u);
  EXPECT_EQ(SectorOf(raw), std::vector<double>({725, 300, -10, 120}));
  VARIANT_BOOL caps = VARIANT_TRUE;
  ASSERT_EQ(raw->get_ShowCaps(&caps), S_OK);
  EXPECT_EQ(caps, VARIANT_FALSE);
}

}  // namespace
}  // namespace zelph::test
