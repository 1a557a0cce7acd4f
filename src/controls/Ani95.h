// TAnimation: a small window that plays a silent AVI clip from a start frame
// to an end frame a number of times and reports when playing starts and
// stops. The location screen's idle videos use it.
//
// Underneath is an animation control of our own with the four operations the
// window drives: open a clip, play frames a..b (0-based, b = 0xFFFF for the
// last) n times (-1 for ever), stop, and the start/stop notifications, which
// arrive later as events of the GUI thread. Playing a single frame only shows
// it and reports nothing; a play request while playing is ignored. Recreating
// the window (Reopen) drops the notifications of the old one, and a stop that
// a newer play has overtaken is not reported.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Controls.h"
#include "platform/FrameClock.h"

class TVideoClip;

class TAnimation : public TControlWidget<QWidget> {
 public:
  explicit TAnimation(QWidget* parent);
  ~TAnimation() override;

  const QString& AVIFile() const { return aviFile_; }
  void SetAVIFile(const QString& file);
  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool Playing() const { return playing_; }
  void SetPlaying(bool p);
  std::int16_t StartFrame() const { return startFrame_; }
  void SetStartFrame(std::int16_t v);
  std::int16_t EndFrame() const { return endFrame_; }
  void SetEndFrame(std::int16_t v);
  std::int32_t RepeatCount() const { return repeatCount_; }
  void SetRepeatCount(std::int32_t v);
  // With ParentColor (the default) the window takes its screen's or panel's colour.
  TColor Color() const;
  void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  TNotifyEvent OnStart;
  TNotifyEvent OnStop;

  virtual void DoStart();
  virtual void DoStop();
  virtual void Play();
  virtual void Stop();

  // Recreates the window and opens the clip again, keeping Playing.
  void Reopen();
  void OpenClip();

  bool Opened() const { return opened_; }
  int ClipWidth() const { return clipWidth_; }
  int ClipHeight() const { return clipHeight_; }
  // The clip's frame on display (0-based), -1 when none.
  int CurrentFrame() const { return shownFrame_; }
  // Alternative clip sources; never set by the game, and no resources exist here.
  QString ResName;
  int ResId = 0;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  enum class TNote { Start, Stop };
  void Refuse(const QString& message);
  void Restart();
  void DestroyWindow();
  void CreateWindow();
  // The animation control.
  bool CtlOpen(const QString& file);
  bool CtlPlay(int from, int to, int repeat);
  void CtlStop();
  void CtlTick();
  void CtlShow(int frame);
  void Post(TNote note);

  QString aviFile_;
  bool center_ = true, transparent_ = true, playing_ = false, opened_ = false;
  std::int16_t startFrame_ = 1, endFrame_ = 0;
  std::int32_t repeatCount_ = 0;
  TColor color_ = clSilver;
  bool parentColor_ = true;
  int clipWidth_ = 0, clipHeight_ = 0;

  std::unique_ptr<TVideoClip> clip_;
  TFrameTicker ticker_;  // the control's frame timer, on the shared clock
  int frameMs_ = 66;
  int from_ = 0, to_ = 0, loops_ = 0, current_ = 0;
  int shownFrame_ = -1;
  QImage frame_;
  std::uint32_t keyPixel_ = 0;
  bool haveKey_ = false;
  std::uint64_t window_ = 0;  // generation of the window
  std::uint64_t run_ = 0;     // number of the last play started
};
