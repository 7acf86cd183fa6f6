#include "frame/CTiming.h"

#include <gtest/gtest.h>

#include "platform/Win32Time.h"

namespace {

// The fake counter, in nanoseconds (the counter's frequency is 1e9).
LONGLONG s_FakeNanoseconds = 0;
LONGLONG FakeCounter() { return s_FakeNanoseconds; }

void Advance(double seconds) { s_FakeNanoseconds += static_cast<LONGLONG>(seconds * 1e9 + 0.5); }

// The timer's statistics live for the whole process; each test starts them
// from a known state on the fake clock and restores the real clock after.
class CTimingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s_FakeNanoseconds = 1'000'000'000;
    zelph::SetPerformanceCounterSource(&FakeCounter);
    CTiming::Initialize();
    CTiming::s_nCycleCount = 0;
    CTiming::s_nTotalCycleCount = 0;
    CTiming::s_fCurrentFreqInHertz = 0.0;
    CTiming::s_fIterationRate = 0.0;
    CTiming::s_fCurrentFrameTime = 0.0;
    CTiming::s_fTotalFrameTimes = 0.0;
    CTiming::s_fMaxFrameTime = 0.0;
    CTiming::s_fMinFrameTime = 1000000.0;
    CTiming::s_nFrameBusts = 0;
  }
  void TearDown() override { zelph::SetPerformanceCounterSource(nullptr); }

  static void Frame(double seconds) {
    CTiming::SetTopOfFrame();
    Advance(seconds);
    CTiming::SetBottomOfFrame();
  }
};

TEST_F(CTimingTest, TickCountFollowsTheCounter) {
  s_FakeNanoseconds = 2'500'000'000;
  EXPECT_DOUBLE_EQ(CTiming::GetTickCount(), 2.5);
}

TEST_F(CTimingTest, FrequencyIsCyclesPerElapsedSecond) {
  for (int i = 0; i < 30; ++i) CTiming::Cycle();
  EXPECT_EQ(CTiming::s_nCycleCount, 30);
  Advance(0.5);
  EXPECT_DOUBLE_EQ(CTiming::GetFrequency(), 60.0);
  EXPECT_DOUBLE_EQ(CTiming::s_fCurrentFreqInHertz, 60.0);
  EXPECT_DOUBLE_EQ(CTiming::s_fIterationRate, 0.5 / 30);
  EXPECT_EQ(CTiming::s_nCycleCount, 0);
  EXPECT_EQ(CTiming::s_nTotalCycleCount, 30);

  // No time has passed: nothing to measure, the last result stays.
  CTiming::Cycle();
  EXPECT_DOUBLE_EQ(CTiming::GetFrequency(), 0.0);
  EXPECT_DOUBLE_EQ(CTiming::s_fCurrentFreqInHertz, 60.0);
  EXPECT_DOUBLE_EQ(CTiming::s_fIterationRate, 0.5 / 30);

  // The next interval starts where the last measured one ended.
  for (int i = 0; i < 9; ++i) CTiming::Cycle();
  Advance(0.25);
  EXPECT_DOUBLE_EQ(CTiming::GetFrequency(), 40.0);
  EXPECT_DOUBLE_EQ(CTiming::s_fIterationRate, 0.025);
  EXPECT_EQ(CTiming::s_nTotalCycleCount, 40);
}

TEST_F(CTimingTest, FrameStatisticsAndBusts) {
  Frame(0.005);
  EXPECT_NEAR(CTiming::s_fCurrentFrameTime, 0.005, 1e-12);
  EXPECT_EQ(CTiming::s_nFrameBusts, 0);
  Frame(0.007);
  EXPECT_NEAR(CTiming::s_fCurrentFrameTime, 0.007, 1e-12);
  EXPECT_EQ(CTiming::s_nFrameBusts, 1);
  EXPECT_NEAR(CTiming::s_fMinFrameTime, 0.005, 1e-12);
  Frame(0.003);
  EXPECT_EQ(CTiming::s_nFrameBusts, 1);
  EXPECT_NEAR(CTiming::s_fMinFrameTime, 0.003, 1e-12);
  EXPECT_NEAR(CTiming::s_fTotalFrameTimes, 0.015, 1e-12);
  EXPECT_EQ(CTiming::s_fMaxFrameTime, 0.0);  // still warming up
}

TEST_F(CTimingTest, MaximumCountsOnlyAfterWarmUp) {
  for (int i = 0; i < CTiming::kWarmUpIterations; ++i) CTiming::Cycle();
  Frame(0.010);
  EXPECT_EQ(CTiming::s_fMaxFrameTime, 0.0);

  CTiming::Cycle();  // 201 iterations
  Frame(0.004);
  EXPECT_NEAR(CTiming::s_fMaxFrameTime, 0.004, 1e-12);
  Frame(0.009);
  EXPECT_NEAR(CTiming::s_fMaxFrameTime, 0.009, 1e-12);
  Frame(0.002);
  EXPECT_NEAR(CTiming::s_fMaxFrameTime, 0.009, 1e-12);
  EXPECT_EQ(CTiming::s_nFrameBusts, 2);
}

}  // namespace
