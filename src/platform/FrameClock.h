// One clock for everything that moves on screen. Sprites, clips and
// animations step on it instead of on timers of their own: the clock keeps
// one timer and runs every step due by the time it fires on that wake-up.
// Periodic steps of the same period keep one phase, so a place with seven
// sprites at 100 ms wakes the program ten times a second, not seventy; a
// shown control's step may also come up to a fifth of its period late (at
// most 30 ms) to share a wake-up with another period's, its rate unchanged.
// Clips and the screens' timers come on time. A step whose control is
// hidden (itself, or the screen it is on) or whose screen another opaque
// screen covers whole (the menu over the place it was left from) does not
// run; the control keeps its phase and steps again once seen, and until then
// wakes nobody. GUI thread only.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>

class TFrameTicker {
 public:
  // `shownBy`: the control whose visibility the steps follow (none: always).
  explicit TFrameTicker(std::function<void()> step, const QWidget* shownBy = nullptr);
  ~TFrameTicker();
  TFrameTicker(const TFrameTicker&) = delete;
  TFrameTicker& operator=(const TFrameTicker&) = delete;

  // Steps every `ms` milliseconds, in phase with the other tickers of that
  // period: the first step comes after `ms`, give or take half of it. With
  // `ownPhase` the first step comes after `ms` exactly (a screen's timer).
  void Every(int ms, bool ownPhase = false);
  // One step `ms` milliseconds from now (a clip aiming at its next frame).
  void Once(double ms);
  void Stop();
  bool Active() const { return due_ >= 0; }

 private:
  friend struct TFrameClockState;
  friend double Tolerance(const TFrameTicker& t);
  std::function<void()> step_;
  QPointer<const QWidget> shownBy_;
  bool followsVisibility_;
  double due_ = -1;      // ms on the clock, -1 when stopped
  int period_ = 0;       // 0: once
  bool parked_ = false;  // came due while hidden: waits for a screen to be shown
};

namespace FrameClock {
// Milliseconds on the clock's own monotonic time.
double NowMs();
// Runs the steps due by now (what the clock's timer does); returns how many
// ran. For benchmarks and tests.
int RunDue();
// Wake-ups of the clock's timer so far.
std::uint64_t WakeUps();
// Milliseconds until the clock's timer next wakes the program (0 when it is
// due now), or -1 when nothing shown moves: what work done between frames
// must leave room for.
int MsToNextWake();
}  // namespace FrameClock
