// The program's one sound output: an SDL2 device and a mixer with one voice
// per media player (and one for the beep). A sound is converted to the
// device's format before it is mixed, so the audio thread only adds samples.
// A streamed sound is converted by a decoding thread of its own while it
// plays: only its first piece costs the caller, and a long one keeps only a
// few seconds around its cursor. With no usable device the engine runs on
// SDL's silent "dummy" driver, paced by the wall clock, so the ends of sounds
// still arrive on time.
//
// The device opens on a thread of its own, so starting the program does not
// wait for it; a voice started meanwhile plays as soon as it is open, and a
// streamed sound decodes no further than its first piece until then. With no
// voice playing the device is paused and its thread sleeps.
//
// Threads: everything here is called on the GUI thread except the output tap,
// which runs on the audio thread, and the decoding of streamed sounds. The end of a sound is
// reported later as an event of the GUI thread.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/AudioDecoder.h"

struct TVoiceData;

namespace Audio {

// Starts opening the output device and returns at once: the platform's own
// driver first, SDL's dummy driver when that fails (printing one line). When
// not even the dummy driver opens, voices end at once. Returns false only
// when an earlier start found no driver at all. Calling it again does nothing.
bool Startup();
// Promises a Startup later (once the first picture is up): voices started
// meanwhile wait for the device as they do while it opens, and decoding
// ahead waits with them. Asking about the device starts it at once.
void Expect();
// Closes the device; voices stay usable (silent, ending at once).
void Shutdown();
// These four wait until the device has opened.
bool Running();
// True when the output is SDL's silent dummy driver.
bool Silent();
// True when that driver stands in for a sound device the platform lacks
// (rather than being chosen, as tests and CI choose it).
bool NoSoundDevice();
QString DriverName();
// The mixer's format: 16-bit stereo at this rate (SDL converts for a device
// that wants another).
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
//
// A streamed sound plays while it is decoded. Its length is the one its header
// promises (or, for a file that does not say, what decoding finds: asking for
// it then waits for the decoding); should the decoder be outrun on a starved
// machine, the voice waits for it where it is rather than skipping. A streamed
// sound whose length is known and whose file can seek is held only a few
// seconds around the cursor; a seek out of that window decodes again from
// there, giving the same samples.
class TAudioVoice {
 public:
  TAudioVoice();
  ~TAudioVoice();
  TAudioVoice(const TAudioVoice&) = delete;
  TAudioVoice& operator=(const TAudioVoice&) = delete;

  // Replaces the sound (stopped, cursor at 0).
  void Load(const TSoundData& sound);
  // Replaces the sound by one decoded from `reader` while it plays: the first
  // piece now, the rest on a thread of its own.
  void Stream(std::unique_ptr<TSoundReader> reader);
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
  // Stereo frames [from, from + count) as far as they are decoded and held
  // (nothing when `from` has been dropped already).
  std::vector<std::int16_t> Frames(std::int64_t from, std::int64_t count) const;

  std::function<void(std::uint64_t serial)> OnEnd;

 private:
  friend struct TMixer;
  void PostEnd(std::uint64_t serial);
  void Replace(std::shared_ptr<TVoiceData> data);
  // The end as far as it is known now (without waiting for the decoder).
  std::int64_t EndFrames() const;
  // The end the silent output's clock stops at: only the decoded one (a
  // header's length may be an estimate, short of the real end).
  std::int64_t ClockEnd() const;
  std::int64_t ClockCursor(std::int64_t length) const;
  std::uint64_t id_;
  std::shared_ptr<TVoiceData> data_;  // stereo frames at the device rate
  std::atomic<std::int64_t> cursor_{0};
  std::atomic<bool> running_{false};
  std::atomic<std::uint64_t> serial_{0};
  // With the silent driver a running voice goes by the wall clock from here.
  std::atomic<std::int64_t> startNs_{0}, startCursor_{0};
};
