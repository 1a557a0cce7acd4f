// The program's one sound output: an SDL2 device opened at start and a mixer
// with one voice per media player (and one for the beep). A sound is converted
// to the device's format when it is loaded, so the audio thread only adds
// samples. With no usable device the engine runs on SDL's silent "dummy"
// driver, paced by the wall clock, so the ends of sounds still arrive on time.
//
// Threads: everything here is called on the GUI thread except the output tap,
// which runs on the audio thread. The end of a sound is reported later as an
// event of the GUI thread.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/AudioDecoder.h"

namespace Audio {

// Opens the output device: the platform's own driver first, SDL's dummy driver
// when that fails (printing one line). Returns false only when not even the
// dummy driver opens; voices then end at once. Calling it again does nothing.
bool Startup();
// Closes the device; voices stay usable (silent, ending at once).
void Shutdown();
bool Running();
// True when the output is SDL's silent dummy driver.
bool Silent();
QString DriverName();
// The device's format: 16-bit stereo at this rate.
int DeviceRate();
// Frames the mixer fills per call of the device.
int BufferFrames();
double BufferMs();

// Sees every buffer the mixer hands to the device (interleaved stereo, 16-bit),
// on the audio thread. Keep it short; pass an empty function to remove it.
using TOutputTap = std::function<void(const std::int16_t* samples, int frames)>;
void SetOutputTap(TOutputTap tap);

// Runs `fn` before the device closes (engine-owned voices release themselves).
void AtShutdown(std::function<void()> fn);

}  // namespace Audio

// One voice of the mixer: a sound converted to the device format, a cursor and
// a running flag. A natural end reaches OnEnd later, on the GUI thread, with
// the serial of the start it belongs to.
class TAudioVoice {
 public:
  TAudioVoice();
  ~TAudioVoice();
  TAudioVoice(const TAudioVoice&) = delete;
  TAudioVoice& operator=(const TAudioVoice&) = delete;

  // Replaces the sound (stopped, cursor at 0).
  void Load(const TSoundData& sound);
  void Unload();
  bool Loaded() const;
  std::int64_t LengthFrames() const;
  int LengthMs() const;

  // Plays from the cursor; returns the serial that its end will carry. A
  // voice at its end, or one with nothing loaded, ends at once.
  std::uint64_t Start();
  // Stops where it is; no end is reported for the start that was running.
  void Halt();
  // Moves the cursor; a running voice goes on from there (and ends at once
  // when moved to the end).
  void Seek(std::int64_t frame);
  std::int64_t Cursor() const;
  int PositionMs() const;
  bool Running() const;
  bool AtEnd() const;

  std::function<void(std::uint64_t serial)> OnEnd;

 private:
  friend struct TMixer;
  void PostEnd(std::uint64_t serial);
  std::int64_t ClockCursor(std::int64_t length) const;
  std::uint64_t id_;
  std::shared_ptr<const std::vector<std::int16_t>> data_;  // stereo frames at the device rate
  std::atomic<std::int64_t> cursor_{0};
  std::atomic<bool> running_{false};
  std::atomic<std::uint64_t> serial_{0};
  // With the silent driver a running voice goes by the wall clock from here.
  std::atomic<std::int64_t> startNs_{0}, startCursor_{0};
};
