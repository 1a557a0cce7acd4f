#include "platform/AudioDecoder.h"

#include <sndfile.h>

#include <QFile>
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/AudioVideoFFmpeg.h"
#include "platform/Errors.h"
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
                        .arg(path)) {}
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
    r->buffer_.resize(static_cast<std::size_t>(kChunk) * info.channels);
    r->ReadPiece(kChunk, r->pending_);
    if (r->pending_.empty() && sf_error(file) != SF_ERR_NO_ERROR) {
      error = QString::fromLocal8Bit(sf_strerror(file));
      return nullptr;
    }
    return r;
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

// One decoded FFmpeg frame appended as 16-bit samples.
void AppendAvFrame(std::vector<std::int16_t>& out, const AVFrame* frame, int channels) {
  const int n = frame->nb_samples;
  const auto fmt = static_cast<AVSampleFormat>(frame->format);
  const bool planar = av_sample_fmt_is_planar(fmt);
  const AVSampleFormat packed = av_get_packed_sample_fmt(fmt);
  auto sample = [&](int i, int c) -> int {
    const std::uint8_t* base = planar ? frame->extended_data[c] : frame->extended_data[0];
    const int index = planar ? i : i * channels + c;
    switch (packed) {
      case AV_SAMPLE_FMT_U8:
        return (base[index] - 128) << 8;
      case AV_SAMPLE_FMT_S16:
        return reinterpret_cast<const std::int16_t*>(base)[index];
      case AV_SAMPLE_FMT_S32:
        return reinterpret_cast<const std::int32_t*>(base)[index] >> 16;
      case AV_SAMPLE_FMT_S64:
        return static_cast<int>(reinterpret_cast<const std::int64_t*>(base)[index] >> 48);
      case AV_SAMPLE_FMT_FLT:
        return static_cast<int>(std::lround(
            std::clamp(reinterpret_cast<const float*>(base)[index], -1.0f, 1.0f) * 32767.0f));
      case AV_SAMPLE_FMT_DBL:
        return static_cast<int>(std::lround(
            std::clamp(reinterpret_cast<const double*>(base)[index], -1.0, 1.0) * 32767.0));
      default:
        return 0;
    }
  };
  for (int i = 0; i < n; ++i) {
    if (channels <= 2) {
      for (int c = 0; c < channels; ++c) out.push_back(static_cast<std::int16_t>(sample(i, c)));
    } else {
      int sum = 0;
      for (int c = 0; c < channels; ++c) sum += sample(i, c);
      out.push_back(static_cast<std::int16_t>(sum / channels));
    }
  }
}

class TFFmpegReader final : public TSoundReader {
 public:
  // Null for a file without sound when `allowMissing`; otherwise throws.
  static std::unique_ptr<TFFmpegReader> Open(const QString& realPath, bool allowMissing) {
    QuietFFmpeg();
    std::unique_ptr<TFFmpegReader> r(new TFFmpegReader(realPath));
    QString why;
    r->fmt_ = OpenMediaInput(realPath, why);
    if (!r->fmt_) throw r->Fail(why);
    const AVCodec* codec = nullptr;
    r->stream_ = av_find_best_stream(r->fmt_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (r->stream_ < 0 || !codec) {
      if (allowMissing) return nullptr;
      throw r->Fail(QStringLiteral("brak ścieżki dźwiękowej"));
    }
    r->ctx_.reset(avcodec_alloc_context3(codec));
    if (!r->ctx_) throw r->Fail(QStringLiteral("brak pamięci"));
    int rc = avcodec_parameters_to_context(r->ctx_.get(), r->fmt_->streams[r->stream_]->codecpar);
    if (rc >= 0) rc = avcodec_open2(r->ctx_.get(), codec, nullptr);
    if (rc < 0) throw r->Fail(AvErrorText(rc));
    const int channels = r->ctx_->ch_layout.nb_channels;
    if (channels <= 0 || channels > 64 || r->ctx_->sample_rate <= 0 ||
        r->ctx_->sample_rate > 384000)
      throw r->Fail(QStringLiteral("niepoprawny format dźwięku"));
    const AVStream* st = r->fmt_->streams[r->stream_];
    if (st->duration > 0 && st->time_base.num > 0 && st->time_base.den > 0 &&
        av_rescale_q(st->duration, st->time_base, AVRational{1, r->ctx_->sample_rate}) >
            MaxSoundFrames)
      throw ESoundTooLong(realPath);
    r->sourceChannels_ = channels;
    r->channels_ = channels == 2 ? 2 : 1;
    r->rate_ = r->ctx_->sample_rate;
    const int bps = av_get_bytes_per_sample(r->ctx_->sample_fmt);
    r->blockAlign_ = r->ctx_->block_align > 0 ? r->ctx_->block_align : std::max(1, bps) * channels;
    r->packet_.reset(av_packet_alloc());
    r->frame_.reset(av_frame_alloc());
    if (!r->packet_ || !r->frame_) throw r->Fail(QStringLiteral("brak pamięci"));
    return r;
  }

  std::int64_t Read(std::int64_t frames, std::vector<std::int16_t>& out) override {
    const std::size_t before = out.size();
    auto got = [&] { return static_cast<std::int64_t>(out.size() - before) / channels_; };
    for (;;) {
      while (avcodec_receive_frame(ctx_.get(), frame_.get()) >= 0) {
        // A stream that changes its layout is cut short.
        if (frame_->ch_layout.nb_channels == sourceChannels_)
          AppendAvFrame(out, frame_.get(), sourceChannels_);
        av_frame_unref(frame_.get());
      }
      total_ += got() - counted_;
      counted_ = got();
      if (total_ > MaxSoundFrames) throw ESoundTooLong(realPath_);
      if (got() >= frames || flushed_) break;
      if (av_read_frame(fmt_.get(), packet_.get()) < 0) {
        avcodec_send_packet(ctx_.get(), nullptr);
        flushed_ = true;
        continue;
      }
      // A damaged packet is skipped; the rest of the sound still plays.
      if (packet_->stream_index == stream_) avcodec_send_packet(ctx_.get(), packet_.get());
      av_packet_unref(packet_.get());
    }
    counted_ = 0;
    return got();
  }

 private:
  explicit TFFmpegReader(const QString& realPath) : realPath_(realPath) {}
  EInOutError Fail(const QString& why) const {
    return EInOutError(
        QStringLiteral("Nie można odczytać dźwięku z pliku %1 (%2)").arg(realPath_, why));
  }

  QString realPath_;
  FormatContextPtr fmt_;
  CodecContextPtr ctx_;
  PacketPtr packet_;
  FramePtr frame_;
  int stream_ = -1, sourceChannels_ = 1;
  bool flushed_ = false;
  std::int64_t total_ = 0, counted_ = 0;
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
        QStringLiteral("Nie można odczytać pliku dźwiękowego %1 (%2)").arg(path, error));
  }
}

TSoundData DecodeSoundFile(const QString& path) {
  return ReadAll(*OpenSoundFile(path));
}
