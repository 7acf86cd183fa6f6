// Host geometries brought into longitude and latitude of WGS 1984 before
// the library places anything from them.
#include "geometry/GeometryHelfen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "frame/ComObject.h"
#include "frame/HostGuids.h"
#include "frame/Logger.h"
#include "platform/ComPtr.h"
#include "tests/support/QuietLoggerTest.h"


namespace {

using XY = std::pair<double, double>;

CComPtr<ISpatialReference> Reference(LONG code, bool projected) {
  CComPtr<ISpatialReferenceFactory> factory;
  EXPECT_EQ(factory.CoCreateInstance(CLSID_SpatialReferenceEnvironment), S_OK);
  CComPtr<ISpatialReference> reference;
  if (!factory) return reference;
  HRESULT hr = projected ? factory->CreateProjectedCoordinateSystem(code, &reference)
                         : factory->CreateGeographicCoordinateSystem(code, &reference);
  EXPECT_EQ(hr, S_OK) << code;
  return reference;
}

CComPtr<IGeometry> Polyline(const std::vector<XY>& vertices, ISpatialReference* reference) {
  CComPtr<IGeometry> polyline;
  EXPECT_EQ(polyline.CoCreateInstance(CLSID_Polyline), S_OK);
  CComQIPtr<IPointCollection> points(polyline);
  EXPECT_TRUE(points);
  if (!points) return polyline;
  for (auto [x, y] : vertices) {
    CComPtr<IPoint> point;
    EXPECT_EQ(point.CoCreateInstance(CLSID_Point), S_OK);
    EXPECT_EQ(point->PutCoords(x, y), S_OK);
    EXPECT_EQ(points->AddPoint(point, nullptr, nullptr), S_OK);
  }
  if (reference) {
    EXPECT_EQ(polyline->putref_SpatialReference(reference), S_OK);
  }
  return polyline;
}

std::vector<XY> Vertices(IGeometry* geometry) {
  std::vector<XY> vertices;
  CComQIPtr<IPointCollection> points(geometry);
  LONG count = 0;
  EXPECT_EQ(points->get_PointCount(&count), S_OK);
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IPoint> point;
    EXPECT_EQ(points->get_Point(i, &point), S_OK);
    XY xy;
    EXPECT_EQ(point->QueryCoords(&xy.first, &xy.second), S_OK);
    vertices.push_back(xy);
  }
  return vertices;
}

std::wstring NameOf(IGeometry* geometry) {
  CComPtr<ISpatialReference> reference;
  EXPECT_EQ(geometry->get_SpatialReference(&reference), S_OK);
  if (!reference) return L"";
  BSTR name = nullptr;
  EXPECT_EQ(reference->get_Name(&name), S_OK);
  std::wstring text = name ? name : L"";
  SysFreeString(name);
  return text;
}

// A coordinate system made outside the host: named, but without a factory
// code the host could project from.
class UncodedReference : public zelph::ComObjectRoot, public ISpatialReference {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISpatialReference>;

  HRESULT nameResult = S_OK;

  STDMETHODIMP get_Name(BSTR* name) override {
    if (FAILED(nameResult)) return nameResult;
    *name = SysAllocString(L"Somewhere_Local_Grid");
    return S_OK;
  }
  STDMETHODIMP get_FactoryCode(LONG*) override { return E_NOTIMPL; }
};

class GeometryHelfenTest : public zelph::test::QuietLoggerTest {};

TEST_F(GeometryHelfenTest, ProjectedGeometriesComeBackInDegrees) {
  CComPtr<ISpatialReference> utm33 = Reference(32633, true);
  ASSERT_TRUE(utm33);
  // Zone 33 is centred on 15 degrees east with a false easting of 500 km;
  // 45 degrees north lies 0.9996 x 4984944.378 m (the WGS 1984 meridian arc)
  // up the central meridian.
  CComPtr<IGeometry> line = Polyline({{500000.0, 0.0}, {500000.0, 4982950.400}}, utm33);
  EXPECT_TRUE(GeometryHelfen::NeedsToRepent(line));

  IGeometryPtr result = GeometryHelfen::Proselytize(line);
  EXPECT_EQ(result.p, line.p) << "projected in place";
  std::vector<XY> vertices = Vertices(line);
  ASSERT_EQ(vertices.size(), 2u);
  EXPECT_NEAR(vertices[0].first, 15.0, 1e-9);
  EXPECT_NEAR(vertices[0].second, 0.0, 1e-9);
  EXPECT_NEAR(vertices[1].first, 15.0, 1e-9);
  EXPECT_NEAR(vertices[1].second, 45.0, 1e-6);
  EXPECT_EQ(NameOf(line), L"GCS_WGS_1984");
  EXPECT_FALSE(GeometryHelfen::NeedsToRepent(line));
  EXPECT_EQ(GeometryHelfen::m_GCSName, L"GCS_WGS_1984");
}

TEST_F(GeometryHelfenTest, GeographicAndUnreferencedGeometriesStayAsTheyAre) {
  // Coordinates that would be far off the map if taken for metres of any
  // projection: a projection would show at once.
  std::vector<XY> original = {{-120.5, 35.25}, {30.0, -60.0}};

  CComPtr<IGeometry> geographic = Polyline(original, Reference(4326, false));
  EXPECT_FALSE(GeometryHelfen::NeedsToRepent(geographic));
  EXPECT_EQ(GeometryHelfen::Proselytize(geographic).p, geographic.p);
  EXPECT_EQ(Vertices(geographic), original);

  CComPtr<IGeometry> unreferenced = Polyline(original, nullptr);
  EXPECT_FALSE(GeometryHelfen::NeedsToRepent(unreferenced));
  EXPECT_EQ(GeometryHelfen::Proselytize(unreferenced).p, unreferenced.p);
  EXPECT_EQ(Vertices(unreferenced), original);
  EXPECT_EQ(NameOf(unreferenced), L"");
  EXPECT_STREQ(Logger::atlLogOutput, L"") << "nothing went wrong, so nothing is reported";
}

TEST_F(GeometryHelfenTest, NullAndUnprojectableGeometriesAreReportedAndReturned) {
  EXPECT_FALSE(GeometryHelfen::Proselytize(nullptr));
  EXPECT_STREQ(Logger::atlLogOutput, L"Cannot proselytize a NULL geometry...");

  Logger::atlLogOutput[0] = L'\0';
  EXPECT_FALSE(GeometryHelfen::NeedsToRepent(nullptr));
  EXPECT_EQ(std::wstring(Logger::atlLogOutput).rfind(L"Exception @ File: ./GeometryHelfen Line: ", 0), 0u)
      << Logger::atlLogOutput;

  // A system the host cannot project from (it knows no code for it), and
  // one whose name cannot even be read: both are reported, and the caller
  // keeps its geometry as it was.
  std::vector<XY> original = {{500000.0, 0.0}};
  for (HRESULT nameResult : {S_OK, E_FAIL}) {
    Logger::atlLogOutput[0] = L'\0';
    CComPtr<ISpatialReference> unknown;
    ASSERT_EQ(zelph::CreateComInstance<UncodedReference>(nullptr, IID_ISpatialReference,
                                                         reinterpret_cast<void**>(&unknown)),
              S_OK);
    static_cast<UncodedReference*>(unknown.p)->nameResult = nameResult;
    CComPtr<IGeometry> line = Polyline(original, unknown);
    EXPECT_EQ(GeometryHelfen::Proselytize(line).p, line.p);
    EXPECT_EQ(Vertices(line), original);
    EXPECT_EQ(std::wstring(Logger::atlLogOutput).rfind(L"Exception @ File: ./GeometryHelfen Line: ", 0), 0u)
        << Logger::atlLogOutput;
    CComPtr<ISpatialReference> kept;
    EXPECT_EQ(line->get_SpatialReference(&kept), S_OK);
    EXPECT_EQ(kept.p, unknown.p);
  }
}

TEST_F(GeometryHelfenTest, InitializeRunsOnce) {
  // Start from a process that has not used the helper yet.
  GeometryHelfen::m_Initialized = false;
  GeometryHelfen::m_GCSSpatRef.Release();
  GeometryHelfen::m_GCSName.clear();

  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("geometry-helfen-" + std::to_string(::getpid()) + ".log");
  ASSERT_TRUE(Logger::Initialize(path.wstring().c_str()));
  Logger::EnableDebug = true;
  CComPtr<IGeometry> line = Polyline({{1.0, 2.0}}, nullptr);
  GeometryHelfen::Proselytize(line);
  ISpatialReference* first = GeometryHelfen::m_GCSSpatRef;
  GeometryHelfen::Proselytize(line);
  Logger::Close();

  EXPECT_TRUE(GeometryHelfen::m_Initialized);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GeometryHelfen::m_GCSSpatRef.p, first) << "the geographic system is made once";
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  std::string log = text.str();
  std::filesystem::remove(path);
  size_t entering = 0;
  for (size_t at = log.find("Entering Initialize..."); at != std::string::npos;
       at = log.find("Entering Initialize...", at + 1)) {
    ++entering;
  }
  EXPECT_EQ(entering, 1u) << log;
  EXPECT_NE(log.find("Exiting Initialize..."), std::string::npos) << log;
}

}  // namespace
