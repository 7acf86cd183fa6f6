// A geographic shape on the globe - a polyline, a polygon with optional
// holes, or an ellipse fitted around a set of points - optionally extruded
// into a wall or solid of a given depth, with an outline.
//
// The geometry the client hands in is kept as given (it is what is stored and
// moved); from it the graphic derives its full geometry, a dense 3D point
// sequence that follows the shape closely enough to lie on a curved globe,
// and from that its centroid and extent. The scene manager builds the area
// and line renderables from the full geometry and the extrusion settings.
#pragma once

#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "graphics/Extrusion3DBase.h"
#include "graphics/Graphic3DBase.h"

class GeoExtrusion3D : public Graphic3DBase,
                       public zelph::DispatchImpl<IGeoExtrusion3D>,
                       public Extrusion3DBase,
                       public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<IGeoExtrusion3D, zelph::DispatchAs<IGeoExtrusion3D>, IExtrusion3D,
                                           IGraphic3D, IPersistVariant, IUpdate3D>;

  // Makes the inner-geometry array, the extrusion material and the outline
  // symbol (each left empty when it cannot be made).
  GeoExtrusion3D();

  // IGeoExtrusion3D
  STDMETHODIMP get_Geometry(IGeometry** geometry) override;
  // Holds the geometry, derives the full geometry by the type, the centroid
  // from it, and the extent. A null geometry is refused with nothing changed.
  STDMETHODIMP putref_Geometry(IGeometry* geometry) override;
  STDMETHODIMP get_Type(kestGLExtrusionTypeOption* type) override;
  STDMETHODIMP put_Type(kestGLExtrusionTypeOption type) override;
  // Appends the point to the full geometry (an ellipse is fitted again so
  // that it takes the point in); ignored while there is no full geometry.
  STDMETHODIMP AddPoint(IPoint* point) override;
  STDMETHODIMP get_InnerGeometries(IArray** geometries) override;
  // Appends dense copies of the given holes, all or none; a polyline has no
  // holes and takes none.
  STDMETHODIMP putref_InnerGeometries(IArray* geometries) override;

  // IGraphic3D: moves the shape and its holes with the centroid.
  STDMETHODIMP putref_Centroid(IPoint* centroid) override;

  // IPersistVariant: the client geometry, type, holes, extrusion block with
  // the outline ratio, base block. The full geometry is derived again after
  // a load.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

  // The envelope of the full geometry; none while there is no full geometry.
  void UpdateExtent() override;

 protected:
  // Extrusion settings are part of the renderable: every change rebuilds it.
  void ExtrusionChanged() override;
  void CheckExtrusionTransparency(LONG transparency) override;
  // The outline colour follows the extrusion's opacity at the held ratio.
  void ExtrusionTransparencyStored() override;
  // The ratio is taken from the new symbol's colour.
  void OutlineSymbolStored() override;

 private:
  // The full geometry of the held geometry by the type; a type the graphic
  // does not know leaves the full geometry as it was.
  void DeriveFullGeometry();
  // The array of holes, made when missing.
  IArray* InnerGeometries();

  CComPtr<IGeometry> m_Geometry;
  CComPtr<IGeometry> m_FullGeometry;
  CComPtr<IArray> m_InnerGeometries;
  kestGLExtrusionTypeOption m_Type = kestGLExtrusionTypePolyline;
  double m_OutlineTransRatio = 1.0;
};
