#include "controls/Ani95.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Forms.h"
#include "platform/Timers.h"
#include "platform/VideoClip.h"

TAnimation::TAnimation(QWidget* parent)
    : TControlWidget<QWidget>(parent), ticker_([this] { CtlTick(); }, this) {
  // An opaque window that takes no clicks: they reach whatever lies beneath.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  resize(64, 64);
  CreateWindow();
}

TAnimation::~TAnimation() = default;

// ---------------------------------------------------------------- properties

void TAnimation::Refuse(const QString& message) { ShowErrorBox(message); }

void TAnimation::SetAVIFile(const QString& file) {
  if (file == aviFile_) return;
  aviFile_ = file;
  ResName.clear();
  ResId = 0;
  Reopen();
}

void TAnimation::SetCenter(bool v) {
  if (v == center_) return;
  center_ = v;
  Reopen();
}

void TAnimation::SetTransparent(bool v) {
  if (v == transparent_) return;
  transparent_ = v;
  Reopen();
}

TColor TAnimation::Color() const {
  if (parentColor_) {
    if (const auto* form = dynamic_cast<const TForm*>(parentWidget())) return form->Color();
    if (const auto* panel = dynamic_cast<const TPanel*>(parentWidget())) return panel->Color();
  }
  return color_;
}

void TAnimation::SetColor(TColor c) {
  const TColor before = Color();
  color_ = c;
  parentColor_ = false;
  if (c != before) Reopen();
}

void TAnimation::SetParentColor(bool v) {
  if (v == parentColor_) return;
  const TColor before = Color();
  parentColor_ = v;
  if (Color() != before) Reopen();
}

void TAnimation::SetPlaying(bool p) {
  if (p == playing_) return;
  playing_ = p;
  if (!opened_) return;
  if (p) {
    // EndFrame 0 becomes 0xFFFF, the control's "last frame".
    CtlPlay(startFrame_ - 1, (endFrame_ - 1) & 0xFFFF, repeatCount_ == 0 ? -1 : repeatCount_);
  } else {
    CtlStop();
    CtlPlay(startFrame_ - 1, startFrame_ - 1, 1);
  }
}

void TAnimation::Restart() {
  const bool was = playing_;
  SetPlaying(false);
  if (was) SetPlaying(true);
}

void TAnimation::SetStartFrame(std::int16_t v) {
  if (v < 1) return Refuse(QStringLiteral("StartFrame must be >= 1!"));
  if (endFrame_ > 0 && endFrame_ < v) return Refuse(QStringLiteral("StartFrame must be <= EndFrame!"));
  startFrame_ = v;
  Restart();
}

void TAnimation::SetEndFrame(std::int16_t v) {
  if (v < 0 || (v > 0 && v < startFrame_))
    return Refuse(QStringLiteral("EndFrame must be 0 or >= StartFrame!"));
  endFrame_ = v;
  Restart();
}

void TAnimation::SetRepeatCount(std::int32_t v) {
  if (v < 0) return Refuse(QStringLiteral("RepeatCount must be >= 0!"));
  repeatCount_ = v;
  Restart();
}

void TAnimation::DoStart() {
  if (OnStart) OnStart();
}

void TAnimation::DoStop() {
  if (OnStop) OnStop();
}

void TAnimation::Play() { SetPlaying(true); }

void TAnimation::Stop() { SetPlaying(false); }

// ---------------------------------------------------------------- window and clip

void TAnimation::DestroyWindow() {
  ticker_.Stop();
  clip_.reset();
  frame_ = QImage();
  shownFrame_ = -1;
  haveKey_ = false;
  opened_ = false;
  ++window_;  // notifications of the old window are dropped
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  update();
}

void TAnimation::CreateWindow() {
  static std::uint32_t module = static_cast<std::uint32_t>(QCoreApplication::applicationPid());
  setObjectName(QString::asprintf("Animation(%.8X,%.8X)", GetTickCount(), module));
}

void TAnimation::Reopen() {
  const bool was = playing_;
  SetPlaying(false);
  DestroyWindow();
  CreateWindow();
  OpenClip();
  SetPlaying(was);
}

void TAnimation::OpenClip() {
  opened_ = false;
  if (!CtlOpen(aviFile_)) return;
  opened_ = true;
  CtlPlay(startFrame_ - 1, startFrame_ - 1, 1);
  clipWidth_ = width();
  clipHeight_ = height();
  if (!center_) setFixedSize(clipWidth_, clipHeight_);
}

// ---------------------------------------------------------------- the animation control

bool TAnimation::CtlOpen(const QString& file) {
  if (file.isEmpty()) return false;  // resources: none in this program
  auto clip = std::make_unique<TVideoClip>();
  try {
    clip->Open(file);
  } catch (const Exception&) {
    return false;
  }
  clip_ = std::move(clip);
  if (!center_) resize(clip_->Width(), clip_->Height());
  frameMs_ = std::max(1, static_cast<int>(std::lround(clip_->FrameIntervalMs())));
  return true;
}

bool TAnimation::CtlPlay(int from, int to, int repeat) {
  if (!clip_) return false;
  if (ticker_.Active()) return true;  // already playing
  if (to == 0xFFFF) to = clip_->FrameCount() - 1;
  if (from < 0 || from >= clip_->FrameCount() || to < from) return false;
  to = std::min(to, clip_->FrameCount() - 1);
  from_ = from;
  to_ = to;
  loops_ = repeat;
  current_ = from;
  if (from == to) {
    // A seek: shows the frame, starts nothing, reports nothing.
    CtlShow(from);
    return true;
  }
  ++run_;
  Post(TNote::Start);
  ticker_.Every(frameMs_);
  return true;
}

void TAnimation::CtlStop() {
  if (!ticker_.Active()) return;
  ticker_.Stop();
  Post(TNote::Stop);
}

void TAnimation::CtlTick() {
  CtlShow(current_);
  if (current_++ >= to_) {
    current_ = from_;
    if (loops_ != -1 && --loops_ == 0) CtlStop();
  }
}

void TAnimation::CtlShow(int frame) {
  if (!clip_) return;
  QImage next;
  try {
    next = clip_->Frame(frame);
  } catch (const Exception&) {
    // A frame that cannot be decoded leaves the last one on display.
    return;
  }
  // The first step shows the frame the window already shows, and a clip may
  // hold still for a few frames: what would paint the same pixels paints nothing.
  const bool same = frame == shownFrame_ || next == frame_;
  frame_ = next;
  shownFrame_ = frame;
  if (!haveKey_ && !frame_.isNull()) {
    keyPixel_ = frame_.pixel(0, 0);
    haveKey_ = true;
  }
  if (!same) update();
}

void TAnimation::Post(TNote note) {
  const std::uint64_t window = window_, run = run_;
  QMetaObject::invokeMethod(
      this,
      [this, note, window, run] {
        if (window != window_) return;
        if (note == TNote::Start) {
          DoStart();
        } else if (run == run_) {
          DoStop();
          playing_ = false;
        }
      },
      Qt::QueuedConnection);
}

void TAnimation::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor back = ToQColor(Color());
  p.fillRect(rect(), back);
  if (!opened_ || frame_.isNull()) return;
  QImage shown = frame_;
  if (transparent_ && haveKey_) {
    shown = frame_.convertToFormat(QImage::Format_RGB32);
    const std::uint32_t key = keyPixel_ | 0xFF000000u;
    const std::uint32_t fill = back.rgb() | 0xFF000000u;
    for (int y = 0; y < shown.height(); ++y) {
      auto* line = reinterpret_cast<std::uint32_t*>(shown.scanLine(y));
      for (int x = 0; x < shown.width(); ++x)
        if ((line[x] | 0xFF000000u) == key) line[x] = fill;
    }
  }
  const QPoint at = center_ ? QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2)
                            : QPoint(0, 0);
  p.drawImage(at, shown);
}
