#include "platform/WaveRecorder.h"

#include <sndfile.h>

#include <cstring>

#include "platform/AudioEngine.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/SdlAudio.h"
#include "platform/TextFile.h"

namespace {

// libsndfile writes into memory; the file itself is written whole by QSaveFile.
struct MemoryFile {
  QByteArray bytes;
  sf_count_t pos = 0;
};

sf_count_t MemLength(void* user) { return static_cast<MemoryFile*>(user)->bytes.size(); }
sf_count_t MemSeek(sf_count_t offset, int whence, void* user) {
  auto* m = static_cast<MemoryFile*>(user);
  const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m->pos : m->bytes.size();
  m->pos = std::max<sf_count_t>(0, base + offset);
  return m->pos;
}
sf_count_t MemRead(void* ptr, sf_count_t count, void* user) {
  auto* m = static_cast<MemoryFile*>(user);
  const sf_count_t n = std::clamp<sf_count_t>(m->bytes.size() - m->pos, 0, count);
  if (n > 0) std::memcpy(ptr, m->bytes.constData() + m->pos, static_cast<std::size_t>(n));
  m->pos += n;
  return n;
}
sf_count_t MemWrite(const void* ptr, sf_count_t count, void* user) {
  auto* m = static_cast<MemoryFile*>(user);
  if (m->pos + count > m->bytes.size()) m->bytes.resize(static_cast<qsizetype>(m->pos + count));
  std::memcpy(m->bytes.data() + m->pos, ptr, static_cast<std::size_t>(count));
  m->pos += count;
  return count;
}
sf_count_t MemTell(void* user) { return static_cast<MemoryFile*>(user)->pos; }

}  // namespace

TWaveRecorder::TWaveRecorder() = default;

TWaveRecorder::~TWaveRecorder() { Close(); }

void TWaveRecorder::Callback(void* user, std::uint8_t* stream, int len) {
  auto* self = static_cast<TWaveRecorder*>(user);
  const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
  const std::size_t n = static_cast<std::size_t>(len) / 2;
  std::lock_guard lock(self->mutex_);
  if (!self->recording_) return;
  const std::size_t cap = static_cast<std::size_t>(MaxTakeSeconds) * self->rate_;
  if (self->take_.size() >= cap) return;
  self->take_.insert(self->take_.end(), samples, samples + std::min(n, cap - self->take_.size()));
}

QString TWaveRecorder::Open() {
  if (device_) return {};
  // Waits for the output, which sets SDL's audio up.
  if (!Audio::Running() || !Sdl::WasInit(SDL_INIT_AUDIO))
    return QStringLiteral("Urządzenie nagrywające jest niedostępne (dźwięk nie działa)");
  // The dummy driver would record silence in place of a missing microphone.
  if (Audio::NoSoundDevice() || Sdl::GetNumAudioDevices(1) == 0)
    return QStringLiteral("Komputer nie ma mikrofonu ani innego urządzenia nagrywającego.");
  SDL_AudioSpec want{};
  want.freq = 22050;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 512;
  want.callback = &TWaveRecorder::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  device_ = Sdl::OpenAudioDevice(nullptr, 1, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (!device_)
    return QStringLiteral("Nie można otworzyć urządzenia nagrywającego.") +
           LibraryDetails("SDL", QString::fromUtf8(Sdl::GetError()));
  rate_ = have.freq;
  Sdl::PauseAudioDevice(device_, 0);
  return {};
}

QString TWaveRecorder::Record() {
  if (!device_) return QStringLiteral("Urządzenie nagrywające nie jest otwarte");
  std::lock_guard lock(mutex_);
  take_.clear();
  recording_ = true;
  started_.start();
  return {};
}

QString TWaveRecorder::Stop() {
  if (!device_) return QStringLiteral("Urządzenie nagrywające nie jest otwarte");
  std::lock_guard lock(mutex_);
  if (!recording_) return {};
  recording_ = false;
  // The dummy driver hands over silence in whole buffers and a little late;
  // its take is as long as the recording really lasted.
  if (Audio::Silent())
    take_.resize(static_cast<std::size_t>(started_.elapsed() * rate_ / 1000), 0);
  return {};
}

int TWaveRecorder::LengthMs() const {
  std::lock_guard lock(mutex_);
  return rate_ > 0 ? static_cast<int>(static_cast<std::int64_t>(take_.size()) * 1000 / rate_) : 0;
}

QString TWaveRecorder::Save(const QString& path) {
  if (!device_) return QStringLiteral("Urządzenie nagrywające nie jest otwarte");
  if (recording_) Stop();
  std::vector<std::int16_t> take;
  {
    std::lock_guard lock(mutex_);
    take = take_;
  }
  MemoryFile memory;
  SF_VIRTUAL_IO io{MemLength, MemSeek, MemRead, MemWrite, MemTell};
  SF_INFO info{};
  info.samplerate = rate_;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* sf = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
  if (!sf)
    return QStringLiteral("Nie można zapisać nagrania %1.").arg(ShownPath(path)) +
           LibraryDetails("libsndfile", QString::fromLocal8Bit(sf_strerror(nullptr)));
  const sf_count_t written = sf_write_short(sf, take.data(), static_cast<sf_count_t>(take.size()));
  sf_close(sf);
  if (written != static_cast<sf_count_t>(take.size()))
    return QStringLiteral("Nie można zapisać nagrania %1.").arg(ShownPath(path));
  try {
    WriteFileAtomic(path, memory.bytes);
  } catch (const Exception& e) {
    return e.Message;
  }
  return {};
}

QString TWaveRecorder::Close() {
  if (!device_) return {};
  Sdl::CloseAudioDevice(device_);
  device_ = 0;
  std::lock_guard lock(mutex_);
  recording_ = false;
  take_.clear();
  return {};
}
