#include "platform/Timers.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>
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
