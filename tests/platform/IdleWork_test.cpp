#include "platform/IdleWork.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QStringList>
#include <stdexcept>

#include "platform/FrameClock.h"
#include "support/Support.h"

namespace {

// Pumps events until `done` or a second has passed.
template <class F>
void PumpUntil(F done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 1000) PumpEvents();
}

// Stands for a paint that a screen change posted before the work was queued.
struct TPosted : QObject {
  QStringList* log;
  explicit TPosted(QStringList* l) : log(l) {}
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    *log << "paint";
    return true;
  }
};

TEST(IdleWork, RunsAfterWhatWasPostedInOrderPastErrorsAndReplacedWhenTheGameMovesOn) {
  QStringList log;
  TPosted posted(&log);
  QCoreApplication::postEvent(&posted, new QEvent(QEvent::User));
  const auto job = [&log](const char* name) { return [&log, name] { log << name; }; };
  IdleWork::Replace({job("stale")});
  IdleWork::Replace({job("a"), [] { throw std::runtime_error("missing picture"); }, job("b")});
  IdleWork::Prepend({job("first")});
  EXPECT_EQ(IdleWork::Pending(), 4u);
  PumpUntil([] { return IdleWork::Pending() == 0; });
  EXPECT_EQ(log, QStringList({"paint", "first", "a", "b"}));

  // Nothing waits: nothing runs and nothing is scheduled.
  log.clear();
  EXPECT_FALSE(IdleWork::RunNext());
  IdleWork::Replace({});
  PumpEvents(5);
  EXPECT_TRUE(log.isEmpty());
}

TEST(IdleWork, ASliceLeavesRoomForAFrameDueSoon) {
  QStringList log;
  TFrameTicker frame([&log] { log << "frame"; });
  frame.Once(3);
  IdleWork::Replace({[&log] { log << "job"; }});
  PumpUntil([&log] { return log.size() == 2; });
  EXPECT_EQ(log, QStringList({"frame", "job"}));
}

}  // namespace
