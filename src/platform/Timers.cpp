#include "platform/Timers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <chrono>
#include <random>

TTimer::TTimer()
    : ticker_([this] {
        if (OnTimer) OnTimer();
      }) {
  // Like a timer placed on a form: enabled, 1000 ms, counting from creation.
  Update();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Update();
}

void TTimer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  ticker_.Stop();
  Update();
}

void TTimer::Update() {
  if (enabled_ && interval_ > 0) {
    if (!ticker_.Active()) ticker_.Every(interval_, true);
  } else {
    ticker_.Stop();
  }
}

namespace {
QElapsedTimer& Clock() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return clock;
}

std::mt19937& Engine() {
  static std::mt19937 engine(12345);
  return engine;
}
}  // namespace

std::uint32_t GetTickCount() { return static_cast<std::uint32_t>(Clock().elapsed()); }

void Delay(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const qint64 left = ms - t.elapsed();
    if (left > 0) QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 5)));
  }
}

void SleepMs(int ms) {
  if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

void Randomize() {
  Engine().seed(static_cast<std::uint32_t>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
}

void SetRandSeed(std::uint32_t seed) { Engine().seed(seed); }

int Random(int range) {
  if (range <= 0) return 0;
  return std::uniform_int_distribution<int>(0, range - 1)(Engine());
}
