#include "controls/Animate.h"

#include <QPainter>
#include <QPaintEvent>

#include "platform/Forms.h"
#include "platform/Picture.h"

TColor ParentColorOf(const QWidget* control) {
  const QWidget* parent = control ? control->parentWidget() : nullptr;
  if (!parent) return clSilver;
  if (auto* form = dynamic_cast<const TForm*>(parent)) return form->Color();
  if (auto* panel = dynamic_cast<const TPanel*>(parent)) return panel->Color();
  return FromQColor(parent->palette().color(QPalette::Window));
}

TAnimated::TAnimated(QWidget* parent)
    : TControlWidget<QWidget>(parent), ticker_([this] { Step(); }, this) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(30, 30);
}

TAnimated::~TAnimated() = default;

void TAnimated::StartTimer() {
  ticker_.Every(interval_);
}

void TAnimated::StopTimer() {
  ticker_.Stop();
}

void TAnimated::SetInterval(int ms) {
  if (ms == interval_) return;
  StopTimer();
  interval_ = ms;
  if (play_ && ms > 0) StartTimer();
}

void TAnimated::SetFrame(int v) {
  const int next = v < 0 ? Frames() - 1 : v % Frames();
  if (next == frame_) return;
  frame_ = next;
  if (OnChangeFrame) OnChangeFrame();
  update();
}

void TAnimated::SetPlay(bool p) {
  if (p == play_) return;
  play_ = p;
  if (p && interval_ > 0)
    StartTimer();
  else if (!p)
    StopTimer();
}

void TAnimated::Step() {
  if (!reverse_) {
    // frame_ + 1 cannot overflow: frame_ is below the frame count.
    SetFrame(frame_ + 1);
    if (frame_ == Frames() - 1 && !loop_) {
      play_ = false;
      StopTimer();
    }
  } else {
    SetFrame(frame_ - 1);
    if (frame_ == 0 && !loop_) {
      play_ = false;
      StopTimer();
    }
  }
}

void TAnimated::SetTransparentColor(TColor c) {
  if (c == transparentColor_) return;
  transparentColor_ = c;
  update();
}

void TAnimated::SetBitMap(const QImage& picture) {
  strip_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
  StripChanged();
  SetHeight(strip_.height() > 0 ? strip_.height() : 30);
}

void TAnimated::LoadBitMap(const QString& path) {
  strip_ = LoadPicture(path);
  StripChanged();
}

void TAnimated::ClearBitMap() {
  strip_ = QImage();
  StripChanged();
}

void TAnimated::StripChanged() {
  replaced_ = QImage();
  update();
}

void TAnimated::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  const QRect dest(0, 0, width(), height());
  if (strip_.height() <= 0) {
    p.fillRect(dest, Qt::white);
    return;
  }
  const TColor brush = ParentColorOf(this);
  // Whatever the strip does not cover (a frame past its end) shows the parent's colour.
  p.fillRect(e->rect(), ToQColor(brush));
  const qint64 left = qint64(width()) * frame_;
  if (left >= strip_.width()) return;
  const QRect source(int(left), 0, width(), height());

  const QImage* image = &strip_;
  if (transparentColor_ >= 0) {
    if (replaced_.isNull() || replacedKey_ != transparentColor_ || replacedBrush_ != brush) {
      replaced_ = strip_.copy();
      const std::uint32_t key = ToPixel(transparentColor_), to = ToPixel(brush);
      for (int y = 0; y < replaced_.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(replaced_.scanLine(y));
        for (int x = 0; x < replaced_.width(); ++x)
          if ((row[x] | 0xFF000000u) == key) row[x] = to;
      }
      replacedKey_ = transparentColor_;
      replacedBrush_ = brush;
    }
    image = &replaced_;
  }
  const QRect part = source.intersected(image->rect());
  p.drawImage(part.topLeft() - source.topLeft(), *image, part);
}
