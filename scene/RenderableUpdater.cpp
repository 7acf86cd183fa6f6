#include "scene/RenderableUpdater.h"

#include <cmath>
#include <optional>
#include <vector>

#include "frame/ErrorConvention.h"
#include "frame/Logger.h"
#include "geometry/GeometryHelfen.h"
#include "platform/ComBstr.h"
#include "render/CalloutBase.h"
#include "render/RenderBillboard.h"
#include "render/RenderEllipsoid.h"
#include "render/RenderGroup.h"
#include "render/RenderLine.h"
#include "scene/GraphicList.h"
#include "text/RenderTextPoint.h"

namespace {

using zelph::ThrowIfFailed;
using zelph::ThrowIfNull;
using Location = std::optional<Geopunctus>;

Location LocationOf(IPoint* point) { return GeometryHelfen::GeographicLocation(point); }

CComPtr<IGraphic3D> GraphicOf(IUnknown* typed) {
  CComQIPtr<IGraphic3D> graphic{typed};
  ThrowIfNull(graphic);
  return CComPtr<IGraphic3D>(graphic.p);
}

float ThresholdElevationOf(IGraphic3D* graphic) {
  double elevation = 0.0;
  ThrowIfFailed(graphic->get_ThresholdElevation(&elevation));
  return static_cast<float>(elevation);
}

bool VisibleOf(IGraphic3D* graphic) {
  VARIANT_BOOL visible = VARIANT_FALSE;
  ThrowIfFailed(graphic->get_Visible(&visible));
  return visible == VARIANT_TRUE;
}

bool ControlledAsGroup(IGroupGraphic3D* group) {
  VARIANT_BOOL control = VARIANT_FALSE;
  ThrowIfFailed(group->get_ControlAsGroup(&control));
  return control == VARIANT_TRUE;
}

CComPtr<IPoint> CentroidOf(IGraphic3D* graphic) {
  CComPtr<IPoint> centroid;
  ThrowIfFailed(graphic->get_Centroid(&centroid));
  return centroid;
}

CComPtr<IOrientation3D> OrientationOf(IGraphic3D* graphic) {
  CComPtr<IOrientation3D> orientation;
  ThrowIfFailed(graphic->get_Orientation(&orientation));
  return orientation;
}

// Null for a graphic without a callout.
CComPtr<IPoint> AnchorOf(IUnknown* graphic) {
  CComPtr<IPoint> anchor;
  if (CComQIPtr<ICallout3D> callout{graphic}) ThrowIfFailed(callout->get_CalloutAnchorLocation(&anchor));
  return anchor;
}

// The threshold elevation goes first, as the anchor and the callout are
// placed with it. A renderable moved to a centroid takes along what it owns
// (a line its vertices, a group its members); without a centroid it is
// placed anew where it stands. A billboard's sensor stands where the
// billboard stands.
void Place(GraphicBase& renderable, float thresholdElevation, const Location& centroid, const Location& anchor) {
  renderable.SetThresholdElevation(thresholdElevation);
  renderable.SetCentroidLocation(centroid.value_or(renderable.GetCentroidLocation()), centroid.has_value());
  if (auto* callout = dynamic_cast<CalloutBase*>(&renderable)) {
    callout->SetCalloutLocation(anchor.value_or(callout->GetCalloutLocation()));
  }
  // Wind vanes, line vertices and extruded text depth are compiled at the
  // place they stood.
  renderable.InvalidateLocation();
  if (auto* billboard = dynamic_cast<RenderBillboard*>(&renderable)) {
    if (RenderEllipsoid* sensor = billboard->GetSensorEllipsoid()) Place(*sensor, thresholdElevation, centroid, anchor);
  }
}

// Turns the renderable only when an angle differs, so that an unchanged
// orientation keeps its compiled list.
void Orient(GraphicBase& renderable, IOrientation3D* orientation) {
  if (!orientation) return;
  double heading = 0.0, pitch = 0.0, roll = 0.0;
  ThrowIfFailed(orientation->QueryOrientation(&heading, &pitch, &roll));
  float currentHeading = 0.0f, currentPitch = 0.0f, currentRoll = 0.0f;
  renderable.QueryOrientation(&currentHeading, &currentPitch, &currentRoll);
  if (static_cast<float>(heading) == currentHeading && static_cast<float>(pitch) == currentPitch &&
      static_cast<float>(roll) == currentRoll) {
    return;
  }
  renderable.SetHeading(static_cast<float>(heading), false);
  renderable.SetPitch(static_cast<float>(pitch), false);
  renderable.SetRoll(static_cast<float>(roll), false);
  renderable.InvalidateOrientation();
}

void Resize(RenderEllipsoid& renderable, IEllipsoid3D* ellipsoid) {
  double x = 0.0, y = 0.0, z = 0.0;
  ThrowIfFailed(ellipsoid->QuerySize(&x, &y, &z));
  float currentX = 0.0f, currentY = 0.0f, currentZ = 0.0f;
  renderable.GetSize(&currentX, &currentY, &currentZ);
  if (static_cast<float>(x) == currentX && static_cast<float>(y) == currentY && static_cast<float>(z) == currentZ) {
    return;
  }
  renderable.SetSize(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  renderable.InvalidateSize();
}

void Resize(RenderBillboard& renderable, IBillboard3D* billboard) {
  double x = 0.0, y = 0.0;
  ThrowIfFailed(billboard->QuerySize(&x, &y));
  float currentX = 0.0f, currentY = 0.0f;
  renderable.GetSize(&currentX, &currentY);
  if (static_cast<float>(x) == currentX && static_cast<float>(y) == currentY) return;
  renderable.SetSize(static_cast<float>(x), static_cast<float>(y));
  renderable.InvalidateSize();
}

// The orientation and sizes of a billboard (its sensor turning and growing
// by the sensor's own graphic, as it was built from it) or of an
// ellipsoid; other kinds have no sizes.
void Reshape(GraphicBase& renderable, IGraphic3D* graphic, IOrientation3D* orientation) {
  Orient(renderable, orientation);
  if (auto* billboard = dynamic_cast<RenderBillboard*>(&renderable)) {
    CComQIPtr<IBillboard3D> board{graphic};
    if (!board) return;
    Resize(*billboard, board);
    CComPtr<IEllipsoid3D> sensorGraphic;
    ThrowIfFailed(board->get_SensorEllipsoid(&sensorGraphic));
    RenderEllipsoid* sensor = billboard->GetSensorEllipsoid();
    if (!sensor || !sensorGraphic) return;
    Orient(*sensor, OrientationOf(GraphicOf(sensorGraphic)));
    Resize(*sensor, sensorGraphic);
  } else if (auto* ellipsoid = dynamic_cast<RenderEllipsoid*>(&renderable)) {
    if (CComQIPtr<IEllipsoid3D> shape{graphic}) Resize(*ellipsoid, shape);
  }
}

void Show(GraphicBase& renderable, bool visible) {
  renderable.SetVisible(visible);
  if (auto* billboard = dynamic_cast<RenderBillboard*>(&renderable)) {
    if (RenderEllipsoid* sensor = billboard->GetSensorEllipsoid()) sensor->SetVisible(visible);
  }
}

// The whole update of one renderable from its graphic's values.
void Update(GraphicBase& renderable, IGraphic3D* graphic, IPoint* centroid, IPoint* anchor, IOrientation3D* orientation,
            bool LoxOnly) {
  Place(renderable, ThresholdElevationOf(graphic), LocationOf(centroid), anchor ? LocationOf(anchor) : Location());
  if (!LoxOnly) Reshape(renderable, graphic, orientation);
  Show(renderable, VisibleOf(graphic));
}

// A member graphic of a group and its renderable inside the group's, null
// when the group has none for it.
struct Member {
  CComPtr<IGraphic3D> graphic;
  GraphicBase* renderable;
};

// The group's members in order; elements that are no graphics were never
// built and are passed over.
std::vector<Member> MembersOf(IGroupGraphic3D* group, RenderGroup& renderable) {
  CComPtr<IArray> graphics;
  ThrowIfFailed(group->get_Graphics(&graphics));
  ThrowIfNull(graphics);
  LONG count = 0;
  ThrowIfFailed(graphics->get_Count(&count));
  std::vector<Member> members;
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IUnknown> element;
    ThrowIfFailed(graphics->get_Element(i, &element));
    CComQIPtr<IGraphic3D> graphic{element};
    if (!graphic) continue;
    CComBSTR uid;
    ThrowIfFailed(graphic->get_UID(&uid));
    members.push_back({CComPtr<IGraphic3D>(graphic.p), renderable.FindGraphic(uid)});
  }
  return members;
}

}  // namespace

RenderableUpdater::RenderableUpdater(RenderMap& billboards, RenderMap& others)
    : m_BillboardMap(billboards), m_OtherMap(others) {}

template <class T>
T* RenderableUpdater::StoredAs(const RenderMap& map, IUnknown* graphic) {
  return dynamic_cast<T*>(map.Find(GraphicList::UidOf(GraphicOf(graphic))));
}

void RenderableUpdater::MinorUpdateGraphic(IGraphic3D* graphic, bool LoxOnly) {
  zelph::InternalCall(L"LocalMoveGraphic", [&] {
    ThrowIfNull(graphic);
    CComPtr<IPoint> centroid = CentroidOf(graphic);
    CComPtr<IOrientation3D> orientation = OrientationOf(graphic);
    CComPtr<IPoint> anchor = AnchorOf(graphic);
    // Labelled billboards are billboards, partial ellipsoids ellipsoids.
    if (CComQIPtr<IBillboard3D> billboard{graphic}) {
      MinorUpdateBillboardRenderable(billboard, centroid, anchor, orientation, LoxOnly);
    } else if (CComQIPtr<IGeoExtrusion3D> extrusion{graphic}) {
      MinorUpdateGeoExtrusionRenderable(extrusion, centroid, LoxOnly);
    } else if (CComQIPtr<IEllipsoid3D> ellipsoid{graphic}) {
      MinorUpdateEllipsoidRenderable(ellipsoid, centroid, anchor, orientation, LoxOnly);
    } else if (CComQIPtr<IGroupGraphic3D> group{graphic}) {
      if (ControlledAsGroup(group)) {
        MinorUpdateGroupRenderable(group, centroid, orientation, LoxOnly);
      } else {
        MinorUpdateGroupRenderableUncontrolled(group, LoxOnly);
      }
    } else if (CComQIPtr<ITextPoint3D> text{graphic}) {
      MinorUpdateTextRenderable(text, centroid, anchor, orientation, LoxOnly);
    }
  });
}

void RenderableUpdater::MinorUpdateBillboardRenderable(IBillboard3D* billboard, IPoint* centroid, IPoint* anchor,
                                                       IOrientation3D* orientation, bool LoxOnly) {
  zelph::InternalCall(L"MinorUpdateBillboardRenderable", [&] {
    if (auto* renderable = StoredAs<RenderBillboard>(m_BillboardMap, billboard)) {
      Update(*renderable, GraphicOf(billboard), centroid, anchor, orientation, LoxOnly);
    }
  });
}

void RenderableUpdater::MinorUpdateGeoExtrusionRenderable(IGeoExtrusion3D* extrusion, IPoint* centroid,
                                                          bool /*LoxOnly*/) {
  zelph::InternalCall(L"MinorUpdateGeoExtrusionRenderable", [&] {
    if (auto* renderable = StoredAs<RenderLine>(m_OtherMap, extrusion)) {
      Update(*renderable, GraphicOf(extrusion), centroid, nullptr, nullptr, true);
    }
  });
}

void RenderableUpdater::MinorUpdateEllipsoidRenderable(IEllipsoid3D* ellipsoid, IPoint* centroid, IPoint* anchor,
                                                       IOrientation3D* orientation, bool LoxOnly) {
  zelph::InternalCall(L"MinorUpdateEllipsoidRenderable", [&] {
    if (auto* renderable = StoredAs<RenderEllipsoid>(m_OtherMap, ellipsoid)) {
      Update(*renderable, GraphicOf(ellipsoid), centroid, anchor, orientation, LoxOnly);
    }
  });
}

void RenderableUpdater::MinorUpdateTextRenderable(ITextPoint3D* text, IPoint* centroid, IPoint* anchor,
                                                  IOrientation3D* orientation, bool LoxOnly) {
  zelph::InternalCall(L"MinorUpdateTextRenderable", [&] {
    if (auto* renderable = StoredAs<RenderTextPoint>(m_OtherMap, text)) {
      Update(*renderable, GraphicOf(text), centroid, anchor, orientation, LoxOnly);
    }
  });
}

void RenderableUpdater::MinorUpdateGroupRenderable(IGroupGraphic3D* group, IPoint* centroid,
                                                   IOrientation3D* orientation, bool LoxOnly) {
  zelph::InternalCall(L"MinorUpdateGroupRenderable", [&] {
    auto* renderable = StoredAs<RenderGroup>(m_OtherMap, group);
    if (!renderable) return;
    CComPtr<IGraphic3D> graphic = GraphicOf(group);
    const std::vector<Member> members = MembersOf(group, *renderable);
    // The group draws through its members, which were built at their own
    // threshold elevations: they take them first, so that the group's move
    // places them there.
    for (const Member& member : members) {
      if (member.renderable) member.renderable->SetThresholdElevation(ThresholdElevationOf(member.graphic));
    }
    Place(*renderable, ThresholdElevationOf(graphic), LocationOf(centroid), std::nullopt);
    if (!LoxOnly) {
      Orient(*renderable, orientation);
      for (const Member& member : members) {
        // The group turned them already; only their sizes are their own.
        if (member.renderable) Reshape(*member.renderable, member.graphic, nullptr);
      }
    }
    // The members show as the group shows, as they did when it was built.
    const bool visible = VisibleOf(graphic);
    renderable->SetVisible(visible);
    for (const Member& member : members) {
      if (member.renderable) Show(*member.renderable, visible);
    }
    renderable->SetSelectAsGroup(ControlledAsGroup(group));
  });
}

void RenderableUpdater::MinorUpdateGroupRenderableUncontrolled(IGroupGraphic3D* group, bool LoxOnly) {
  zelph::InternalCall(L"MinorUpdateGroupRenderableUncontrolled", [&] {
    auto* renderable = StoredAs<RenderGroup>(m_OtherMap, group);
    if (!renderable) return;
    for (const Member& member : MembersOf(group, *renderable)) {
      if (!member.renderable) {
        Logger::Trace(L"COM/Native mismatch with GroupGraphic3D/RenderGroup");
        continue;
      }
      Update(*member.renderable, member.graphic, CentroidOf(member.graphic), AnchorOf(member.graphic),
             OrientationOf(member.graphic), LoxOnly);
    }
    renderable->SetSelectAsGroup(ControlledAsGroup(group));
  });
}
