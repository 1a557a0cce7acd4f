#include "platform/VideoClip.h"

#include <cmath>
#include <map>

#include "platform/AviFile.h"
#include "platform/Errors.h"
#include "platform/FFmpegModule.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace {
// Jumping further ahead than this seeks instead of decoding every frame between.
constexpr int kDecodeAheadLimit = 48;
}  // namespace

// The frames all clips keep, oldest use first. A cache only pays when a clip
// goes back to frames it has decoded (a loop, a sprite's range of frames),
// and decoding one of these small frames again costs far less than a
// millisecond, while four long menu clips could hold 48 MiB each. 4 MiB keeps
// a short loop of a small clip (60 frames of 160 x 100) and bounds the rest.
struct TVideoClip::Pool {
  std::int64_t budget = 4LL << 20;
  std::int64_t bytes = 0;
  std::uint64_t clock = 0;
  std::map<std::uint64_t, std::pair<TVideoClip*, int>> byUse;

  // Never destroyed: clips owned by statics may outlive main().
  static Pool& Get() {
    static Pool* pool = new Pool;
    return *pool;
  }
  void Trim() {
    while (bytes > budget && !byUse.empty()) {
      const auto [clip, index] = byUse.begin()->second;
      clip->Forget(index);
    }
  }
};

TVideoClip::TVideoClip() = default;
TVideoClip::~TVideoClip() {
  Close();
}

bool TVideoClip::IsOpen() const {
  return dec_ != nullptr;
}

void TVideoClip::Close() {
  dec_.reset();
  fileName_.clear();
  realPath_.clear();
  width_ = height_ = frameCount_ = 0;
  frameRate_ = 15.0;
  hasAudio_ = false;
  last_ = QImage();
  lastIndex_ = -1;
  eof_ = false;
  while (!cache_.empty()) Forget(cache_.begin()->first);
}

void TVideoClip::Open(const QString& path) {
  Close();
  auto fail = [&](const QString& why) {
    return EInOutError(
        QStringLiteral("Nie można otworzyć filmu %1 (%2)").arg(ShownPath(path), why));
  };
  const QString real = CheckedFilePath(path, TFileKind::Video);
  auto dec = OpenUncompressedAvi(real);
  // An uncompressed frame is read again faster than a cache could pay for its
  // memory; the four menu loops together would not fit it anyway.
  cacheDecoded_ = !dec;
  if (!dec) {
    QString error;
    const TFFmpegApi* ffmpeg = FFmpegModule(error);
    if (!ffmpeg) throw fail(error);
    dec = ffmpeg->OpenClip(real, error);
    if (!dec) throw fail(error);
  }

  hasAudio_ = dec->HasAudio;
  width_ = dec->Width;
  height_ = dec->Height;
  frameRate_ = dec->FrameRate;
  frameCount_ = dec->FrameCount;
  dec_ = std::move(dec);
  fileName_ = path;
  realPath_ = real;
  try {
    Frame(0);
  } catch (const EInOutError&) {
    Close();
    throw fail(QStringLiteral("nie da się odczytać pierwszej klatki"));
  }
}

void TVideoClip::PrepareFor(const QStringList& paths) {
  LoadFFmpegAhead(paths, TFileKind::Video,
                  [](const QString& real) { return OpenUncompressedAvi(real) != nullptr; });
}

int TVideoClip::DurationMs() const {
  return static_cast<int>(std::llround(frameCount_ * 1000.0 / frameRate_));
}

void TVideoClip::SetCacheBudget(std::int64_t bytes) {
  cacheBudget_ = std::max<std::int64_t>(0, bytes);
  Trim();
}

void TVideoClip::SetSharedCacheBudget(std::int64_t bytes) {
  Pool::Get().budget = std::max<std::int64_t>(0, bytes);
  Pool::Get().Trim();
}

std::int64_t TVideoClip::SharedCachedBytes() {
  return Pool::Get().bytes;
}

void TVideoClip::Remember(int index, const QImage& image) {
  if (cache_.count(index)) return;
  Pool& pool = Pool::Get();
  const std::int64_t size = image.sizeInBytes();
  if (size > pool.budget || (cacheBudget_ >= 0 && size > cacheBudget_)) return;
  const std::uint64_t used = ++pool.clock;
  cache_[index] = {image, used};
  pool.byUse[used] = {this, index};
  cachedBytes_ += size;
  pool.bytes += size;
  Trim();
  pool.Trim();
}

void TVideoClip::Forget(int index) {
  const auto it = cache_.find(index);
  if (it == cache_.end()) return;
  Pool& pool = Pool::Get();
  const std::int64_t size = it->second.image.sizeInBytes();
  pool.byUse.erase(it->second.used);
  pool.bytes -= size;
  cachedBytes_ -= size;
  cache_.erase(it);
}

void TVideoClip::Touch(int index) {
  Pool& pool = Pool::Get();
  Cached& c = cache_.at(index);
  pool.byUse.erase(c.used);
  c.used = ++pool.clock;
  pool.byUse[c.used] = {this, index};
}

// This clip's own budget: its frames used longest ago go first.
void TVideoClip::Trim() {
  if (cacheBudget_ < 0) return;
  const auto& byUse = Pool::Get().byUse;
  for (auto it = byUse.begin(); cachedBytes_ > cacheBudget_ && it != byUse.end();) {
    const auto [clip, index] = (it++)->second;
    if (clip == this) Forget(index);
  }
}

void TVideoClip::Seek(int index) {
  dec_->Seek(index);
  eof_ = false;
  last_ = QImage();
  lastIndex_ = -1;
}

bool TVideoClip::DecodeNext(QImage& image, int& index) {
  if (!dec_->DecodeNext(image, index)) {
    eof_ = true;
    return false;
  }
  if (index < 0) index = lastIndex_ + 1;
  if (image.isNull()) image = last_;
  return !image.isNull();
}

QImage TVideoClip::Frame(int index) {
  if (!dec_) return {};
  index = std::clamp(index, 0, frameCount_ - 1);
  if (const auto it = cache_.find(index); it != cache_.end()) {
    Touch(index);
    return it->second.image;
  }
  if (!last_.isNull() && index == lastIndex_) return last_;
  if (lastIndex_ < 0 || index < lastIndex_ || index > lastIndex_ + kDecodeAheadLimit || eof_)
    Seek(index);
  QImage image;
  int got = -1;
  while (DecodeNext(image, got)) {
    if (got < 0) got = 0;
    // Frames the file skips show the one before them. A file that jumps a
    // million frames ahead would have each remembered; the nearest will do.
    if (!last_.isNull()) {
      const int upTo = std::min(got - 1, index);
      for (int gap = std::max(lastIndex_ + 1, upTo - kDecodeAheadLimit); gap <= upTo; ++gap)
        Remember(gap, last_);
    }
    const QImage previous = last_;
    const int previousIndex = lastIndex_;
    last_ = image;
    lastIndex_ = got;
    if (cacheDecoded_) Remember(got, image);
    if (got == index) return image;
    if (got > index) return previous.isNull() || previousIndex < 0 ? image : previous;
  }
  if (!last_.isNull()) {
    // The file holds fewer frames than its header says: believe the file.
    if (lastIndex_ >= 0 && lastIndex_ + 1 < frameCount_) frameCount_ = lastIndex_ + 1;
    return last_;
  }
  throw EInOutError(
      QStringLiteral("Uszkodzony film %1 (klatka %2)").arg(ShownPath(fileName_)).arg(index + 1));
}

std::unique_ptr<TSoundReader> TVideoClip::OpenAudio() const {
  if (!hasAudio_ || realPath_.isEmpty()) return nullptr;
  return OpenSoundTrack(realPath_);
}

TSoundData TVideoClip::DecodeAudio() const {
  if (!hasAudio_ || realPath_.isEmpty()) return TSoundData{};
  return DecodeWithFFmpeg(realPath_, true);
}
