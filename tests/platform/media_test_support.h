// Shared by the media tests: a scratch directory, waiting on the real engine,
// a log of a player's notifications, and a tap on the mixer's output.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include "lib/MediaWriters.h"
#include "platform/AudioEngine.h"
#include "platform/MediaPlayer.h"

// Processes events until `done` holds or `ms` pass; returns `done()`.
inline bool WaitUntil(const std::function<bool()>& done, int ms = 3000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
  return done();
}

// Processes events for `ms` milliseconds.
inline void Settle(int ms) {
  WaitUntil([] { return false; }, ms);
}

struct NoteLog {
  explicit NoteLog(TMediaPlayer& p) {
    p.OnNotify = [this, &p] { Values.push_back(p.NotifyValue()); };
  }
  std::vector<TMPNotifyValues> Values;
};

// Counts what the mixer hands to the device and when sound first appears.
class OutputTap {
 public:
  OutputTap() {
    Audio::SetOutputTap([this](const std::int16_t* s, int frames) {
      std::lock_guard lock(mutex_);
      for (int i = 0; i < frames; ++i) {
        const int l = s[2 * i];
        if (l != 0 || s[2 * i + 1] != 0) {
          ++loudFrames_;
          if (firstLoud_ < 0) firstLoud_ = clock_.nsecsElapsed();
        }
        if ((previous_ < 0) != (l < 0) && (previous_ != 0 || l != 0)) ++signChanges_;
        previous_ = l;
      }
    });
    clock_.start();
  }
  ~OutputTap() { Audio::SetOutputTap({}); }
  void Reset() {
    std::lock_guard lock(mutex_);
    loudFrames_ = signChanges_ = 0;
    firstLoud_ = -1;
    clock_.restart();
  }
  long LoudFrames() const {
    std::lock_guard lock(mutex_);
    return loudFrames_;
  }
  long SignChanges() const {
    std::lock_guard lock(mutex_);
    return signChanges_;
  }
  // Nanoseconds from the last Reset to the first non-silent buffer, -1 if none yet.
  qint64 FirstLoudNs() const {
    std::lock_guard lock(mutex_);
    return firstLoud_;
  }

 private:
  mutable std::mutex mutex_;
  QElapsedTimer clock_;
  long loudFrames_ = 0, signChanges_ = 0;
  int previous_ = 0;
  qint64 firstLoud_ = -1;
};

class MediaDir {
 public:
  QString Path(const QString& name) const { return dir_.filePath(name); }
  QString Tone(const QString& name, int ms, int hz = 440, int rate = 22050,
               TWaveEncoding enc = TWaveEncoding::Pcm16) const {
    WriteWave(Path(name), MakeTone(ms, hz, rate), enc);
    return Path(name);
  }

 private:
  QTemporaryDir dir_;
};
