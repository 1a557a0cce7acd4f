// The video streams of AVI clips (RLE, MS Video 1, Cinepak, Indeo, raw ...).
extern "C" {
#include <libswscale/swscale.h>
}

#include <algorithm>

#include "platform/AudioVideoFFmpeg.h"
#include "platform/Picture.h"
#include "platform/ffmpeg/FFmpegParts.h"

namespace {

class TFFmpegClip final : public TClipDecoder {
 public:
  // Null with `error` saying why (without the file's name).
  static std::unique_ptr<TFFmpegClip> Open(const QString& real, QString& error) {
    QuietFFmpeg();
    auto fail = [&](const QString& why) {
      error = why;
      return nullptr;
    };
    std::unique_ptr<TFFmpegClip> d(new TFFmpegClip);
    d->fmt = OpenMediaInput(real, error);
    if (!d->fmt) return nullptr;
    const AVCodec* codec = nullptr;
    d->stream = av_find_best_stream(d->fmt.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (d->stream < 0 || !codec) return fail(QStringLiteral("brak obrazu"));
    AVStream* st = d->fmt->streams[d->stream];
    d->ctx.reset(avcodec_alloc_context3(codec));
    if (!d->ctx || !d->packet || !d->frame) return fail(QStringLiteral("brak pamięci"));
    int rc = avcodec_parameters_to_context(d->ctx.get(), st->codecpar);
    d->ctx->thread_count = 1;
    // A frame larger than its header says is refused by the decoder.
    d->ctx->max_pixels = MaxPicturePixels;
    if (rc >= 0) rc = avcodec_open2(d->ctx.get(), codec, nullptr);
    if (rc < 0) return fail(AvErrorText(rc));
    if (d->ctx->width <= 0 || d->ctx->height <= 0 ||
        !PictureSizeAllowed(d->ctx->width, d->ctx->height))
      return fail(QStringLiteral("niepoprawny rozmiar obrazu"));

    d->timeBase =
        st->time_base.num > 0 && st->time_base.den > 0 ? st->time_base : AVRational{1, 15};
    AVRational rate = st->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0) rate = st->r_frame_rate;
    // Below one frame a second the clip's length in milliseconds and the frame
    // timers' intervals would no longer fit an int.
    if (rate.num <= 0 || rate.den <= 0 || av_q2d(rate) > 1000.0 || av_q2d(rate) < 1.0)
      rate = AVRational{15, 1};
    d->rate = rate;
    d->startTs = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;

    std::int64_t count = st->nb_frames;
    if (count <= 0 && st->duration > 0)
      count = av_rescale_q(st->duration, d->timeBase, av_inv_q(rate));
    if (count <= 0 && d->fmt->duration > 0)
      count = av_rescale_q(d->fmt->duration, AV_TIME_BASE_Q, av_inv_q(rate));
    count = std::clamp<std::int64_t>(count, 1, 1'000'000);

    for (unsigned i = 0; i < d->fmt->nb_streams; ++i)
      if (d->fmt->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) d->HasAudio = true;
    d->Width = d->ctx->width;
    d->Height = d->ctx->height;
    d->FrameRate = av_q2d(rate);
    d->FrameCount = static_cast<int>(count);
    return d;
  }

  ~TFFmpegClip() override { sws_freeContext(sws); }

  void Seek(int index) override {
    const std::int64_t ts = startTs + av_rescale_q(index, av_inv_q(rate), timeBase);
    if (av_seek_frame(fmt.get(), stream, ts, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(fmt.get(), stream, startTs, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) < 0) {
      // Without an index the only way back is from the top of the file.
      avio_seek(fmt->pb, 0, SEEK_SET);
      avformat_flush(fmt.get());
    }
    avcodec_flush_buffers(ctx.get());
    flushed = false;
  }

  bool DecodeNext(QImage& image, int& index) override {
    for (;;) {
      const int rc = avcodec_receive_frame(ctx.get(), frame.get());
      if (rc >= 0) break;
      if (rc == AVERROR_EOF || flushed) return false;
      if (rc != AVERROR(EAGAIN)) {
        // The decoder gave up on this stretch; go on with the next packets.
        avcodec_flush_buffers(ctx.get());
      }
      if (av_read_frame(fmt.get(), packet.get()) < 0) {
        avcodec_send_packet(ctx.get(), nullptr);
        flushed = true;
        continue;
      }
      if (packet->stream_index == stream) avcodec_send_packet(ctx.get(), packet.get());
      av_packet_unref(packet.get());
    }
    AVFrame* f = frame.get();
    const std::int64_t ts = f->best_effort_timestamp;
    index = ts == AV_NOPTS_VALUE
                ? -1
                : static_cast<int>(av_rescale_q(ts - startTs, timeBase, av_inv_q(rate)));
    sws =
        sws_getCachedContext(sws, f->width, f->height, static_cast<AVPixelFormat>(f->format), Width,
                             Height, AV_PIX_FMT_RGB32, SWS_POINT, nullptr, nullptr, nullptr);
    bool ok = sws != nullptr;
    image = QImage();
    if (ok) {
      image = QImage(Width, Height, QImage::Format_RGB32);
      std::uint8_t* dst[4] = {image.bits(), nullptr, nullptr, nullptr};
      int dstStride[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
      ok = sws_scale(sws, f->data, f->linesize, 0, f->height, dst, dstStride) > 0;
      if (!ok) image = QImage();
    }
    av_frame_unref(f);
    return true;
  }

 private:
  TFFmpegClip() = default;
  FormatContextPtr fmt;
  CodecContextPtr ctx;
  PacketPtr packet{av_packet_alloc()};
  FramePtr frame{av_frame_alloc()};
  SwsContext* sws = nullptr;
  int stream = -1;
  AVRational timeBase{1, 1};
  AVRational rate{15, 1};
  std::int64_t startTs = 0;
  bool flushed = false;
};
}  // namespace

std::unique_ptr<TClipDecoder> OpenFFmpegClip(const QString& realPath, QString& error) {
  return TFFmpegClip::Open(realPath, error);
}
