// Media files made to hurt: each must end at once with an error naming the
// file, without taking the memory its header asks for.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QFile>
#include <QtEndian>
#include <functional>

#include "lib/Writers.h"
#include "media_test_support.h"
#include "picture_test_support.h"
#include "platform/Errors.h"
#include "platform/Picture.h"
#include "platform/VideoClip.h"

namespace {

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray ReadBack(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <typename T>
void Poke(QByteArray& bytes, qsizetype at, T value) {
  qToLittleEndian(value, bytes.data() + at);
}

// A picture or clip file written whole, with its header's width and height
// (32-bit, at `at`) changed to 8000 x 8000.
void WriteClaiming8000(const QString& path, qsizetype at) {
  QByteArray bytes = ReadBack(path);
  Poke(bytes, at, qint32(8000));
  Poke(bytes, at + 4, qint32(-8000));  // rows top down
  Write(path, bytes);
}

// A JPEG of 8 x 8 pixels whose frame header claims `side` x `side`.
QByteArray JpegClaiming(quint16 side, bool progressive) {
  QImage img(8, 8, QImage::Format_RGB32);
  img.fill(Qt::darkGreen);
  QByteArray bytes = EncodeJpeg(img, progressive);
  const qsizetype sof = bytes.indexOf(progressive ? "\xFF\xC2" : "\xFF\xC0");
  qToBigEndian(side, bytes.data() + sof + 5);
  qToBigEndian(side, bytes.data() + sof + 7);
  return bytes;
}

// A progressive JPEG whose last scan comes `times` times more.
QByteArray JpegWithScans(int times) {
  QImage img(8, 8, QImage::Format_RGB32);
  img.fill(Qt::darkGreen);
  QByteArray bytes = EncodeJpeg(img, true);
  const qsizetype last = bytes.lastIndexOf("\xFF\xDA");
  return bytes.insert(bytes.size() - 2, bytes.mid(last, bytes.size() - 2 - last).repeated(times));
}

// A wave header for `dataBytes` of sound; the file is made that long without
// writing it (a sparse file), as a real one would be.
void WriteWaveClaiming(const QString& path, quint16 format, quint16 bits, quint32 dataBytes) {
  QByteArray h(
      "RIFF----WAVEfmt ----ffccrrrrbbbbaapp"
      "data----",
      44);
  Poke(h, 4, quint32(36 + dataBytes));
  Poke(h, 16, quint32(16));
  Poke(h, 20, format);
  Poke(h, 22, quint16(1));
  Poke(h, 24, quint32(8000));
  Poke(h, 28, quint32(8000 * bits / 8));
  Poke(h, 32, quint16(1));
  Poke(h, 34, bits);
  Poke(h, 40, dataBytes);
  Write(path, h);
  QFile(path).resize(44 + dataBytes);
}

enum class TMedia { Picture, Sound, Clip };

TEST(HostileMedia, EveryFileEndsAtOnceWithAClearError) {
  MediaDir dir;
  WriteAvi(dir.Path("real.avi"), MakeClipFrames(4, QSize(16, 16)), 10);
  WriteWave(dir.Path("real.wav"), MakeTone(100, 440));
  const auto text = [](const char* content) {
    return [content](const QString& path) { Write(path, content); };
  };
  const auto link = [](const char* target) {
    return [target](const QString& path) { QFile::link(target, path); };
  };
  const auto fifo = [](const QString& path) { mkfifo(QFile::encodeName(path).constData(), 0600); };
  struct Case {
    const char* file;
    TMedia media;
    std::function<void(const QString&)> write;
    const char* says;
  };
  const Case cases[] = {
      {"progressive.jpg", TMedia::Picture,
       [](const QString& p) { Write(p, JpegClaiming(65500, true)); }, "za duży"},
      {"baseline.jpg", TMedia::Picture,
       [](const QString& p) { Write(p, JpegClaiming(16384, false)); }, "za duży"},
      {"scans.jpg", TMedia::Picture, [](const QString& p) { Write(p, JpegWithScans(600)); },
       "przebiegów"},
      {"huge.bmp", TMedia::Picture,
       [](const QString& p) {
         WriteBmp(p, QImage(4, 4, QImage::Format_RGB32));
         WriteClaiming8000(p, 18);
       },
       "za duży"},
      // Plain PCM, which libsndfile reads, and Yamaha ADPCM, which only FFmpeg does.
      {"long.wav", TMedia::Sound,
       [](const QString& p) { WriteWaveClaiming(p, 1, 8, MaxSoundFrames + 8000); }, "za długi"},
      {"yamaha.wav", TMedia::Sound,
       [](const QString& p) { WriteWaveClaiming(p, 0x20, 4, MaxSoundFrames / 2 + 8000); },
       "za długi"},
      {"fifo.wav", TMedia::Sound, fifo, "zwykły plik"},
      {"fifo.avi", TMedia::Clip, fifo, "zwykły plik"},
      {"zero.wav", TMedia::Sound, link("/dev/zero"), "zwykły plik"},
      {"zero.avi", TMedia::Clip, link("/dev/zero"), "zwykły plik"},
      // Lists that FFmpeg would follow to other files.
      {"concat.wav", TMedia::Sound, text("ffconcat version 1.0\nfile 'real.wav'\n"), ""},
      {"concat.avi", TMedia::Clip, text("ffconcat version 1.0\nfile 'real.avi'\n"),
       "nieobsługiwany format"},
      {"playlist.avi", TMedia::Clip,
       text("#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\nreal.avi\n#EXT-X-ENDLIST\n"),
       "nieobsługiwany format"},
      {"huge.avi", TMedia::Clip,
       [&dir](const QString& p) {
         QFile::copy(dir.Path("real.avi"), p);
         WriteClaiming8000(p, ReadBack(p).indexOf("strf") + 12);
       },
       "za duży"},
  };
  for (const Case& c : cases) {
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
