#include "platform/IdleWork.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <deque>
#include <limits>

#include "platform/FrameClock.h"

namespace {

// The longest a job is expected to take (the largest strip a screen uses
// decodes in about 5 ms): a slice starts only with this much time before
// the next frame.
constexpr int kSliceMs = 8;

class TIdleWorker : public QObject {
 public:
  static TIdleWorker& Get() {
    static TIdleWorker* worker = new TIdleWorker;  // outlives the application, like its timer
    return *worker;
  }

  std::deque<IdleWork::TJob> jobs;

  // The next slice: as a posted event of the lowest priority, so whatever
  // was posted before it (a paint) goes first.
  void Schedule() {
    if (posted_ || frameWait_.isActive() || jobs.empty() || !QCoreApplication::instance()) return;
    posted_ = true;
    QCoreApplication::postEvent(this, new QEvent(SliceEvent()), std::numeric_limits<int>::min());
  }

  bool RunNext() {
    if (jobs.empty()) return false;
    const IdleWork::TJob job = std::move(jobs.front());
    jobs.pop_front();
    try {
      job();
    } catch (...) {
      // The screen that opens the file says what is wrong with it.
    }
    return true;
  }

 protected:
  bool event(QEvent* e) override {
    if (e->type() != SliceEvent()) return QObject::event(e);
    posted_ = false;
    if (const int wake = FrameClock::MsToNextWake(); wake >= 0 && wake < kSliceMs) {
      frameWait_.start(wake + 1);
      return true;
    }
    RunNext();
    Schedule();
    return true;
  }

 private:
  TIdleWorker() {
    frameWait_.setSingleShot(true);
    frameWait_.setTimerType(Qt::PreciseTimer);
    connect(&frameWait_, &QTimer::timeout, this, [this] { Schedule(); });
  }

  static QEvent::Type SliceEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }

  bool posted_ = false;
  QTimer frameWait_;
};

}  // namespace

namespace IdleWork {

void Replace(std::vector<TJob> jobs) {
  TIdleWorker& w = TIdleWorker::Get();
  w.jobs.assign(std::make_move_iterator(jobs.begin()), std::make_move_iterator(jobs.end()));
  w.Schedule();
}

void Prepend(std::vector<TJob> jobs) {
  TIdleWorker& w = TIdleWorker::Get();
  w.jobs.insert(w.jobs.begin(), std::make_move_iterator(jobs.begin()),
                std::make_move_iterator(jobs.end()));
  w.Schedule();
}

void Clear() {
  TIdleWorker::Get().jobs.clear();
}

std::size_t Pending() {
  return TIdleWorker::Get().jobs.size();
}

bool RunNext() {
  return TIdleWorker::Get().RunNext();
}

}  // namespace IdleWork
