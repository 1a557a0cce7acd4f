#include "platform/AudioEngine.h"

#include <SDL.h>

#include <QObject>
#include <QPointer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#ifdef __linux__
#include <dlfcn.h>
#endif

namespace {
// 10 ms at 44.1 kHz: short enough for a quick start of every sound.
constexpr int kDefaultRate = 44100;
constexpr int kDefaultBufferFrames = 441;
}  // namespace

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
    const std::vector<std::int16_t>* data = v->data_.get();
    const std::int64_t total = data ? static_cast<std::int64_t>(data->size() / 2) : 0;
    std::int64_t cursor = v->cursor_.load(std::memory_order_relaxed);
    // The silent output never mixes past the voice's clock (one buffer ahead).
    const std::int64_t limit =
        silent ? std::min(total, v->ClockCursor(total) + frames) : total;
    const std::int64_t count = std::clamp<std::int64_t>(limit - cursor, 0, n);
    const std::int16_t* src = count > 0 ? data->data() + cursor * 2 : nullptr;
    for (std::int64_t i = 0; i < count * 2; ++i) accum[i] += src[i];
    cursor += count;
    v->cursor_.store(cursor);
    if (cursor >= total) {
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

// The sound as stereo frames at the device rate.
std::vector<std::int16_t> ToDeviceFormat(const TSoundData& sound) {
  const int rate = M().rate;
  std::vector<std::int16_t> out;
  if (sound.Samples.empty() || sound.Rate <= 0 || sound.Channels < 1 || sound.Channels > 2)
    return out;
  if (sound.Rate == rate) {
    if (sound.Channels == 2) return sound.Samples;
    out.reserve(sound.Samples.size() * 2);
    for (std::int16_t s : sound.Samples) {
      out.push_back(s);
      out.push_back(s);
    }
    return out;
  }
  // Cubic (Hermite) interpolation: the sounds are converted once, when loaded.
  const std::int64_t inFrames = sound.Frames();
  const std::int64_t outFrames = inFrames * rate / sound.Rate;
  const int ch = sound.Channels;
  const double step = static_cast<double>(sound.Rate) / rate;
  auto at = [&](std::int64_t f, int c) -> double {
    f = std::clamp<std::int64_t>(f, 0, inFrames - 1);
    return sound.Samples[static_cast<std::size_t>(f * ch + (c < ch ? c : 0))];
  };
  out.resize(static_cast<std::size_t>(outFrames) * 2);
  for (std::int64_t i = 0; i < outFrames; ++i) {
    const double pos = static_cast<double>(i) * step;
    const auto f = static_cast<std::int64_t>(pos);
    const double t = pos - static_cast<double>(f);
    for (int c = 0; c < 2; ++c) {
      const double y0 = at(f - 1, c), y1 = at(f, c), y2 = at(f + 1, c), y3 = at(f + 2, c);
      const double a = -0.5 * y0 + 1.5 * y1 - 1.5 * y2 + 0.5 * y3;
      const double b = y0 - 2.5 * y1 + 2 * y2 - 0.5 * y3;
      const double d = -0.5 * y0 + 0.5 * y2;
      const double v = ((a * t + b) * t + d) * t + y1;
      out[static_cast<std::size_t>(i * 2 + c)] =
          static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
    }
  }
  return out;
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

void TAudioVoice::Load(const TSoundData& sound) {
  auto data = std::make_shared<const std::vector<std::int16_t>>(ToDeviceFormat(sound));
  DeviceLock lock;
  running_.store(false);
  data_ = std::move(data);
  cursor_.store(0);
  serial_.fetch_add(1);
}

void TAudioVoice::Unload() {
  DeviceLock lock;
  running_.store(false);
  data_.reset();
  cursor_.store(0);
  serial_.fetch_add(1);
}

bool TAudioVoice::Loaded() const { return data_ != nullptr; }

std::int64_t TAudioVoice::LengthFrames() const {
  return data_ ? static_cast<std::int64_t>(data_->size() / 2) : 0;
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
    if (Audio::Running() && cursor_.load() < LengthFrames()) {
      running_.store(true);
      return serial;
    }
    cursor_.store(LengthFrames());
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
  if (running_.load() && Audio::Silent()) cursor_.store(ClockCursor(LengthFrames()));
  running_.store(false);
  serial_.fetch_add(1);
}

void TAudioVoice::Seek(std::int64_t frame) {
  DeviceLock lock;
  cursor_.store(std::clamp<std::int64_t>(frame, 0, LengthFrames()));
  startNs_.store(NowNs());
  startCursor_.store(cursor_.load());
  if (running_.load() && cursor_.load() >= LengthFrames()) {
    running_.store(false);
    PostEnd(serial_.load());
  }
}

std::int64_t TAudioVoice::ClockCursor(std::int64_t length) const {
  const std::int64_t elapsed = std::max<std::int64_t>(0, NowNs() - startNs_.load());
  return std::min(length, startCursor_.load() + elapsed * M().rate / 1'000'000'000);
}

std::int64_t TAudioVoice::Cursor() const {
  if (running_.load() && Audio::Silent()) return ClockCursor(LengthFrames());
  return cursor_.load();
}

bool TAudioVoice::Running() const {
  if (!running_.load()) return false;
  return !Audio::Silent() || ClockCursor(LengthFrames()) < LengthFrames();
}

int TAudioVoice::PositionMs() const { return static_cast<int>(Cursor() * 1000 / M().rate); }

bool TAudioVoice::AtEnd() const { return Cursor() >= LengthFrames(); }
