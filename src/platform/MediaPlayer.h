// The media player of the screens: a wave file (or an AVI clip into a panel)
// opened, played with or without waiting, stopped, paused and resumed, sought,
// closed, with its mode, position and length, and one end notification per
// play.
//
// Notifications. Every Play (and every resume by Pause) made while Notify is
// true ends in exactly one call of OnNotify, with NotifyValue saying how:
//   nvSuccessful  the sound played to its end;
//   nvAborted     Stop, Pause, Close, Rewind or SetPosition ended it;
//   nvSuperseded  a newer Play or Open replaced it, or any later command
//                 reached the player before the notification was delivered
//                 (so a handler never sees "successful" for a sound that a
//                 later command has already replaced);
//   nvFailure     the clip could not be decoded while playing.
// OnNotify always runs later, as an event of the GUI thread, never inside the
// call that ended the play.
//
// Mode: mpNotReady when closed, mpPlaying, mpPaused, otherwise mpStopped (an
// open file that is not playing reads mpStopped, as the wave device reports
// it; use IsOpen() to ask whether a file is open).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "platform/AudioEngine.h"
#include "platform/Controls.h"
#include "platform/FrameClock.h"

class TVideoClip;
class TVideoSurface;

enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };
enum TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };
// Bytes and samples count the wave file's own frames; clips always use milliseconds.
enum TMPTimeFormats { tfMilliseconds, tfBytes, tfSamples };
// Auto-select takes files ending in ".avi" as video and everything else as wave audio.
enum TMPDeviceTypes { dtAutoSelect, dtWaveAudio, dtAVIVideo };

class TMediaPlayer : public QObject {
 public:
  explicit TMediaPlayer(QObject* owner = nullptr);
  ~TMediaPlayer() override;

  QString FileName;
  TMPDeviceTypes DeviceType = dtAutoSelect;
  TMPTimeFormats TimeFormat = tfMilliseconds;
  // Whether plays report their end (kept until changed).
  bool Notify = true;
  // The next command waits until the sound has ended (Play, or Pause when it
  // resumes); like the toolkit's, it applies to that one call and is then false again.
  bool Wait = false;
  TNotifyEvent OnNotify;
  TMPNotifyValues NotifyValue() const { return notifyValue_; }

  // Opens FileName (closing what was open). An empty name opens the wave
  // device alone. Throws EInOutError naming the file when it cannot be read;
  // the player is then closed.
  void Open();
  void Close();
  // Plays from the current position (from the start when at the end); after
  // Pause it goes on where it stopped. Throws EInvalidOperation when no sound is open.
  void Play();
  // Stops where it is.
  void Stop();
  // Pauses a playing sound; resumes a paused one.
  void Pause();
  // Seeks to the start (stopping a playing sound, as seeking does).
  void Rewind();

  TMPModes Mode();
  bool IsOpen() const { return open_; }
  // In TimeFormat units.
  int Position();
  void SetPosition(int value);
  int Length();

  // A panel to show video in; the clip is drawn at its own size at the
  // panel's top left, over whatever the panel holds, from the first Play.
  TPanel* Display() const { return display_; }
  void SetDisplay(TPanel* panel);

 private:
  struct Run {
    bool notify;
  };
  struct Note {
    std::uint64_t id;
    TMPNotifyValues value;
  };
  void Command();
  void Sync();
  void Settle(TMPNotifyValues value);
  void Deliver(std::uint64_t id);
  void CloseMedia(TMPNotifyValues value);
  void StartMedia();
  void HaltMedia();
  void SeekMs(double ms);
  bool HasMedia() const;
  double PositionMs();
  double LengthMs() const;
  double VideoMs() const;
  bool VideoAtEnd() const;
  void WaitForEnd();
  void FrameTick();
  void ShowFrameDue();
  void ShowFrame(int index);
  int FromMs(double ms) const;
  double ToMs(int value) const;

  TAudioVoice voice_;
  std::unique_ptr<TVideoClip> clip_;
  bool open_ = false, playing_ = false, paused_ = false;
  bool hasSound_ = false;
  std::uint64_t voiceSerial_ = 0;
  int sourceRate_ = 0, blockAlign_ = 1;
  std::optional<Run> run_;
  std::deque<Note> undelivered_;
  std::uint64_t nextNote_ = 1;
  TMPNotifyValues notifyValue_ = nvSuccessful;

  // Clips run on the wall clock from videoBaseMs_ while playing.
  QElapsedTimer clock_;
  double videoBaseMs_ = 0;
  TFrameTicker frameTicker_;  // wakes at each frame of a playing clip
  int shownFrame_ = -1;
  QPointer<TPanel> display_;
  QPointer<TVideoSurface> surface_;
};
