// The library's high-resolution timer: iteration rate and frame statistics,
// all static, all in seconds. Every operation initialises the timer on
// first use.
#pragma once

#include "platform/WinTypes.h"

class CTiming {
 public:
  virtual ~CTiming() = default;

  static constexpr double TYPICAL_FRAME_TIME = 0.006;
  // Frames only count towards the maximum once this many iterations have
  // passed: the first frames carry start-up costs.
  static constexpr int kWarmUpIterations = 200;

  static inline bool s_Initialized = false;
  static inline LARGE_INTEGER s_RealTime = {};  // counter frequency as read
  static inline double s_fRealTime = 0.0;       // the same, in counts per second
  static inline double s_fPrevTime = 0.0;
  static inline int s_nCycleCount = 0;
  static inline int s_nTotalCycleCount = 0;
  static inline double s_fCurrentFreqInHertz = 0.0;
  static inline double s_fIterationRate = 0.0;
  static inline double s_fStartFrameTime = 0.0;
  static inline double s_fEndFrameTime = 0.0;
  static inline double s_fCurrentFrameTime = 0.0;
  static inline double s_fTotalFrameTimes = 0.0;
  static inline double s_fMaxFrameTime = 0.0;
  static inline double s_fMinFrameTime = 1000000.0;
  static inline int s_nFrameBusts = 0;

  static double GetTickCount();
  static void Initialize();
  static void Cycle();
  static double GetFrequency();
  static void PrintIterationRate();
  static void SetTopOfFrame();
  static void SetBottomOfFrame();

 private:
  static void EnsureInitialized();
};
