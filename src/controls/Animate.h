// The sprite: one frame of a horizontal strip of equal-width frames, stepped
// on the frame clock (in phase with the other sprites of its interval, and
// not while hidden). Frame i covers columns i*Width .. (i+1)*Width of the strip; the
// control never derives its size or frame count from the strip.
//
// The control is opaque. With a transparent colour set, that colour shows the
// parent's colour (not what lies beneath the sprite), as the screens expect.
#pragma once

#include <QImage>

#include "platform/Controls.h"
#include "platform/FrameClock.h"

class TAnimated : public TControlWidget<QWidget> {
 public:
  explicit TAnimated(QWidget* parent);
  ~TAnimated() override;

  // Properties in the order a screen applies them: Frame is reduced by
  // FrameCount, and Play starts a timer only when Interval is already set.
  int Interval() const { return interval_; }
  // Restarts the timing of a running sprite; 0 or less stops stepping.
  void SetInterval(int ms);
  int FrameCount() const { return frameCount_; }
  // A plain value; it acts at the next step or paint.
  void SetFrameCount(int n) { frameCount_ = n; }
  int Frame() const { return frame_; }
  // Negative values show the last frame, others wrap; a change calls OnChangeFrame.
  void SetFrame(int v);
  const QImage& BitMap() const { return strip_; }
  // Copies the strip and takes its height (30 for an empty picture).
  void SetBitMap(const QImage& picture);
  // Load straight into the strip: the control keeps its size.
  void LoadBitMap(const QString& path);
  void ClearBitMap();
  bool Play() const { return play_; }
  void SetPlay(bool p);
  bool Reverse() const { return reverse_; }
  void SetReverse(bool v) { reverse_ = v; }
  bool Loop() const { return loop_; }
  void SetLoop(bool v) { loop_ = v; }
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor c);

  TNotifyEvent OnChangeFrame;

  // One timer step; the clock calls it every Interval ms while playing.
  void Step();
  // True while the frames step (playing with a positive interval).
  bool TimerActive() const { return ticker_.Active(); }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  void StartTimer();
  void StopTimer();
  int Frames() const { return frameCount_ < 1 ? 1 : frameCount_; }
  void StripChanged();

  int interval_ = 0;
  int frameCount_ = 1;
  int frame_ = 0;
  QImage strip_;
  bool play_ = false;
  bool reverse_ = false;
  bool loop_ = true;
  TColor transparentColor_ = -1;
  TFrameTicker ticker_;
  // The strip with the transparent colour replaced, for the colours it was made with.
  QImage replaced_;
  TColor replacedKey_ = -1, replacedBrush_ = -1;
};

// The colour a control without a colour of its own paints with: its parent's.
TColor ParentColorOf(const QWidget* control);
