// The dispatch tables of the graphic interfaces. A graphic's default
// interface also answers for the object's other graphic interfaces, each
// included at an id offset of its own.
#include "frame/DispatchTables.h"
#include "frame/GraphicInterfaces.h"

namespace zelph {
namespace {

using M = DispatchMember;

constexpr DISPID kGraphicIds = 1000;
constexpr DISPID kUpdateIds = 2000;
constexpr DISPID kCalloutIds = 3000;
constexpr DISPID kEllipsoidIds = 4000;
constexpr DISPID kBillboardIds = 5000;
constexpr DISPID kExtrusionIds = 6000;

const DispatchTable& OrientationTable() {
  static const DispatchTable table{
      M::Get(L"Heading", 1, &IOrientation3D::get_Heading),
      M::Put(L"Heading", 1, &IOrientation3D::put_Heading),
      M::Get(L"Pitch", 2, &IOrientation3D::get_Pitch),
      M::Put(L"Pitch", 2, &IOrientation3D::put_Pitch),
      M::Get(L"Roll", 3, &IOrientation3D::get_Roll),
      M::Put(L"Roll", 3, &IOrientation3D::put_Roll),
      M::Method(L"QueryOrientation", 4, &IOrientation3D::QueryOrientation),
      M::Method(L"PutOrientation", 5, &IOrientation3D::PutOrientation),
  };
  return table;
}

const DispatchTable& GraphicTable() {
  static const DispatchTable table{
      M::Get(L"UID", 1, &IGraphic3D::get_UID),
      M::Put(L"UID", 1, &IGraphic3D::put_UID),
      M::Get(L"Centroid", 2, &IGraphic3D::get_Centroid),
      M::PutRef(L"Centroid", 2, &IGraphic3D::putref_Centroid),
      M::Get(L"DisplayOption", 3, &IGraphic3D::get_DisplayOption),
      M::Put(L"DisplayOption", 3, &IGraphic3D::put_DisplayOption),
      M::Get(L"Material", 4, &IGraphic3D::get_Material),
      M::PutRef(L"Material", 4, &IGraphic3D::putref_Material),
      M::Get(L"Name", 5, &IGraphic3D::get_Name),
      M::Put(L"Name", 5, &IGraphic3D::put_Name),
      M::Get(L"Orientation", 6, &IGraphic3D::get_Orientation),
      M::PutRef(L"Orientation", 6, &IGraphic3D::putref_Orientation),
      M::Get(L"Selected", 7, &IGraphic3D::get_Selected),
      M::Put(L"Selected", 7, &IGraphic3D::put_Selected),
      M::Get(L"Transparency", 8, &IGraphic3D::get_Transparency),
      M::Put(L"Transparency", 8, &IGraphic3D::put_Transparency),
      M::Get(L"Visible", 9, &IGraphic3D::get_Visible),
      M::Put(L"Visible", 9, &IGraphic3D::put_Visible),
      M::Get(L"Extent", 10, &IGraphic3D::get_Extent),
      M::Get(L"ThresholdElevation", 11, &IGraphic3D::get_ThresholdElevation),
      M::Put(L"ThresholdElevation", 11, &IGraphic3D::put_ThresholdElevation),
  };
  return table;
}

const DispatchTable& UpdateTable() {
  static const DispatchTable table{
      M::Get(L"UpdateLevel", 1, &IUpdate3D::get_UpdateLevel),
      M::Put(L"UpdateLevel", 1, &IUpdate3D::put_UpdateLevel),
  };
  return table;
}

const DispatchTable& CalloutTable() {
  static const DispatchTable table{
      M::Get(L"EnableCallout", 1, &ICallout3D::get_EnableCallout),
      M::Put(L"EnableCallout", 1, &ICallout3D::put_EnableCallout),
      M::Get(L"CalloutLineSymbol", 2, &ICallout3D::get_CalloutLineSymbol),
      M::PutRef(L"CalloutLineSymbol", 2, &ICallout3D::putref_CalloutLineSymbol),
      M::Get(L"CalloutAnchorLocation", 3, &ICallout3D::get_CalloutAnchorLocation),
      M::PutRef(L"CalloutAnchorLocation", 3, &ICallout3D::putref_CalloutAnchorLocation),
      M::Get(L"WindVaneAzimuth", 4, &ICallout3D::get_WindVaneAzimuth),
      M::Put(L"WindVaneAzimuth", 4, &ICallout3D::put_WindVaneAzimuth),
      M::Get(L"WindVaneSize", 5, &ICallout3D::get_WindVaneSize),
      M::Put(L"WindVaneSize", 5, &ICallout3D::put_WindVaneSize),
  };
  return table;
}

// What every graphic with a callout answers besides its own members.
std::vector<DispatchTable::Include> CalloutGraphicIncludes() {
  return {{CalloutTable(), kCalloutIds}, {GraphicTable(), kGraphicIds}, {UpdateTable(), kUpdateIds}};
}

const DispatchTable& EllipsoidTable() {
  static const DispatchTable table{{
                                       M::Get(L"EllipsoidOption", 1, &IEllipsoid3D::get_EllipsoidOption),
                                       M::Put(L"EllipsoidOption", 1, &IEllipsoid3D::put_EllipsoidOption),
                                       M::Get(L"GridSymbol", 2, &IEllipsoid3D::get_GridSymbol),
                                       M::PutRef(L"GridSymbol", 2, &IEllipsoid3D::putref_GridSymbol),
                                       M::Get(L"XSize", 3, &IEllipsoid3D::get_XSize),
                                       M::Put(L"XSize", 3, &IEllipsoid3D::put_XSize),
                                       M::Get(L"YSize", 4, &IEllipsoid3D::get_YSize),
                                       M::Put(L"YSize", 4, &IEllipsoid3D::put_YSize),
                                       M::Get(L"ZSize", 5, &IEllipsoid3D::get_ZSize),
                                       M::Put(L"ZSize", 5, &IEllipsoid3D::put_ZSize),
                                       M::Method(L"QuerySize", 6, &IEllipsoid3D::QuerySize),
                                       M::Method(L"PutSize", 7, &IEllipsoid3D::PutSize),
                                   },
                                   CalloutGraphicIncludes()};
  return table;
}

const DispatchTable& PartialEllipsoidTable() {
  static const DispatchTable table{{
                                       M::Get(L"StartAzimuth", 1, &IPartialEllipsoid3D::get_StartAzimuth),
                                       M::Put(L"StartAzimuth", 1, &IPartialEllipsoid3D::put_StartAzimuth),
                                       M::Get(L"EndAzimuth", 2, &IPartialEllipsoid3D::get_EndAzimuth),
                                       M::Put(L"EndAzimuth", 2, &IPartialEllipsoid3D::put_EndAzimuth),
                                       M::Get(L"StartInclination", 3, &IPartialEllipsoid3D::get_StartInclination),
                                       M::Put(L"StartInclination", 3, &IPartialEllipsoid3D::put_StartInclination),
                                       M::Get(L"EndInclination", 4, &IPartialEllipsoid3D::get_EndInclination),
                                       M::Put(L"EndInclination", 4, &IPartialEllipsoid3D::put_EndInclination),
                                       M::Get(L"ShowCaps", 5, &IPartialEllipsoid3D::get_ShowCaps),
                                       M::Put(L"ShowCaps", 5, &IPartialEllipsoid3D::put_ShowCaps),
                                   },
                                   {{EllipsoidTable(), kEllipsoidIds}}};
  return table;
}

const DispatchTable& BillboardTable() {
  static const DispatchTable table{{
                                       M::Get(L"XSize", 1, &IBillboard3D::get_XSize),
                                       M::Put(L"XSize", 1, &IBillboard3D::put_XSize),
                                       M::Get(L"YSize", 2, &IBillboard3D::get_YSize),
                                       M::Put(L"YSize", 2, &IBillboard3D::put_YSize),
                                       M::Method(L"QuerySize", 3, &IBillboard3D::QuerySize),
                                       M::Method(L"PutSize", 4, &IBillboard3D::PutSize),
                                       M::Get(L"SensorEllipsoid", 5, &IBillboard3D::get_SensorEllipsoid),
                                       M::PutRef(L"SensorEllipsoid", 5, &IBillboard3D::putref_SensorEllipsoid),
                                   },
                                   CalloutGraphicIncludes()};
  return table;
}

const DispatchTable& BillboardLabelTable() {
  static const DispatchTable table{
      M::Get(L"Text", 1, &IBillboardLabel3D::get_Text),
      M::Put(L"Text", 1, &IBillboardLabel3D::put_Text),
      M::Get(L"Angle", 2, &IBillboardLabel3D::get_Angle),
      M::Put(L"Angle", 2, &IBillboardLabel3D::put_Angle),
      M::Get(L"HAOption", 3, &IBillboardLabel3D::get_HAOption),
      M::Put(L"HAOption", 3, &IBillboardLabel3D::put_HAOption),
      M::Get(L"AutoArrange", 4, &IBillboardLabel3D::get_AutoArrange),
      M::Put(L"AutoArrange", 4, &IBillboardLabel3D::put_AutoArrange),
      M::Get(L"ManualRadius", 5, &IBillboardLabel3D::get_ManualRadius),
      M::Put(L"ManualRadius", 5, &IBillboardLabel3D::put_ManualRadius),
  };
  return table;
}

const DispatchTable& LabeledBillboardTable() {
  static const DispatchTable table{{
                                       M::Method(L"AddLabel", 1, &ILabeledBillboard3D::AddLabel),
                                       M::Method(L"ClearAllLabels", 2, &ILabeledBillboard3D::ClearAllLabels),
                                       M::Get(L"Font", 3, &ILabeledBillboard3D::get_Font),
                                       M::PutRef(L"Font", 3, &ILabeledBillboard3D::putref_Font),
                                       M::Get(L"Labels", 4, &ILabeledBillboard3D::get_Labels),
                                       M::Get(L"FontColor", 5, &ILabeledBillboard3D::get_FontColor),
                                       M::PutRef(L"FontColor", 5, &ILabeledBillboard3D::putref_FontColor),
                                       M::Get(L"EnableLabels", 6, &ILabeledBillboard3D::get_EnableLabels),
                                       M::Put(L"EnableLabels", 6, &ILabeledBillboard3D::put_EnableLabels),
                                   },
                                   {{BillboardTable(), kBillboardIds}}};
  return table;
}

const DispatchTable& TextPointTable() {
  static const DispatchTable table{{
                                       M::Get(L"Font", 1, &ITextPoint3D::get_Font),
                                       M::PutRef(L"Font", 1, &ITextPoint3D::putref_Font),
                                       M::Get(L"TextScale", 2, &ITextPoint3D::get_TextScale),
                                       M::Put(L"TextScale", 2, &ITextPoint3D::put_TextScale),
                                       M::Get(L"HAOption", 3, &ITextPoint3D::get_HAOption),
                                       M::Put(L"HAOption", 3, &ITextPoint3D::put_HAOption),
                                       M::Get(L"VAOption", 4, &ITextPoint3D::get_VAOption),
                                       M::Put(L"VAOption", 4, &ITextPoint3D::put_VAOption),
                                       M::Get(L"Text", 5, &ITextPoint3D::get_Text),
                                       M::Put(L"Text", 5, &ITextPoint3D::put_Text),
                                   },
                                   CalloutGraphicIncludes()};
  return table;
}

const DispatchTable& GroupTable() {
  static const DispatchTable table{{
                                       M::Method(L"AddGraphic", 1, &IGroupGraphic3D::AddGraphic),
                                       M::Method(L"RemoveGraphic", 2, &IGroupGraphic3D::RemoveGraphic),
                                       M::Method(L"Clear", 3, &IGroupGraphic3D::Clear),
                                       M::Get(L"Graphics", 4, &IGroupGraphic3D::get_Graphics),
                                       M::Get(L"ControlAsGroup", 5, &IGroupGraphic3D::get_ControlAsGroup),
                                       M::Put(L"ControlAsGroup", 5, &IGroupGraphic3D::put_ControlAsGroup),
                                   },
                                   {{GraphicTable(), kGraphicIds}, {UpdateTable(), kUpdateIds}}};
  return table;
}

const DispatchTable& GeoExtrusionTable() {
  static const DispatchTable table{
      {
          M::Get(L"Geometry", 1, &IGeoExtrusion3D::get_Geometry),
          M::PutRef(L"Geometry", 1, &IGeoExtrusion3D::putref_Geometry),
          M::Get(L"Type", 2, &IGeoExtrusion3D::get_Type),
          M::Put(L"Type", 2, &IGeoExtrusion3D::put_Type),
          M::Method(L"AddPoint", 3, &IGeoExtrusion3D::AddPoint),
          M::Get(L"InnerGeometries", 4, &IGeoExtrusion3D::get_InnerGeometries),
          M::PutRef(L"InnerGeometries", 4, &IGeoExtrusion3D::putref_InnerGeometries),
      },
      {{ExtrusionDispatchTable(), kExtrusionIds}, {GraphicTable(), kGraphicIds}, {UpdateTable(), kUpdateIds}}};
  return table;
}

}  // namespace

const DispatchTable& ExtrusionDispatchTable() {
  static const DispatchTable table{
      M::Get(L"EnableExtrusion", 1, &IExtrusion3D::get_EnableExtrusion),
      M::Put(L"EnableExtrusion", 1, &IExtrusion3D::put_EnableExtrusion),
      M::Get(L"EnableAutoExtrusionDepth", 2, &IExtrusion3D::get_EnableAutoExtrusionDepth),
      M::Put(L"EnableAutoExtrusionDepth", 2, &IExtrusion3D::put_EnableAutoExtrusionDepth),
      M::Get(L"ExtrusionDepth", 3, &IExtrusion3D::get_ExtrusionDepth),
      M::Put(L"ExtrusionDepth", 3, &IExtrusion3D::put_ExtrusionDepth),
      M::Get(L"ExtrusionMaterial", 4, &IExtrusion3D::get_ExtrusionMaterial),
      M::PutRef(L"ExtrusionMaterial", 4, &IExtrusion3D::putref_ExtrusionMaterial),
      M::Get(L"ExtrusionTransparency", 5, &IExtrusion3D::get_ExtrusionTransparency),
      M::Put(L"ExtrusionTransparency", 5, &IExtrusion3D::put_ExtrusionTransparency),
      M::Get(L"EnableOutlining", 6, &IExtrusion3D::get_EnableOutlining),
      M::Put(L"EnableOutlining", 6, &IExtrusion3D::put_EnableOutlining),
      M::Get(L"OutlineLineSymbol", 7, &IExtrusion3D::get_OutlineLineSymbol),
      M::PutRef(L"OutlineLineSymbol", 7, &IExtrusion3D::putref_OutlineLineSymbol),
  };
  return table;
}

std::span<const DispatchInterface> GraphicDispatchInterfaces() {
  static const DispatchInterface interfaces[] = {
      ZELPH_DISPATCH_INTERFACE(IOrientation3D, OrientationTable()),
      ZELPH_DISPATCH_INTERFACE(IGraphic3D, GraphicTable()),
      ZELPH_DISPATCH_INTERFACE(IUpdate3D, UpdateTable()),
      ZELPH_DISPATCH_INTERFACE(ICallout3D, CalloutTable()),
      ZELPH_DISPATCH_INTERFACE(IEllipsoid3D, EllipsoidTable()),
      ZELPH_DISPATCH_INTERFACE(IPartialEllipsoid3D, PartialEllipsoidTable()),
      ZELPH_DISPATCH_INTERFACE(IBillboard3D, BillboardTable()),
      ZELPH_DISPATCH_INTERFACE(IBillboardLabel3D, BillboardLabelTable()),
      ZELPH_DISPATCH_INTERFACE(ILabeledBillboard3D, LabeledBillboardTable()),
      ZELPH_DISPATCH_INTERFACE(ITextPoint3D, TextPointTable()),
      ZELPH_DISPATCH_INTERFACE(IGroupGraphic3D, GroupTable()),
      ZELPH_DISPATCH_INTERFACE(IExtrusion3D, ExtrusionDispatchTable()),
      ZELPH_DISPATCH_INTERFACE(IGeoExtrusion3D, GeoExtrusionTable()),
  };
  return interfaces;
}

}  // namespace zelph
