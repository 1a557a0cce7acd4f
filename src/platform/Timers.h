// Time with the original toolkit's semantics: timers with Enabled/Interval/
// OnTimer (changing the interval restarts a running timer), Delay that keeps
// processing events, blocking sleeps, tick counts and the seedable random
// numbers used by shuffles. The timers run on the frame clock, so a screen's
// timer due with a sprite's step wakes the program once for both.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/FrameClock.h"

class TTimer {
 public:
  TTimer();
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  int Interval() const { return interval_; }
  // Setting the interval restarts the timing of a running timer.
  void SetInterval(int ms);
  std::function<void()> OnTimer;
  // True while the timer counts (enabled with a positive interval and a handler).
  bool Running() const { return ticker_.Active(); }

 private:
  void Update();
  TFrameTicker ticker_;
  bool enabled_ = true;
  int interval_ = 1000;
};

// Processes events until `ms` milliseconds have passed.
void Delay(int ms);
// Blocks the thread; no events are processed.
void SleepMs(int ms);
// Milliseconds since an arbitrary start, monotonic.
std::uint32_t GetTickCount();

// Random numbers for shuffles and choices; Randomize seeds from the clock,
// tests seed with SetRandSeed for repeatable runs.
void Randomize();
void SetRandSeed(std::uint32_t seed);
// 0 <= result < range (0 when range <= 0).
int Random(int range);
