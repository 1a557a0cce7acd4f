// The sound tracks of AVI files and any sound libsndfile refuses.
#include <algorithm>
#include <cmath>

#include "platform/AudioVideoFFmpeg.h"
#include "platform/FFmpegModule.h"
#include "platform/ffmpeg/FFmpegParts.h"

namespace {

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

// What the container tells of the stream's length: the stream's own
// duration, else what its index holds (an AVI's sound track), as far as each
// chunk's size tells its samples; -1 when neither says. Decoding has the
// last word.
std::int64_t EstimatedFrames(AVStream* st, int rate) {
  if (st->duration > 0 && st->time_base.num > 0 && st->time_base.den > 0)
    return av_rescale_q(st->duration, st->time_base, AVRational{1, rate});
  const int n = avformat_index_get_entries_count(st);
  std::int64_t frames = 0;
  for (int i = 0; i < n; ++i) {
    const int got = av_get_audio_frame_duration2(st->codecpar, avformat_index_get_entry(st, i)->size);
    if (got <= 0) return -1;
    frames += got;
  }
  return n > 0 ? frames : -1;
}

class TFFmpegReader final : public TFFmpegSound {
 public:
  // Null for a file without sound when `allowMissing`; otherwise null with `error` set.
  static std::unique_ptr<TFFmpegReader> Open(const QString& realPath, bool allowMissing,
                                             std::int64_t maxFrames, QString& error,
                                             bool& tooLong) {
    QuietFFmpeg();
    std::unique_ptr<TFFmpegReader> r(new TFFmpegReader(realPath));
    auto fail = [&](const QString& why) {
      error = r->Fail(why);
      return nullptr;
    };
    QString why;
    r->fmt_ = OpenMediaInput(realPath, why);
    if (!r->fmt_) return fail(why);
    const AVCodec* codec = nullptr;
    r->stream_ = av_find_best_stream(r->fmt_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (r->stream_ < 0 || !codec) {
      if (allowMissing) return nullptr;
      return fail(QStringLiteral("brak ścieżki dźwiękowej"));
    }
    r->ctx_.reset(avcodec_alloc_context3(codec));
    if (!r->ctx_) return fail(QStringLiteral("brak pamięci"));
    int rc = avcodec_parameters_to_context(r->ctx_.get(), r->fmt_->streams[r->stream_]->codecpar);
    if (rc >= 0) rc = avcodec_open2(r->ctx_.get(), codec, nullptr);
    if (rc < 0) return fail(AvErrorText(rc));
    const int channels = r->ctx_->ch_layout.nb_channels;
    if (channels <= 0 || channels > 64 || r->ctx_->sample_rate <= 0 ||
        r->ctx_->sample_rate > 384000)
      return fail(QStringLiteral("niepoprawny format dźwięku"));
    // A header promising too long a sound is refused before decoding.
    const AVStream* st = r->fmt_->streams[r->stream_];
    if (st->duration > 0 && st->time_base.num > 0 && st->time_base.den > 0 &&
        av_rescale_q(st->duration, st->time_base, AVRational{1, r->ctx_->sample_rate}) >
            maxFrames) {
      tooLong = true;
      return nullptr;
    }
    r->sourceChannels_ = channels;
    r->Channels = channels == 2 ? 2 : 1;
    r->Rate = r->ctx_->sample_rate;
    const int bps = av_get_bytes_per_sample(r->ctx_->sample_fmt);
    r->BlockAlign = r->ctx_->block_align > 0 ? r->ctx_->block_align : std::max(1, bps) * channels;
    r->Frames = EstimatedFrames(r->fmt_->streams[r->stream_], r->Rate);
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(r->ctx_->codec_id);
    r->independentPackets_ = descriptor && (descriptor->props & AV_CODEC_PROP_INTRA_ONLY);
    r->packet_.reset(av_packet_alloc());
    r->frame_.reset(av_frame_alloc());
    if (!r->packet_ || !r->frame_) return fail(QStringLiteral("brak pamięci"));
    return r;
  }

  std::int64_t Read(std::int64_t frames, std::vector<std::int16_t>& out,
                    std::int64_t maxFrames) override {
    const std::size_t before = out.size();
    auto got = [&] { return static_cast<std::int64_t>(out.size() - before) / Channels; };
    for (;;) {
      while (avcodec_receive_frame(ctx_.get(), frame_.get()) >= 0) {
        // A stream that changes its layout is cut short.
        if (frame_->ch_layout.nb_channels == sourceChannels_) {
          if (skip_ < 0) skip_ = SkipAfterSeek();
          const std::size_t at = out.size();
          AppendAvFrame(out, frame_.get(), sourceChannels_);
          const auto drop =
              std::min<std::int64_t>(skip_, static_cast<std::int64_t>(out.size() - at) / Channels);
          out.erase(out.begin() + static_cast<std::ptrdiff_t>(at),
                    out.begin() + static_cast<std::ptrdiff_t>(at + drop * Channels));
          skip_ -= drop;
        }
        av_frame_unref(frame_.get());
      }
      total_ += got() - counted_;
      counted_ = got();
      if (total_ > maxFrames) return -1;
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

  // Packets that decode on their own (PCM and the like) are sought to
  // directly. Any other codec carries state from packet to packet, so the
  // stream is decoded again from its start and what lies before `frame`
  // dropped: the samples come out as a reading from the start gives them.
  bool Seek(std::int64_t frame) override {
    const AVStream* st = fmt_->streams[stream_];
    const std::int64_t start = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
    const bool direct = independentPackets_ && frame > 0;
    const bool near =
        direct && av_seek_frame(fmt_.get(), stream_,
                                start + av_rescale_q(frame, AVRational{1, Rate}, st->time_base),
                                AVSEEK_FLAG_BACKWARD) >= 0;
    if (!near && av_seek_frame(fmt_.get(), stream_, start, AVSEEK_FLAG_BACKWARD) < 0) return false;
    avcodec_flush_buffers(ctx_.get());
    flushed_ = false;
    seekTo_ = frame;
    // Where the first frame after a direct seek starts tells what to drop.
    skip_ = near ? -1 : frame;
    total_ = frame;
    counted_ = 0;
    return true;
  }

 private:
  explicit TFFmpegReader(const QString& realPath) : realPath_(realPath) {}
  QString Fail(const QString& why) const {
    return QStringLiteral("Nie można odczytać dźwięku z pliku %1 (%2)").arg(realPath_, why);
  }

  // After a direct seek: the frames the first decoded frame holds before
  // the one sought (its time stamp says where it starts).
  std::int64_t SkipAfterSeek() const {
    const AVStream* st = fmt_->streams[stream_];
    const std::int64_t pts = frame_->best_effort_timestamp;
    if (pts == AV_NOPTS_VALUE) return 0;
    const std::int64_t start = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;
    return std::max<std::int64_t>(
        0, seekTo_ - av_rescale_q(pts - start, st->time_base, AVRational{1, Rate}));
  }

  QString realPath_;
  FormatContextPtr fmt_;
  CodecContextPtr ctx_;
  PacketPtr packet_;
  FramePtr frame_;
  int stream_ = -1, sourceChannels_ = 1;
  bool flushed_ = false, independentPackets_ = false;
  std::int64_t total_ = 0, counted_ = 0;
  std::int64_t seekTo_ = 0, skip_ = 0;  // skip_ -1: known once a frame is decoded
};

}  // namespace

std::unique_ptr<TFFmpegSound> OpenFFmpegSound(const QString& realPath, bool allowMissing,
                                              std::int64_t maxFrames, QString& error,
                                              bool& tooLong) {
  return TFFmpegReader::Open(realPath, allowMissing, maxFrames, error, tooLong);
}
