// The library's graphic interfaces: what every 3D graphic has, its update
// level, callouts, and the properties of each kind of graphic.
#pragma once

#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "frame/HostSymbols.h"
#include "frame/LibraryEnums.h"
#include "frame/MaterialInterfaces.h"
#include "frame/FontInterfaces.h"
#include "platform/Unknown.h"

// Heading, pitch and roll in degrees. Changing it in place marks no graphic.
struct IOrientation3D : IDispatch {
  STDMETHOD(get_Heading)(DOUBLE* heading) = 0;
  STDMETHOD(put_Heading)(DOUBLE heading) = 0;
  STDMETHOD(get_Pitch)(DOUBLE* pitch) = 0;
  STDMETHOD(put_Pitch)(DOUBLE pitch) = 0;
  STDMETHOD(get_Roll)(DOUBLE* roll) = 0;
  STDMETHOD(put_Roll)(DOUBLE roll) = 0;
  STDMETHOD(QueryOrientation)(DOUBLE* heading, DOUBLE* pitch, DOUBLE* roll) = 0;
  STDMETHOD(PutOrientation)(DOUBLE heading, DOUBLE pitch, DOUBLE roll) = 0;

 protected:
  ~IOrientation3D() = default;
};
ZELPH_DEFINE_IID(IOrientation3D, 0x9A3F5F0D, 0xC32A, 0x4A83, 0x87, 0xB7, 0x3E, 0x89, 0x25, 0x6B, 0x27, 0x35);

// What every graphic has. Setters raise the graphic's update level.
struct IGraphic3D : IDispatch {
  STDMETHOD(get_UID)(BSTR* uid) = 0;
  STDMETHOD(put_UID)(BSTR uid) = 0;
  STDMETHOD(get_Centroid)(IPoint** centroid) = 0;
  STDMETHOD(putref_Centroid)(IPoint* centroid) = 0;
  STDMETHOD(get_DisplayOption)(kestGLDisplayOption* option) = 0;
  STDMETHOD(put_DisplayOption)(kestGLDisplayOption option) = 0;
  STDMETHOD(get_Material)(IMaterial3D** material) = 0;
  STDMETHOD(putref_Material)(IMaterial3D* material) = 0;
  STDMETHOD(get_Name)(BSTR* name) = 0;
  STDMETHOD(put_Name)(BSTR name) = 0;
  STDMETHOD(get_Orientation)(IOrientation3D** orientation) = 0;
  STDMETHOD(putref_Orientation)(IOrientation3D* orientation) = 0;
  STDMETHOD(get_Selected)(VARIANT_BOOL* selected) = 0;
  STDMETHOD(put_Selected)(VARIANT_BOOL selected) = 0;
  STDMETHOD(get_Transparency)(LONG* transparency) = 0;
  STDMETHOD(put_Transparency)(LONG transparency) = 0;
  STDMETHOD(get_Visible)(VARIANT_BOOL* visible) = 0;
  STDMETHOD(put_Visible)(VARIANT_BOOL visible) = 0;
  STDMETHOD(get_Extent)(IEnvelope** extent) = 0;
  STDMETHOD(get_ThresholdElevation)(DOUBLE* elevation) = 0;
  STDMETHOD(put_ThresholdElevation)(DOUBLE elevation) = 0;

 protected:
  ~IGraphic3D() = default;
};
ZELPH_DEFINE_IID(IGraphic3D, 0x5E30F3FE, 0x878C, 0x4760, 0xB1, 0x37, 0xD2, 0xF7, 0xA6, 0x54, 0xEE, 0xD0);

// How much of the graphic's renderable the scene manager must redo.
struct IUpdate3D : IDispatch {
  STDMETHOD(get_UpdateLevel)(kestGLUpdateLevel* level) = 0;
  // Sets the level exactly, lower too.
  STDMETHOD(put_UpdateLevel)(kestGLUpdateLevel level) = 0;

 protected:
  ~IUpdate3D() = default;
};
ZELPH_DEFINE_IID(IUpdate3D, 0x85D1A275, 0x0816, 0x452C, 0x90, 0x2D, 0x94, 0xA0, 0xF2, 0xE2, 0x3C, 0x74);

// The line from a point-like graphic to an anchor location, and a wind vane.
struct ICallout3D : IDispatch {
  STDMETHOD(get_EnableCallout)(VARIANT_BOOL* enabled) = 0;
  STDMETHOD(put_EnableCallout)(VARIANT_BOOL enabled) = 0;
  STDMETHOD(get_CalloutLineSymbol)(ISimpleLineSymbol** symbol) = 0;
  STDMETHOD(putref_CalloutLineSymbol)(ISimpleLineSymbol* symbol) = 0;
  STDMETHOD(get_CalloutAnchorLocation)(IPoint** anchor) = 0;
  STDMETHOD(putref_CalloutAnchorLocation)(IPoint* anchor) = 0;
  STDMETHOD(get_WindVaneAzimuth)(DOUBLE* azimuth) = 0;
  STDMETHOD(put_WindVaneAzimuth)(DOUBLE azimuth) = 0;
  STDMETHOD(get_WindVaneSize)(DOUBLE* size) = 0;
  STDMETHOD(put_WindVaneSize)(DOUBLE size) = 0;

 protected:
  ~ICallout3D() = default;
};
ZELPH_DEFINE_IID(ICallout3D, 0x605D07AA, 0xC5FE, 0x4736, 0x94, 0x29, 0x55, 0xB9, 0x6A, 0xCB, 0x42, 0xCE);

struct IEllipsoid3D : IDispatch {
  STDMETHOD(get_EllipsoidOption)(kestGLEllipsoidOption* option) = 0;
  STDMETHOD(put_EllipsoidOption)(kestGLEllipsoidOption option) = 0;
  STDMETHOD(get_GridSymbol)(ISimpleLineSymbol** symbol) = 0;
  STDMETHOD(putref_GridSymbol)(ISimpleLineSymbol* symbol) = 0;
  STDMETHOD(get_XSize)(DOUBLE* size) = 0;
  STDMETHOD(put_XSize)(DOUBLE size) = 0;
  STDMETHOD(get_YSize)(DOUBLE* size) = 0;
  STDMETHOD(put_YSize)(DOUBLE size) = 0;
  STDMETHOD(get_ZSize)(DOUBLE* size) = 0;
  STDMETHOD(put_ZSize)(DOUBLE size) = 0;
  STDMETHOD(QuerySize)(DOUBLE* x, DOUBLE* y, DOUBLE* z) = 0;
  STDMETHOD(PutSize)(DOUBLE x, DOUBLE y, DOUBLE z) = 0;

 protected:
  ~IEllipsoid3D() = default;
};
ZELPH_DEFINE_IID(IEllipsoid3D, 0x8A8FC6BF, 0xD67F, 0x45AF, 0x9D, 0x57, 0xBE, 0xD5, 0x27, 0xB6, 0xAE, 0x0C);

// A sector of an ellipsoid: azimuths in 0..360 and inclinations in -90..90
// degrees, optionally closed by caps.
struct IPartialEllipsoid3D : IDispatch {
  STDMETHOD(get_StartAzimuth)(DOUBLE* azimuth) = 0;
  STDMETHOD(put_StartAzimuth)(DOUBLE azimuth) = 0;
  STDMETHOD(get_EndAzimuth)(DOUBLE* azimuth) = 0;
  STDMETHOD(put_EndAzimuth)(DOUBLE azimuth) = 0;
  STDMETHOD(get_StartInclination)(DOUBLE* inclination) = 0;
  STDMETHOD(put_StartInclination)(DOUBLE inclination) = 0;
  STDMETHOD(get_EndInclination)(DOUBLE* inclination) = 0;
  STDMETHOD(put_EndInclination)(DOUBLE inclination) = 0;
  STDMETHOD(get_ShowCaps)(VARIANT_BOOL* show) = 0;
  STDMETHOD(put_ShowCaps)(VARIANT_BOOL show) = 0;

 protected:
  ~IPartialEllipsoid3D() = default;
};
ZELPH_DEFINE_IID(IPartialEllipsoid3D, 0x3316AD87, 0x46CB, 0x4B53, 0x8D, 0xE6, 0x98, 0xE5, 0x2E, 0x97, 0x50, 0x4F);

struct IBillboard3D : IDispatch {
  STDMETHOD(get_XSize)(DOUBLE* size) = 0;
  STDMETHOD(put_XSize)(DOUBLE size) = 0;
  STDMETHOD(get_YSize)(DOUBLE* size) = 0;
  STDMETHOD(put_YSize)(DOUBLE size) = 0;
  STDMETHOD(QuerySize)(DOUBLE* x, DOUBLE* y) = 0;
  STDMETHOD(PutSize)(DOUBLE x, DOUBLE y) = 0;
  STDMETHOD(get_SensorEllipsoid)(IEllipsoid3D** ellipsoid) = 0;
  STDMETHOD(putref_SensorEllipsoid)(IEllipsoid3D* ellipsoid) = 0;

 protected:
  ~IBillboard3D() = default;
};
ZELPH_DEFINE_IID(IBillboard3D, 0x4274A69D, 0xBD86, 0x4563, 0x91, 0x9C, 0x18, 0xD9, 0x83, 0x14, 0x08, 0x51);

// One text label of a labelled billboard. It has no update level of its own.
struct IBillboardLabel3D : IDispatch {
  STDMETHOD(get_Text)(BSTR* text) = 0;
  STDMETHOD(put_Text)(BSTR text) = 0;
  STDMETHOD(get_Angle)(DOUBLE* angle) = 0;
  STDMETHOD(put_Angle)(DOUBLE angle) = 0;
  STDMETHOD(get_HAOption)(kestGLHAlignOption* option) = 0;
  STDMETHOD(put_HAOption)(kestGLHAlignOption option) = 0;
  STDMETHOD(get_AutoArrange)(VARIANT_BOOL* automatic) = 0;
  STDMETHOD(put_AutoArrange)(VARIANT_BOOL automatic) = 0;
  STDMETHOD(get_ManualRadius)(DOUBLE* radius) = 0;
  STDMETHOD(put_ManualRadius)(DOUBLE radius) = 0;

 protected:
  ~IBillboardLabel3D() = default;
};
ZELPH_DEFINE_IID(IBillboardLabel3D, 0x30F93F5B, 0xAB0C, 0x4F08, 0xA3, 0x0A, 0xEB, 0x91, 0x2A, 0x97, 0x51, 0x5F);

struct ILabeledBillboard3D : IDispatch {
  STDMETHOD(AddLabel)(IBillboardLabel3D* label) = 0;
  STDMETHOD(ClearAllLabels)() = 0;
  STDMETHOD(get_Font)(IFont3D** font) = 0;
  STDMETHOD(putref_Font)(IFont3D* font) = 0;
  // The label array itself; changing it directly marks nothing.
  STDMETHOD(get_Labels)(IArray** labels) = 0;
  STDMETHOD(get_FontColor)(IRgbColor** color) = 0;
  STDMETHOD(putref_FontColor)(IRgbColor* color) = 0;
  STDMETHOD(get_EnableLabels)(VARIANT_BOOL* enabled) = 0;
  STDMETHOD(put_EnableLabels)(VARIANT_BOOL enabled) = 0;

 protected:
  ~ILabeledBillboard3D() = default;
};
ZELPH_DEFINE_IID(ILabeledBillboard3D, 0xE14AD644, 0xB5AA, 0x4D0D, 0x9E, 0xAA, 0x84, 0xE5, 0xF4, 0x58, 0x91, 0x54);

struct ITextPoint3D : IDispatch {
  STDMETHOD(get_Font)(IFont3D** font) = 0;
  STDMETHOD(putref_Font)(IFont3D* font) = 0;
  STDMETHOD(get_TextScale)(DOUBLE* scale) = 0;
  STDMETHOD(put_TextScale)(DOUBLE scale) = 0;
  STDMETHOD(get_HAOption)(kestGLHAlignOption* option) = 0;
  STDMETHOD(put_HAOption)(kestGLHAlignOption option) = 0;
  STDMETHOD(get_VAOption)(kestGLVAlignOption* option) = 0;
  STDMETHOD(put_VAOption)(kestGLVAlignOption option) = 0;
  STDMETHOD(get_Text)(BSTR* text) = 0;
  STDMETHOD(put_Text)(BSTR text) = 0;

 protected:
  ~ITextPoint3D() = default;
};
ZELPH_DEFINE_IID(ITextPoint3D, 0x2D2E8CF4, 0x7E6A, 0x45F2, 0xA1, 0x89, 0x37, 0x59, 0xF1, 0x31, 0xE8, 0x61);

struct IGroupGraphic3D : IDispatch {
  STDMETHOD(AddGraphic)(IGraphic3D* graphic) = 0;
  STDMETHOD(RemoveGraphic)(IGraphic3D* graphic) = 0;
  STDMETHOD(Clear)() = 0;
  // A new array holding the members in order.
  STDMETHOD(get_Graphics)(IArray** graphics) = 0;
  STDMETHOD(get_ControlAsGroup)(VARIANT_BOOL* control) = 0;
  STDMETHOD(put_ControlAsGroup)(VARIANT_BOOL control) = 0;

 protected:
  ~IGroupGraphic3D() = default;
};
ZELPH_DEFINE_IID(IGroupGraphic3D, 0x84F12612, 0x7355, 0x4992, 0x94, 0x7D, 0xB2, 0xED, 0x3D, 0xE0, 0x25, 0x01);

// Extrusion into walls or solid letters, with an outline; shared by
// geographic extrusions and extruded fonts.
struct IExtrusion3D : IDispatch {
  STDMETHOD(get_EnableExtrusion)(VARIANT_BOOL* enabled) = 0;
  STDMETHOD(put_EnableExtrusion)(VARIANT_BOOL enabled) = 0;
  STDMETHOD(get_EnableAutoExtrusionDepth)(VARIANT_BOOL* automatic) = 0;
  STDMETHOD(put_EnableAutoExtrusionDepth)(VARIANT_BOOL automatic) = 0;
  STDMETHOD(get_ExtrusionDepth)(DOUBLE* depth) = 0;
  STDMETHOD(put_ExtrusionDepth)(DOUBLE depth) = 0;
  STDMETHOD(get_ExtrusionMaterial)(IMaterial3D** material) = 0;
  STDMETHOD(putref_ExtrusionMaterial)(IMaterial3D* material) = 0;
  STDMETHOD(get_ExtrusionTransparency)(LONG* transparency) = 0;
  STDMETHOD(put_ExtrusionTransparency)(LONG transparency) = 0;
  STDMETHOD(get_EnableOutlining)(VARIANT_BOOL* enabled) = 0;
  STDMETHOD(put_EnableOutlining)(VARIANT_BOOL enabled) = 0;
  STDMETHOD(get_OutlineLineSymbol)(ISimpleLineSymbol** symbol) = 0;
  STDMETHOD(putref_OutlineLineSymbol)(ISimpleLineSymbol* symbol) = 0;

 protected:
  ~IExtrusion3D() = default;
};
ZELPH_DEFINE_IID(IExtrusion3D, 0x6974E722, 0xF661, 0x4733, 0x9D, 0x78, 0xDD, 0x8A, 0xD2, 0xBE, 0x06, 0xE1);

// A geographic shape on the globe (a polyline, a polygon with holes, or an
// ellipse fitted around points), optionally extruded. The geometry handed in
// is turned into a dense point sequence that follows the globe's curve.
struct IGeoExtrusion3D : IDispatch {
  // The dense point sequence derived from the geometry handed in; null while
  // none has been derived.
  STDMETHOD(get_Geometry)(IGeometry** geometry) = 0;
  STDMETHOD(putref_Geometry)(IGeometry* geometry) = 0;
  STDMETHOD(get_Type)(kestGLExtrusionTypeOption* type) = 0;
  // Takes effect when the geometry is next set.
  STDMETHOD(put_Type)(kestGLExtrusionTypeOption type) = 0;
  STDMETHOD(AddPoint)(IPoint* point) = 0;
  // The held array of holes itself.
  STDMETHOD(get_InnerGeometries)(IArray** geometries) = 0;
  // Appends dense copies of the given holes.
  STDMETHOD(putref_InnerGeometries)(IArray* geometries) = 0;

 protected:
  ~IGeoExtrusion3D() = default;
};
ZELPH_DEFINE_IID(IGeoExtrusion3D, 0xD9070BDD, 0x5728, 0x4DE6, 0xA1, 0x54, 0x0A, 0x00, 0xB3, 0x49, 0x89, 0xC3);
