// A teacher's photos come out upright and fitted as asked, and the broken or
// absurd ones are refused naming the file; a teacher's recordings of any rate
// and channel count become word sounds like the spoken ones; the source
// language draws photos and takes recordings for word sounds.
#include "lib/LessonMedia.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <functional>

#include "exercises/ExerciseFiles.h"
#include "lib/Demo.h"
#include "lib/DemoSound.h"
#include "lib/Installation.h"
#include "lib/MediaWriters.h"
#include "platform/AudioDecoder.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "support/Support.h"

namespace {

const QColor kRed(220, 30, 30), kBlue(30, 60, 220), kGreen(30, 200, 60), kWhite(255, 255, 255);

// 800 x 400: the left half red, the right half blue, a green square in the
// top-left corner, so every turn and cut shows in a few pixels.
QImage Landscape() {
  QImage img(800, 400, QImage::Format_RGB32);
  img.fill(kBlue);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 400; ++x) img.setPixelColor(x, y, x < 100 && y < 100 ? kGreen : kRed);
  return img;
}

QByteArray Encoded(const QImage& img, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(95);
  writer.write(img);
  return bytes;
}

// A JPEG whose EXIF says how to turn it (a camera held on its side).
QByteArray WithOrientation(QByteArray jpeg, int orientation) {
  QByteArray tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 18);
  tiff += static_cast<char>(orientation);
  tiff += QByteArray(7, '\0');
  const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
  const int length = static_cast<int>(payload.size()) + 2;
  QByteArray app1("\xFF\xE1", 2);
  app1 += static_cast<char>(length >> 8);
  app1 += static_cast<char>(length & 0xFF);
  return jpeg.insert(2, app1 + payload);
}

// A JPEG whose frame header claims `w` x `h` pixels.
QByteArray ClaimingSize(QByteArray jpeg, int w, int h) {
  const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
  jpeg[sof + 5] = static_cast<char>(h >> 8);
  jpeg[sof + 6] = static_cast<char>(h & 0xFF);
  jpeg[sof + 7] = static_cast<char>(w >> 8);
  jpeg[sof + 8] = static_cast<char>(w & 0xFF);
  return jpeg;
}

QString Put(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  QFile f(dir.filePath(name));
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
  return f.fileName();
}

bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
         std::abs(a.blue() - b.blue()) < 40;
}

struct TPixel {
  int X, Y;
  QColor Color;
};

struct TFitCase {
  const char* Name;
  std::function<QByteArray()> Bytes;
  const char* File;
  QSize Size;
  TPhotoFit Fit;
  std::vector<TPixel> Pixels;  // empty: refused
  const char* Says = "";
};

TEST(LessonMedia, PhotosAreTurnedUprightFittedOrRefused) {
  const QByteArray jpeg = Encoded(Landscape(), "jpeg"), png = Encoded(Landscape(), "png");
  const std::vector<TFitCase> cases = {
      // The middle square of the landscape: the green corner is cut away.
      {"CropKeepsTheMiddle",
       [&] { return png; },
       "a.png",
       {40, 40},
       TPhotoFit::Crop,
       {{2, 2, kRed}, {15, 20, kRed}, {25, 20, kBlue}}},
      // The whole photo 40 x 20 between white bars.
      {"LetterboxShowsAll",
       [&] { return png; },
       "a.png",
       {40, 40},
       TPhotoFit::Letterbox,
       {{20, 3, kWhite}, {20, 36, kWhite}, {2, 12, kGreen}, {10, 25, kRed}, {30, 20, kBlue}}},
      {"ScaleStretches",
       [&] { return jpeg; },
       "a.jpg",
       {40, 40},
       TPhotoFit::Scale,
       {{2, 2, kGreen}, {10, 30, kRed}, {30, 30, kBlue}}},
      // Turned a quarter clockwise: the red half on top, the corner top right.
      {"ExifTurnsClockwise",
       [&] { return WithOrientation(jpeg, 6); },
       "p.jpg",
       {40, 80},
       TPhotoFit::Crop,
       {{37, 3, kGreen}, {5, 20, kRed}, {20, 60, kBlue}}},
      // A quarter anticlockwise: red below, the corner bottom left.
      {"ExifTurnsAnticlockwise",
       [&] { return WithOrientation(jpeg, 8); },
       "q.jpg",
       {40, 80},
       TPhotoFit::Crop,
       {{3, 77, kGreen}, {20, 20, kBlue}, {20, 60, kRed}}},
      // A PNG named .jpg is still a PNG.
      {"KindFromContents",
       [&] { return png; },
       "png.jpg",
       {20, 10},
       TPhotoFit::Scale,
       {{1, 1, kGreen}, {15, 8, kBlue}}},
      {"Corrupt",
       [&] { return jpeg.left(300) + QByteArray(500, 'x'); },
       "broken.jpg",
       {40, 40},
       TPhotoFit::Crop,
       {},
       "broken.jpg"},
      {"HugeHeader",
       [&] { return ClaimingSize(jpeg, 60000, 50000); },
       "huge.jpg",
       {40, 40},
       TPhotoFit::Crop,
       {},
       "60000 × 50000"},
      {"NotAPhoto",
       [] { return QByteArray("GIF89a not really"); },
       "x.gif",
       {40, 40},
       TPhotoFit::Crop,
       {},
       "JPEG ani PNG"},
      {"Missing", nullptr, "none.jpg", {40, 40}, TPhotoFit::Crop, {}, "none.jpg"},
  };
  QTemporaryDir dir;
  for (const TFitCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const QString file = c.Bytes ? Put(dir, c.File, c.Bytes()) : dir.filePath(c.File);
    QString error;
    const auto photo = FitPhoto(file, c.Size, c.Fit, &error);
    if (c.Pixels.empty()) {
      EXPECT_FALSE(photo);
      EXPECT_TRUE(error.contains(QString::fromUtf8(c.Says))) << error.toStdString();
      EXPECT_TRUE(error.contains(c.File)) << error.toStdString();
      continue;
    }
    ASSERT_TRUE(photo) << error.toStdString();
    EXPECT_EQ(photo->size(), c.Size);
    for (const TPixel& p : c.Pixels)
      EXPECT_TRUE(Near(photo->pixelColor(p.X, p.Y), p.Color))
          << p.X << "," << p.Y << " is " << photo->pixelColor(p.X, p.Y).name().toStdString();
  }
}

// `ms` of a tone after `leadMs` of silence, at any rate and channel count.
TSoundData Spoken(int leadMs, int ms, int rate, int channels) {
  TSoundData s = MakeSilence(leadMs, rate, channels);
  const TSoundData tone = MakeTone(ms, 440, rate, channels, 0.3);
  s.Samples.insert(s.Samples.end(), tone.Samples.begin(), tone.Samples.end());
  return s;
}

void WriteMp3(const QString& path, const TSoundData& s) {
  SF_INFO info{};
  info.samplerate = s.Rate;
  info.channels = s.Channels;
  info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
  SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
  ASSERT_TRUE(f) << sf_strerror(nullptr);
  sf_writef_short(f, s.Samples.data(), s.Frames());
  sf_close(f);
}

// Puts PATH to an empty folder for as long as it lives.
struct TNoPrograms {
  QTemporaryDir Empty;
  QByteArray Saved = qgetenv("PATH");
  TNoPrograms() { qputenv("PATH", Empty.path().toUtf8()); }
  ~TNoPrograms() { qputenv("PATH", Saved); }
};

TEST(LessonMedia, RecordingsBecomeWordSoundsAndSpeechNeedsItsProgram) {
  QTemporaryDir dir;
  const QString out = dir.filePath("out/0001.wav");
  struct TCase {
    const char* Name;
    std::function<QString()> Recording;  // the file; empty for speech
    bool NoSpeech = false;
    int MinMs = 0, MaxMs = 0;  // 0: refused
    const char* Says = "";
  };
  const std::vector<TCase> cases = {
      // Half a second of silence first: cut, so the word comes at once.
      {"StereoWavAt44k",
       [&] {
         WriteWave(dir.filePath("kettle.wav"), Spoken(500, 700, 44100, 2));
         return dir.filePath("kettle.wav");
       },
       false, 700, 900},
      {"EightKilohertzWav",
       [&] {
         WriteWave(dir.filePath("cup.wav"), Spoken(0, 600, 8000, 1), TWaveEncoding::Pcm8);
         return dir.filePath("cup.wav");
       },
       false, 600, 800},
      {"Mp3",
       [&] {
         WriteMp3(dir.filePath("spoon.mp3"), Spoken(300, 800, 44100, 1));
         return dir.filePath("spoon.mp3");
       },
       false, 750, 1100},
      {"Silent",
       [&] {
         WriteWave(dir.filePath("mute.wav"), MakeSilence(800, 22050, 1));
         return dir.filePath("mute.wav");
       },
       false, 0, 0, "mute.wav"},
      {"NotASound", [&] { return Put(dir, "notes.mp3", "just text, no sound"); }, false, 0, 0,
       "notes.mp3"},
      {"MissingRecording", [&] { return dir.filePath("gone.wav"); }, false, 0, 0, "gone.wav"},
      {"SpeechWithoutItsProgram", [] { return QString(); }, true, 0, 0, "espeak-ng"},
      {"Speech", [] { return QString(); }, false, 200, 2000},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    QFile::remove(out);
    const QString recording = c.Recording();
    if (recording.isEmpty() && !c.NoSpeech && !SpeechAvailable()) continue;
    QString error;
    bool written = false;
    {
      std::optional<TNoPrograms> none;
      if (c.NoSpeech) none.emplace();
      written = WriteWordSound(recording, QStringLiteral("kettle"), {}, out, &error);
    }
    ClearPathCache();
    if (c.MaxMs == 0) {
      EXPECT_FALSE(written);
      EXPECT_TRUE(error.contains(QString::fromUtf8(c.Says))) << error.toStdString();
      EXPECT_FALSE(QFile::exists(out));
      continue;
    }
    ASSERT_TRUE(written) << error.toStdString();
    // Read back as the game reads it: what every word sound is.
    const TSoundData s = DecodeSoundFile(out);
    EXPECT_EQ(s.Rate, DemoSampleRate);
    EXPECT_EQ(s.Channels, 1);
    EXPECT_GE(s.LengthMs(), c.MinMs);
    EXPECT_LE(s.LengthMs(), c.MaxMs);
    int peak = 0;
    for (std::int16_t v : s.Samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_GT(peak, 20000) << "levelled like the spoken words";
  }
}

TEST(LessonMedia, SourcesDrawPhotosAndTakeRecordingsForWordSounds) {
  TempInstallation inst;
  QTemporaryDir src;
  Put(src, "kettle.png", Encoded(Landscape(), "png"));
  WriteWave(src.filePath("kettle.wav"), Spoken(400, 900, 44100, 2));
  CompileDemoSources(
      inst.Install(),
      {DemoSourcesWith(src,
                       "word-exercise program\\cwicz\\t\\a.fc2 picture=t\\a.bmp\n"
                       "  background\n"
                       "    photo kettle.png 0 0 545 430 fit=scale\n"
                       "  item \"X\" \"a kettle\" \"czajnik\"\n"
                       "  item \"X\" \"a cup\" \"kubek\"\n"
                       "word-list program\\Sb_all_NEW.txt\n"
                       "  word \"a kettle\" \"czajnik\" recording=kettle.wav\n"
                       "picture program\\gfx\\p.bmp 100x100\n"
                       "  fill #000000\n"
                       "  photo kettle.png 0 0 100 100 fit=letterbox fill=#ffff00\n"),
       false});
  ClearPathCache();
  const TWordExercise e =
      ReadWordExercise(ReadWholeFile(inst.ProgramDir() + "/cwicz/t/a.fc2"), "a.fc2");
  // The photo stretched over the whole exercise picture.
  const QImage picture = LoadPicture(inst.DataRoot() + "/cwicz/t/a.bmp");
  EXPECT_TRUE(Near(picture.pixelColor(5, 5), kGreen));
  EXPECT_TRUE(Near(picture.pixelColor(540, 425), kBlue));
  // The word spoken first without a recording ends with the teacher's.
  const TSoundData said = DecodeSoundFile(WordSoundPath(inst.DataRoot(), e.SoundNumbers[0]));
  EXPECT_NEAR(said.LengthMs(), 50 + 900, 60) << "the silence before it cut";
  const QImage p = LoadPicture(inst.ProgramDir() + "/gfx/p.bmp");
  EXPECT_EQ(p.pixelColor(50, 5), QColor(255, 255, 0));
  EXPECT_TRUE(Near(p.pixelColor(2, 27), kGreen));
}

}  // namespace
