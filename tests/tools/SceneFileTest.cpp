// Scene files made into components through their dispatch interfaces, and
// the renderer run on one as a user runs it.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "frame/Guids.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/TestPaths.h"
#include "tools/scenefile/SceneFile.h"

namespace zelph::test {
namespace {

using scenefile::Scene;
using scenefile::SceneFile;

class SceneFileTest : public ComponentTest {
 protected:
  // Loads `text`; the error when it fails, "" when it loads.
  std::string Load(const std::string& text) {
    std::string error;
    return SceneFile::Parse(text, scene, error) ? "" : error;
  }

  Scene scene;
};

LONG Rgb(IRgbColor* color) {
  LONG r = -1, g = -1, b = -1;
  color->get_Red(&r), color->get_Green(&g), color->get_Blue(&b);
  return r << 16 | g << 8 | b;
}

TEST_F(SceneFileTest, SetsPropertiesByNameOnComponentsAndHostValues) {
  ASSERT_EQ(Load(R"({
    "size": [320, 200], "camera": {"latitude": 10, "longitude": -20, "altitude": 80000}, "exaggeration": 2.5,
    "graphics": [
      {"class": "Billboard3D", "name": "beacon", "UID": "b-1", "XSize": 2, "YSize": 0.25, "Transparency": 40,
       "Centroid": [-20, 10, 500], "EnableCallout": true,
       "CalloutLineSymbol": {"line": {"rgb": [1, 2, 3], "width": 2.5, "style": 1}},
       "Material": {"class": "SimpleMaterial3D", "Color": {"rgb": [255, 128, 0]}}},
      {"class": "GroupGraphic3D", "Name": "pair", "graphics": [
        {"class": "Ellipsoid3D", "Name": "inner", "XSize": 0.5},
        {"class": "TextPoint3D", "Text": "hi", "Font": {"class": "BillboardFont3D", "Font": {"font": {"name": "Liberation Sans", "size": 12}}}}]},
      {"class": "GeoExtrusion3D", "Type": 1,
       "Geometry": {"polygon": [[0, 0], [4, 0], [4, 4], [0, 4]]},
       "InnerGeometries": [{"polygon": [[1, 1], [2, 1], [2, 2], [1, 2]]}]}
    ]})"),
            "");
  EXPECT_EQ(scene.width, 320);
  EXPECT_EQ(scene.height, 200);
  ASSERT_TRUE(scene.camera && scene.exaggeration);
  EXPECT_EQ(scene.camera->longitude, -20);
  EXPECT_EQ(scene.camera->altitude, 80000);
  EXPECT_EQ(*scene.exaggeration, 2.5);
  ASSERT_EQ(scene.graphics.size(), 3u);

  // Names are found whatever their case, whole numbers serve real properties.
  IGraphic3D* billboard = scene.graphics[0];
  CComBSTR name, uid;
  billboard->get_Name(&name), billboard->get_UID(&uid);
  EXPECT_EQ(Text(name), L"beacon");
  EXPECT_EQ(Text(uid), L"b-1");
  double x = 0, y = 0;
  CComQIPtr<IBillboard3D>(billboard)->QuerySize(&x, &y);
  EXPECT_EQ(x, 2.0);
  EXPECT_EQ(y, 0.25);
  LONG transparency = 0;
  billboard->get_Transparency(&transparency);
  EXPECT_EQ(transparency, 40);
  CComPtr<IPoint> centroid;
  ASSERT_EQ(billboard->get_Centroid(&centroid), S_OK);
  double lon = 0, lat = 0, alt = 0;
  centroid->QueryCoords(&lon, &lat), centroid->get_Z(&alt);
  EXPECT_EQ(lon, -20);
  EXPECT_EQ(lat, 10);
  EXPECT_EQ(alt, 500);
  CComPtr<ISimpleLineSymbol> line;
  ASSERT_EQ(CComQIPtr<ICallout3D>(billboard)->get_CalloutLineSymbol(&line), S_OK);
  CComPtr<IColor> lineColor;
  double width = 0;
  line->get_Color(&lineColor), line->get_Width(&width);
  EXPECT_EQ(Rgb(CComQIPtr<IRgbColor>(lineColor)), 0x010203);
  EXPECT_EQ(width, 2.5);
  CComPtr<IMaterial3D> material;
  ASSERT_EQ(billboard->get_Material(&material), S_OK);
  CComPtr<IRgbColor> color;
  ASSERT_EQ(CComQIPtr<ISimpleMaterial3D>(material)->get_Color(&color), S_OK);
  EXPECT_EQ(Rgb(color), 0xFF8000);

  CComPtr<IArray> members;
  ASSERT_EQ(CComQIPtr<IGroupGraphic3D>(scene.graphics[1])->get_Graphics(&members), S_OK);
  LONG count = 0;
  members->get_Count(&count);
  EXPECT_EQ(count, 2);

  CComQIPtr<IGeoExtrusion3D> extrusion{scene.graphics[2]};
  kestGLExtrusionTypeOption type = kestGLExtrusionTypePolyline;
  extrusion->get_Type(&type);
  EXPECT_EQ(type, kestGLExtrusionTypePolygon);
  CComPtr<IArray> holes;
  ASSERT_EQ(extrusion->get_InnerGeometries(&holes), S_OK);
  holes->get_Count(&count);
  EXPECT_EQ(count, 1);
}

TEST_F(SceneFileTest, NamesTheJsonPathOfWhatItCannotDo) {
  EXPECT_EQ(Load(R"({"graphics": [{"class": "Ellipsoid3D"}, {"class": "Billboard3D",
      "Material": {"class": "SimpleMaterial3D", "Colour": {"rgb": [1, 2, 3]}}}]})"),
            "/graphics/1/Material/Colour: unknown property \"Colour\"");
  EXPECT_EQ(Load(R"({"graphics": [{"class": "Bilboard3D"}]})"), "/graphics/0/class: unknown class \"Bilboard3D\"");
  EXPECT_EQ(Load(R"({"graphics": [{"class": "Billboard3D", "XSize": "wide"}]})"),
            "/graphics/0/XSize: wrong type of value for property \"XSize\"");
  EXPECT_EQ(Load(R"({"graphics": [{"class": "Billboard3D", "Material": {"rgb": [1, 2]}}]})"),
            "/graphics/0/Material/rgb: expected [red, green, blue]");
  EXPECT_EQ(Load(R"({"camera": {"latitude": 0, "longitude": 0}})"), "/camera: missing \"altitude\"");
  EXPECT_EQ(Load(R"({"size": [0, 10]})"), "/size: each side must be 1 to 8192 pixels");
  EXPECT_NE(Load(R"({"graphics": [)").find("not valid JSON"), std::string::npos);
  EXPECT_TRUE(scene.graphics.empty()) << "a failed load leaves the scene alone";

  std::string error;
  EXPECT_FALSE(SceneFile::Load("/nonexistent/scene.json", scene, error));
  EXPECT_EQ(error, "/nonexistent/scene.json: cannot open the scene file");
}

TEST_F(SceneFileTest, TexturesAreReadFromImageFilesBesideTheScene) {
  const std::string folder = FreshDirectory("scene-texture");
  const std::vector<unsigned char> rgb(4 * 2 * 3, 200);
  ASSERT_NE(stbi_write_bmp((folder + "/tile.bmp").c_str(), 4, 2, 3, rgb.data()), 0);
  std::ofstream(folder + "/notes.png") << "not an image";
  const auto write = [&](const std::string& file) {
    std::ofstream(folder + "/scene.json") << R"({"graphics": [{"class": "Billboard3D", "Material": {
        "class": "TextureMaterial3D", "Texture": {"texture": ")" +
                                                 file + R"(", "uid": "tile", "transparent": {"rgb": [0, 0, 9]}}}}]})";
  };
  std::string error;
  write("tile.bmp");
  ASSERT_TRUE(SceneFile::Load(folder + "/scene.json", scene, error)) << error;
  CComPtr<IMaterial3D> material;
  ASSERT_EQ(scene.graphics.at(0)->get_Material(&material), S_OK);
  CComPtr<ITexture3D> texture;
  ASSERT_EQ(CComQIPtr<ITextureMaterial3D>(material)->get_Texture(&texture), S_OK);
  ASSERT_TRUE(texture);
  CComBSTR uid;
  OLE_HANDLE bitmap = 0;
  CComPtr<IRgbColor> key;
  texture->get_UID(&uid), texture->get_BitmapHandle(&bitmap), texture->get_TransparencyColor(&key);
  EXPECT_EQ(Text(uid), L"tile");
  EXPECT_NE(bitmap, 0);
  ASSERT_TRUE(key);
  EXPECT_EQ(Rgb(key), 0x000009);

  const std::string at = folder + "/scene.json: /graphics/0/Material/Texture/texture: ";
  write("gone.png");
  EXPECT_FALSE(SceneFile::Load(folder + "/scene.json", scene, error));
  EXPECT_EQ(error, at + "cannot open the image file \"" + folder + "/gone.png\"");
  write("notes.png");
  EXPECT_FALSE(SceneFile::Load(folder + "/scene.json", scene, error));
  EXPECT_EQ(error, at + "cannot read the image file \"" + folder + "/notes.png\"");
}

TEST_F(SceneFileTest, DrawingCommandsAreCheckedBeforeAnythingIsDrawn) {
  ASSERT_EQ(Load(R"({"drawing": [{"comment": "ok"}, {"set": {"PointOption": 1}},
      {"symbol": {"text": {"rgb": [1, 2, 3], "size": 0.5, "halign": 2, "font": {"name": "Liberation Sans"}}}},
      {"text": "here", "at": [1, 2]}, {"symbol": {"fill": {"outline": {"width": 2}}}},
      {"draw": {"envelope": [[0, 0], [1, 1, 50]]}}]})"),
            "");
  ASSERT_TRUE(scene.drawing);
  EXPECT_EQ(Load(R"({"drawing": [{"draw": [0, 0]}, {"paint": [0, 0]}]})"),
            "/drawing/1/paint: unknown drawing command \"paint\"");
  EXPECT_EQ(Load(R"({"drawing": [{"draw": [0, 0], "symbol": {"marker": {}}}]})"),
            "/drawing/0/symbol: one command per entry (\"draw\" came first)");
  EXPECT_EQ(Load(R"({"drawing": [{"text": "x"}]})"), "/drawing/0: text needs \"at\": a geometry to draw it at");
  EXPECT_EQ(Load(R"({"drawing": [{"set": {"Colour": 1}}]})"), "/drawing/0/set/Colour: unknown property \"Colour\"");
  EXPECT_EQ(Load(R"({"drawing": [{"symbol": {"rgb": [1, 2, 3]}}]})").substr(0, 30), "/drawing/0/symbol: expected a ");
  EXPECT_EQ(Load(R"({"drawing": [{"symbol": {"marker": {"size": "big"}}}]})"),
            "/drawing/0/symbol/marker/size: expected a number");
  EXPECT_EQ(Load(R"({"drawing": [{"draw": {"line": {}}}]})").substr(0, 28), "/drawing/0/draw: expected a ");
  EXPECT_EQ(Load(R"({"drawing": [{"draw": {"envelope": [[0, 0]]}}]})"),
            "/drawing/0/draw/envelope: expected [[west, south], [east, north]]");
}

// Runs zelph-render with `arguments`; its exit status, and its output in `out`.
int Render(const std::string& arguments, std::string& out) {
  const std::string command = "'" + BesideProgram("zelph-render") + "' " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  out.clear();
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ZelphRender, SavesTheFrameAndPicksTheBillboardUnderThePixel) {
  const std::string folder = FreshDirectory("zelph-render");
  const std::string scenePath = folder + "/tiny.json", png = folder + "/tiny.png";
  const std::string scene = "'" + scenePath + "'", output = " -o '" + png + "'";
  // A billboard at the camera's nadir shows at the window's centre.
  std::ofstream(scenePath) << R"({"size": [64, 48], "camera": {"latitude": 30, "longitude": 40, "altitude": 200000},
    "graphics": [{"class": "Billboard3D", "Name": "beacon", "XSize": 0.005, "YSize": 0.005, "Centroid": [40, 30, 0],
                  "Material": {"class": "SimpleMaterial3D", "Color": {"rgb": [255, 0, 0]}}}]})";
  std::string out;
  ASSERT_EQ(Render(scene + output + " --pick 32,24 --select beacon", out), 0) << out;
  EXPECT_EQ(out, "beacon\n");
  std::ifstream saved(png, std::ios::binary);
  char signature[8] = {};
  saved.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");

  EXPECT_EQ(Render(scene + output + " --pick 1,1", out), 0) << out;
  EXPECT_EQ(out, "nothing\n");
  EXPECT_EQ(Render(scene + output + " --select nobody", out), 1);
  EXPECT_NE(out.find("no graphic named \"nobody\""), std::string::npos) << out;
  EXPECT_EQ(Render("'" + folder + "/absent.json'" + output, out), 1);
  EXPECT_NE(out.find("absent.json: cannot open the scene file"), std::string::npos) << out;
  EXPECT_EQ(Render(scene + " --size 10", out), 2);
}

TEST(ZelphRender, DrawsMapSymbolsThroughTheDisplayIntoTheSameScene) {
  const std::string folder = FreshDirectory("zelph-render-drawing");
  const std::string scenePath = folder + "/drawn.json";
  // A square drawn at the nadir, a second one further east into a target
  // group, and between them a billboard of the scene's own.
  std::ofstream(scenePath) << R"({"size": [64, 48], "camera": {"latitude": 30, "longitude": 40, "altitude": 200000},
    "graphics": [{"class": "Billboard3D", "Name": "beacon", "XSize": 0.002, "YSize": 0.002, "Centroid": [40.3, 30, 0],
                  "Material": {"class": "SimpleMaterial3D", "Color": {"rgb": [255, 0, 0]}}}],
    "drawing": [{"symbol": {"fill": {"rgb": [0, 0, 255]}}},
                {"draw": {"polygon": [[39.9, 29.9], [40.1, 29.9], [40.1, 30.1], [39.9, 30.1]]}},
                {"set": {"DisplayTargetGraphic": {"class": "GroupGraphic3D", "Name": "shapes"}}},
                {"draw": {"polygon": [[40.5, 29.9], [40.9, 29.9], [40.9, 30.1], [40.5, 30.1]]}}]})";
  const std::string scene = "'" + scenePath + "' -o '" + folder + "/drawn.png'";
  std::string out;
  ASSERT_EQ(Render(scene + " --pick 32,24", out), 0) << out;
  EXPECT_NE(out, "nothing\n");  // unnamed: the graphic's UID
  EXPECT_NE(out, "beacon\n");
  EXPECT_EQ(Render(scene + " --pick 58,24", out), 0);
  EXPECT_EQ(out, "shapes\n");
  EXPECT_EQ(Render(scene + " --pick 43,24", out), 0);
  EXPECT_EQ(out, "beacon\n");
  EXPECT_EQ(Render(scene + " --pick 50,24", out), 0);
  EXPECT_EQ(out, "nothing\n");
}

}  // namespace
}  // namespace zelph::test
