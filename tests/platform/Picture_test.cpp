#include "platform/Picture.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "lib/Writers.h"
#include "picture_test_support.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "support/Support.h"

namespace {
QImage TwoColours() {
  QImage img(16, 8, QImage::Format_RGB32);
  img.fill(QColor(200, 30, 40));
  for (int y = 0; y < 8; ++y)
    for (int x = 8; x < 16; ++x) img.setPixel(x, y, qRgb(20, 60, 220));
  return img;
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}
}  // namespace

TEST(Picture, LoadsBitmapsAndJpegsByExtension) {
  QTemporaryDir dir;
  WriteBmp(dir.filePath("a.bmp"), TwoColours());
  WriteFileAtomic(dir.filePath("b.JPG"), EncodeJpeg(TwoColours()));
  WriteFileAtomic(dir.filePath("c.jpeg"), EncodeJpeg(TwoColours()));
  const QImage bmp = LoadPicture(dir.filePath("a.bmp"));
  ASSERT_EQ(bmp.size(), QSize(16, 8));
  EXPECT_EQ(bmp.pixel(0, 0), qRgb(200, 30, 40));
  EXPECT_EQ(bmp.pixel(15, 7), qRgb(20, 60, 220));
  for (const char* name : {"b.JPG", "c.jpeg"}) {
    const QImage jpg = LoadPicture(dir.filePath(name));
    ASSERT_EQ(jpg.size(), QSize(16, 8)) << name;
    EXPECT_EQ(jpg.format(), QImage::Format_RGB32);
    EXPECT_TRUE(Near(jpg.pixel(2, 4), qRgb(200, 30, 40), 12)) << name;
    EXPECT_TRUE(Near(jpg.pixel(13, 4), qRgb(20, 60, 220), 12)) << name;
  }
}

// Plain bitmaps are read by the game itself, pixel for pixel as Qt reads them.
TEST(Picture, PlainBitmapsReadAsQtReadsThem) {
  QTemporaryDir dir;
  const TestDib layouts[] = {{13, 5, 24, false},
                             {13, 5, 8, false},
                             {7, 3, 16, true},
                             {5, 4, 32, false},
                             {640, 480, 24, true}};
  int n = 0;
  for (const TestDib& dib : layouts) {
    SCOPED_TRACE(dib.bits);
    const QString path = dir.filePath(QString("p%1.bmp").arg(n++));
    const QByteArray bytes = dib.Bmp(n);
    WriteFileAtomic(path, bytes);
    const QImage ours = LoadPicture(path);
    const QImage qt = QImage::fromData(bytes, "bmp").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(qt.isNull());
    ASSERT_EQ(ours.format(), QImage::Format_RGB32);
    ASSERT_EQ(ours.size(), qt.size());
    // Qt widens 5-bit colours by a shift; the game repeats their top bits, as
    // FFmpeg does for video frames, so that white stays white.
    const int tolerance = dib.bits == 16 ? 7 : 0;
    for (int y = 0; y < ours.height(); ++y)
      for (int x = 0; x < ours.width(); ++x)
        ASSERT_TRUE(Near(ours.pixel(x, y), qt.pixel(x, y), tolerance)) << x << "," << y;
  }
}

TEST(Picture, BadFilesGiveErrorsNamingTheFile) {
  QTemporaryDir dir;
  WriteBmp(dir.filePath("ok.bmp"), TwoColours());
  WriteFileAtomic(dir.filePath("ok.png"), "whatever");
  WriteFileAtomic(dir.filePath("broken.bmp"), "BM not a bitmap");
  WriteFileAtomic(dir.filePath("broken.jpg"), "\xFF\xD8\xFF garbage");
  WriteFileAtomic(dir.filePath("empty.jpg"), "");
  QByteArray truncated = EncodeJpeg(TwoColours());
  truncated.truncate(truncated.size() / 3);
  WriteFileAtomic(dir.filePath("short.jpg"), truncated);
  // Bitmaps whose rows are not all where the header says: never half a picture.
  const TestDib dib{13, 5, 24, false};
  const QByteArray whole = dib.Bmp(1);
  WriteFileAtomic(dir.filePath("cut.bmp"), whole.left(whole.size() - dib.Stride()));
  QByteArray far = whole;
  qToLittleEndian<quint32>(quint32(whole.size() + 100), far.data() + 10);
  WriteFileAtomic(dir.filePath("far.bmp"), far);
  QByteArray inHeader = whole;
  qToLittleEndian<quint32>(20, inHeader.data() + 10);
  WriteFileAtomic(dir.filePath("inheader.bmp"), inHeader);
  for (const char* name : {"ok.png", "broken.bmp", "broken.jpg", "empty.jpg", "missing.bmp",
                           "cut.bmp", "far.bmp", "inheader.bmp"}) {
    try {
      LoadPicture(dir.filePath(name));
      ADD_FAILURE() << name << " loaded";
    } catch (const EInOutError& e) {
      EXPECT_TRUE(e.Message.contains(dir.filePath(name))) << e.what();
    }
  }
  // A truncated JPEG is damaged, not fatal: either an error or a picture of the right size.
  try {
    EXPECT_EQ(LoadPicture(dir.filePath("short.jpg")).size(), QSize(16, 8));
  } catch (const EInOutError&) {
  }
}

// Decoded pictures are kept between loads; a file changed since must be read again.
TEST(Picture, AChangedFileIsReadAgain) {
  QTemporaryDir dir;
  const QString path = dir.filePath("p.bmp");
  struct Case {
    const char* change;
    int width;
    QColor colour;
    int secondsLater;  // the new file's time against the old one's
  } cases[] = {
      {"another size", 5, Qt::blue, 0},
      {"same size, other pixels, a later time", 5, Qt::green, 2},
      {"same size, other pixels, an earlier time", 5, Qt::yellow, -60},
  };
  WriteSolidBmp(path, 4, 3, Qt::red);
  EXPECT_EQ(LoadPicture(path).pixelColor(0, 0), QColor(Qt::red));
  for (const Case& c : cases) {
    const QDateTime before = QFileInfo(path).lastModified();
    WriteSolidBmp(path, c.width, 3, c.colour);
    if (c.secondsLater != 0) {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::ReadWrite));
      f.setFileTime(before.addSecs(c.secondsLater), QFileDevice::FileModificationTime);
    }
    const QImage again = LoadPicture(path);
    EXPECT_EQ(again.width(), c.width) << c.change;
    EXPECT_EQ(again.pixelColor(0, 0), c.colour) << c.change;
    EXPECT_EQ(LoadPicture(path), again) << c.change;
  }
}
