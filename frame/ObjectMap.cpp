#include "frame/ObjectMap.h"

#include "frame/Guids.h"
#include "graphics/Orientation3D.h"

namespace zelph {
namespace {

// Class id, class name, registration script, instance creator, misc status,
// cached class factory. A class becomes creatable when its instance creator
// (CreateComInstance<TheClass>) takes the place of the null here.
ObjectMapEntry s_ObjectMap[] = {
    {&CLSID_Billboard3D, L"Billboard3D", 101, nullptr, 0, nullptr},
    {&CLSID_BillboardFont3D, L"BillboardFont3D", 102, nullptr, 0, nullptr},
    {&CLSID_BillboardLabel3D, L"BillboardLabel3D", 103, nullptr, 0, nullptr},
    {&CLSID_Ellipsoid3D, L"Ellipsoid3D", 104, nullptr, 0, nullptr},
    {&CLSID_ExtrudedFont3D, L"ExtrudedFont3D", 105, nullptr, 0, nullptr},
    {&CLSID_Font3D, L"Font3D", 106, nullptr, 0, nullptr},
    {&CLSID_GeoExtrusion3D, L"GeoExtrusion3D", 107, nullptr, 0, nullptr},
    {&CLSID_GLDisplay3D, L"GLDisplay3D", 108, nullptr, 0, nullptr},
    {&CLSID_GradientMaterial3D, L"GradientMaterial3D", 109, nullptr, 0, nullptr},
    {&CLSID_GroupGraphic3D, L"GroupGraphic3D", 110, nullptr, 0, nullptr},
    {&CLSID_LabeledBillboard3D, L"LabeledBillboard3D", 111, nullptr, 0, nullptr},
    {&CLSID_Orientation3D, L"Orientation3D", 112, &CreateComInstance<Orientation3D>, 0, nullptr},
    {&CLSID_PartialEllipsoid3D, L"PartialEllipsoid3D", 113, nullptr, 0, nullptr},
    {&CLSID_SceneManager3D, L"SceneManager3D", 114, nullptr, 0, nullptr},
    {&CLSID_SimpleMaterial3D, L"SimpleMaterial3D", 115, nullptr, 0, nullptr},
    {&CLSID_TextPoint3D, L"TextPoint3D", 116, nullptr, 0, nullptr},
    {&CLSID_Texture3D, L"Texture3D", 117, nullptr, 0, nullptr},
    {&CLSID_Texture3DHelper, L"Texture3DHelper", 118, nullptr, 0, nullptr},
    {&CLSID_TextureMaterial3D, L"TextureMaterial3D", 119, nullptr, 0, nullptr},
};

}  // namespace

std::span<ObjectMapEntry> LibraryObjectMap() { return s_ObjectMap; }

}  // namespace zelph
