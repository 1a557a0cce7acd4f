#include "platform/AviFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/Dib.h"

namespace {

constexpr std::uint32_t Tag(const char (&s)[5]) {
  return std::uint32_t(std::uint8_t(s[0])) | std::uint32_t(std::uint8_t(s[1])) << 8 |
         std::uint32_t(std::uint8_t(s[2])) << 16 | std::uint32_t(std::uint8_t(s[3])) << 24;
}
// The same bound as the FFmpeg path: a clip of a million frames is over 18 hours.
constexpr std::size_t kMaxFrames = 1'000'000;
// The header list holds a few hundred bytes; a larger one is not worth reading here.
constexpr qint64 kMaxHeaderList = 1 << 20;

struct TChunk {
  qint64 data;  // where the frame's bytes start
  std::uint32_t size;
};

class TUncompressedAvi final : public TClipDecoder {
 public:
  bool Open(const QString& real) {
    file_.setFileName(real);
    // Unbuffered: chunk headers lie a frame apart, and a buffer would read the frame between.
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
    end_ = file_.size();
    std::uint32_t id = 0, size = 0, type = 0;
    if (!ReadHeader(0, id, size, &type) || id != Tag("RIFF") || type != Tag("AVI ")) return false;
    const qint64 riffEnd = std::min<qint64>(end_, 8 + qint64(size));
    bool haveHeader = false;
    qint64 movi = -1, moviEnd = 0;
    for (qint64 at = 12; at + 8 <= riffEnd;) {
      if (!ReadHeader(at, id, size, &type)) break;
      if (id == Tag("LIST") && type == Tag("hdrl") && !haveHeader) {
        if (size < 4 || size > kMaxHeaderList || !file_.seek(at + 12)) return false;
        if (!ParseHeaderList(file_.read(qint64(size) - 4))) return false;
        haveHeader = true;
      } else if (id == Tag("LIST") && type == Tag("movi") && haveHeader && movi < 0) {
        movi = at + 8;
        moviEnd = std::min(riffEnd, at + 8 + qint64(size));
      } else if (id == Tag("idx1") && movi >= 0) {
        if (!ReadIndex(at + 8, std::min<qint64>(size, end_ - at - 8), movi)) return false;
        break;
      }
      at += 8 + qint64(size) + (size & 1);
    }
    // Without an index (or with one this reader cannot place) the list is walked.
    if (frames_.empty() && movi >= 0 && !ScanFrames(movi + 4, moviEnd)) return false;
    if (frames_.empty()) return false;
    FrameCount = int(frames_.size());
    return true;
  }

  void Seek(int index) override { next_ = std::clamp<qint64>(index, 0, qint64(frames_.size())); }

  // A chunk too short for a frame is skipped, as FFmpeg's raw decoder does:
  // the clip shows the frame before it in its place.
  bool DecodeNext(QImage& image, int& index) override {
    while (next_ < qint64(frames_.size())) {
      const TChunk chunk = frames_[std::size_t(next_)];
      index = int(next_++);
      if (chunk.size < dib_.Bytes() || !file_.seek(chunk.data)) continue;
      const QByteArray bytes = file_.read(dib_.Bytes());
      if (bytes.size() != dib_.Bytes()) continue;
      image = DibToImage(dib_, reinterpret_cast<const std::uint8_t*>(bytes.constData()));
      return true;
    }
    return false;
  }

 private:
  // A chunk's id and size, and a list's type where the file holds one (the
  // last chunk may be too short for it: 0 then).
  bool ReadHeader(qint64 at, std::uint32_t& id, std::uint32_t& size,
                  std::uint32_t* type = nullptr) {
    if (at + 8 > end_ || !file_.seek(at)) return false;
    const QByteArray h = file_.read(12);
    if (h.size() < 8) return false;
    id = LittleU32(h, 0);
    size = LittleU32(h, 4);
    if (type) *type = LittleU32(h, 8);
    return true;
  }

  // The first video stream's format; any sound stream is only noted.
  bool ParseHeaderList(const QByteArray& list) {
    int stream = -1;
    std::uint32_t streamType = 0;
    bool found = false;
    for (qsizetype at = 0; at + 8 <= list.size();) {
      const std::uint32_t id = LittleU32(list, at), size = LittleU32(list, at + 4);
      if (size > std::uint32_t(list.size() - at - 8)) break;
      const QByteArray body = list.mid(at + 8, size);
      if (id == Tag("LIST") && LittleU32(body, 0) == Tag("strl")) {
        // The stream's own chunks follow the list type; descend into them.
        ++stream;
        at += 12;
        continue;
      }
      if (id == Tag("strh")) {
        streamType = LittleU32(body, 0);
        if (streamType == Tag("auds")) HasAudio = true;
        if (streamType == Tag("vids") && !found) {
          const std::uint32_t scale = LittleU32(body, 20), rate = LittleU32(body, 24);
          const double fps = scale ? double(rate) / scale : 0.0;
          FrameRate = fps >= 1.0 && fps <= 1000.0 ? fps : 15.0;
        }
      } else if (id == Tag("strf") && streamType == Tag("vids") && !found) {
        if (!ReadDibFormat(body, dib_)) return false;
        Width = dib_.Width;
        Height = dib_.Height;
        found = true;
        videoStream_ = stream;
      }
      at += 8 + qsizetype(size) + (size & 1);
    }
    return found && videoStream_ >= 0 && videoStream_ < 100;
  }

  // The frame chunks as the index lists them: one read instead of one a
  // frame. Offsets count from the movi list's type, or in some files from the
  // top of the file; the first frame's chunk tells which.
  bool ReadIndex(qint64 from, qint64 size, qint64 movi) {
    if (size > qint64(kMaxFrames) * 16 * 4 || !file_.seek(from)) return true;
    const QByteArray index = file_.read(size);
    std::vector<TChunk> frames;
    qint64 base = -1;
    for (qsizetype at = 0; at + 16 <= index.size() && frames.size() < kMaxFrames; at += 16) {
      const std::uint32_t id = LittleU32(index, at), offset = LittleU32(index, at + 8),
                          length = LittleU32(index, at + 12);
      if ((id & 0xFFFF) != Mine()) continue;
      const std::uint32_t kind = id >> 16;
      if (kind == Kind("pc")) return false;
      if (kind != Kind("db") && kind != Kind("dc")) continue;
      if (base < 0) {
        std::uint32_t found = 0, ignored = 0;
        for (const qint64 b : {movi, qint64(0)})
          if (ReadHeader(b + offset, found, ignored) && found == id) {
            base = b;
            break;
          }
        if (base < 0) return true;
      }
      const qint64 data = base + offset + 8;
      if (data + qint64(length) > end_) break;
      frames.push_back({data, length});
    }
    frames_ = std::move(frames);
    return true;
  }

  std::uint32_t Mine() const {
    return std::uint32_t('0' + videoStream_ / 10) | std::uint32_t('0' + videoStream_ % 10) << 8;
  }
  static constexpr std::uint32_t Kind(const char (&s)[3]) {
    return std::uint32_t(std::uint8_t(s[0])) | std::uint32_t(std::uint8_t(s[1])) << 8;
  }

  // The video stream's chunks, in order, also inside "rec " lists. A palette
  // change is left to FFmpeg; a chunk cut off by the file's end ends the clip.
  bool ScanFrames(qint64 from, qint64 to) {
    const std::uint32_t mine = Mine();
    std::uint32_t id = 0, size = 0, type = 0;
    for (qint64 at = from; at + 8 <= to && frames_.size() < kMaxFrames;) {
      if (!ReadHeader(at, id, size, &type)) break;
      if (id == Tag("LIST") && type == Tag("rec ")) {
        at += 12;
        continue;
      }
      if ((id & 0xFFFF) == mine) {
        const std::uint32_t kind = id >> 16;
        if (kind == Kind("pc")) return false;
        if (kind == Kind("db") || kind == Kind("dc")) {
          if (at + 8 + qint64(size) > end_) break;
          frames_.push_back({at + 8, size});
        }
      }
      at += 8 + qint64(size) + (size & 1);
    }
    return true;
  }

  QFile file_;
  qint64 end_ = 0;
  int videoStream_ = -1;
  TDibFormat dib_;
  std::vector<TChunk> frames_;
  qint64 next_ = 0;
};

}  // namespace

std::unique_ptr<TClipDecoder> OpenUncompressedAvi(const QString& realPath) {
  auto clip = std::make_unique<TUncompressedAvi>();
  if (!clip->Open(realPath)) return nullptr;
  return clip;
}
