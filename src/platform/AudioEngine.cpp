#include "platform/AudioEngine.h"

#include <QObject>
#include <QPointer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <limits>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "platform/SdlAudio.h"
#include "platform/Trace.h"

#ifdef __linux__
#include <dlfcn.h>
#endif

namespace {
// 23 ms at 44.1 kHz: a click still sounds at once, and the audio thread,
// which wakes once a buffer while anything plays (the menu's music most of
// the time it waits), wakes 43 times a second rather than 100. The rate is
// fixed (SDL converts for a device that wants another), so sounds can be
// converted before the device has opened.
constexpr int kDefaultRate = 44100;
constexpr int kDefaultBufferFrames = 1024;
// Decoded before a streamed sound may start: a few device buffers' worth.
constexpr std::int64_t kFirstPieceFrames = 8192;
constexpr std::int64_t kUnknownEnd = std::numeric_limits<std::int64_t>::max();
// A streamed sound of known length keeps only a window around its cursor:
// this much decoded ahead, this much kept behind for short steps back.
constexpr std::int64_t kAheadFrames = 4 * kDefaultRate;
constexpr std::int64_t kBehindFrames = kDefaultRate;

// kPending: Expect() promised a Startup; voices wait for it as for kOpening.
enum TDeviceState { kClosed, kPending, kOpening, kOpen, kFailed };
bool Awaited(int state) {
  return state == kPending || state == kOpening;
}
std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

// A sound in the device format, in chunks, so the audio thread reads it while
// a decoding thread appends to it. Everything below `ring` is guarded by it;
// the audio thread holds it while it mixes, the decoder only for a moment.
//
// A sound held whole keeps every chunk. A bounded one (a streamed sound whose
// length is known) keeps the frames [base, available): the decoder stays
// a few seconds ahead of the cursor, drops what is well behind it, and starts
// again from the chunk holding the cursor when a seek leaves the window.
struct TVoiceData {
  static constexpr int kChunkShift = 15;
  static constexpr std::int64_t kChunkFrames = std::int64_t{1} << kChunkShift;
  static constexpr std::int64_t kMaxFrames = MaxSoundFrames;

  // `exact`: `expected` is the very length (a decoder's header may only
  // estimate it, so room is left up to the longest sound).
  TVoiceData(std::int64_t expected, bool bounded, bool exact)
      : expected(expected),
        bounded(bounded && expected >= 0),
        chunkCount(static_cast<std::size_t>(
            (std::min(exact && expected >= 0 ? expected + 1 : kMaxFrames, kMaxFrames) +
             kChunkFrames - 1) /
            kChunkFrames)),
        chunks(new std::int16_t*[chunkCount]()) {}
  ~TVoiceData() {
    {
      std::lock_guard lock(ring);
      cancel = true;
    }
    wake.notify_all();
    if (worker.joinable()) worker.join();
    for (std::size_t i = 0; i < chunkCount; ++i) delete[] chunks[i];
  }
  TVoiceData(const TVoiceData&) = delete;
  TVoiceData& operator=(const TVoiceData&) = delete;

  static std::int64_t ChunkStart(std::int64_t frame) { return frame >> kChunkShift << kChunkShift; }

  // Decoder side: appends stereo frames (beyond the last chunk they are dropped).
  void Append(const std::int16_t* stereo, std::int64_t frames) {
    std::int64_t at = written;
    const std::int64_t capacity = static_cast<std::int64_t>(chunkCount) * kChunkFrames;
    frames = std::min(frames, capacity - at);
    for (std::int64_t done = 0; done < frames;) {
      const auto chunk = static_cast<std::size_t>(at >> kChunkShift);
      const std::int64_t offset = at & (kChunkFrames - 1);
      const std::int64_t n = std::min(frames - done, kChunkFrames - offset);
      std::int16_t* block = chunks[chunk];  // only this thread sets them
      if (!block) {
        block = new std::int16_t[static_cast<std::size_t>(kChunkFrames) * 2];
        std::lock_guard lock(ring);
        chunks[chunk] = block;
      }
      std::copy(stereo + done * 2, stereo + (done + n) * 2, block + offset * 2);
      done += n;
      at += n;
    }
    written = at;
    std::lock_guard lock(ring);
    available = at;
  }
  // The decoder reached the end of the file: the length is known from now on.
  void Finish() {
    {
      std::lock_guard lock(ring);
      if (!done) length = written;
      done = true;
    }
    finished.notify_all();
  }
  // Adds frames [from, from + count) of the sound to `to` (stereo int32).
  // With `ring` held, inside [base, available).
  void MixInto(std::int32_t* to, std::int64_t from, std::int64_t count) const {
    for (std::int64_t done = 0; done < count;) {
      const std::int64_t at = from + done;
      const std::int64_t offset = at & (kChunkFrames - 1);
      const std::int64_t n = std::min(count - done, kChunkFrames - offset);
      const std::int16_t* src = chunks[static_cast<std::size_t>(at >> kChunkShift)] + offset * 2;
      std::int32_t* dst = to + done * 2;
      for (std::int64_t i = 0; i < n * 2; ++i) dst[i] += src[i];
      done += n;
    }
  }
  // The end as known now: the final length once decoded, the promised one
  // before. With `ring` held.
  std::int64_t EndLocked() const {
    if (done) return length;
    return expected >= 0 ? expected : kUnknownEnd;
  }
  std::int64_t End() const {
    std::lock_guard lock(ring);
    return EndLocked();
  }
  std::int64_t WaitForEnd() {
    std::unique_lock lock(ring);
    finished.wait(lock, [this] { return done; });
    return length;
  }
  // The voice's cursor moved to `frame` (GUI thread): a bounded sound whose
  // window does not hold it is decoded again from there.
  void MovedTo(std::int64_t frame) {
    {
      std::lock_guard lock(ring);
      reading = frame;
      if (bounded && (frame < base || frame > available + kChunkFrames) &&
          ChunkStart(frame) < EndLocked())
        restartAt = ChunkStart(frame);
    }
    wake.notify_all();
  }

  const std::int64_t expected;  // -1 when only decoding tells
  const bool bounded;
  const std::size_t chunkCount;
  std::unique_ptr<std::int16_t*[]> chunks;
  mutable std::mutex ring;
  std::int64_t base = 0, available = 0;
  std::int64_t reading = 0;     // the voice's cursor, as the mixer last left it
  std::int64_t restartAt = -1;  // where a seek wants the decoder to start again
  std::int64_t length = 0;      // once done
  bool done = false, cancel = false;
  std::int64_t written = 0;  // decoder side
  std::condition_variable finished, wake;
  std::thread worker;
};

struct TMixer {
  // Set by the opening thread before `state` becomes kOpen.
  SDL_AudioDeviceID device = 0;
  bool sdlAudio = false;
  std::atomic<bool> silent{false};
  // The dummy driver stands in for a sound card that is not there.
  std::atomic<bool> noDevice{false};
  QString driver;
  const int rate = kDefaultRate;
  int bufferFrames = kDefaultBufferFrames;
  std::atomic<int> state{kClosed};
  std::thread opener;
  // Guards the voices, the tap and the buffers below; the audio thread holds
  // it while it mixes. Never held while calling into SDL (SDL holds its own
  // lock around the callback).
  std::mutex lock;
  std::vector<TAudioVoice*> voices;
  Audio::TOutputTap tap;
  std::vector<std::int32_t> accum;
  std::vector<std::int16_t> mixed;
  std::int64_t mixedFrames = 0;
  std::chrono::steady_clock::time_point clockStart;
  // GUI thread only. With no voice playing the device is paused and its
  // thread parked on SDL's device lock, which this thread then holds: silence
  // wakes nobody.
  bool parked = false;
  QObject* events = nullptr;
  std::unordered_map<std::uint64_t, TAudioVoice*> byId;
  std::uint64_t nextId = 1;
  std::vector<std::function<void()>> atShutdown;

  static void Callback(void* user, Uint8* stream, int len);
  void Mix(std::int16_t* out, int frames);
  int DueFrames(int frames);
  void VoiceEnded(std::uint64_t id, std::uint64_t serial);
  void Opened();
  bool AnyRunning();
  void WakeDecoders();
  void RestartClocks();
  void Wake();
  void Rest();
  void WaitOpen();
  QObject* Events() {
    if (!events) events = new QObject;  // lives as long as the program
    return events;
  }
};

namespace {
// Never destroyed: voices owned by statics may outlive main().
TMixer& M() {
  static TMixer* mixer = new TMixer;
  return *mixer;
}

using MixLock = std::lock_guard<std::mutex>;

// Opens the device paused: the first voice to start wakes it.
bool OpenOutput(int bufferFrames) {
  TMixer& m = M();
  SDL_AudioSpec want{};
  want.freq = m.rate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = static_cast<Uint16>(bufferFrames);
  want.callback = &TMixer::Callback;
  want.userdata = &m;
  SDL_AudioSpec have{};
  const SDL_AudioDeviceID dev = Sdl::OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (dev == 0) return false;
  const char* name = Sdl::GetCurrentAudioDriver();
  MixLock lock(m.lock);
  m.device = dev;
  m.bufferFrames = have.samples;
  m.accum.assign(static_cast<std::size_t>(m.rate) * 2, 0);
  m.mixed.assign(static_cast<std::size_t>(m.rate) * 2, 0);
  m.mixedFrames = 0;
  m.driver = QString::fromLatin1(name ? name : "");
  m.silent = m.driver == QLatin1String("dummy");
  return true;
}

#ifdef __linux__
void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif

// ALSA prints its own errors when there is no card; the program says it in one
// line instead. SDL loads the same library, so a handler set here holds for it.
void SilenceAlsa() {
#ifdef __linux__
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  using SetHandler = int (*)(Handler);
  void* lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
  if (!lib) return;
  if (auto set = reinterpret_cast<SetHandler>(dlsym(lib, "snd_lib_error_set_handler")))
    set(&IgnoreAlsaError);
#endif
}

bool InitAndOpen(int bufferFrames) {
  if (Sdl::InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  M().sdlAudio = true;
  if (OpenOutput(bufferFrames)) return true;
  Sdl::QuitSubSystem(SDL_INIT_AUDIO);
  M().sdlAudio = false;
  return false;
}

// The opening thread: the platform's driver first, then the dummy one. With
// no driver at all, the voices that started meanwhile end at once.
void OpenDevice() {
  TMixer& m = M();
  SilenceAlsa();
  QString missing;
  bool opened = Sdl::Load(&missing) && InitAndOpen(kDefaultBufferFrames);
  if (!missing.isEmpty()) {
    std::fprintf(stderr, "tarvolin: no sound output at all (%s); sounds are skipped\n",
                 qPrintable(missing));
  } else if (!opened) {
    const QString reason = QString::fromUtf8(Sdl::GetError());
    Sdl::SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    opened = InitAndOpen(kDefaultBufferFrames);
    m.noDevice = true;
    if (opened)
      std::fprintf(stderr, "tarvolin: no sound device (%s); sounds play silently\n",
                   qPrintable(reason));
    else
      std::fprintf(stderr, "tarvolin: no sound output at all (%s); sounds are skipped\n",
                   Sdl::GetError());
  }
  bool play = false;
  {
    MixLock lock(m.lock);
    m.state = opened ? kOpen : kFailed;
    if (opened) play = m.AnyRunning();
    m.RestartClocks();
    m.WakeDecoders();
  }
  // A sound asked for while the device opened starts now, not when the GUI
  // thread next looks; the GUI thread parks the device if nothing plays.
  if (play) {
    Sdl::PauseAudioDevice(m.device, 0);
    Trace::Sound(true);
  }
  QMetaObject::invokeMethod(
      m.Events(), [] { M().Opened(); }, Qt::QueuedConnection);
  // SDL keeps its error text per thread and frees it by itself only on
  // threads it started.
  if (missing.isEmpty()) Sdl::TLSCleanup();
}
}  // namespace

void TMixer::Callback(void* user, Uint8* stream, int len) {
  static_cast<TMixer*>(user)->Mix(reinterpret_cast<std::int16_t*>(stream), len / 4);
}

// The dummy driver sleeps a whole number of milliseconds per buffer and
// overshoots, and on a busy machine its thread may be held up. With it the
// voices go by the wall clock (TAudioVoice::ClockCursor) and each call mixes
// what has become due since the last one, so the silent output keeps real time.
int TMixer::DueFrames(int frames) {
  const auto now = std::chrono::steady_clock::now();
  if (mixedFrames == 0) clockStart = now;
  const auto elapsed = std::chrono::duration<double>(now - clockStart).count();
  const std::int64_t due = static_cast<std::int64_t>(elapsed * rate) + frames;
  return static_cast<int>(std::clamp<std::int64_t>(due - mixedFrames, 0, rate));
}

// Runs on the audio thread.
void TMixer::Mix(std::int16_t* out, int frames) {
  MixLock lock(this->lock);
  const int n = silent ? DueFrames(frames) : frames;
  mixedFrames += n;
  if (accum.size() < static_cast<std::size_t>(n) * 2) accum.resize(static_cast<std::size_t>(n) * 2);
  if (mixed.size() < static_cast<std::size_t>(n) * 2) mixed.resize(static_cast<std::size_t>(n) * 2);
  std::fill(accum.begin(), accum.begin() + n * 2, 0);
  for (TAudioVoice* v : voices) {
    if (!v->running_.load(std::memory_order_relaxed)) continue;
    TVoiceData* data = v->data_.get();
    std::int64_t cursor = v->cursor_.load(std::memory_order_relaxed);
    bool ended = !data;
    bool moreWanted = false;
    if (data) {
      std::lock_guard ring(data->ring);
      const std::int64_t end = data->EndLocked();
      // The silent output never mixes past the voice's clock (one buffer ahead).
      const std::int64_t limit =
          silent ? std::min(data->available, v->ClockCursor(data->done ? end : kUnknownEnd) + frames)
                 : data->available;
      const std::int64_t count =
          cursor >= data->base ? std::clamp<std::int64_t>(limit - cursor, 0, n) : 0;
      if (count > 0) data->MixInto(accum.data(), cursor, count);
      moreWanted = data->bounded && (cursor >> TVoiceData::kChunkShift) !=
                                        ((cursor + count) >> TVoiceData::kChunkShift);
      cursor += count;
      data->reading = cursor;
      ended = data->done && cursor >= end;
    }
    if (moreWanted) data->wake.notify_all();
    v->cursor_.store(cursor);
    if (ended) {
      v->running_.store(false);
      const std::uint64_t id = v->id_, serial = v->serial_.load();
      QMetaObject::invokeMethod(
          events, [id, serial] { M().VoiceEnded(id, serial); }, Qt::QueuedConnection);
    }
  }
  for (int i = 0; i < n * 2; ++i)
    mixed[i] = static_cast<std::int16_t>(std::clamp(accum[i], -32768, 32767));
  if (tap) tap(mixed.data(), n);
  const int shown = std::min(n, frames);
  std::copy(mixed.begin(), mixed.begin() + shown * 2, out);
  std::fill(out + shown * 2, out + frames * 2, 0);
}

void TMixer::VoiceEnded(std::uint64_t id, std::uint64_t serial) {
  const auto it = byId.find(id);
  if (it != byId.end()) {
    TAudioVoice* v = it->second;
    // A later Start, Seek or Load made this end stale.
    if (v->serial_.load() == serial && !v->running_.load() && v->OnEnd) v->OnEnd(serial);
  }
  Rest();
}

// The opening thread is done (GUI thread).
void TMixer::Opened() {
  if (state == kOpen) Rest();
  if (state != kFailed) return;
  Trace::Sound(false);
  std::vector<std::pair<std::uint64_t, std::uint64_t>> ended;
  {
    MixLock lock(this->lock);
    for (TAudioVoice* v : voices)
      if (v->running_.exchange(false)) ended.emplace_back(v->id_, v->serial_.load());
  }
  for (const auto& [id, serial] : ended) VoiceEnded(id, serial);
}

// The device's state changed: decoders holding back look again. With `lock` held.
void TMixer::WakeDecoders() {
  for (TAudioVoice* v : voices) {
    if (!v->data_) continue;
    // Through the ring's lock, so a decoder about to wait cannot miss it.
    { std::lock_guard ring(v->data_->ring); }
    v->data_->wake.notify_all();
  }
}

// Voices that waited for the device begin now: the silent output's clock
// counts from here, not from when they were started. With `lock` held.
void TMixer::RestartClocks() {
  for (TAudioVoice* v : voices) {
    v->startNs_.store(NowNs());
    v->startCursor_.store(v->cursor_.load());
  }
}

bool TMixer::AnyRunning() {
  return std::any_of(voices.begin(), voices.end(),
                     [](const TAudioVoice* v) { return v->running_.load(); });
}

// A voice starts: the device plays again (GUI thread).
void TMixer::Wake() {
  // Marked at once, so a reader of the trace does not take the wait for the
  // device for silence.
  if (Awaited(state)) Trace::Sound(true);
  if (state != kOpen || !device) return;
  if (parked) {
    {
      MixLock lock(this->lock);
      mixedFrames = 0;  // the silent output's clock starts again
    }
    parked = false;
    Sdl::PauseAudioDevice(device, 0);
    Sdl::UnlockAudioDevice(device);
    Trace::Sound(true);
  } else {
    Sdl::PauseAudioDevice(device, 0);
  }
}

// Nothing plays any more: the device pauses and its thread waits (GUI thread).
void TMixer::Rest() {
  if (state != kOpen || !device || parked) return;
  {
    MixLock lock(this->lock);
    if (AnyRunning()) return;
  }
  Sdl::LockAudioDevice(device);
  Sdl::PauseAudioDevice(device, 1);
  parked = true;
  Trace::Sound(false);
}

void TMixer::WaitOpen() {
  if (state == kPending) Audio::Startup();
  if (opener.joinable()) opener.join();
}

namespace Audio {

bool Startup() {
  TMixer& m = M();
  if (m.state != kClosed && m.state != kPending) return m.state != kFailed;
  m.Events();
  m.state = kOpening;
  m.opener = std::thread(&OpenDevice);
  return true;
}

void Expect() {
  TMixer& m = M();
  if (m.state == kClosed) m.state = kPending;
}

void Shutdown() {
  TMixer& m = M();
  if (m.opener.joinable()) m.opener.join();
  for (auto& fn : m.atShutdown) fn();
  m.atShutdown.clear();
  if (m.device) {
    if (m.parked) Sdl::UnlockAudioDevice(m.device);
    m.parked = false;
    Sdl::CloseAudioDevice(m.device);
  }
  {
    MixLock lock(m.lock);
    m.device = 0;
    m.state = kClosed;
    m.silent = false;
    m.noDevice = false;
    m.tap = nullptr;
    m.WakeDecoders();
  }
  for (TAudioVoice* v : m.voices) v->Halt();
  if (m.sdlAudio) Sdl::QuitSubSystem(SDL_INIT_AUDIO);
  m.sdlAudio = false;
}

// These wait for the device to be open: they ask about it.
bool Running() {
  M().WaitOpen();
  return M().device != 0;
}
bool Silent() {
  M().WaitOpen();
  return M().silent;
}
bool NoSoundDevice() {
  M().WaitOpen();
  return M().noDevice;
}
QString DriverName() {
  M().WaitOpen();
  return M().driver;
}
int DeviceRate() {
  return M().rate;
}
int BufferFrames() {
  M().WaitOpen();
  return M().bufferFrames;
}
double BufferMs() {
  return BufferFrames() * 1000.0 / M().rate;
}

void SetOutputTap(TOutputTap tap) {
  MixLock lock(M().lock);
  M().tap = std::move(tap);
}

void AtShutdown(std::function<void()> fn) {
  M().atShutdown.push_back(std::move(fn));
}

}  // namespace Audio

// ---------------------------------------------------------------- TAudioVoice

namespace {

// Turns a source's frames into stereo frames at the device rate, piece by
// piece; the output is the same however the source is cut into pieces, and
// the same when started part-way (At) as when it got there from the start.
// Resampling is cubic (Hermite).
class TDeviceConverter {
 public:
  TDeviceConverter(int sourceRate, int channels, int rate)
      : sourceRate_(sourceRate),
        channels_(channels),
        rate_(rate),
        step_(static_cast<double>(sourceRate) / rate) {}

  static std::int64_t OutFrames(std::int64_t in, int sourceRate, int rate) {
    return sourceRate == rate ? in : in * rate / sourceRate;
  }

  // Makes the next output frame `out`; returns the source frame to feed from.
  std::int64_t At(std::int64_t out) {
    history_.clear();
    next_ = out;
    historyBase_ = received_ =
        sourceRate_ == rate_
            ? out
            : std::max<std::int64_t>(
                  0, static_cast<std::int64_t>(static_cast<double>(out) * step_) - 1);
    return received_;
  }

  // `last`: no more frames follow.
  void Feed(const std::int16_t* src, std::int64_t frames, bool last, TVoiceData& to) {
    out_.clear();
    if (sourceRate_ == rate_) {
      if (channels_ == 2) {
        to.Append(src, frames);
        return;
      }
      out_.resize(static_cast<std::size_t>(frames) * 2);
      for (std::int64_t i = 0; i < frames; ++i) out_[2 * i] = out_[2 * i + 1] = src[i];
      to.Append(out_.data(), frames);
      return;
    }
    history_.insert(history_.end(), src, src + frames * channels_);
    received_ += frames;
    if (received_ == 0) return;
    const std::int64_t total = last ? received_ * rate_ / sourceRate_ : kUnknownEnd;
    auto at = [&](std::int64_t f, int c) -> double {
      f = std::clamp<std::int64_t>(f, historyBase_, received_ - 1);
      return history_[static_cast<std::size_t>((f - historyBase_) * channels_ +
                                               (c < channels_ ? c : 0))];
    };
    auto cubic = [](double y0, double y1, double y2, double y3, double t) {
      const double a = -0.5 * y0 + 1.5 * y1 - 1.5 * y2 + 0.5 * y3;
      const double b = y0 - 2.5 * y1 + 2 * y2 - 0.5 * y3;
      const double d = -0.5 * y0 + 0.5 * y2;
      const double v = ((a * t + b) * t + d) * t + y1;
      return static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
    };
    if (total != kUnknownEnd)
      out_.reserve(static_cast<std::size_t>(std::max<std::int64_t>(0, total - next_)) * 2);
    for (; next_ < total; ++next_) {
      const double pos = static_cast<double>(next_) * step_;
      const auto f = static_cast<std::int64_t>(pos);
      if (!last && f + 2 >= received_) break;
      const double t = pos - static_cast<double>(f);
      if (f - 1 >= historyBase_ && f + 2 < received_) {
        // Inside the history, as nearly every frame is: no clamping, and a
        // mono source is interpolated once for both sides.
        const std::int16_t* p = history_.data() + (f - 1 - historyBase_) * channels_;
        if (channels_ == 1) {
          const std::int16_t v = cubic(p[0], p[1], p[2], p[3], t);
          out_.push_back(v);
          out_.push_back(v);
        } else {
          out_.push_back(cubic(p[0], p[2], p[4], p[6], t));
          out_.push_back(cubic(p[1], p[3], p[5], p[7], t));
        }
        continue;
      }
      for (int c = 0; c < 2; ++c)
        out_.push_back(cubic(at(f - 1, c), at(f, c), at(f + 1, c), at(f + 2, c), t));
    }
    to.Append(out_.data(), static_cast<std::int64_t>(out_.size() / 2));
    // Keep the source frames the next output still needs (from f - 1 on).
    const std::int64_t keep = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(static_cast<double>(next_) * step_) - 1, historyBase_, received_);
    history_.erase(history_.begin(), history_.begin() + static_cast<std::ptrdiff_t>(
                                                            (keep - historyBase_) * channels_));
    historyBase_ = keep;
  }

 private:
  const int sourceRate_, channels_, rate_;
  const double step_;
  std::vector<std::int16_t> history_, out_;
  std::int64_t historyBase_ = 0, received_ = 0, next_ = 0;
};

std::shared_ptr<TVoiceData> Convert(const TSoundData& sound) {
  const bool usable =
      !sound.Samples.empty() && sound.Rate > 0 && sound.Channels >= 1 && sound.Channels <= 2;
  const std::int64_t frames =
      usable ? TDeviceConverter::OutFrames(sound.Frames(), sound.Rate, M().rate) : 0;
  auto data = std::make_shared<TVoiceData>(frames, false, true);
  if (usable)
    TDeviceConverter(sound.Rate, sound.Channels, M().rate)
        .Feed(sound.Samples.data(), sound.Frames(), true, *data);
  data->Finish();
  return data;
}

// The decoding thread of a streamed sound: decodes to the end (a bounded
// sound only as far as a few seconds past the cursor, dropping what is well
// behind it) and starts again where a seek asks. A decoding error ends the
// sound where it is.
void Decode(TVoiceData& data, TSoundReader& reader, TDeviceConverter& converter) {
  std::vector<std::int16_t> piece;
  std::vector<std::int16_t*> dropped;
  bool passDone = false;
  for (;;) {
    std::int64_t restart = -1;
    {
      std::unique_lock lock(data.ring);
      // Nothing beyond the first piece is decoded before there is a device to
      // play it: start-up's greeting costs the first picture no more than that.
      data.wake.wait(lock, [&] {
        return data.cancel || data.restartAt >= 0 ||
               (!passDone && !Awaited(M().state) &&
                (!data.bounded || data.written - data.reading < kAheadFrames));
      });
      if (data.cancel) return;
      const std::int64_t keepFrom =
          data.restartAt >= 0
              ? data.available
              : TVoiceData::ChunkStart(std::min(data.available, data.reading - kBehindFrames));
      for (std::int64_t at = data.base; at < keepFrom; at += TVoiceData::kChunkFrames) {
        std::int16_t*& chunk = data.chunks[static_cast<std::size_t>(at >> TVoiceData::kChunkShift)];
        if (chunk) dropped.push_back(chunk);
        chunk = nullptr;
      }
      if (data.restartAt >= 0) {
        restart = data.restartAt;
        data.restartAt = -1;
        data.base = data.available = data.written = restart;
      } else {
        data.base = std::max(data.base, keepFrom);
      }
    }
    for (std::int16_t* chunk : dropped) delete[] chunk;
    dropped.clear();
    try {
      passDone = false;
      piece.clear();
      // A reader that cannot go back ends the sound there.
      const std::int64_t got =
          restart >= 0 && !reader.Seek(converter.At(restart)) ? 0 : reader.Read(4096, piece);
      converter.Feed(piece.data(), got, got == 0, data);
      passDone = got == 0;
    } catch (const std::exception&) {
      converter.Feed(nullptr, 0, true, data);
      passDone = true;
    }
    if (passDone) data.Finish();
  }
}
}  // namespace

TAudioVoice::TAudioVoice() : id_(M().nextId++) {
  M().Events();
  M().byId[id_] = this;
  MixLock lock(M().lock);
  M().voices.push_back(this);
}

TAudioVoice::~TAudioVoice() {
  {
    MixLock lock(M().lock);
    auto& v = M().voices;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  M().byId.erase(id_);
  M().Rest();
}

void TAudioVoice::Replace(std::shared_ptr<TVoiceData> data) {
  {
    MixLock lock(M().lock);
    running_.store(false);
    std::swap(data_, data);
    cursor_.store(0);
    serial_.fetch_add(1);
  }
  // The old sound (its decoder stopped and joined) goes outside the lock.
  data.reset();
  M().Rest();
}

void TAudioVoice::Load(const TSoundData& sound) {
  Replace(Convert(sound));
}

void TAudioVoice::Stream(std::unique_ptr<TSoundReader> reader) {
  const int rate = M().rate;
  const std::int64_t known = reader->KnownFrames();
  auto data = std::make_shared<TVoiceData>(
      known >= 0 ? TDeviceConverter::OutFrames(known, reader->Rate(), rate) : -1,
      reader->Seekable(), false);
  auto converter = std::make_unique<TDeviceConverter>(reader->Rate(), reader->Channels(), rate);
  // The first piece here: the sound can start at once, and a file that fails
  // early fails in the caller.
  std::vector<std::int16_t> piece;
  bool ended = false;
  while (data->written < kFirstPieceFrames && !ended) {
    piece.clear();
    const std::int64_t got = reader->Read(4096, piece);
    ended = got == 0;
    converter->Feed(piece.data(), got, ended, *data);
  }
  if (ended) {
    data->Finish();
  } else {
    TVoiceData* raw = data.get();
    data->worker = std::thread([raw, reader = std::move(reader), converter = std::move(converter)] {
      Decode(*raw, *reader, *converter);
    });
  }
  Replace(std::move(data));
}

void TAudioVoice::Unload() {
  Replace(nullptr);
}

bool TAudioVoice::Loaded() const {
  return data_ != nullptr;
}

std::int64_t TAudioVoice::EndFrames() const {
  return data_ ? data_->End() : 0;
}

std::int64_t TAudioVoice::ClockEnd() const {
  if (!data_) return 0;
  std::lock_guard lock(data_->ring);
  return data_->done ? data_->length : kUnknownEnd;
}

std::int64_t TAudioVoice::LengthFrames() const {
  if (!data_) return 0;
  const std::int64_t end = data_->End();
  if (end != kUnknownEnd) return end;
  // Only decoding tells, and it waits for the device.
  if (M().state == kPending) Audio::Startup();
  return data_->WaitForEnd();
}

int TAudioVoice::LengthMs() const {
  return static_cast<int>(LengthFrames() * 1000 / M().rate);
}

std::uint64_t TAudioVoice::Start() {
  std::uint64_t serial;
  bool play;
  {
    MixLock lock(M().lock);
    serial = serial_.fetch_add(1) + 1;
    startNs_.store(NowNs());
    startCursor_.store(cursor_.load());
    // A voice may start while the device opens: it plays once it is open.
    const int state = M().state;
    play = (state == kOpen || Awaited(state)) && cursor_.load() < EndFrames();
    if (!play) cursor_.store(EndFrames());
    running_.store(play);
  }
  if (play) {
    M().Wake();
  } else {
    // Nothing to play (or no output at all): the end comes at once, but later.
    PostEnd(serial);
  }
  return serial;
}

void TAudioVoice::PostEnd(std::uint64_t serial) {
  const std::uint64_t id = id_;
  QMetaObject::invokeMethod(
      M().Events(), [id, serial] { M().VoiceEnded(id, serial); }, Qt::QueuedConnection);
}

void TAudioVoice::Halt() {
  const std::int64_t end = ClockEnd();
  {
    MixLock lock(M().lock);
    // The silent mixer runs a buffer ahead; the voice stops where its clock is.
    if (running_.load() && M().silent) cursor_.store(ClockCursor(end));
    running_.store(false);
    serial_.fetch_add(1);
  }
  if (data_) data_->MovedTo(cursor_.load());
  M().Rest();
}

void TAudioVoice::Seek(std::int64_t frame) {
  const std::int64_t length = LengthFrames();  // may wait for the decoder: not under the lock
  bool ended = false;
  {
    MixLock lock(M().lock);
    cursor_.store(std::clamp<std::int64_t>(frame, 0, length));
    startNs_.store(NowNs());
    startCursor_.store(cursor_.load());
    if (data_) data_->MovedTo(cursor_.load());
    if (running_.load() && cursor_.load() >= EndFrames()) {
      running_.store(false);
      ended = true;
    }
  }
  if (ended) PostEnd(serial_.load());
}

std::int64_t TAudioVoice::ClockCursor(std::int64_t length) const {
  const std::int64_t elapsed = std::max<std::int64_t>(0, NowNs() - startNs_.load());
  return std::min(length, startCursor_.load() + elapsed * M().rate / 1'000'000'000);
}

std::int64_t TAudioVoice::Cursor() const {
  if (running_.load() && M().silent) return ClockCursor(ClockEnd());
  return cursor_.load();
}

bool TAudioVoice::Running() const {
  if (!running_.load()) return false;
  return !M().silent || ClockCursor(ClockEnd()) < ClockEnd();
}

int TAudioVoice::PositionMs() const {
  return static_cast<int>(Cursor() * 1000 / M().rate);
}

bool TAudioVoice::AtEnd() const {
  return Cursor() >= EndFrames();
}

std::vector<std::int16_t> TAudioVoice::Frames(std::int64_t from, std::int64_t count) const {
  if (!data_) return {};
  std::lock_guard lock(data_->ring);
  if (from < data_->base) return {};  // dropped already
  from = std::min(from, data_->available);
  count = std::clamp<std::int64_t>(count, 0, data_->available - from);
  std::vector<std::int32_t> sum(static_cast<std::size_t>(count) * 2, 0);
  if (count > 0) data_->MixInto(sum.data(), from, count);
  return {sum.begin(), sum.end()};
}
