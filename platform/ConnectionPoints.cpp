#include "platform/ConnectionPoints.h"

#include <algorithm>
#include <utility>

namespace {

// A connection as an enumerator keeps it: the snapshot holds the sink alive.
struct HeldConnection {
  CComPtr<IUnknown> sink;
  DWORD cookie;
};

// A snapshot enumerator over counted items: connections or points. It owns
// its snapshot, so the container may change while a client enumerates.
template <class EnumInterface, class Item, class Stored>
class Enumerator final : public EnumInterface {
 public:
  explicit Enumerator(std::vector<Stored> items, size_t position = 0)
      : m_Items(std::move(items)), m_Position(position) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == uuidof<EnumInterface>()) {
      *object = static_cast<EnumInterface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_References; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --m_References;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP Next(ULONG count, Item* items, ULONG* fetched) override {
    if (!items || (count > 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    for (; given < count && m_Position < m_Items.size(); ++given, ++m_Position) {
      items[given] = Hand(m_Items[m_Position]);
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    size_t left = m_Items.size() - m_Position;
    m_Position += std::min<size_t>(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    m_Position = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(EnumInterface** copy) override {
    if (!copy) return E_POINTER;
    *copy = new Enumerator(m_Items, m_Position);
    (*copy)->AddRef();
    return S_OK;
  }

 private:
  ~Enumerator() = default;

  // The caller receives its own reference to each handed-out interface.
  static CONNECTDATA Hand(const HeldConnection& connection) {
    connection.sink->AddRef();
    return {connection.sink.p, connection.cookie};
  }
  static IConnectionPoint* Hand(const CComPtr<IConnectionPoint>& point) {
    point->AddRef();
    return point.p;
  }

  std::vector<Stored> m_Items;
  size_t m_Position;
  ULONG m_References = 0;
};

using ConnectionEnumerator = Enumerator<IEnumConnections, CONNECTDATA, HeldConnection>;
using PointEnumerator = Enumerator<IEnumConnectionPoints, IConnectionPoint*, CComPtr<IConnectionPoint>>;

}  // namespace

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = m_Iid;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = &m_Container;
  m_Container.AddRef();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  CComPtr<IUnknown> outgoing;
  if (FAILED(sink->QueryInterface(m_Iid, reinterpret_cast<void**>(&outgoing))) || !outgoing) {
    return CONNECT_E_CANNOTCONNECT;
  }
  *cookie = m_NextCookie++;
  m_Connections.push_back({*cookie, std::move(outgoing)});
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
  auto found = std::find_if(m_Connections.begin(), m_Connections.end(),
                            [cookie](const Connection& connection) { return connection.cookie == cookie; });
  if (found == m_Connections.end()) return CONNECT_E_NOCONNECTION;
  // Moved out first: releasing the sink may re-enter this point.
  CComPtr<IUnknown> released = std::move(found->sink);
  m_Connections.erase(found);
  return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (!connections) return E_POINTER;
  std::vector<HeldConnection> snapshot;
  for (const Connection& connection : m_Connections) snapshot.push_back({connection.sink, connection.cookie});
  auto* enumerator = new ConnectionEnumerator(std::move(snapshot));
  enumerator->AddRef();
  *connections = enumerator;
  return S_OK;
}

HRESULT FindConnectionPointIn(const std::vector<ConnectionPoint*>& points, REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  for (ConnectionPoint* candidate : points) {
    if (candidate->Iid() == iid) {
      *point = candidate;
      candidate->AddRef();
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

HRESULT EnumConnectionPointsOf(const std::vector<ConnectionPoint*>& points, IEnumConnectionPoints** enumerator) {
  if (!enumerator) return E_POINTER;
  std::vector<CComPtr<IConnectionPoint>> snapshot(points.begin(), points.end());
  auto* created = new PointEnumerator(std::move(snapshot));
  created->AddRef();
  *enumerator = created;
  return S_OK;
}

namespace {

// The point of `container` for the outgoing interface `iid`.
HRESULT FindPoint(IUnknown* container, REFIID iid, CComPtr<IConnectionPoint>& point) {
  if (!container) return E_INVALIDARG;
  CComPtr<IConnectionPointContainer> points;
  HRESULT hr = container->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points));
  if (FAILED(hr)) return hr;
  return points->FindConnectionPoint(iid, &point);
}

}  // namespace

HRESULT AtlAdvise(IUnknown* container, IUnknown* sink, REFIID iid, DWORD* cookie) {
  if (!cookie) return E_INVALIDARG;
  CComPtr<IConnectionPoint> point;
  HRESULT hr = FindPoint(container, iid, point);
  return FAILED(hr) ? hr : point->Advise(sink, cookie);
}

HRESULT AtlUnadvise(IUnknown* container, REFIID iid, DWORD cookie) {
  CComPtr<IConnectionPoint> point;
  HRESULT hr = FindPoint(container, iid, point);
  return FAILED(hr) ? hr : point->Unadvise(cookie);
}
