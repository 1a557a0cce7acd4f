#include "platform/MediaPlayer.h"

#include <QApplication>
#include <QPainter>
#include <QThread>
#include <cmath>

#include "platform/Errors.h"
#include "platform/Trace.h"
#include "platform/VideoClip.h"

// The picture of a playing clip, laid over the display panel.
class TVideoSurface : public QWidget {
 public:
  explicit TVideoSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void SetFrame(const QImage& frame) {
    frame_ = frame;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, frame_);
  }

 private:
  QImage frame_;
};

TMediaPlayer::TMediaPlayer(QObject* owner) : QObject(owner), frameTicker_([this] { FrameTick(); }) {
  voice_.OnEnd = [this](std::uint64_t serial) {
    if (serial == voiceSerial_) Sync();
  };
}

TMediaPlayer::~TMediaPlayer() {
  delete surface_.data();
}

// ---------------------------------------------------------------- notifications

// Every command makes the notifications still on their way stale.
void TMediaPlayer::Command() {
  Sync();
  for (Note& n : undelivered_) n.value = nvSuperseded;
}

// Notices a natural end that the audio thread or the clock has reached.
void TMediaPlayer::Sync() {
  if (!playing_) return;
  const bool soundDone = !hasSound_ || (!voice_.Running() && voice_.AtEnd());
  const bool videoDone = !clip_ || VideoAtEnd();
  if (!soundDone || !videoDone) return;
  if (clip_) {
    videoBaseMs_ = std::max(VideoMs(), static_cast<double>(clip_->DurationMs()));
    frameTicker_.Stop();
    ShowFrame(clip_->FrameCount() - 1);
  }
  playing_ = false;
  Settle(nvSuccessful);
}

void TMediaPlayer::Settle(TMPNotifyValues value) {
  if (!run_) return;
  const bool notify = run_->notify;
  run_.reset();
  if (!notify) return;
  const std::uint64_t id = nextNote_++;
  undelivered_.push_back({id, value});
  QMetaObject::invokeMethod(this, [this, id] { Deliver(id); }, Qt::QueuedConnection);
}

void TMediaPlayer::Deliver(std::uint64_t id) {
  const auto it = std::find_if(undelivered_.begin(), undelivered_.end(),
                               [id](const Note& n) { return n.id == id; });
  if (it == undelivered_.end()) return;
  notifyValue_ = it->value;
  undelivered_.erase(it);
  if (OnNotify) OnNotify();
}

// ---------------------------------------------------------------- commands

bool TMediaPlayer::HasMedia() const { return clip_ || hasSound_; }

void TMediaPlayer::Open() {
  Command();
  Wait = false;
  if (open_) CloseMedia(nvSuperseded);
  const bool video = DeviceType == dtAVIVideo ||
                     (DeviceType == dtAutoSelect && FileName.endsWith(QLatin1String(".avi"), Qt::CaseInsensitive));
  if (FileName.isEmpty()) {
    if (video) throw EInOutError(QStringLiteral("Nie podano pliku filmu"));
    open_ = true;
    return;
  }
  Trace::Opening(FileName, false);
  struct Opened {
    const QString& file;
    ~Opened() { Trace::Opening(file, true); }
  } opened{FileName};
  if (video) {
    auto clip = std::make_unique<TVideoClip>();
    clip->Open(FileName);
    std::unique_ptr<TSoundReader> track;
    try {
      track = clip->OpenAudio();
    } catch (const EInOutError&) {
      // A broken sound track leaves a silent clip.
    }
    clip_ = std::move(clip);
    hasSound_ = track != nullptr;
    sourceRate_ = track ? track->Rate() : 0;
    blockAlign_ = track ? std::max(1, track->BlockAlign()) : 1;
    if (track) voice_.Stream(std::move(track));
  } else {
    // Long sounds (songs) play while the rest of the file is decoded.
    auto reader = OpenSoundFile(FileName);
    sourceRate_ = reader->Rate();
    blockAlign_ = std::max(1, reader->BlockAlign());
    voice_.Stream(std::move(reader));
    hasSound_ = true;
  }
  videoBaseMs_ = 0;
  shownFrame_ = -1;
  open_ = true;
}

void TMediaPlayer::CloseMedia(TMPNotifyValues value) {
  if (playing_) HaltMedia();
  Settle(value);
  paused_ = false;
  voice_.Unload();
  hasSound_ = false;
  clip_.reset();
  frameTicker_.Stop();
  if (surface_) surface_->hide();
  shownFrame_ = -1;
  videoBaseMs_ = 0;
  open_ = false;
}

void TMediaPlayer::Close() {
  Command();
  Wait = false;
  if (open_) CloseMedia(nvAborted);
}

void TMediaPlayer::Play() {
  Command();
  const bool wait = Wait;
  Wait = false;
  if (!open_ || !HasMedia())
    throw EInvalidOperation(QStringLiteral("Odtwarzacz nie ma otwartego pliku (%1)").arg(FileName));
  if (playing_) {
    Settle(nvSuperseded);
  } else {
    if (PositionMs() >= LengthMs()) SeekMs(0);
    StartMedia();
  }
  run_ = Run{Notify};
  if (wait) WaitForEnd();
}

void TMediaPlayer::Stop() {
  Command();
  Wait = false;
  if (playing_) {
    HaltMedia();
    Settle(nvAborted);
  }
  paused_ = false;
}

void TMediaPlayer::Pause() {
  Command();
  const bool wait = Wait;
  Wait = false;
  if (playing_) {
    HaltMedia();
    Settle(nvAborted);
    paused_ = true;
  } else if (paused_) {
    StartMedia();
    run_ = Run{Notify};
    if (wait) WaitForEnd();
  }
}

void TMediaPlayer::Rewind() {
  Command();
  Wait = false;
  if (!open_) return;
  if (playing_) {
    HaltMedia();
    Settle(nvAborted);
  }
  paused_ = false;
  SeekMs(0);
}

void TMediaPlayer::SetPosition(int value) {
  Command();
  Wait = false;
  if (!open_) return;
  if (playing_) {
    HaltMedia();
    Settle(nvAborted);
  }
  paused_ = false;
  SeekMs(std::clamp(ToMs(value), 0.0, LengthMs()));
}

// ---------------------------------------------------------------- media

void TMediaPlayer::StartMedia() {
  playing_ = true;
  paused_ = false;
  if (clip_) {
    clock_.restart();
    if (display_ && !surface_) surface_ = new TVideoSurface(display_);
    if (surface_) {
      surface_->setGeometry(0, 0, clip_->Width(), clip_->Height());
      surface_->show();
      surface_->raise();
    }
    shownFrame_ = -1;
    ShowFrameDue();
  }
  if (hasSound_) {
    voiceSerial_ = voice_.Start();
  } else {
    voiceSerial_ = 0;
  }
}

void TMediaPlayer::HaltMedia() {
  if (clip_) {
    videoBaseMs_ = VideoMs();
    frameTicker_.Stop();
  }
  voice_.Halt();
  playing_ = false;
}

void TMediaPlayer::SeekMs(double ms) {
  if (hasSound_)
    voice_.Seek(static_cast<std::int64_t>(std::llround(ms * Audio::DeviceRate() / 1000.0)));
  if (clip_) {
    videoBaseMs_ = ms;
    clock_.restart();
  }
}

double TMediaPlayer::VideoMs() const {
  if (!clip_) return 0;
  const double ms = playing_ ? videoBaseMs_ + static_cast<double>(clock_.elapsed()) : videoBaseMs_;
  return std::min(ms, static_cast<double>(clip_->DurationMs()));
}

bool TMediaPlayer::VideoAtEnd() const {
  return clip_ && (playing_ ? videoBaseMs_ + static_cast<double>(clock_.elapsed()) : videoBaseMs_) >=
                      clip_->DurationMs();
}

double TMediaPlayer::PositionMs() {
  if (clip_) return VideoMs();
  if (hasSound_) return static_cast<double>(voice_.Cursor()) * 1000.0 / Audio::DeviceRate();
  return 0;
}

double TMediaPlayer::LengthMs() const {
  double ms = hasSound_ ? static_cast<double>(voice_.LengthFrames()) * 1000.0 / Audio::DeviceRate() : 0;
  if (clip_) ms = std::max(ms, static_cast<double>(clip_->DurationMs()));
  return ms;
}

void TMediaPlayer::WaitForEnd() {
  // Blocks the thread, as a waiting play does; the sound goes on in the audio
  // thread. What the screens changed just before (a word dropped, the points)
  // is painted first, so the game never looks frozen half-way.
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) window->repaint();
  QElapsedTimer guard;
  guard.start();
  const double limit = LengthMs() + 5000;
  while (playing_) {
    Sync();
    if (!playing_ || guard.elapsed() > limit) break;
    QThread::usleep(500);
  }
}

// Runs at each frame's start (and, past the last one, until the sound track ends).
void TMediaPlayer::FrameTick() {
  Sync();
  ShowFrameDue();
}

void TMediaPlayer::ShowFrameDue() {
  if (!playing_ || !clip_) return;
  const double ms = VideoMs();
  const int index = static_cast<int>(ms * clip_->FrameRate() / 1000.0);
  ShowFrame(index);
  const double next = (index + 1) * 1000.0 / clip_->FrameRate() - ms;
  frameTicker_.Once(index + 1 < clip_->FrameCount() ? next + 0.5 : std::min(next, 40.0));
}

void TMediaPlayer::ShowFrame(int index) {
  if (!clip_) return;
  index = std::clamp(index, 0, clip_->FrameCount() - 1);
  if (index == shownFrame_) return;
  if (!surface_) {
    shownFrame_ = index;  // nowhere to show it: no need to decode
    return;
  }
  try {
    const QImage frame = clip_->Frame(index);
    shownFrame_ = index;
    if (surface_) surface_->SetFrame(frame);
  } catch (const EInOutError&) {
    // A clip that breaks while playing ends its play as failed.
    if (playing_) {
      HaltMedia();
      Settle(nvFailure);
    }
  }
}

// ---------------------------------------------------------------- positions

TMPModes TMediaPlayer::Mode() {
  Sync();
  if (!open_) return mpNotReady;
  if (playing_) return mpPlaying;
  if (paused_) return mpPaused;
  return mpStopped;
}

int TMediaPlayer::FromMs(double ms) const {
  if (clip_ || TimeFormat == tfMilliseconds || sourceRate_ <= 0)
    return static_cast<int>(std::floor(ms));
  const double samples = std::round(ms * sourceRate_ / 1000.0);
  return static_cast<int>(TimeFormat == tfSamples ? samples : samples * blockAlign_);
}

double TMediaPlayer::ToMs(int value) const {
  if (clip_ || TimeFormat == tfMilliseconds || sourceRate_ <= 0) return value;
  const double samples = TimeFormat == tfSamples ? value : static_cast<double>(value) / blockAlign_;
  return samples * 1000.0 / sourceRate_;
}

int TMediaPlayer::Position() {
  Sync();
  return FromMs(PositionMs());
}

int TMediaPlayer::Length() { return FromMs(LengthMs()); }

void TMediaPlayer::SetDisplay(TPanel* panel) {
  if (panel == display_) return;
  delete surface_.data();
  display_ = panel;
  if (panel && clip_ && (playing_ || shownFrame_ >= 0)) {
    surface_ = new TVideoSurface(panel);
    surface_->setGeometry(0, 0, clip_->Width(), clip_->Height());
    const int shown = shownFrame_;
    shownFrame_ = -1;
    ShowFrame(shown);
    surface_->show();
  }
}
