#include "platform/AudioDecoder.h"

#include <sndfile.h>

#include <QFile>
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/Errors.h"
#include "platform/FFmpegModule.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

namespace {

// More than two channels are mixed down to one; one and two are kept.
void AppendFrames(std::vector<std::int16_t>& out, const std::int16_t* src, std::int64_t frames,
                  int channels) {
  if (channels <= 2) {
    out.insert(out.end(), src, src + frames * channels);
    return;
  }
  for (std::int64_t f = 0; f < frames; ++f) {
    int sum = 0;
    for (int c = 0; c < channels; ++c) sum += src[f * channels + c];
    out.push_back(static_cast<std::int16_t>(sum / channels));
  }
}

constexpr int kChunk = 4096;

// A sound longer than MaxSoundFrames. The reason stands whichever decoder
// found it: the other one is not asked.
struct ESoundTooLong : EInOutError {
  explicit ESoundTooLong(const QString& path)
      : EInOutError(QStringLiteral("Nie można odczytać pliku dźwiękowego %1 (plik jest za długi)")
                        .arg(ShownPath(path))) {}
};

class TSndfileReader final : public TSoundReader {
 public:
  // Null, with `error` set, when libsndfile cannot decode the file. The first
  // piece is decoded here: a file whose data fails at once goes to FFmpeg.
  static std::unique_ptr<TSndfileReader> Open(const QString& path, const QString& realPath,
                                              QString& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(realPath).constData(), SFM_READ, &info);
    if (!file) {
      error = QString::fromLocal8Bit(sf_strerror(nullptr));
      return nullptr;
    }
    std::unique_ptr<TSndfileReader> r(new TSndfileReader(path, file, info));
    if (info.channels <= 0 || info.channels > 64 || info.samplerate <= 0 ||
        info.samplerate > 384000) {
      error = QStringLiteral("niepoprawny nagłówek");
      return nullptr;
    }
    if (info.frames > MaxSoundFrames && info.frames != SF_COUNT_MAX) throw ESoundTooLong(path);
    r->channels_ = info.channels == 2 ? 2 : 1;
    r->rate_ = info.samplerate;
    r->blockAlign_ = BytesPerSample(info.format) * info.channels;
    if (info.frames >= 0 && info.frames != SF_COUNT_MAX) r->knownFrames_ = info.frames;
    r->seekable_ = info.seekable != 0;
    r->buffer_.resize(static_cast<std::size_t>(kChunk) * info.channels);
    r->ReadPiece(kChunk, r->pending_);
    if (r->pending_.empty() && sf_error(file) != SF_ERR_NO_ERROR) {
      error = QString::fromLocal8Bit(sf_strerror(file));
      return nullptr;
    }
    return r;
  }

  bool Seek(std::int64_t frame) override {
    pending_.clear();
    if (sf_seek(file_.get(), frame, SEEK_SET) < 0) return false;
    total_ = frame;
    return true;
  }

  std::int64_t Read(std::int64_t frames, std::vector<std::int16_t>& out) override {
    if (!pending_.empty()) {
      out.insert(out.end(), pending_.begin(), pending_.end());
      const auto got = static_cast<std::int64_t>(pending_.size()) / channels_;
      pending_.clear();
      pending_.shrink_to_fit();
      return got;
    }
    std::int64_t got = 0;
    while (got < frames) {
      const std::int64_t piece = ReadPiece(std::min<std::int64_t>(kChunk, frames - got), out);
      if (piece == 0) break;
      got += piece;
    }
    return got;
  }

 private:
  TSndfileReader(const QString& path, SNDFILE* file, const SF_INFO& info)
      : path_(path), file_(file, sf_close), info_(info) {}

  static int BytesPerSample(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
      case SF_FORMAT_PCM_U8:
      case SF_FORMAT_PCM_S8:
      case SF_FORMAT_ULAW:
      case SF_FORMAT_ALAW:
        return 1;
      case SF_FORMAT_PCM_24:
        return 3;
      case SF_FORMAT_PCM_32:
      case SF_FORMAT_FLOAT:
        return 4;
      case SF_FORMAT_DOUBLE:
        return 8;
      default:
        return 2;
    }
  }

  std::int64_t ReadPiece(std::int64_t frames, std::vector<std::int16_t>& out) {
    const sf_count_t got = sf_readf_short(file_.get(), buffer_.data(), frames);
    if (got <= 0) return 0;
    total_ += got;
    if (total_ > MaxSoundFrames) throw ESoundTooLong(path_);
    AppendFrames(out, buffer_.data(), got, info_.channels);
    return got;
  }

  QString path_;
  std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file_;
  SF_INFO info_;
  std::vector<std::int16_t> buffer_, pending_;
  std::int64_t total_ = 0;
};

// A sound FFmpeg decodes, through the module.
class TFFmpegReader final : public TSoundReader {
 public:
  // Null for a file without sound when `allowMissing`; otherwise throws.
  static std::unique_ptr<TFFmpegReader> Open(const QString& realPath, bool allowMissing) {
    QString error;
    const TFFmpegApi* ffmpeg = FFmpegModule(error);
    if (!ffmpeg)
      throw EInOutError(QStringLiteral("Nie można odczytać dźwięku z pliku %1 (%2)")
                            .arg(ShownPath(realPath), error));
    bool tooLong = false;
    auto sound = ffmpeg->OpenSound(realPath, allowMissing, MaxSoundFrames, error, tooLong);
    if (tooLong) throw ESoundTooLong(realPath);
    if (!sound) {
      if (error.isEmpty()) return nullptr;
      throw EInOutError(error);
    }
    std::unique_ptr<TFFmpegReader> r(new TFFmpegReader(realPath, std::move(sound)));
    r->channels_ = r->sound_->Channels;
    r->rate_ = r->sound_->Rate;
    r->blockAlign_ = r->sound_->BlockAlign;
    r->knownFrames_ = r->sound_->Frames;
    // Held a few seconds at a time needs an end to aim at.
    r->seekable_ = r->knownFrames_ > 0;
    return r;
  }

  bool Seek(std::int64_t frame) override { return sound_->Seek(frame); }

  std::int64_t Read(std::int64_t frames, std::vector<std::int16_t>& out) override {
    const std::int64_t got = sound_->Read(frames, out, MaxSoundFrames);
    if (got < 0) throw ESoundTooLong(realPath_);
    return got;
  }

 private:
  TFFmpegReader(const QString& realPath, std::unique_ptr<TFFmpegSound> sound)
      : realPath_(realPath), sound_(std::move(sound)) {}
  QString realPath_;
  std::unique_ptr<TFFmpegSound> sound_;
};

}  // namespace

TSoundData ReadAll(TSoundReader& reader) {
  TSoundData out;
  out.Channels = reader.Channels();
  out.Rate = reader.Rate();
  out.BlockAlign = reader.BlockAlign();
  if (reader.KnownFrames() > 0)
    out.Samples.reserve(static_cast<std::size_t>(reader.KnownFrames()) * out.Channels);
  while (reader.Read(65536, out.Samples) > 0) {
  }
  return out;
}

std::unique_ptr<TSoundReader> OpenSoundTrack(const QString& realPath) {
  return TFFmpegReader::Open(realPath, true);
}

TSoundData DecodeWithFFmpeg(const QString& realPath, bool allowMissing) {
  const auto reader = TFFmpegReader::Open(realPath, allowMissing);
  if (!reader) return TSoundData{{}, 1, 22050, 2};
  return ReadAll(*reader);
}

std::unique_ptr<TSoundReader> OpenSoundFile(const QString& path) {
  const QString real = CheckedFilePath(path, TFileKind::Sound);
  QString error;
  if (auto reader = TSndfileReader::Open(path, real, error)) return reader;
  try {
    return TFFmpegReader::Open(real, false);
  } catch (const ESoundTooLong&) {
    throw;
  } catch (const EInOutError&) {
    throw EInOutError(
        QStringLiteral("Nie można odczytać pliku dźwiękowego %1: program nie zna jego "
                       "formatu albo plik jest uszkodzony.")
            .arg(ShownPath(path)) +
        LibraryDetails("libsndfile", error));
  }
}

void PrepareSoundsFor(const QStringList& paths) {
  LoadFFmpegAhead(paths, TFileKind::Sound, [](const QString& real) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(real).constData(), SFM_READ, &info);
    if (file) sf_close(file);
    return file != nullptr;
  });
}

TSoundData DecodeSoundFile(const QString& path) {
  return ReadAll(*OpenSoundFile(path));
}
