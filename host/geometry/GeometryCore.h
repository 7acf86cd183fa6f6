// What every host geometry shares, written once: its spatial reference, the
// rules of Project, the envelope handed out or written into the caller's,
// emptiness, ITransform2D and IPersistVariant. A geometry class supplies its
// own value work through the hooks; GeometryObject binds these bodies to its
// interface.
//
// A geometry's record is the factory code of its spatial reference (I4, 0
// for none; made again as a geographic or else a projected system), then
// its value (SaveValue). The class id follows from the geometry type.
#pragma once

#include <vector>

#include "frame/HostGeometry.h"
#include "frame/HostSpatialReference.h"
#include "host/geometry/Bounds.h"
#include "host/streams/PersistVariantBase.h"
#include "platform/ComPtr.h"

namespace zelph::host::geometry {

// Transforms every point of `lists` from `source` to `target` with one call;
// the lists are left as they were when that fails.
void TransformPointLists(ISpatialReference* source, ISpatialReference* target,
                         std::vector<std::vector<Coordinates>>& lists);

class GeometryCore : public ITransform2D, public streams::PersistVariantBase {
 public:
  virtual ~GeometryCore() = default;

  STDMETHODIMP Move(double dx, double dy) override;

 protected:
  virtual kestGeometryType Type() const = 0;
  virtual bool Empty() const = 0;
  virtual void Clear() = 0;
  virtual Bounds Extent() const = 0;
  virtual void Shift(double dx, double dy) = 0;
  // Moves every coordinate from `source` into `target`; throws a
  // ComException and changes nothing when that cannot be done.
  virtual void Reproject(ISpatialReference* source, ISpatialReference* target) = 0;
  // Takes a reference without touching coordinates; the multi-part
  // geometries hand it on to their parts.
  virtual void AssignReference(ISpatialReference* reference) { m_Reference = reference; }
  // The value in a record, and back: a class reads its whole value before
  // it takes any of it, and holds what it reads to the rules of its setters
  // (DISP_E_TYPEMISMATCH, as a ComException, for what breaks them).
  virtual void SaveValue(IVariantStream* stream) const = 0;
  virtual void LoadValue(IVariantStream* stream) = 0;

  const CLSID& ClassId() const override;
  void SaveState(IVariantStream* stream) const override;
  void LoadState(IVariantStream* stream) override;

  HRESULT GetGeometryType(kestGeometryType* type);
  HRESULT GetSpatialReference(ISpatialReference** reference);
  HRESULT PutSpatialReference(ISpatialReference* reference);
  HRESULT ProjectTo(ISpatialReference* target);
  HRESULT GetEnvelope(IEnvelope** envelope);
  HRESULT WriteEnvelope(IEnvelope* envelope);
  HRESULT GetIsEmpty(VARIANT_BOOL* empty);
  HRESULT MakeEmpty();

  CComPtr<ISpatialReference> m_Reference;
};

}  // namespace zelph::host::geometry
