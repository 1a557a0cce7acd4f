#include "platform/AudioEngine.h"

#include <SDL.h>

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

#ifdef __linux__
#include <dlfcn.h>
#endif

namespace {
// 10 ms at 44.1 kHz: short enough for a quick start of every sound.
constexpr int kDefaultRate = 44100;
constexpr int kDefaultBufferFrames = 441;
// Decoded before a streamed sound may start: a few device buffers' worth.
constexpr std::int64_t kFirstPieceFrames = 8192;
constexpr std::int64_t kUnknownEnd = std::numeric_limits<std::int64_t>::max();
}  // namespace

// A sound in the device format, in chunks that never move once written, so
// the audio thread reads it while a decoding thread appends to it. The
// decoder publishes `available` (release) after writing the frames below it
// and `done` after the last; readers load `done` before `available`.
struct TVoiceData {
  static constexpr int kChunkShift = 15;
  static constexpr std::int64_t kChunkFrames = std::int64_t{1} << kChunkShift;
  static constexpr std::int64_t kMaxFrames = MaxSoundFrames;

  explicit TVoiceData(std::int64_t expected)
      : expected(expected),
        chunkCount(static_cast<std::size_t>(
            (std::min(expected >= 0 ? expected + 1 : kMaxFrames, kMaxFrames) + kChunkFrames - 1) /
            kChunkFrames)),
        chunks(new std::atomic<std::int16_t*>[chunkCount]()) {}
  ~TVoiceData() {
    cancel.store(true);
    if (worker.joinable()) worker.join();
    for (std::size_t i = 0; i < chunkCount; ++i) delete[] chunks[i].load();
  }
  TVoiceData(const TVoiceData&) = delete;
  TVoiceData& operator=(const TVoiceData&) = delete;

  // Decoder side: appends stereo frames (beyond the last chunk they are dropped).
  void Append(const std::int16_t* stereo, std::int64_t frames) {
    std::int64_t at = written;
    const std::int64_t capacity = static_cast<std::int64_t>(chunkCount) * kChunkFrames;
    frames = std::min(frames, capacity - at);
    for (std::int64_t done = 0; done < frames;) {
      const auto chunk = static_cast<std::size_t>(at >> kChunkShift);
      const std::int64_t offset = at & (kChunkFrames - 1);
      const std::int64_t n = std::min(frames - done, kChunkFrames - offset);
      std::int16_t* block = chunks[chunk].load(std::memory_order_relaxed);
      if (!block) {
        block = new std::int16_t[static_cast<std::size_t>(kChunkFrames) * 2];
        chunks[chunk].store(block, std::memory_order_relaxed);
      }
      std::copy(stereo + done * 2, stereo + (done + n) * 2, block + offset * 2);
      done += n;
      at += n;
    }
    written = at;
    available.store(at, std::memory_order_release);
  }
  void Finish() {
    {
      std::lock_guard lock(mutex);
      done.store(true, std::memory_order_release);
    }
    finished.notify_all();
  }
  // Adds frames [from, from + count) of the sound to `to` (stereo int32).
  void MixInto(std::int32_t* to, std::int64_t from, std::int64_t count) const {
    for (std::int64_t done = 0; done < count;) {
      const std::int64_t at = from + done;
      const std::int64_t offset = at & (kChunkFrames - 1);
      const std::int64_t n = std::min(count - done, kChunkFrames - offset);
      const std::int16_t* src =
          chunks[static_cast<std::size_t>(at >> kChunkShift)].load(std::memory_order_relaxed) +
          offset * 2;
      std::int32_t* dst = to + done * 2;
      for (std::int64_t i = 0; i < n * 2; ++i) dst[i] += src[i];
      done += n;
    }
  }
  // The end as known now: the final length once decoded, the promised one before.
  std::int64_t End() const {
    if (done.load(std::memory_order_acquire)) return available.load(std::memory_order_acquire);
    return expected >= 0 ? expected : kUnknownEnd;
  }
  std::int64_t WaitForEnd() {
    std::unique_lock lock(mutex);
    finished.wait(lock, [this] { return done.load(); });
    return available.load();
  }

  const std::int64_t expected;  // -1 when only decoding tells
  const std::size_t chunkCount;
  std::unique_ptr<std::atomic<std::int16_t*>[]> chunks;
  std::atomic<std::int64_t> available{0};
  std::atomic<bool> done{false};
  std::atomic<bool> cancel{false};
  std::int64_t written = 0;  // decoder side
  std::mutex mutex;
  std::condition_variable finished;
  std::thread worker;
};

struct TMixer {
  SDL_AudioDeviceID device = 0;
  bool sdlAudio = false;
  bool started = false;
  bool silent = false;
  QString driver;
  int rate = kDefaultRate;
  int bufferFrames = kDefaultBufferFrames;
  // Read by the audio thread under the device lock.
  std::vector<TAudioVoice*> voices;
  Audio::TOutputTap tap;
  std::vector<std::int32_t> accum;
  std::vector<std::int16_t> mixed;
  std::int64_t mixedFrames = 0;
  std::chrono::steady_clock::time_point clockStart;
  // GUI thread only.
  QObject* events = nullptr;
  std::unordered_map<std::uint64_t, TAudioVoice*> byId;
  std::uint64_t nextId = 1;
  std::vector<std::function<void()>> atShutdown;

  static void Callback(void* user, Uint8* stream, int len);
  void Mix(std::int16_t* out, int frames);
  int DueFrames(int frames);
  void VoiceEnded(std::uint64_t id, std::uint64_t serial);
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

class DeviceLock {
 public:
  DeviceLock() : device_(M().device) {
    if (device_) SDL_LockAudioDevice(device_);
  }
  ~DeviceLock() {
    if (device_) SDL_UnlockAudioDevice(device_);
  }

 private:
  SDL_AudioDeviceID device_;
};

bool OpenOutput(int bufferFrames) {
  SDL_AudioSpec want{};
  want.freq = kDefaultRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = static_cast<Uint16>(bufferFrames);
  want.callback = &TMixer::Callback;
  want.userdata = &M();
  SDL_AudioSpec have{};
  const SDL_AudioDeviceID dev =
      SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (dev == 0) return false;
  M().device = dev;
  M().rate = have.freq;
  M().bufferFrames = have.samples;
  M().accum.assign(static_cast<std::size_t>(have.freq) * 2, 0);
  M().mixed.assign(static_cast<std::size_t>(have.freq) * 2, 0);
  M().mixedFrames = 0;
  const char* name = SDL_GetCurrentAudioDriver();
  M().driver = QString::fromLatin1(name ? name : "");
  M().silent = M().driver == QLatin1String("dummy");
  SDL_PauseAudioDevice(dev, 0);
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
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  M().sdlAudio = true;
  if (OpenOutput(bufferFrames)) return true;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  M().sdlAudio = false;
  return false;
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

// Runs on the audio thread with the device lock held.
void TMixer::Mix(std::int16_t* out, int frames) {
  const int n = silent ? DueFrames(frames) : frames;
  mixedFrames += n;
  if (accum.size() < static_cast<std::size_t>(n) * 2) accum.resize(static_cast<std::size_t>(n) * 2);
  if (mixed.size() < static_cast<std::size_t>(n) * 2) mixed.resize(static_cast<std::size_t>(n) * 2);
  std::fill(accum.begin(), accum.begin() + n * 2, 0);
  for (TAudioVoice* v : voices) {
    if (!v->running_.load(std::memory_order_relaxed)) continue;
    const TVoiceData* data = v->data_.get();
    const bool complete = !data || data->done.load(std::memory_order_acquire);
    const std::int64_t available = data ? data->available.load(std::memory_order_acquire) : 0;
    const std::int64_t end = complete ? available : data->End();
    std::int64_t cursor = v->cursor_.load(std::memory_order_relaxed);
    // The silent output never mixes past the voice's clock (one buffer ahead).
    const std::int64_t limit =
        silent ? std::min(available, v->ClockCursor(end) + frames) : available;
    const std::int64_t count = std::clamp<std::int64_t>(limit - cursor, 0, n);
    if (count > 0) data->MixInto(accum.data(), cursor, count);
    cursor += count;
    v->cursor_.store(cursor);
    if (complete && cursor >= available) {
      v->running_.store(false);
      const std::uint64_t id = v->id_, serial = v->serial_.load();
      QMetaObject::invokeMethod(events, [id, serial] { M().VoiceEnded(id, serial); },
                                Qt::QueuedConnection);
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
  if (it == byId.end()) return;
  TAudioVoice* v = it->second;
  // A later Start, Seek or Load made this end stale.
  if (v->serial_.load() != serial || v->running_.load()) return;
  if (v->OnEnd) v->OnEnd(serial);
}

namespace Audio {

bool Startup() {
  TMixer& m = M();
  if (m.started) return m.device != 0;
  m.started = true;
  m.Events();
  SilenceAlsa();
  if (InitAndOpen(kDefaultBufferFrames)) return true;
  const QString reason = QString::fromUtf8(SDL_GetError());
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  if (InitAndOpen(kDefaultBufferFrames)) {
    std::fprintf(stderr, "tarvolin: no sound device (%s); sounds play silently\n",
                 qPrintable(reason));
    return true;
  }
  std::fprintf(stderr, "tarvolin: no sound output at all (%s); sounds are skipped\n",
               SDL_GetError());
  return false;
}

void Shutdown() {
  TMixer& m = M();
  for (auto& fn : m.atShutdown) fn();
  m.atShutdown.clear();
  if (m.device) {
    SDL_CloseAudioDevice(m.device);
    m.device = 0;
  }
  for (TAudioVoice* v : m.voices) v->Halt();
  m.tap = nullptr;
  if (m.sdlAudio) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  m.sdlAudio = false;
  m.started = false;
}

bool Running() { return M().device != 0; }
bool Silent() { return M().silent; }
QString DriverName() { return M().driver; }
int DeviceRate() { return M().rate; }
int BufferFrames() { return M().bufferFrames; }
double BufferMs() { return M().bufferFrames * 1000.0 / M().rate; }

void SetOutputTap(TOutputTap tap) {
  DeviceLock lock;
  M().tap = std::move(tap);
}

void AtShutdown(std::function<void()> fn) { M().atShutdown.push_back(std::move(fn)); }

}  // namespace Audio

// ---------------------------------------------------------------- TAudioVoice

namespace {
std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Turns a source's frames into stereo frames at the device rate, piece by
// piece; the output is the same however the source is cut into pieces.
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
      f = std::clamp<std::int64_t>(f, 0, received_ - 1);
      return history_[static_cast<std::size_t>((f - historyBase_) * channels_ +
                                               (c < channels_ ? c : 0))];
    };
    for (; next_ < total; ++next_) {
      const double pos = static_cast<double>(next_) * step_;
      const auto f = static_cast<std::int64_t>(pos);
      if (!last && f + 2 >= received_) break;
      const double t = pos - static_cast<double>(f);
      for (int c = 0; c < 2; ++c) {
        const double y0 = at(f - 1, c), y1 = at(f, c), y2 = at(f + 1, c), y3 = at(f + 2, c);
        const double a = -0.5 * y0 + 1.5 * y1 - 1.5 * y2 + 0.5 * y3;
        const double b = y0 - 2.5 * y1 + 2 * y2 - 0.5 * y3;
        const double d = -0.5 * y0 + 0.5 * y2;
        const double v = ((a * t + b) * t + d) * t + y1;
        out_.push_back(static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L)));
      }
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
  auto data = std::make_shared<TVoiceData>(frames);
  if (usable)
    TDeviceConverter(sound.Rate, sound.Channels, M().rate)
        .Feed(sound.Samples.data(), sound.Frames(), true, *data);
  data->Finish();
  return data;
}

// Decodes the rest of a stream; a decoding error ends the sound where it is.
void DecodeRest(TVoiceData& data, TSoundReader& reader, TDeviceConverter& converter) {
  std::vector<std::int16_t> piece;
  try {
    while (!data.cancel.load()) {
      piece.clear();
      const std::int64_t got = reader.Read(4096, piece);
      converter.Feed(piece.data(), got, got == 0, data);
      if (got == 0) break;
    }
  } catch (const std::exception&) {
    converter.Feed(nullptr, 0, true, data);
  }
  data.Finish();
}
}  // namespace

TAudioVoice::TAudioVoice() : id_(M().nextId++) {
  M().Events();
  M().byId[id_] = this;
  DeviceLock lock;
  M().voices.push_back(this);
}

TAudioVoice::~TAudioVoice() {
  {
    DeviceLock lock;
    auto& v = M().voices;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
  }
  M().byId.erase(id_);
}

void TAudioVoice::Replace(std::shared_ptr<TVoiceData> data) {
  {
    DeviceLock lock;
    running_.store(false);
    std::swap(data_, data);
    cursor_.store(0);
    serial_.fetch_add(1);
  }
  // The old sound (its decoder stopped and joined) goes outside the lock.
  data.reset();
}

void TAudioVoice::Load(const TSoundData& sound) { Replace(Convert(sound)); }

void TAudioVoice::Stream(std::unique_ptr<TSoundReader> reader) {
  const int rate = M().rate;
  const std::int64_t known = reader->KnownFrames();
  auto data = std::make_shared<TVoiceData>(
      known >= 0 ? TDeviceConverter::OutFrames(known, reader->Rate(), rate) : -1);
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
      DecodeRest(*raw, *reader, *converter);
    });
  }
  Replace(std::move(data));
}

void TAudioVoice::Unload() { Replace(nullptr); }

bool TAudioVoice::Loaded() const { return data_ != nullptr; }

std::int64_t TAudioVoice::EndFrames() const { return data_ ? data_->End() : 0; }

std::int64_t TAudioVoice::LengthFrames() const {
  if (!data_) return 0;
  const std::int64_t end = data_->End();
  return end == kUnknownEnd ? data_->WaitForEnd() : end;
}

int TAudioVoice::LengthMs() const {
  return static_cast<int>(LengthFrames() * 1000 / M().rate);
}

std::uint64_t TAudioVoice::Start() {
  std::uint64_t serial;
  {
    DeviceLock lock;
    serial = serial_.fetch_add(1) + 1;
    startNs_.store(NowNs());
    startCursor_.store(cursor_.load());
    if (Audio::Running() && cursor_.load() < EndFrames()) {
      running_.store(true);
      return serial;
    }
    cursor_.store(EndFrames());
    running_.store(false);
  }
  // Nothing to play (or no output at all): the end comes at once, but later.
  PostEnd(serial);
  return serial;
}

void TAudioVoice::PostEnd(std::uint64_t serial) {
  const std::uint64_t id = id_;
  QMetaObject::invokeMethod(M().Events(), [id, serial] { M().VoiceEnded(id, serial); },
                            Qt::QueuedConnection);
}

void TAudioVoice::Halt() {
  DeviceLock lock;
  // The silent mixer runs a buffer ahead; the voice stops where its clock is.
  if (running_.load() && Audio::Silent()) cursor_.store(ClockCursor(EndFrames()));
  running_.store(false);
  serial_.fetch_add(1);
}

void TAudioVoice::Seek(std::int64_t frame) {
  const std::int64_t length = LengthFrames();  // may wait for the decoder: not under the lock
  DeviceLock lock;
  cursor_.store(std::clamp<std::int64_t>(frame, 0, length));
  startNs_.store(NowNs());
  startCursor_.store(cursor_.load());
  if (running_.load() && cursor_.load() >= EndFrames()) {
    running_.store(false);
    PostEnd(serial_.load());
  }
}

std::int64_t TAudioVoice::ClockCursor(std::int64_t length) const {
  const std::int64_t elapsed = std::max<std::int64_t>(0, NowNs() - startNs_.load());
  return std::min(length, startCursor_.load() + elapsed * M().rate / 1'000'000'000);
}

std::int64_t TAudioVoice::Cursor() const {
  if (running_.load() && Audio::Silent()) return ClockCursor(EndFrames());
  return cursor_.load();
}

bool TAudioVoice::Running() const {
  if (!running_.load()) return false;
  return !Audio::Silent() || ClockCursor(EndFrames()) < EndFrames();
}

int TAudioVoice::PositionMs() const { return static_cast<int>(Cursor() * 1000 / M().rate); }

bool TAudioVoice::AtEnd() const { return Cursor() >= EndFrames(); }

std::vector<std::int16_t> TAudioVoice::Frames(std::int64_t from, std::int64_t count) const {
  const std::int64_t available = data_ ? data_->available.load(std::memory_order_acquire) : 0;
  from = std::clamp<std::int64_t>(from, 0, available);
  count = std::clamp<std::int64_t>(count, 0, available - from);
  std::vector<std::int32_t> sum(static_cast<std::size_t>(count) * 2, 0);
  if (count > 0) data_->MixInto(sum.data(), from, count);
  return {sum.begin(), sum.end()};
}
