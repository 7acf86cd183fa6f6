// Connection points: sinks advised by cookie, fired in advise order, and
// found through their container.
#include <gtest/gtest.h>

#include <vector>

#include "frame/ComObject.h"
#include "platform/ConnectionPoints.h"

namespace {

struct ITickEvents : IUnknown {
  STDMETHOD(Tick)(LONG value) = 0;

 protected:
  ~ITickEvents() = default;
};
ZELPH_DEFINE_IID(ITickEvents, 0x1A2B3C4D, 0x0002, 0x4000, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02);

struct IOtherEvents : IUnknown {
 protected:
  ~IOtherEvents() = default;
};
ZELPH_DEFINE_IID(IOtherEvents, 0x1A2B3C4D, 0x0003, 0x4000, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03);

std::vector<int> s_Fired;

class TickSink : public zelph::ComObjectRoot, public ITickEvents {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITickEvents>;
  int id = 0;
  STDMETHODIMP Tick(LONG value) override {
    s_Fired.push_back(id * 100 + value);
    return S_OK;
  }
};

class Ticker : public zelph::ComObjectRoot, public IConnectionPointContainer {
 public:
  using InterfaceMap = zelph::InterfaceMap<IConnectionPointContainer>;

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override {
    return EnumConnectionPointsOf({&m_Ticks}, points);
  }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    return FindConnectionPointIn({&m_Ticks}, iid, point);
  }
  void Fire(LONG value) {
    for (const CComPtr<ITickEvents>& sink : m_Ticks.Sinks<ITickEvents>()) sink->Tick(value);
  }
  ConnectionPoint m_Ticks{*this, IID_ITickEvents};
};

TEST(ConnectionPoints, SinksAreAdvisedByCookieAndFiredInOrder) {
  s_Fired.clear();
  CComPtr<IConnectionPointContainer> ticker;
  ASSERT_EQ(zelph::CreateComInstance<Ticker>(nullptr, IID_IConnectionPointContainer,
                                             reinterpret_cast<void**>(&ticker)),
            S_OK);
  auto* source = static_cast<zelph::ComObject<Ticker>*>(ticker.p);

  CComPtr<ITickEvents> first, second;
  ASSERT_EQ(zelph::CreateComInstance<TickSink>(nullptr, IID_ITickEvents, reinterpret_cast<void**>(&first)), S_OK);
  ASSERT_EQ(zelph::CreateComInstance<TickSink>(nullptr, IID_ITickEvents, reinterpret_cast<void**>(&second)), S_OK);
  static_cast<zelph::ComObject<TickSink>*>(first.p)->id = 1;
  static_cast<zelph::ComObject<TickSink>*>(second.p)->id = 2;

  DWORD firstCookie = 0, secondCookie = 0;
  ASSERT_EQ(AtlAdvise(ticker, first, IID_ITickEvents, &firstCookie), S_OK);
  ASSERT_EQ(AtlAdvise(ticker, second, IID_ITickEvents, &secondCookie), S_OK);
  EXPECT_NE(firstCookie, 0u);
  EXPECT_NE(firstCookie, secondCookie);

  source->Fire(5);
  EXPECT_EQ(s_Fired, (std::vector<int>{105, 205}));

  ASSERT_EQ(AtlUnadvise(ticker, IID_ITickEvents, firstCookie), S_OK);
  EXPECT_EQ(AtlUnadvise(ticker, IID_ITickEvents, firstCookie), CONNECT_E_NOCONNECTION);
  s_Fired.clear();
  source->Fire(7);
  EXPECT_EQ(s_Fired, (std::vector<int>{207}));
}

TEST(ConnectionPoints, RefusesWrongSinksAndUnknownInterfaces) {
  CComPtr<IConnectionPointContainer> ticker;
  ASSERT_EQ(zelph::CreateComInstance<Ticker>(nullptr, IID_IConnectionPointContainer,
                                             reinterpret_cast<void**>(&ticker)),
            S_OK);
  CComPtr<IConnectionPoint> point;
  EXPECT_EQ(ticker->FindConnectionPoint(IID_IOtherEvents, &point), CONNECT_E_NOCONNECTION);
  EXPECT_FALSE(point);
  ASSERT_EQ(ticker->FindConnectionPoint(IID_ITickEvents, &point), S_OK);

  // The container is its own sink of nothing: it cannot be advised.
  DWORD cookie = 99;
  EXPECT_EQ(point->Advise(ticker, &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(cookie, 0u);
  EXPECT_EQ(point->Advise(nullptr, &cookie), E_POINTER);
  EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);
}

}  // namespace
