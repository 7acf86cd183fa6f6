#include "graphics/GroupGraphic3D.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <vector>

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

namespace {

// Below this a centroid move is taken for no move at all.
constexpr double kLeastMove = 1e-9;

struct Coords {
  double x;
  double y;
  double z;  // NaN when the point has no height
};

// The coordinates of a placed point; nothing for a null or empty one.
std::optional<Coords> PlacedCoords(IPoint* point) {
  if (!point) return std::nullopt;
  Coords coords{};
  if (point->get_X(&coords.x) != S_OK || point->get_Y(&coords.y) != S_OK) return std::nullopt;
  if (point->get_Z(&coords.z) != S_OK) coords.z = std::numeric_limits<double>::quiet_NaN();
  return coords;
}

// The least and greatest of the values taken in, NaN left out.
class Span {
 public:
  void Take(double value) {
    if (std::isnan(value)) return;
    m_Least = std::min(m_Least, value);
    m_Greatest = std::max(m_Greatest, value);
    m_Any = true;
  }
  bool Any() const { return m_Any; }
  double Least() const { return m_Least; }
  double Greatest() const { return m_Greatest; }
  // The middle; 0 when nothing was taken.
  double Middle() const { return m_Any ? m_Least + (m_Greatest - m_Least) * 0.5 : 0.0; }

 private:
  double m_Least = std::numeric_limits<double>::infinity();
  double m_Greatest = -std::numeric_limits<double>::infinity();
  bool m_Any = false;
};

// A move along one axis; an unknown one (NaN, infinite) moves nothing.
double Offset(double to, double from) {
  double d = to - from;
  return std::isfinite(d) ? d : 0.0;
}

CComPtr<IUnknown> IdentityOf(IUnknown* object) {
  CComPtr<IUnknown> identity;
  if (object) object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  return identity;
}

}  // namespace

GroupGraphic3D::GroupGraphic3D()
    : m_Graphics(zelph::NewHostObject<IArray>(CLSID_Array)), m_Junk(zelph::NewHostObject<IArray>(CLSID_Array)) {}

LONG GroupGraphic3D::MemberCount() const {
  zelph::ThrowIfNull(m_Graphics);
  LONG count = 0;
  zelph::ThrowIfFailed(m_Graphics->get_Count(&count));
  return count;
}

CComPtr<IGraphic3D> GroupGraphic3D::Member(LONG index) const {
  CComPtr<IUnknown> element;
  zelph::ThrowIfFailed(m_Graphics->get_Element(index, &element));
  CComQIPtr<IGraphic3D> graphic{element};
  if (!graphic) zelph::Fail(E_FAIL);
  return CComPtr<IGraphic3D>(graphic);
}

template <class Setter>
void GroupGraphic3D::ForEachMember(Setter&& set) {
  LONG count = MemberCount();
  for (LONG i = 0; i < count; ++i) set(Member(i).p);
}

bool GroupGraphic3D::WouldHoldItself(IGraphic3D* graphic) {
  CComPtr<IUnknown> self = IdentityOf(static_cast<IGroupGraphic3D*>(this));
  std::set<IUnknown*> seen;
  std::vector<CComPtr<IUnknown>> pending{CComPtr<IUnknown>(graphic)};
  while (!pending.empty()) {
    CComPtr<IUnknown> next = IdentityOf(pending.back());
    pending.pop_back();
    if (!next) continue;
    if (next == self) return true;
    if (!seen.insert(next.p).second) continue;
    CComQIPtr<IGroupGraphic3D> group{next};
    CComPtr<IArray> members;
    if (!group || FAILED(group->get_Graphics(&members)) || !members) continue;
    LONG count = 0;
    members->get_Count(&count);
    for (LONG i = 0; i < count; ++i) {
      CComPtr<IUnknown> member;
      if (SUCCEEDED(members->get_Element(i, &member))) pending.push_back(member);
    }
  }
  return false;
}

void GroupGraphic3D::ReCalculateCentroid() {
  Span xs, ys, zs;
  LONG count = MemberCount();
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IPoint> centroid;
    zelph::ThrowIfFailed(Member(i)->get_Centroid(&centroid));
    std::optional<Coords> coords = PlacedCoords(centroid);
    if (!coords) continue;
    xs.Take(coords->x);
    ys.Take(coords->y);
    zs.Take(coords->z);
  }
  CComPtr<IPoint> centre = zelph::RequireHostObject<IPoint>(CLSID_Point);
  zelph::ThrowIfFailed(centre->PutCoords(xs.Middle(), ys.Middle()));
  zelph::ThrowIfFailed(centre->put_Z(zs.Middle()));
  m_Centroid = centre;
}

void GroupGraphic3D::ReCenterGraphics(IPoint* oldCentre, IPoint* newCentre) {
  std::optional<Coords> from = PlacedCoords(oldCentre);
  std::optional<Coords> to = PlacedCoords(newCentre);
  if (!from || !to) return;
  const double dx = Offset(to->x, from->x);
  const double dy = Offset(to->y, from->y);
  const double dz = Offset(to->z, from->z);
  if (std::fabs(dx) < kLeastMove && std::fabs(dy) < kLeastMove && std::fabs(dz) < kLeastMove) return;
  ForEachMember([&](IGraphic3D* member) {
    CComPtr<IPoint> centroid;
    zelph::ThrowIfFailed(member->get_Centroid(&centroid));
    std::optional<Coords> at = PlacedCoords(centroid);
    if (!at) return;  // an unplaced member stays where it is
    zelph::ThrowIfFailed(centroid->put_X(at->x + dx));
    zelph::ThrowIfFailed(centroid->put_Y(at->y + dy));
    zelph::ThrowIfFailed(centroid->put_Z(at->z + dz));
    // Handed back so that the member follows its new centroid with what it
    // owns (an extrusion's geometry, a group's members).
    zelph::ThrowIfFailed(member->putref_Centroid(centroid));
  });
}

STDMETHODIMP GroupGraphic3D::AddGraphic(IGraphic3D* graphic) {
  return ComCall(L"AddGraphic", [&] {
    if (!graphic) return;
    if (WouldHoldItself(graphic)) zelph::Fail(E_INVALIDARG);
    zelph::ThrowIfNull(m_Graphics);
    zelph::ThrowIfFailed(m_Graphics->Add(graphic));
    ReCalculateCentroid();
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP GroupGraphic3D::RemoveGraphic(IGraphic3D* graphic) {
  return ComCall(L"RemoveGraphic", [&] {
    if (!graphic) return;
    CComBSTR uid;
    zelph::ThrowIfFailed(graphic->get_UID(&uid));
    LONG count = MemberCount();
    for (LONG i = 0; i < count; ++i) {
      CComBSTR memberUid;
      zelph::ThrowIfFailed(Member(i)->get_UID(&memberUid));
      if (memberUid.View() != uid.View()) continue;
      // Kept until Clear or the group's end: a renderable may still stand
      // for it.
      zelph::ThrowIfNull(m_Junk);
      zelph::ThrowIfFailed(m_Junk->Add(graphic));
      zelph::ThrowIfFailed(m_Graphics->Remove(i));
      break;
    }
    ReCalculateCentroid();
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP GroupGraphic3D::Clear() {
  return ComCall(L"Clear", [&] {
    zelph::ThrowIfNull(m_Graphics);
    zelph::ThrowIfFailed(m_Graphics->RemoveAll());
    if (m_Junk) zelph::ThrowIfFailed(m_Junk->RemoveAll());
    ReCalculateCentroid();
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP GroupGraphic3D::get_Graphics(IArray** graphics) {
  return ComCall(
      L"get_Graphics",
      [&] {
        CComPtr<IArray> copy = zelph::RequireHostObject<IArray>(CLSID_Array);
        LONG count = MemberCount();
        for (LONG i = 0; i < count; ++i) {
          CComPtr<IUnknown> element;
          zelph::ThrowIfFailed(m_Graphics->get_Element(i, &element));
          zelph::ThrowIfFailed(copy->Add(element));
        }
        *graphics = copy.Detach();
      },
      graphics);
}

STDMETHODIMP GroupGraphic3D::get_ControlAsGroup(VARIANT_BOOL* control) {
  return ComCall(L"get_ControlAsGroup", [&] { *control = m_ControlAsGroup; }, control);
}

STDMETHODIMP GroupGraphic3D::put_ControlAsGroup(VARIANT_BOOL control) {
  return ComCall(L"put_ControlAsGroup", [&] {
    m_ControlAsGroup = control;
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP GroupGraphic3D::putref_Centroid(IPoint* centroid) {
  return ComCall(L"putref_Centroid", [&] {
    if (!centroid) return;
    CComPtr<IPoint> old = m_Centroid;
    m_Centroid = centroid;
    if (!Controlled()) return;
    RaiseUpdateLevel(kestGLUpdateLocation);
    ReCenterGraphics(old, centroid);
  });
}

STDMETHODIMP GroupGraphic3D::put_DisplayOption(kestGLDisplayOption option) {
  return ComCall(L"put_DisplayOption", [&] {
    m_DisplayOption = option;
    if (!Controlled()) return;
    RaiseUpdateLevel(kestGLUpdateMajor);
    ForEachMember([&](IGraphic3D* member) { zelph::ThrowIfFailed(member->put_DisplayOption(option)); });
  });
}

STDMETHODIMP GroupGraphic3D::putref_Material(IMaterial3D* material) {
  return ComCall(L"putref_Material", [&] {
    m_Material = material;
    if (!Controlled()) return;
    RaiseUpdateLevel(kestGLUpdateMajor);
    ForEachMember([&](IGraphic3D* member) { zelph::ThrowIfFailed(member->putref_Material(material)); });
  });
}

STDMETHODIMP GroupGraphic3D::putref_Orientation(IOrientation3D* orientation) {
  return ComCall(L"putref_Orientation", [&] {
    m_Orientation = orientation;
    if (!Controlled()) return;
    RaiseUpdateLevel(kestGLUpdateMinor);
    ForEachMember([&](IGraphic3D* member) { zelph::ThrowIfFailed(member->putref_Orientation(orientation)); });
  });
}

STDMETHODIMP GroupGraphic3D::put_Selected(VARIANT_BOOL selected) {
  return ComCall(L"put_Selected", [&] {
    m_Selected = selected;
    if (!Controlled()) return;
    RaiseUpdateLevel(kestGLUpdateMajor);
    ForEachMember([&](IGraphic3D* member) { zelph::ThrowIfFailed(member->put_Selected(selected)); });
  });
}

STDMETHODIMP GroupGraphic3D::put_Transparency(LONG transparency) {
  return ComCall(L"put_Transparency", [&] {
    zelph::RequireTransparency(transparency);
    m_Transparency = transparency;
    if (!Controlled()) return;
    RaiseUpdateLevel(kestGLUpdateMajor);
    ForEachMember([&](IGraphic3D* member) {
      zelph::ThrowIfFailed(member->put_Transparency(transparency));
      if (CComQIPtr<IExtrusion3D> extrusion{member}) {
        zelph::ThrowIfFailed(extrusion->put_ExtrusionTransparency(transparency));
      }
    });
  });
}

STDMETHODIMP GroupGraphic3D::put_Visible(VARIANT_BOOL visible) {
  return ComCall(L"put_Visible", [&] {
    m_Visible = visible;
    if (!Controlled()) return;
    RaiseUpdateLevel(kestGLUpdateMinor);
    ForEachMember([&](IGraphic3D* member) { zelph::ThrowIfFailed(member->put_Visible(visible)); });
  });
}

STDMETHODIMP GroupGraphic3D::put_ThresholdElevation(DOUBLE elevation) {
  return ComCall(L"put_ThresholdElevation", [&] {
    zelph::RequireNumber(elevation);
    m_ThresholdElevation = elevation;
    if (!Controlled()) return;
    RaiseUpdateLevel(kestGLUpdateLocation);
    ForEachMember([&](IGraphic3D* member) { zelph::ThrowIfFailed(member->put_ThresholdElevation(elevation)); });
  });
}

STDMETHODIMP GroupGraphic3D::get_UpdateLevel(kestGLUpdateLevel* level) {
  return ComCall(
      L"get_UpdateLevel",
      [&] {
        ForEachMember([&](IGraphic3D* member) {
          CComQIPtr<IUpdate3D> update{member};
          kestGLUpdateLevel memberLevel = kestGLUpdateNone;
          if (update && update->get_UpdateLevel(&memberLevel) == S_OK) RaiseUpdateLevel(memberLevel);
        });
        *level = m_UpdateLevel;
      },
      level);
}

void GroupGraphic3D::UpdateExtent() {
  zelph::InternalCall(L"UpdateExtent", [&] {
    Span xs, ys;
    ForEachMember([&](IGraphic3D* member) {
      CComPtr<IEnvelope> extent;
      VARIANT_BOOL empty = VARIANT_TRUE;
      if (member->get_Extent(&extent) != S_OK || !extent) return;
      if (extent->get_IsEmpty(&empty) != S_OK || empty != VARIANT_FALSE) return;
      double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
      if (extent->QueryCoords(&xMin, &yMin, &xMax, &yMax) != S_OK) return;
      xs.Take(xMin);
      xs.Take(xMax);
      ys.Take(yMin);
      ys.Take(yMax);
    });
    if (!xs.Any() || !ys.Any()) return;
    zelph::ThrowIfNull(m_Extent);
    zelph::ThrowIfFailed(m_Extent->PutCoords(xs.Least(), ys.Least(), xs.Greatest(), ys.Greatest()));
  });
}

STDMETHODIMP GroupGraphic3D::get_ID(IUID** id) { return zelph::GetClassID(L"get_ID", CLSID_GroupGraphic3D, id); }

STDMETHODIMP GroupGraphic3D::Load(IVariantStream* stream) {
  return zelph::LoadRecord(L"Load", stream, [&](IVariantStream* record) {
    // The stored count is not trusted: a list that cannot be read whole adds
    // no member and ends the load.
    m_Serial.LoadArray(record, m_Graphics, IID_IGraphic3D);
    m_ControlAsGroup = m_Serial.LoadVarBool(record);
    Graphic3DBase::Load(record);
  });
}

STDMETHODIMP GroupGraphic3D::Save(IVariantStream* stream) {
  return zelph::SaveRecord(L"Save", stream, [&](IVariantStream* record) {
    // A member the stream cannot keep would leave a gap in the list; such a
    // group is not saved at all.
    ForEachMember([&](IGraphic3D* member) {
      if (!CComQIPtr<IPersistVariant>{member}) zelph::Fail(E_FAIL);
    });
    m_Serial.SaveArray(record, m_Graphics);
    m_Serial.SaveVarBool(record, m_ControlAsGroup);
    Graphic3DBase::Save(record);
  });
}
