#include "platform/VideoClip.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <cmath>

#include "platform/AudioVideoFFmpeg.h"
#include "platform/Errors.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"

namespace {
// Jumping further ahead than this seeks instead of decoding every frame between.
constexpr int kDecodeAheadLimit = 48;
}  // namespace

struct TVideoClip::Decoder {
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
  ~Decoder() { sws_freeContext(sws); }
};

TVideoClip::TVideoClip() = default;
TVideoClip::~TVideoClip() = default;

bool TVideoClip::IsOpen() const { return dec_ != nullptr; }

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
  cache_.clear();
  cachePos_.clear();
  lru_.clear();
  cachedBytes_ = 0;
}

void TVideoClip::Open(const QString& path) {
  Close();
  QuietFFmpeg();
  auto fail = [&](const QString& why) {
    return EInOutError(QStringLiteral("Nie można otworzyć filmu %1 (%2)").arg(path, why));
  };
  const QString real = CheckedFilePath(path, TFileKind::Video);

  auto dec = std::make_unique<Decoder>();
  QString why;
  dec->fmt = OpenMediaInput(real, why);
  if (!dec->fmt) throw fail(why);
  const AVCodec* codec = nullptr;
  dec->stream = av_find_best_stream(dec->fmt.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
  if (dec->stream < 0 || !codec) throw fail(QStringLiteral("brak obrazu"));
  AVStream* st = dec->fmt->streams[dec->stream];
  dec->ctx.reset(avcodec_alloc_context3(codec));
  if (!dec->ctx || !dec->packet || !dec->frame) throw fail(QStringLiteral("brak pamięci"));
  int rc = avcodec_parameters_to_context(dec->ctx.get(), st->codecpar);
  dec->ctx->thread_count = 1;
  // A frame larger than its header says is refused by the decoder.
  dec->ctx->max_pixels = MaxPicturePixels;
  if (rc >= 0) rc = avcodec_open2(dec->ctx.get(), codec, nullptr);
  if (rc < 0) throw fail(AvErrorText(rc));
  if (dec->ctx->width <= 0 || dec->ctx->height <= 0 ||
      !PictureSizeAllowed(dec->ctx->width, dec->ctx->height))
    throw fail(QStringLiteral("niepoprawny rozmiar obrazu"));

  dec->timeBase = st->time_base.num > 0 && st->time_base.den > 0 ? st->time_base : AVRational{1, 15};
  AVRational rate = st->avg_frame_rate;
  if (rate.num <= 0 || rate.den <= 0) rate = st->r_frame_rate;
  if (rate.num <= 0 || rate.den <= 0 || av_q2d(rate) > 1000.0) rate = AVRational{15, 1};
  dec->rate = rate;
  dec->startTs = st->start_time != AV_NOPTS_VALUE ? st->start_time : 0;

  std::int64_t count = st->nb_frames;
  if (count <= 0 && st->duration > 0)
    count = av_rescale_q(st->duration, dec->timeBase, av_inv_q(rate));
  if (count <= 0 && dec->fmt->duration > 0)
    count = av_rescale_q(dec->fmt->duration, AV_TIME_BASE_Q, av_inv_q(rate));
  count = std::clamp<std::int64_t>(count, 1, 1'000'000);

  for (unsigned i = 0; i < dec->fmt->nb_streams; ++i)
    if (dec->fmt->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) hasAudio_ = true;

  dec_ = std::move(dec);
  fileName_ = path;
  realPath_ = real;
  width_ = dec_->ctx->width;
  height_ = dec_->ctx->height;
  frameRate_ = av_q2d(rate);
  frameCount_ = static_cast<int>(count);
  try {
    Frame(0);
  } catch (const EInOutError&) {
    Close();
    throw fail(QStringLiteral("nie da się odczytać pierwszej klatki"));
  }
}

int TVideoClip::DurationMs() const {
  return static_cast<int>(std::llround(frameCount_ * 1000.0 / frameRate_));
}

void TVideoClip::SetCacheBudget(std::int64_t bytes) {
  cacheBudget_ = std::max<std::int64_t>(0, bytes);
  Trim();
}

void TVideoClip::Remember(int index, const QImage& image) {
  if (cache_.count(index)) return;
  const std::int64_t size = image.sizeInBytes();
  if (size > cacheBudget_) return;
  lru_.push_front(index);
  cachePos_[index] = lru_.begin();
  cache_[index] = image;
  cachedBytes_ += size;
  Trim();
}

void TVideoClip::Trim() {
  while (cachedBytes_ > cacheBudget_ && !lru_.empty()) {
    const int victim = lru_.back();
    lru_.pop_back();
    cachedBytes_ -= cache_[victim].sizeInBytes();
    cache_.erase(victim);
    cachePos_.erase(victim);
  }
}

void TVideoClip::Seek(int index) {
  Decoder& d = *dec_;
  const std::int64_t ts = d.startTs + av_rescale_q(index, av_inv_q(d.rate), d.timeBase);
  if (av_seek_frame(d.fmt.get(), d.stream, ts, AVSEEK_FLAG_BACKWARD) < 0 &&
      av_seek_frame(d.fmt.get(), d.stream, d.startTs, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) < 0) {
    // Without an index the only way back is from the top of the file.
    avio_seek(d.fmt->pb, 0, SEEK_SET);
    avformat_flush(d.fmt.get());
  }
  avcodec_flush_buffers(d.ctx.get());
  d.flushed = false;
  eof_ = false;
  last_ = QImage();
  lastIndex_ = -1;
}

bool TVideoClip::DecodeNext(QImage& image, int& index) {
  Decoder& d = *dec_;
  for (;;) {
    const int rc = avcodec_receive_frame(d.ctx.get(), d.frame.get());
    if (rc >= 0) break;
    if (rc == AVERROR_EOF || d.flushed) {
      eof_ = true;
      return false;
    }
    if (rc != AVERROR(EAGAIN)) {
      // The decoder gave up on this stretch; go on with the next packets.
      avcodec_flush_buffers(d.ctx.get());
    }
    if (av_read_frame(d.fmt.get(), d.packet.get()) < 0) {
      avcodec_send_packet(d.ctx.get(), nullptr);
      d.flushed = true;
      continue;
    }
    if (d.packet->stream_index == d.stream) avcodec_send_packet(d.ctx.get(), d.packet.get());
    av_packet_unref(d.packet.get());
  }
  AVFrame* f = d.frame.get();
  const std::int64_t ts = f->best_effort_timestamp;
  index = ts == AV_NOPTS_VALUE
              ? lastIndex_ + 1
              : static_cast<int>(av_rescale_q(ts - d.startTs, d.timeBase, av_inv_q(d.rate)));
  d.sws = sws_getCachedContext(d.sws, f->width, f->height, static_cast<AVPixelFormat>(f->format),
                               width_, height_, AV_PIX_FMT_RGB32, SWS_POINT, nullptr, nullptr,
                               nullptr);
  bool ok = d.sws != nullptr;
  if (ok) {
    image = QImage(width_, height_, QImage::Format_RGB32);
    std::uint8_t* dst[4] = {image.bits(), nullptr, nullptr, nullptr};
    int dstStride[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
    ok = sws_scale(d.sws, f->data, f->linesize, 0, f->height, dst, dstStride) > 0;
  }
  av_frame_unref(f);
  if (!ok) image = last_.isNull() ? QImage() : last_;
  return !image.isNull();
}

QImage TVideoClip::Frame(int index) {
  if (!dec_) return {};
  index = std::clamp(index, 0, frameCount_ - 1);
  if (const auto it = cache_.find(index); it != cache_.end()) {
    lru_.splice(lru_.begin(), lru_, cachePos_[index]);
    return it->second;
  }
  if (!last_.isNull() && index == lastIndex_) return last_;
  if (lastIndex_ < 0 || index < lastIndex_ || index > lastIndex_ + kDecodeAheadLimit || eof_)
    Seek(index);
  QImage image;
  int got = -1;
  while (DecodeNext(image, got)) {
    if (got < 0) got = 0;
    // Frames the file skips show the one before them.
    if (!last_.isNull())
      for (int gap = lastIndex_ + 1; gap < got && gap <= index; ++gap) Remember(gap, last_);
    const QImage previous = last_;
    const int previousIndex = lastIndex_;
    last_ = image;
    lastIndex_ = got;
    Remember(got, image);
    if (got == index) return image;
    if (got > index) return previous.isNull() || previousIndex < 0 ? image : previous;
  }
  if (!last_.isNull()) {
    // The file holds fewer frames than its header says: believe the file.
    if (lastIndex_ >= 0 && lastIndex_ + 1 < frameCount_) frameCount_ = lastIndex_ + 1;
    return last_;
  }
  throw EInOutError(
      QStringLiteral("Uszkodzony film %1 (klatka %2)").arg(fileName_).arg(index + 1));
}

TSoundData TVideoClip::DecodeAudio() const {
  if (!hasAudio_ || realPath_.isEmpty()) return TSoundData{};
  return DecodeWithFFmpeg(realPath_, true);
}
