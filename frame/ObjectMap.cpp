#include "frame/ObjectMap.h"

#include "display/GLDisplay3D.h"
#include "display/GradientMaterial3D.h"
#include "display/SimpleMaterial3D.h"
#include "display/Texture3D.h"
#include "display/Texture3DHelper.h"
#include "display/TextureMaterial3D.h"
#include "frame/Guids.h"
#include "graphics/Billboard3D.h"
#include "graphics/BillboardLabel3D.h"
#include "graphics/Ellipsoid3D.h"
#include "graphics/GeoExtrusion3D.h"
#include "graphics/GroupGraphic3D.h"
#include "graphics/LabeledBillboard3D.h"
#include "graphics/ExtrudedFont3D.h"
#include "graphics/Orientation3D.h"
#include "graphics/PartialEllipsoid3D.h"
#include "graphics/TextPoint3D.h"
#include "scene/SceneManager3D.h"
#include "text/BillboardFont3D.h"
#include "text/Font3D.h"

namespace zelph {
namespace {

// Class id, class name, registration script, instance creator, misc status,
// cached class factory. A class becomes creatable when its instance creator
// (CreateComInstance<TheClass>) takes the place of the null here.
ObjectMapEntry s_ObjectMap[] = {
    {&CLSID_Billboard3D, L"Billboard3D", 101, &CreateComInstance<Billboard3D>, 0, nullptr},
    {&CLSID_BillboardFont3D, L"BillboardFont3D", 102, &CreateComInstance<BillboardFont3D>, 0, nullptr},
    {&CLSID_BillboardLabel3D, L"BillboardLabel3D", 103, &CreateComInstance<BillboardLabel3D>, 0, nullptr},
    {&CLSID_Ellipsoid3D, L"Ellipsoid3D", 104, &CreateComInstance<Ellipsoid3D>, 0, nullptr},
    {&CLSID_ExtrudedFont3D, L"ExtrudedFont3D", 105, &CreateComInstance<ExtrudedFont3D>, 0, nullptr},
    {&CLSID_Font3D, L"Font3D", 106, &CreateComInstance<Font3D>, 0, nullptr},
    {&CLSID_GeoExtrusion3D, L"GeoExtrusion3D", 107, &CreateComInstance<GeoExtrusion3D>, 0, nullptr},
    {&CLSID_GLDisplay3D, L"GLDisplay3D", 108, &CreateComInstance<GLDisplay3D>, 0, nullptr},
    {&CLSID_GradientMaterial3D, L"GradientMaterial3D", 109, &CreateComInstance<GradientMaterial3D>, 0, nullptr},
    {&CLSID_GroupGraphic3D, L"GroupGraphic3D", 110, &CreateComInstance<GroupGraphic3D>, 0, nullptr},
    {&CLSID_LabeledBillboard3D, L"LabeledBillboard3D", 111, &CreateComInstance<LabeledBillboard3D>, 0, nullptr},
    {&CLSID_Orientation3D, L"Orientation3D", 112, &CreateComInstance<Orientation3D>, 0, nullptr},
    {&CLSID_PartialEllipsoid3D, L"PartialEllipsoid3D", 113, &CreateComInstance<PartialEllipsoid3D>, 0, nullptr},
    {&CLSID_SceneManager3D, L"SceneManager3D", 114, &CreateComInstance<SceneManager3D>, 0, nullptr},
    {&CLSID_SimpleMaterial3D, L"SimpleMaterial3D", 115, &CreateComInstance<SimpleMaterial3D>, 0, nullptr},
    {&CLSID_TextPoint3D, L"TextPoint3D", 116, &CreateComInstance<TextPoint3D>, 0, nullptr},
    {&CLSID_Texture3D, L"Texture3D", 117, &CreateComInstance<Texture3D>, 0, nullptr},
    {&CLSID_Texture3DHelper, L"Texture3DHelper", 118, &CreateComInstance<Texture3DHelper>, 0, nullptr},
    {&CLSID_TextureMaterial3D, L"TextureMaterial3D", 119, &CreateComInstance<TextureMaterial3D>, 0, nullptr},
};

}  // namespace

std::span<ObjectMapEntry> LibraryObjectMap() { return s_ObjectMap; }

}  // namespace zelph
