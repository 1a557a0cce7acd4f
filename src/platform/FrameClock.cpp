#include "platform/FrameClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <vector>

// Steps due this close to the earliest run with it.
constexpr double kSlackMs = 2.0;

// How late a step may come so that it shares a wake-up with another: a
// fifth of a shown control's period, up to 30 ms (its next step still counts
// from when it was due, so its rate stays its own). Clips aiming at a
// frame's start and the screens' timers come on time.
double Tolerance(const TFrameTicker& t);

struct TFrameClockState {
  QElapsedTimer clock;
  QTimer* timer = nullptr;
  std::vector<TFrameTicker*> tickers;
  std::uint64_t wakeUps = 0;
  bool running = false;  // inside RunDue: the timer is armed once it is done

  static TFrameClockState& Get() {
    static TFrameClockState* state = new TFrameClockState;  // outlives the tickers of statics
    return *state;
  }

  TFrameClockState() { clock.start(); }

  double Now() const { return static_cast<double>(clock.nsecsElapsed()) / 1e6; }

  // Hidden (itself or a screen it is on), or on a screen that an opaque
  // screen shown over it covers whole, as the menu covers the place it was
  // left from: nothing of it reaches the display.
  static bool Unseen(const QWidget* w) {
    // Up to the top-level window, which is the stage (or a test's bare screen).
    for (; w && w->parentWidget(); w = w->parentWidget()) {
      if (w->isHidden()) return true;
      if (w->parentWidget()->isWindow() && w->window()->isVisible() && Covered(w)) return true;
    }
    return false;
  }

  // Whether a later (higher) opaque sibling covers the screen whole. Only
  // whole screens: a box over a sprite leaves its screen's steps alone.
  static bool Covered(const QWidget* screen) {
    const QObjectList& siblings = screen->parentWidget()->children();
    for (auto i = siblings.indexOf(screen) + 1; i > 0 && i < siblings.size(); ++i) {
      const auto* over = qobject_cast<const QWidget*>(siblings[i]);
      if (over && !over->isHidden() && !over->isWindow() &&
          (over->testAttribute(Qt::WA_OpaquePaintEvent) || over->autoFillBackground()) &&
          over->geometry().contains(screen->geometry()))
        return true;
    }
    return false;
  }

  // Whatever is shown, hidden or restacked may uncover a parked ticker: they
  // are looked at once the event is done (stacking and visibility settled).
  struct TShowWatch : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
      const QEvent::Type type = event->type();
      if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::ZOrderChange)
        return false;
      TFrameClockState& s = Get();
      if (s.anyParked && !s.unparkPosted) {
        s.unparkPosted = true;
        QMetaObject::invokeMethod(
            this,
            [] {
              Get().unparkPosted = false;
              Get().Unpark();
            },
            Qt::QueuedConnection);
      }
      return false;
    }
  };
  TShowWatch* watch = nullptr;
  bool anyParked = false;
  bool unparkPosted = false;

  void Park(TFrameTicker* t) {
    t->parked_ = true;
    anyParked = true;
    if (!watch && QCoreApplication::instance()) {
      watch = new TShowWatch;
      QCoreApplication::instance()->installEventFilter(watch);
    }
  }

  void Unpark() {
    if (!anyParked) return;
    anyParked = false;
    const double now = Now();
    for (TFrameTicker* t : tickers) {
      if (!t->parked_) continue;
      // Still unseen (a star twinkling on the menu over it): no wake-up for it.
      if (!t->shownBy_ || Unseen(t->shownBy_)) {
        anyParked = true;
        continue;
      }
      t->parked_ = false;
      if (t->period_ > 0 && t->due_ >= 0)
        t->due_ += t->period_ * std::max(0.0, std::ceil((now - t->due_) / t->period_));
    }
    Arm();
  }

  void Arm() {
    if (running) return;
    double next = -1;
    for (const TFrameTicker* t : tickers) {
      if (t->due_ < 0 || t->parked_) continue;
      const double latest = t->due_ + Tolerance(*t);
      if (next < 0 || latest < next) next = latest;
    }
    if (!timer) {
      timer = new QTimer;
      timer->setSingleShot(true);
      timer->setTimerType(Qt::PreciseTimer);
      QObject::connect(timer, &QTimer::timeout, [] {
        ++Get().wakeUps;
        FrameClock::RunDue();
      });
    }
    if (next < 0) {
      timer->stop();
      return;
    }
    timer->start(std::max(0, static_cast<int>(std::ceil(next - Now()))));
  }

  int RunDue() {
    running = true;
    const double now = Now();
    // A step may start, stop or delete tickers: the due ones are taken first,
    // and each checked again before it runs.
    std::vector<TFrameTicker*> due;
    for (TFrameTicker* t : tickers)
      if (t->due_ >= 0 && !t->parked_ && t->due_ <= now + kSlackMs) due.push_back(t);
    std::sort(due.begin(), due.end(),
              [](const TFrameTicker* a, const TFrameTicker* b) { return a->due_ < b->due_; });
    int ran = 0;
    for (TFrameTicker* t : due) {
      if (std::find(tickers.begin(), tickers.end(), t) == tickers.end()) continue;
      if (t->due_ < 0 || t->parked_ || t->due_ > now + kSlackMs) continue;
      if (t->followsVisibility_ && (!t->shownBy_ || Unseen(t->shownBy_))) {
        Park(t);  // due stays: once shown it steps, then goes on in phase
        continue;
      }
      const double was = t->due_;
      if (t->period_ > 0) {
        // Missed steps are not made up for: the next is the next in phase.
        t->due_ = was + t->period_ * std::max(1.0, std::floor((now - was) / t->period_) + 1);
      } else {
        t->due_ = -1;
      }
      ++ran;
      t->step_();
    }
    running = false;
    Arm();
    return ran;
  }
};

double Tolerance(const TFrameTicker& t) {
  return t.followsVisibility_ && t.period_ > 0 ? std::min(30.0, t.period_ / 5.0) : 0.0;
}

TFrameTicker::TFrameTicker(std::function<void()> step, const QWidget* shownBy)
    : step_(std::move(step)), shownBy_(shownBy), followsVisibility_(shownBy != nullptr) {
  TFrameClockState::Get().tickers.push_back(this);
}

TFrameTicker::~TFrameTicker() {
  auto& list = TFrameClockState::Get().tickers;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (due_ >= 0) TFrameClockState::Get().Arm();
}

void TFrameTicker::Every(int ms, bool ownPhase) {
  if (ms <= 0) {
    Stop();
    return;
  }
  auto& s = TFrameClockState::Get();
  parked_ = false;
  // The phase of the period on the clock's own time, nearest one period from now.
  const double now = s.Now();
  period_ = ms;
  due_ = ownPhase ? now + ms : std::floor((now + ms * 1.5) / ms) * ms;
  s.Arm();
}

void TFrameTicker::Once(double ms) {
  auto& s = TFrameClockState::Get();
  parked_ = false;
  period_ = 0;
  due_ = s.Now() + std::max(0.0, ms);
  s.Arm();
}

void TFrameTicker::Stop() {
  parked_ = false;
  if (due_ < 0) return;
  due_ = -1;
  TFrameClockState::Get().Arm();
}

namespace FrameClock {
double NowMs() {
  return TFrameClockState::Get().Now();
}
int RunDue() {
  return TFrameClockState::Get().RunDue();
}
std::uint64_t WakeUps() {
  return TFrameClockState::Get().wakeUps;
}
int MsToNextWake() {
  const QTimer* timer = TFrameClockState::Get().timer;
  return timer && timer->isActive() ? std::max(0, timer->remainingTime()) : -1;
}
}  // namespace FrameClock
