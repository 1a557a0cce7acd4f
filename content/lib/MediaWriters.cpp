#include "lib/MediaWriters.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswscale/swscale.h>
}
#include <sndfile.h>

#include <QFile>
#include <cmath>
#include <cstring>
#include <numbers>

#include "lib/Writers.h"
#include "platform/AudioVideoFFmpeg.h"
#include "platform/Errors.h"
#include "platform/Paths.h"

TSoundData MakeTone(int ms, int hz, int rate, int channels, double amplitude) {
  TSoundData s;
  s.Rate = rate;
  s.Channels = channels;
  s.BlockAlign = 2 * channels;
  const int frames = static_cast<int>(static_cast<std::int64_t>(rate) * ms / 1000);
  const int fade = std::max(1, rate * 5 / 1000);
  s.Samples.reserve(static_cast<std::size_t>(frames) * channels);
  for (int i = 0; i < frames; ++i) {
    const double envelope =
        std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(frames - 1 - i) / fade});
    const auto v = static_cast<std::int16_t>(std::lround(
        32767.0 * amplitude * envelope * std::sin(2 * std::numbers::pi * hz * i / rate)));
    for (int c = 0; c < channels; ++c) s.Samples.push_back(v);
  }
  return s;
}

TSoundData MakeSilence(int ms, int rate, int channels) {
  TSoundData s;
  s.Rate = rate;
  s.Channels = channels;
  s.BlockAlign = 2 * channels;
  s.Samples.assign(static_cast<std::size_t>(static_cast<std::int64_t>(rate) * ms / 1000) * channels, 0);
  return s;
}

void WriteWave(const QString& path, const TSoundData& sound, TWaveEncoding encoding) {
  MakeParentDirs(path);
  const QString real = ResolvePath(path);
  SF_INFO info{};
  info.samplerate = sound.Rate;
  info.channels = sound.Channels;
  info.format = SF_FORMAT_WAV | [&] {
    switch (encoding) {
      case TWaveEncoding::Pcm8:
        return SF_FORMAT_PCM_U8;
      case TWaveEncoding::MsAdpcm:
        return SF_FORMAT_MS_ADPCM;
      case TWaveEncoding::ImaAdpcm:
        return SF_FORMAT_IMA_ADPCM;
      default:
        return SF_FORMAT_PCM_16;
    }
  }();
  SNDFILE* f = sf_open(QFile::encodeName(real).constData(), SFM_WRITE, &info);
  if (!f)
    throw EInOutError(QStringLiteral("Nie można zapisać pliku %1 (%2)")
                          .arg(path, QString::fromLocal8Bit(sf_strerror(nullptr))));
  const sf_count_t frames = sound.Frames();
  const sf_count_t written = sf_writef_short(f, sound.Samples.data(), frames);
  sf_close(f);
  NotePathWritten(real);
  if (written != frames) throw EInOutError(QStringLiteral("Nie można zapisać pliku %1").arg(path));
}

QColor ClipColor(int frame) {
  // Values that survive 5-bit colour channels unchanged (0, 132, 255 ...).
  static const QColor colors[] = {QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),
                                  QColor(255, 255, 0), QColor(0, 255, 255), QColor(255, 0, 255),
                                  QColor(0, 0, 0),     QColor(132, 132, 132)};
  return colors[frame % 8];
}

std::vector<QImage> MakeClipFrames(int count, QSize size) {
  std::vector<QImage> frames;
  for (int i = 0; i < count; ++i) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(ClipColor(i));
    for (int y = 0; y < 4 && y < size.height(); ++y)
      for (int x = i; x < i + 4 && x < size.width(); ++x) img.setPixel(x, y, 0xFFFFFFFF);
    frames.push_back(img);
  }
  return frames;
}

namespace {

struct Muxer {
  QString path;
  AVFormatContext* oc = nullptr;
  ~Muxer() {
    if (oc) {
      if (oc->pb) avio_closep(&oc->pb);
      avformat_free_context(oc);
    }
  }
  EInOutError Fail(const QString& why) const {
    return EInOutError(QStringLiteral("Nie można zapisać filmu %1 (%2)").arg(path, why));
  }
  void Check(int rc) const {
    if (rc < 0) throw Fail(AvErrorText(rc));
  }
  // Sends one frame (or the flush) and writes what the encoder gives back.
  void Encode(AVCodecContext* ctx, AVStream* st, AVFrame* frame) const {
    Check(avcodec_send_frame(ctx, frame));
    PacketPtr pkt(av_packet_alloc());
    for (;;) {
      const int rc = avcodec_receive_packet(ctx, pkt.get());
      if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return;
      Check(rc);
      av_packet_rescale_ts(pkt.get(), ctx->time_base, st->time_base);
      pkt->stream_index = st->index;
      Check(av_interleaved_write_frame(oc, pkt.get()));
    }
  }
};

}  // namespace

void WriteAvi(const QString& path, const std::vector<QImage>& frames, int fps, TVideoCodec codec,
              const TSoundData* sound) {
  QuietFFmpeg();
  MakeParentDirs(path);
  Muxer m;
  m.path = path;
  if (frames.empty() || fps <= 0) throw m.Fail(QStringLiteral("brak klatek"));
  const QString real = ResolvePath(path);
  const QByteArray name = QFile::encodeName(real);
  m.Check(avformat_alloc_output_context2(&m.oc, nullptr, "avi", name.constData()));
  const QSize size = frames.front().size();

  const AVCodecID id = codec == TVideoCodec::MsVideo1  ? AV_CODEC_ID_MSVIDEO1
                       : codec == TVideoCodec::Cinepak ? AV_CODEC_ID_CINEPAK
                                                       : AV_CODEC_ID_RAWVIDEO;
  const AVPixelFormat pix = codec == TVideoCodec::MsVideo1  ? AV_PIX_FMT_RGB555LE
                            : codec == TVideoCodec::Cinepak ? AV_PIX_FMT_RGB24
                                                            : AV_PIX_FMT_BGR24;
  const AVCodec* vcodec = avcodec_find_encoder(id);
  if (!vcodec) throw m.Fail(QStringLiteral("brak kodera obrazu"));
  AVStream* vst = avformat_new_stream(m.oc, nullptr);
  CodecContextPtr vctx(avcodec_alloc_context3(vcodec));
  vctx->width = size.width();
  vctx->height = size.height();
  vctx->pix_fmt = pix;
  vctx->time_base = AVRational{1, fps};
  vctx->framerate = AVRational{fps, 1};
  vctx->gop_size = 4;
  if (m.oc->oformat->flags & AVFMT_GLOBALHEADER) vctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  m.Check(avcodec_open2(vctx.get(), vcodec, nullptr));
  m.Check(avcodec_parameters_from_context(vst->codecpar, vctx.get()));
  vst->time_base = vctx->time_base;

  AVStream* ast = nullptr;
  CodecContextPtr actx;
  if (sound && !sound->Samples.empty()) {
    const AVCodec* acodec = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
    ast = avformat_new_stream(m.oc, nullptr);
    actx.reset(avcodec_alloc_context3(acodec));
    actx->sample_fmt = AV_SAMPLE_FMT_S16;
    actx->sample_rate = sound->Rate;
    av_channel_layout_default(&actx->ch_layout, sound->Channels);
    actx->time_base = AVRational{1, sound->Rate};
    m.Check(avcodec_open2(actx.get(), acodec, nullptr));
    m.Check(avcodec_parameters_from_context(ast->codecpar, actx.get()));
    ast->time_base = actx->time_base;
  }

  m.Check(avio_open(&m.oc->pb, name.constData(), AVIO_FLAG_WRITE));
  m.Check(avformat_write_header(m.oc, nullptr));

  FramePtr frame(av_frame_alloc());
  frame->format = pix;
  frame->width = size.width();
  frame->height = size.height();
  m.Check(av_frame_get_buffer(frame.get(), 0));
  SwsContext* sws = sws_getContext(size.width(), size.height(), AV_PIX_FMT_RGB32, size.width(),
                                   size.height(), pix, SWS_POINT, nullptr, nullptr, nullptr);
  if (!sws) throw m.Fail(QStringLiteral("brak konwersji obrazu"));
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const QImage img = frames[i].convertToFormat(QImage::Format_RGB32).scaled(size);
    m.Check(av_frame_make_writable(frame.get()));
    const std::uint8_t* src[4] = {img.constBits(), nullptr, nullptr, nullptr};
    const int srcStride[4] = {static_cast<int>(img.bytesPerLine()), 0, 0, 0};
    sws_scale(sws, src, srcStride, 0, size.height(), frame->data, frame->linesize);
    frame->pts = static_cast<std::int64_t>(i);
    m.Encode(vctx.get(), vst, frame.get());
  }
  sws_freeContext(sws);
  m.Encode(vctx.get(), vst, nullptr);

  if (actx) {
    const int chunk = 1024;
    FramePtr af(av_frame_alloc());
    for (std::int64_t at = 0; at < sound->Frames(); at += chunk) {
      const int n = static_cast<int>(std::min<std::int64_t>(chunk, sound->Frames() - at));
      av_frame_unref(af.get());
      af->format = AV_SAMPLE_FMT_S16;
      af->sample_rate = sound->Rate;
      av_channel_layout_copy(&af->ch_layout, &actx->ch_layout);
      af->nb_samples = n;
      m.Check(av_frame_get_buffer(af.get(), 0));
      std::memcpy(af->data[0], sound->Samples.data() + at * sound->Channels,
                  static_cast<std::size_t>(n) * sound->Channels * 2);
      af->pts = at;
      m.Encode(actx.get(), ast, af.get());
    }
    m.Encode(actx.get(), ast, nullptr);
  }
  m.Check(av_write_trailer(m.oc));
  NotePathWritten(real);
}
