#include "platform/Timers.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <set>

#include "support/Support.h"

TEST(Timers, TimerTicksOnlyWhileEnabledWithAPositiveInterval) {
  TTimer t;
  int ticks = 0;
  t.OnTimer = [&] { ++ticks; };
  t.SetInterval(0);
  EXPECT_FALSE(t.Running());
  t.SetInterval(5);
  EXPECT_TRUE(t.Running());
  Delay(60);
  EXPECT_GT(ticks, 0);
  t.SetEnabled(false);
  EXPECT_FALSE(t.Running());
  const int stopped = ticks;
  Delay(30);
  EXPECT_EQ(ticks, stopped);
}

TEST(Timers, SettingTheIntervalRestartsTheTiming) {
  TTimer t;
  int ticks = 0;
  t.OnTimer = [&] { ++ticks; };
  t.SetInterval(40);
  // Re-setting a different interval every 20 ms keeps the timer from ever firing.
  for (int i = 0; i < 6; ++i) {
    Delay(20);
    t.SetInterval(i % 2 ? 40 : 41);
  }
  EXPECT_EQ(ticks, 0);
}

// Sprites of one interval started apart step on the same wake-up; one on a
// hidden control neither steps nor wakes the clock until it is shown again.
TEST(FrameClock, OnePeriodStepsTogetherAndHiddenControlsRest) {
  QWidget screen;
  screen.resize(100, 100);
  auto* a = new QWidget(&screen);
  auto* b = new QWidget(&screen);
  auto* hidden = new QWidget(&screen);
  hidden->hide();
  screen.show();
  int stepsA = 0, stepsB = 0, stepsHidden = 0;
  TFrameTicker tickA([&] { ++stepsA; }, a), tickB([&] { ++stepsB; }, b);
  TFrameTicker tickHidden([&] { ++stepsHidden; }, hidden);
  tickA.Every(20);
  Delay(7);
  tickB.Every(20);
  tickHidden.Every(20);
  const std::uint64_t wakeUps = FrameClock::WakeUps();
  Delay(300);
  EXPECT_GE(stepsA, 8);
  EXPECT_NEAR(stepsB, stepsA, 1);
  EXPECT_LE(FrameClock::WakeUps() - wakeUps, static_cast<std::uint64_t>(stepsA) + 2);
  EXPECT_EQ(stepsHidden, 0);
  EXPECT_TRUE(tickHidden.Active());
  hidden->show();
  Delay(100);
  EXPECT_GE(stepsHidden, 3);
}

// A screen that an opaque screen covers whole (the menu over the place left
// for it) steps nothing and wakes nobody until uncovered; a cover beneath it,
// or over only part of it, stops nothing.
TEST(FrameClock, ScreensCoveredWholeRest) {
  QWidget stage;
  stage.resize(200, 200);
  auto* place = new QWidget(&stage);
  place->setGeometry(0, 0, 100, 100);
  auto* sprite = new QWidget(place);
  sprite->setGeometry(10, 10, 20, 20);
  auto cover = [&](QRect r) {
    auto* w = new QWidget(&stage);
    w->setAttribute(Qt::WA_OpaquePaintEvent);
    w->setGeometry(r);
    w->hide();
    return w;
  };
  struct Case {
    const char* name;
    QWidget* cover;
    bool above, rests;
  };
  const Case cases[] = {
      {"whole, above", cover(QRect(0, 0, 100, 100)), true, true},
      {"whole, beneath", cover(QRect(0, 0, 120, 120)), false, false},
      {"the sprite only, above", cover(QRect(0, 0, 60, 60)), true, false},
  };
  stage.show();
  int steps = 0;
  TFrameTicker tick([&] { ++steps; }, sprite);
  tick.Every(10);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.cover->show();
    if (c.above)
      c.cover->raise();
    else
      c.cover->lower();
    Delay(30);  // the next step finds it covered
    steps = 0;
    const std::uint64_t wakeUps = FrameClock::WakeUps();
    Delay(80);
    if (c.rests) {
      EXPECT_EQ(steps, 0);
      EXPECT_EQ(FrameClock::WakeUps(), wakeUps);
    } else {
      EXPECT_GE(steps, 4);
    }
    c.cover->hide();
    steps = 0;
    Delay(60);
    EXPECT_GE(steps, 3);  // uncovered: on again
  }
}

// A step may stop or destroy the tickers due after it on the same wake-up.
TEST(FrameClock, StepsMayStopAndDestroyTickers) {
  int later = 0;
  auto doomed = std::make_unique<TFrameTicker>([&] { ++later; });
  TFrameTicker stopped([&] { ++later; });
  TFrameTicker periodic([&] { ++later; });
  TFrameTicker first([&] {
    doomed.reset();
    stopped.Stop();
    periodic.Stop();
  });
  first.Once(0);  // due first, the others a moment later
  doomed->Once(0);
  stopped.Once(0);
  periodic.Every(1);
  Delay(10);
  EXPECT_EQ(later, 0);
  EXPECT_FALSE(stopped.Active());
  EXPECT_FALSE(periodic.Active());
  EXPECT_FALSE(first.Active());
}

TEST(Timers, DelayProcessesEventsAndWaits) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  QElapsedTimer clock;
  clock.start();
  const std::uint32_t before = GetTickCount();
  Delay(30);
  EXPECT_TRUE(ran);
  EXPECT_GE(clock.elapsed(), 30);
  EXPECT_GE(GetTickCount() - before, 30u);
}

TEST(Timers, RandomIsInRangeAndRepeatableWithASeed) {
  SetRandSeed(7);
  std::vector<int> first;
  for (int i = 0; i < 50; ++i) first.push_back(Random(6));
  SetRandSeed(7);
  std::set<int> seen;
  for (int i = 0; i < 50; ++i) {
    const int r = Random(6);
    EXPECT_EQ(r, first[i]);
    seen.insert(r);
  }
  EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-3), 0);
  EXPECT_EQ(Random(1), 0);
}
