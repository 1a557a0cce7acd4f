#include "platform/AudioDecoder.h"

#include <sndfile.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/Errors.h"
#include "platform/AudioVideoFFmpeg.h"
#include "platform/Paths.h"

namespace {

// More than two channels are mixed down to one; one and two are kept.
void AppendFrames(TSoundData& out, const std::int16_t* src, std::int64_t frames, int channels) {
  if (channels <= 2) {
    out.Samples.insert(out.Samples.end(), src, src + frames * channels);
    return;
  }
  for (std::int64_t f = 0; f < frames; ++f) {
    int sum = 0;
    for (int c = 0; c < channels; ++c) sum += src[f * channels + c];
    out.Samples.push_back(static_cast<std::int16_t>(sum / channels));
  }
}

TSoundData DecodeWithSndfile(const QString& realPath, QString& error) {
  SF_INFO info{};
  SNDFILE* file = sf_open(QFile::encodeName(realPath).constData(), SFM_READ, &info);
  if (!file) {
    error = QString::fromLocal8Bit(sf_strerror(nullptr));
    return {};
  }
  std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> guard(file, sf_close);
  if (info.channels <= 0 || info.channels > 64 || info.samplerate <= 0 ||
      info.samplerate > 384000) {
    error = QStringLiteral("niepoprawny nagłówek");
    return {};
  }
  TSoundData out;
  out.Channels = info.channels == 2 ? 2 : 1;
  out.Rate = info.samplerate;
  const int bytes = [&] {
    switch (info.format & SF_FORMAT_SUBMASK) {
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
  }();
  out.BlockAlign = bytes * info.channels;
  if (info.frames > 0 && info.frames < MaxSoundFrames)
    out.Samples.reserve(static_cast<std::size_t>(info.frames) * out.Channels);
  constexpr int kChunk = 4096;
  std::vector<std::int16_t> buffer(static_cast<std::size_t>(kChunk) * info.channels);
  std::int64_t total = 0;
  for (;;) {
    const sf_count_t got = sf_readf_short(file, buffer.data(), kChunk);
    if (got <= 0) break;
    total += got;
    if (total > MaxSoundFrames) {
      error = QStringLiteral("plik jest za długi");
      return {};
    }
    AppendFrames(out, buffer.data(), got, info.channels);
  }
  if (sf_error(file) != SF_ERR_NO_ERROR && total == 0) {
    error = QString::fromLocal8Bit(sf_strerror(file));
    return {};
  }
  return out;
}

// One decoded FFmpeg frame appended as 16-bit samples.
void AppendAvFrame(TSoundData& out, const AVFrame* frame, int channels) {
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
        return static_cast<int>(
            std::lround(std::clamp(reinterpret_cast<const float*>(base)[index], -1.0f, 1.0f) *
                        32767.0f));
      case AV_SAMPLE_FMT_DBL:
        return static_cast<int>(
            std::lround(std::clamp(reinterpret_cast<const double*>(base)[index], -1.0, 1.0) *
                        32767.0));
      default:
        return 0;
    }
  };
  for (int i = 0; i < n; ++i) {
    if (channels <= 2) {
      for (int c = 0; c < channels; ++c)
        out.Samples.push_back(static_cast<std::int16_t>(sample(i, c)));
    } else {
      int sum = 0;
      for (int c = 0; c < channels; ++c) sum += sample(i, c);
      out.Samples.push_back(static_cast<std::int16_t>(sum / channels));
    }
  }
}

}  // namespace

TSoundData DecodeWithFFmpeg(const QString& realPath, bool allowMissing) {
  QuietFFmpeg();
  auto fail = [&](const QString& why) -> EInOutError {
    return EInOutError(QStringLiteral("Nie można odczytać dźwięku z pliku %1 (%2)").arg(realPath, why));
  };
  AVFormatContext* raw = nullptr;
  int rc = avformat_open_input(&raw, QFile::encodeName(realPath).constData(), nullptr, nullptr);
  if (rc < 0) throw fail(AvErrorText(rc));
  FormatContextPtr fmt(raw);
  rc = avformat_find_stream_info(fmt.get(), nullptr);
  if (rc < 0) throw fail(AvErrorText(rc));
  const AVCodec* codec = nullptr;
  const int streamIndex = av_find_best_stream(fmt.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (streamIndex < 0 || !codec) {
    if (allowMissing) return TSoundData{{}, 1, 22050, 2};
    throw fail(QStringLiteral("brak ścieżki dźwiękowej"));
  }
  CodecContextPtr ctx(avcodec_alloc_context3(codec));
  if (!ctx) throw fail(QStringLiteral("brak pamięci"));
  rc = avcodec_parameters_to_context(ctx.get(), fmt->streams[streamIndex]->codecpar);
  if (rc >= 0) rc = avcodec_open2(ctx.get(), codec, nullptr);
  if (rc < 0) throw fail(AvErrorText(rc));
  const int channels = ctx->ch_layout.nb_channels;
  if (channels <= 0 || channels > 64 || ctx->sample_rate <= 0 || ctx->sample_rate > 384000)
    throw fail(QStringLiteral("niepoprawny format dźwięku"));

  TSoundData out;
  out.Channels = channels == 2 ? 2 : 1;
  out.Rate = ctx->sample_rate;
  const int bps = av_get_bytes_per_sample(ctx->sample_fmt);
  out.BlockAlign = ctx->block_align > 0 ? ctx->block_align : std::max(1, bps) * channels;

  PacketPtr packet(av_packet_alloc());
  FramePtr frame(av_frame_alloc());
  auto drain = [&] {
    while (avcodec_receive_frame(ctx.get(), frame.get()) >= 0) {
      if (frame->ch_layout.nb_channels == channels)  // a stream that changes layout is cut short
        AppendAvFrame(out, frame.get(), channels);
      av_frame_unref(frame.get());
      if (out.Frames() > MaxSoundFrames) throw fail(QStringLiteral("plik jest za długi"));
    }
  };
  while (av_read_frame(fmt.get(), packet.get()) >= 0) {
    if (packet->stream_index == streamIndex) {
      // A damaged packet is skipped; the rest of the sound still plays.
      if (avcodec_send_packet(ctx.get(), packet.get()) >= 0) drain();
    }
    av_packet_unref(packet.get());
  }
  avcodec_send_packet(ctx.get(), nullptr);
  drain();
  return out;
}

TSoundData DecodeSoundFile(const QString& path) {
  const QString real = ResolvePath(path);
  if (!QFileInfo(real).isFile())
    throw EInOutError(QStringLiteral("Nie znaleziono pliku dźwiękowego %1").arg(path));
  QString error;
  TSoundData sound = DecodeWithSndfile(real, error);
  if (error.isEmpty()) return sound;
  try {
    return DecodeWithFFmpeg(real);
  } catch (const EInOutError&) {
    throw EInOutError(QStringLiteral("Nie można odczytać pliku dźwiękowego %1 (%2)").arg(path, error));
  }
}
