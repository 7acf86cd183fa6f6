// The reference host as a component server: its module and object map, the
// class objects it registers in the process as soon as it is loaded, and
// the exported entry points for registering it in the registry.
#include <vector>

#include "frame/ClassScript.h"
#include "frame/ComServer.h"
#include "frame/HostGuids.h"
#include "host/HostClasses.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"

namespace {

using namespace zelph::host;

zelph::ObjectMapEntry s_ObjectMap[] = {
    {&CLSID_GlobeDisplay, L"GlobeDisplay", 1, &CreateGlobeDisplay, 0, nullptr},
    {&CLSID_Point, L"Point", 1, &CreatePoint, 0, nullptr},
    {&CLSID_Multipoint, L"Multipoint", 1, &CreateMultipoint, 0, nullptr},
    {&CLSID_Envelope, L"Envelope", 1, &CreateEnvelope, 0, nullptr},
    {&CLSID_Path, L"Path", 1, &CreatePath, 0, nullptr},
    {&CLSID_Polyline, L"Polyline", 1, &CreatePolyline, 0, nullptr},
    {&CLSID_Ring, L"Ring", 1, &CreateRing, 0, nullptr},
    {&CLSID_Polygon, L"Polygon", 1, &CreatePolygon, 0, nullptr},
    {&CLSID_GeometryBag, L"GeometryBag", 1, &CreateGeometryBag, 0, nullptr},
    {&CLSID_Line, L"Line", 1, &CreateLine, 0, nullptr},
    {&CLSID_CircularArc, L"CircularArc", 1, &CreateCircularArc, 0, nullptr},
    {&CLSID_EllipticArc, L"EllipticArc", 1, &CreateEllipticArc, 0, nullptr},
    {&CLSID_SpatialReferenceEnvironment, L"SpatialReferenceEnvironment", 1, &CreateSpatialReferenceEnvironment, 0,
     nullptr},
    {&CLSID_DisplayTransformation, L"DisplayTransformation", 1, &CreateDisplayTransformation, 0, nullptr},
    {&CLSID_SimpleDisplay, L"SimpleDisplay", 1, &CreateSimpleDisplay, 0, nullptr},
    {&CLSID_RgbColor, L"RgbColor", 1, &CreateRgbColor, 0, nullptr},
    {&CLSID_SimpleLineSymbol, L"SimpleLineSymbol", 1, &CreateSimpleLineSymbol, 0, nullptr},
    {&CLSID_CartographicLineSymbol, L"CartographicLineSymbol", 1, &CreateCartographicLineSymbol, 0, nullptr},
    {&CLSID_Template, L"Template", 1, &CreateTemplate, 0, nullptr},
    {&CLSID_SimpleMarkerSymbol, L"SimpleMarkerSymbol", 1, &CreateSimpleMarkerSymbol, 0, nullptr},
    {&CLSID_SimpleFillSymbol, L"SimpleFillSymbol", 1, &CreateSimpleFillSymbol, 0, nullptr},
    {&CLSID_MultiLayerFillSymbol, L"MultiLayerFillSymbol", 1, &CreateMultiLayerFillSymbol, 0, nullptr},
    {&CLSID_TextSymbol, L"TextSymbol", 1, &CreateTextSymbol, 0, nullptr},
    {&CLSID_TransparencyDisplayFilter, L"TransparencyDisplayFilter", 1, &CreateTransparencyDisplayFilter, 0, nullptr},
    {&CLSID_Array, L"Array", 1, &CreateArray, 0, nullptr},
    {&CLSID_Set, L"Set", 1, &CreateSet, 0, nullptr},
    {&CLSID_UID, L"UID", 1, &CreateUID, 0, nullptr},
    {&CLSID_MemoryVariantStream, L"MemoryVariantStream", 1, &CreateMemoryVariantStream, 0, nullptr},
};

// Every class has the same script.
std::wstring HostRegistrationScript(UINT) { return zelph::kClassRegistrationScript; }

constinit zelph::ComModule s_Module;

// Loading the host makes its classes creatable in this process; unloading
// takes them back.
class ClassObjectRegistrations {
 public:
  ClassObjectRegistrations() {
    s_Module.Init(s_ObjectMap, ModuleFromAddress(&s_Module), {}, &HostRegistrationScript);
    for (const zelph::ObjectMapEntry& entry : s_ObjectMap) Register(*entry.clsid);
  }
  ~ClassObjectRegistrations() {
    for (DWORD cookie : m_Cookies) CoRevokeClassObject(cookie);
    s_Module.Term();
  }

 private:
  void Register(REFCLSID clsid) {
    CComPtr<IUnknown> factory;
    if (FAILED(s_Module.GetClassObject(clsid, IID_IUnknown, reinterpret_cast<void**>(&factory)))) return;
    DWORD cookie = 0;
    if (SUCCEEDED(CoRegisterClassObject(clsid, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie))) {
      m_Cookies.push_back(cookie);
    }
  }
  std::vector<DWORD> m_Cookies;
};
ClassObjectRegistrations s_Registrations;

}  // namespace

zelph::ComModule& ThisModule() { return s_Module; }

ZELPH_SERVER_ENTRY_POINTS
