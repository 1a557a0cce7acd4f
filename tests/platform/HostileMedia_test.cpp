// Media files made to hurt: each must end at once with an error naming the
// file, without taking the memory its header asks for.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDataStream>
#include <QFile>
#include <QtEndian>
#include <functional>

#include "lib/Writers.h"
#include "media_test_support.h"
#include "picture_test_support.h"
#include "platform/Errors.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "platform/VideoClip.h"

namespace {

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Writes `bytes`, or with `at` changes the two 32-bit numbers there (a
// header's width and height) in the file already written to 8000 x 8000.
void Write(const QString& path, QByteArray bytes, qsizetype at = -1) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  if (at >= 0) {
    bytes = f.readAll();
    qToLittleEndian(qint32(8000), bytes.data() + at);
    qToLittleEndian(qint32(-8000), bytes.data() + at + 4);  // rows top down
    f.seek(0);
  }
  f.write(bytes);
}

// An 8 x 8 JPEG whose frame header claims `side` x `side`, or whose last
// scan comes `scans` times more.
QByteArray Jpeg(bool progressive, quint16 side, int scans = 0) {
  QImage img(8, 8, QImage::Format_RGB32);
  img.fill(Qt::darkGreen);
  QByteArray bytes = EncodeJpeg(img, progressive);
  const qsizetype sof = bytes.indexOf(progressive ? "\xFF\xC2" : "\xFF\xC0");
  qToBigEndian(side, bytes.data() + sof + 5);
  qToBigEndian(side, bytes.data() + sof + 7);
  const qsizetype last = bytes.lastIndexOf("\xFF\xDA");
  return bytes.insert(bytes.size() - 2, bytes.mid(last, bytes.size() - 2 - last).repeated(scans));
}

// A mono 8 kHz wave header for `dataBytes` of sound; the file gets that
// length without being written (a sparse file), as a real one would have.
void WriteWaveHeader(const QString& path, quint16 format, quint16 bits, quint32 dataBytes) {
  QByteArray h;
  QDataStream s(&h, QIODevice::WriteOnly);
  s.setByteOrder(QDataStream::LittleEndian);
  s.writeRawData("RIFF", 4);
  s << quint32(36 + dataBytes);
  s.writeRawData("WAVEfmt ", 8);
  s << quint32(16) << format << quint16(1) << quint32(8000) << quint32(8000 * bits / 8)
    << quint16(1) << bits;
  s.writeRawData("data", 4);
  s << dataBytes;
  Write(path, h);
  QFile(path).resize(44 + dataBytes);
}

enum class TMedia { Picture, Sound, Clip };

TEST(HostileMedia, EveryFileEndsAtOnceWithAClearError) {
  MediaDir dir;
  WriteAvi(dir.Path("real.avi"), MakeClipFrames(4, QSize(16, 16)), 10);
  WriteWave(dir.Path("real.wav"), MakeTone(100, 440));
  using TWriter = std::function<void(const QString&)>;
  const auto bytes = [](QByteArray b) -> TWriter { return [b](const QString& p) { Write(p, b); }; };
  const TWriter fifo = [](const QString& p) { mkfifo(QFile::encodeName(p).constData(), 0600); };
  const TWriter zero = [](const QString& p) { QFile::link("/dev/zero", p); };
  const struct {
    const char* file;
    TMedia media;
    TWriter write;
    const char* says;
  } cases[] = {
      {"progressive.jpg", TMedia::Picture, bytes(Jpeg(true, 65500)), "za duży"},
      {"baseline.jpg", TMedia::Picture, bytes(Jpeg(false, 16384)), "za duży"},
      {"scans.jpg", TMedia::Picture, bytes(Jpeg(true, 8, 600)), "przebiegów"},
      {"huge.bmp", TMedia::Picture,
       [](const QString& p) {
         WriteBmp(p, QImage(4, 4, QImage::Format_RGB32));
         Write(p, {}, 18);
       },
       "za duży"},
      // Plain PCM, which libsndfile reads, and Yamaha ADPCM, which only FFmpeg does.
      {"long.wav", TMedia::Sound,
       [](const QString& p) { WriteWaveHeader(p, 1, 8, MaxSoundFrames + 1); }, "za długi"},
      {"yamaha.wav", TMedia::Sound,
       [](const QString& p) { WriteWaveHeader(p, 0x20, 4, MaxSoundFrames / 2 + 1); }, "za długi"},
      {"fifo.wav", TMedia::Sound, fifo, "zwykły plik"},
      {"fifo.avi", TMedia::Clip, fifo, "zwykły plik"},
      {"zero.wav", TMedia::Sound, zero, "zwykły plik"},
      {"zero.avi", TMedia::Clip, zero, "zwykły plik"},
      // Lists that FFmpeg would follow to the real files.
      {"concat.wav", TMedia::Sound, bytes("ffconcat version 1.0\nfile 'real.wav'\n"), ""},
      {"concat.avi", TMedia::Clip, bytes("ffconcat version 1.0\nfile 'real.avi'\n"),
       "nieobsługiwany format"},
      {"playlist.avi", TMedia::Clip,
       bytes("#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\nreal.avi\n#EXT-X-ENDLIST\n"),
       "nieobsługiwany format"},
      {"huge.avi", TMedia::Clip,
       [&](const QString& p) {
         QFile::copy(dir.Path("real.avi"), p);
         Write(p, {}, ReadFileHead(p, 4096).indexOf("strf") + 12);
       },
       "za duży"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const QString path = dir.Path(c.file);
    c.write(path);
    const long before = PeakKb();
    try {
      switch (c.media) {
        case TMedia::Picture:
          LoadPicture(path);
          break;
        case TMedia::Sound:
          OpenSoundFile(path);
          break;
        case TMedia::Clip:
          TVideoClip().Open(path);
          break;
      }
      ADD_FAILURE() << "opened";
    } catch (const EInOutError& e) {
      EXPECT_TRUE(e.Message.contains(c.file)) << e.what();
      EXPECT_TRUE(e.Message.contains(QString::fromUtf8(c.says))) << e.what();
    }
    EXPECT_LT(PeakKb() - before, 100 * 1024);
  }
}

}  // namespace
