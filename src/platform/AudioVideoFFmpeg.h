// Small helpers shared by the FFmpeg users (sound tracks and video clips):
// owning pointers for FFmpeg's objects and readable error texts.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/mem.h>
#include <libavutil/samplefmt.h>
}

#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/Picture.h"

struct FormatContextDeleter {
  void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
struct CodecContextDeleter {
  void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct PacketDeleter {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameDeleter {
  void operator()(AVFrame* p) const { av_frame_free(&p); }
};
using FormatContextPtr = std::unique_ptr<AVFormatContext, FormatContextDeleter>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;

inline QString AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return QString::fromLocal8Bit(text);
}

// The program writes no log: FFmpeg's own messages are silenced.
inline void QuietFFmpeg() { av_log_set_level(AV_LOG_QUIET); }

// Opens a sound file or a clip with only what the game's media need: the
// `file` protocol (no network, no protocol named inside a file) and the two
// containers its data comes in, wave and AVI, so that a playlist or a concat
// list named like a clip never reaches the files it names. Video frames are
// held to the size of a picture, in the header and in the decoders that
// look for the stream parameters. On failure returns null and sets `why`.
inline FormatContextPtr OpenMediaInput(const QString& realPath, QString& why) {
  AVDictionary* options = nullptr;
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  av_dict_set(&options, "format_whitelist", "avi,wav", 0);
  // The wave demuxer takes a metadata chunk's size from the file and clears
  // that much memory: a 400-byte file claiming 2 GB took 2 GB and 12 s. No
  // single block FFmpeg needs for our media (a frame of the largest picture
  // included) comes near this cap.
  av_max_alloc(std::size_t{128} << 20);
  AVFormatContext* raw = nullptr;
  // With the scheme spelled out a name holding ':' or '|' is only a name.
  const QByteArray url = "file:" + QFile::encodeName(realPath);
  int rc = avformat_open_input(&raw, url.constData(), nullptr, &options);
  av_dict_free(&options);
  if (rc < 0) {
    // A container off the list is the only EINVAL an open of a plain file gives.
    why = rc == AVERROR(EINVAL) ? QStringLiteral("nieobsługiwany format pliku") : AvErrorText(rc);
    return nullptr;
  }
  FormatContextPtr fmt(raw);
  for (unsigned i = 0; i < fmt->nb_streams; ++i) {
    const AVCodecParameters* par = fmt->streams[i]->codecpar;
    // A negative height stores rows top down.
    if (par->codec_type == AVMEDIA_TYPE_VIDEO &&
        !PictureSizeAllowed(std::abs(std::int64_t{par->width}),
                            std::abs(std::int64_t{par->height}))) {
      why = QStringLiteral("obraz %1 × %2 pikseli jest za duży").arg(par->width).arg(par->height);
      return nullptr;
    }
  }
  std::vector<AVDictionary*> streamOptions(fmt->nb_streams, nullptr);
  for (AVDictionary*& o : streamOptions) av_dict_set_int(&o, "max_pixels", MaxPicturePixels, 0);
  rc = avformat_find_stream_info(fmt.get(), streamOptions.data());
  for (AVDictionary*& o : streamOptions) av_dict_free(&o);
  if (rc < 0) {
    why = AvErrorText(rc);
    return nullptr;
  }
  return fmt;
}
