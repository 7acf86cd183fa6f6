// The smallest client of the library: registers it, opens the reference
// host's globe display, adds a billboard and an ellipsoid made by class id,
// draws and saves the frame. Everything goes through interfaces.
//
// usage: zelph-minimal-client [OUT.png]   (default minimal.png)

#include <cstdio>

#include "frame/Guids.h"
#include "frame/HostGlobe.h"
#include "frame/HostGuids.h"
#include "frame/MaterialInterfaces.h"
#include "frame/SceneInterfaces.h"
#include "host/HostInterfaces.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/WideString.h"

extern "C" HRESULT DllRegisterServer();

namespace {

// A point at a longitude, latitude (degrees) and height (metres).
CComPtr<IPoint> Place(double longitude, double latitude, double height) {
  CComPtr<IPoint> point;
  point.CoCreateInstance(CLSID_Point);
  point->PutCoords(longitude, latitude);
  point->put_Z(height);
  return point;
}

CComPtr<IMaterial3D> Colour(LONG red, LONG green, LONG blue) {
  CComPtr<IRgbColor> color;
  color.CoCreateInstance(CLSID_RgbColor);
  color->put_Red(red), color->put_Green(green), color->put_Blue(blue);
  CComPtr<ISimpleMaterial3D> material;
  material.CoCreateInstance(CLSID_SimpleMaterial3D);
  material->putref_Color(color);
  return CComQIPtr<IMaterial3D>{material.p};
}

}  // namespace

int main(int argc, char** argv) {
  const char* output = argc > 1 ? argv[1] : "minimal.png";
  if (FAILED(DllRegisterServer())) return std::fputs("registering the library failed\n", stderr), 1;

  CComPtr<IGlobeDisplay> display;
  CComPtr<ISceneViewer> viewer;
  CComPtr<ICamera> camera;
  if (FAILED(display.CoCreateInstance(CLSID_GlobeDisplay))) return std::fputs("no globe display\n", stderr), 1;
  display->get_ActiveViewer(&viewer);
  CComQIPtr<IOffscreenViewer> frame{viewer.p};
  frame->SetFrameSize(640, 480);
  viewer->get_Camera(&camera);
  CComQIPtr<IGlobeCamera>{camera.p}->PlaceAbove(45.0, 7.0, 900000);

  CComPtr<ISceneManager3D> manager;
  manager.CoCreateInstance(CLSID_SceneManager3D);
  manager->InitializeContext(display);

  CComPtr<IGraphic3D> billboard, ellipsoid;
  billboard.CoCreateInstance(CLSID_Billboard3D);
  CComQIPtr<IBillboard3D>{billboard.p}->PutSize(0.01, 0.01);
  billboard->putref_Centroid(Place(6.0, 45.5, 20000));
  billboard->putref_Material(Colour(230, 40, 40));
  ellipsoid.CoCreateInstance(CLSID_Ellipsoid3D);
  CComQIPtr<IEllipsoid3D>{ellipsoid.p}->PutSize(0.03, 0.03, 0.02);
  ellipsoid->putref_Centroid(Place(8.0, 44.5, 0));
  ellipsoid->putref_Material(Colour(40, 200, 255));
  manager->AddGraphic(billboard);
  manager->AddGraphic(ellipsoid);

  manager->Refresh();
  viewer->Redraw(VARIANT_TRUE);
  const HRESULT saved = frame->SaveFrame(CComBSTR(zelph::FromUtf8(output).c_str()));
  manager->UninitializeContext();
  if (FAILED(saved)) return std::fprintf(stderr, "could not save %s\n", output), 1;
  std::printf("saved %s\n", output);
  return 0;
}
