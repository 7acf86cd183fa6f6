#include "frame/CTiming.h"

#include "platform/Win32Time.h"

void CTiming::EnsureInitialized() {
  if (!s_Initialized) Initialize();
}

double CTiming::GetTickCount() {
  EnsureInitialized();
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / s_fRealTime;
}

void CTiming::Initialize() {
  QueryPerformanceFrequency(&s_RealTime);
  s_fRealTime = static_cast<double>(s_RealTime.QuadPart);
  s_Initialized = true;
  s_fPrevTime = GetTickCount();
}

void CTiming::Cycle() {
  EnsureInitialized();
  ++s_nCycleCount;
  ++s_nTotalCycleCount;
}

double CTiming::GetFrequency() {
  EnsureInitialized();
  double now = GetTickCount();
  double elapsed = now - s_fPrevTime;
  if (elapsed <= 0.0) return 0.0;
  s_fPrevTime = now;
  s_fCurrentFreqInHertz = s_nCycleCount / elapsed;
  s_nCycleCount = 0;
  s_fIterationRate = 1.0 / s_fCurrentFreqInHertz;
  return s_fCurrentFreqInHertz;
}

void CTiming::PrintIterationRate() {
  EnsureInitialized();
  GetFrequency();
}

void CTiming::SetTopOfFrame() {
  EnsureInitialized();
  s_fStartFrameTime = GetTickCount();
}

void CTiming::SetBottomOfFrame() {
  EnsureInitialized();
  double now = GetTickCount();
  s_fEndFrameTime = now;
  s_fCurrentFrameTime = now - s_fStartFrameTime;
  s_fTotalFrameTimes += s_fCurrentFrameTime;
  if (s_fCurrentFrameTime > s_fMaxFrameTime && s_nTotalCycleCount > kWarmUpIterations) {
    s_fMaxFrameTime = s_fCurrentFrameTime;
  }
  if (s_fCurrentFrameTime > TYPICAL_FRAME_TIME) ++s_nFrameBusts;
  if (s_fCurrentFrameTime < s_fMinFrameTime) s_fMinFrameTime = s_fCurrentFrameTime;
}
