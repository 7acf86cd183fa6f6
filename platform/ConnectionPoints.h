// Connection points: how an object fires events into the sinks its clients
// advise. `ConnectionPoint` is a reusable implementation that lives inside
// its container object and shares the container's reference count.
#pragma once

#include <vector>

#include "platform/ComPtr.h"

struct IConnectionPointContainer;

struct CONNECTDATA {
  IUnknown* pUnk;
  DWORD dwCookie;
};

struct IEnumConnections : IUnknown {
  STDMETHOD(Next)(ULONG count, CONNECTDATA* items, ULONG* fetched) = 0;
  STDMETHOD(Skip)(ULONG count) = 0;
  STDMETHOD(Reset)() = 0;
  STDMETHOD(Clone)(IEnumConnections** copy) = 0;

 protected:
  ~IEnumConnections() = default;
};
ZELPH_DEFINE_IID(IEnumConnections, 0xB196B287, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07);

struct IConnectionPoint : IUnknown {
  STDMETHOD(GetConnectionInterface)(IID* iid) = 0;
  STDMETHOD(GetConnectionPointContainer)(IConnectionPointContainer** container) = 0;
  STDMETHOD(Advise)(IUnknown* sink, DWORD* cookie) = 0;
  STDMETHOD(Unadvise)(DWORD cookie) = 0;
  STDMETHOD(EnumConnections)(IEnumConnections** connections) = 0;

 protected:
  ~IConnectionPoint() = default;
};
ZELPH_DEFINE_IID(IConnectionPoint, 0xB196B286, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07);

struct IEnumConnectionPoints : IUnknown {
  STDMETHOD(Next)(ULONG count, IConnectionPoint** items, ULONG* fetched) = 0;
  STDMETHOD(Skip)(ULONG count) = 0;
  STDMETHOD(Reset)() = 0;
  STDMETHOD(Clone)(IEnumConnectionPoints** copy) = 0;

 protected:
  ~IEnumConnectionPoints() = default;
};
ZELPH_DEFINE_IID(IEnumConnectionPoints, 0xB196B285, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07);

struct IConnectionPointContainer : IUnknown {
  STDMETHOD(EnumConnectionPoints)(IEnumConnectionPoints** points) = 0;
  STDMETHOD(FindConnectionPoint)(REFIID iid, IConnectionPoint** point) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};
ZELPH_DEFINE_IID(IConnectionPointContainer, 0xB196B284, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D,
                 0x07);

// One outgoing interface of a container. Sinks are kept in advise order and
// asked for the outgoing interface when they advise; cookies start at 1 and
// are never reused while the point lives.
class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IConnectionPointContainer& container, REFIID outgoing) : m_Container(container), m_Iid(outgoing) {}
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;
  ~ConnectionPoint() = default;

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return m_Container.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return m_Container.Release(); }
  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

  REFIID Iid() const { return m_Iid; }
  // The advised sinks in advise order, each already of the outgoing
  // interface. A copy, so that a sink may unadvise while events are fired.
  template <class Sink>
  std::vector<CComPtr<Sink>> Sinks() const {
    std::vector<CComPtr<Sink>> sinks;
    for (const Connection& connection : m_Connections) {
      sinks.emplace_back(static_cast<Sink*>(connection.sink.p));
    }
    return sinks;
  }
  size_t Count() const { return m_Connections.size(); }
  // Drops every sink (the container's final release calls this).
  void UnadviseAll() { m_Connections.clear(); }

 private:
  struct Connection {
    DWORD cookie;
    CComPtr<IUnknown> sink;
  };
  IConnectionPointContainer& m_Container;
  IID m_Iid;
  std::vector<Connection> m_Connections;
  DWORD m_NextCookie = 1;
};

// The two container methods over the container's points, for classes that
// implement IConnectionPointContainer.
HRESULT FindConnectionPointIn(const std::vector<ConnectionPoint*>& points, REFIID iid, IConnectionPoint** point);
HRESULT EnumConnectionPointsOf(const std::vector<ConnectionPoint*>& points, IEnumConnectionPoints** enumerator);

// Connects `sink` to the point of `container` for `iid`, and disconnects it.
HRESULT AtlAdvise(IUnknown* container, IUnknown* sink, REFIID iid, DWORD* cookie);
HRESULT AtlUnadvise(IUnknown* container, REFIID iid, DWORD cookie);
