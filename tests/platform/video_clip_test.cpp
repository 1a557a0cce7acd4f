// AVI clips written with FFmpeg's encoders and read back frame by frame.
#include <gtest/gtest.h>

#include <QFile>

#include "media_test_support.h"
#include "platform/Errors.h"
#include "platform/VideoClip.h"

namespace {

int ColorDistance(QRgb a, const QColor& b) {
  return std::max({std::abs(qRed(a) - b.red()), std::abs(qGreen(a) - b.green()),
                   std::abs(qBlue(a) - b.blue())});
}

TEST(VideoClip, EveryCodecDecodesToTheExpectedPixels) {
  struct Case {
    const char* name;
    TVideoCodec codec;
    int tolerance;
  };
  const Case cases[] = {
      {"raw", TVideoCodec::Raw, 0},
      {"ms video 1", TVideoCodec::MsVideo1, 8},
      {"cinepak", TVideoCodec::Cinepak, 40},
  };
  MediaDir dir;
  const QSize size(48, 32);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = dir.Path(QString("c%1.avi").arg(static_cast<int>(c.codec)));
    WriteAvi(path, MakeClipFrames(8, size), 12, c.codec);
    TVideoClip clip;
    clip.Open(path);
    EXPECT_EQ(clip.Width(), 48);
    EXPECT_EQ(clip.Height(), 32);
    EXPECT_EQ(clip.FrameCount(), 8);
    EXPECT_DOUBLE_EQ(clip.FrameRate(), 12.0);
    EXPECT_NEAR(clip.DurationMs(), 667, 1);
    EXPECT_FALSE(clip.HasAudio());
    // In order, then out of order (going back seeks).
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 5, 2, 7, 0}) {
      const QImage f = clip.Frame(i);
      ASSERT_EQ(f.size(), size);
      EXPECT_LE(ColorDistance(f.pixel(30, 20), ClipColor(i)), c.tolerance) << "frame " << i;
      if (c.codec == TVideoCodec::Raw) {
        // The moving white square tells frames of the same colour apart.
        EXPECT_EQ(f.pixel(i, 0) | 0xFF000000u, 0xFFFFFFFFu) << "frame " << i;
        EXPECT_NE(f.pixel(i + 4, 0) | 0xFF000000u, 0xFFFFFFFFu) << "frame " << i;
      }
    }
    // Indexes outside the clip are clamped.
    EXPECT_LE(ColorDistance(clip.Frame(99).pixel(30, 20), ClipColor(7)), c.tolerance);
    EXPECT_LE(ColorDistance(clip.Frame(-3).pixel(30, 20), ClipColor(0)), c.tolerance);
  }
}

TEST(VideoClip, DecodedFramesStayWithinTheCacheBudget) {
  MediaDir dir;
  const QString path = dir.Path("long.avi");
  WriteAvi(path, MakeClipFrames(40, QSize(64, 48)), 25, TVideoCodec::MsVideo1);
  TVideoClip clip;
  clip.Open(path);
  const std::int64_t frameBytes = 64 * 48 * 4;
  clip.SetCacheBudget(5 * frameBytes);
  for (int i = 0; i < 40; ++i) {
    EXPECT_LE(ColorDistance(clip.Frame(i).pixel(40, 40), ClipColor(i)), 8) << "frame " << i;
    EXPECT_LE(clip.CachedBytes(), 5 * frameBytes);
  }
  // Going back past the cache decodes again from the file.
  EXPECT_LE(ColorDistance(clip.Frame(3).pixel(40, 40), ClipColor(3)), 8);
}

// All open clips share one budget: reading one clip evicts the frames another
// used longest ago, and a clip that closes gives its share back.
TEST(VideoClip, OpenClipsShareOneFrameBudget) {
  MediaDir dir;
  WriteAvi(dir.Path("a.avi"), MakeClipFrames(20, QSize(64, 48)), 25, TVideoCodec::MsVideo1);
  WriteAvi(dir.Path("b.avi"), MakeClipFrames(20, QSize(64, 48)), 25, TVideoCodec::Raw);
  const std::int64_t frameBytes = 64 * 48 * 4;
  TVideoClip::SetSharedCacheBudget(6 * frameBytes);
  TVideoClip a, b;
  a.Open(dir.Path("a.avi"));
  b.Open(dir.Path("b.avi"));
  for (int i = 0; i < 6; ++i) a.Frame(i);
  for (int i = 0; i < 4; ++i) b.Frame(i);
  EXPECT_EQ(TVideoClip::SharedCachedBytes(), 6 * frameBytes);
  EXPECT_EQ(a.CachedBytes() + b.CachedBytes(), 6 * frameBytes);
  EXPECT_LE(a.CachedBytes(), 3 * frameBytes);
  // The oldest frames of `a` went; reading them again still gives them.
  EXPECT_LE(ColorDistance(a.Frame(0).pixel(40, 40), ClipColor(0)), 8);
  for (int i = 4; i < 20; ++i) {
    EXPECT_LE(ColorDistance(b.Frame(i).pixel(40, 40), ClipColor(i)), 8) << "frame " << i;
    EXPECT_LE(TVideoClip::SharedCachedBytes(), 6 * frameBytes);
  }
  EXPECT_EQ(a.CachedBytes(), 0);
  b.Close();
  EXPECT_EQ(TVideoClip::SharedCachedBytes(), 0);
  TVideoClip::SetSharedCacheBudget(4LL << 20);
}

TEST(VideoClip, SoundTrackDecodesWhole) {
  MediaDir dir;
  const QString path = dir.Path("sound.avi");
  const TSoundData tone = MakeTone(300, 440, 22050, 1);
  WriteAvi(path, MakeClipFrames(3, QSize(16, 16)), 10, TVideoCodec::Raw, &tone);
  TVideoClip clip;
  clip.Open(path);
  EXPECT_TRUE(clip.HasAudio());
  const TSoundData got = clip.DecodeAudio();
  EXPECT_EQ(got.Rate, 22050);
  EXPECT_EQ(got.Frames(), tone.Frames());
  EXPECT_EQ(got.Samples[500], tone.Samples[500]);
}

TEST(VideoClip, MissingAndBrokenFilesAreErrorsNamingTheFile) {
  MediaDir dir;
  TVideoClip clip;
  EXPECT_THROW(clip.Open(dir.Path("none.avi")), EInOutError);
  QFile f(dir.Path("bad.avi"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray("RIFF\x00\x01\x00\x00"
                     "AVI LIST",
                     16) +
          QByteArray(300, '\x07'));
  f.close();
  try {
    clip.Open(f.fileName());
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message.contains("bad.avi")) << e.Message.toStdString();
  }
  EXPECT_FALSE(clip.IsOpen());
  // A wave file holds no video.
  WriteWave(dir.Path("t.wav"), MakeTone(50, 300));
  EXPECT_THROW(clip.Open(dir.Path("t.wav")), EInOutError);
}

TEST(VideoClip, TruncatedClipShowsWhatItHas) {
  MediaDir dir;
  const QString path = dir.Path("cut.avi");
  WriteAvi(path, MakeClipFrames(12, QSize(32, 32)), 10, TVideoCodec::Raw);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.resize(f.size() * 2 / 3);  // index and last frames gone
  f.close();
  TVideoClip clip;
  clip.Open(path);
  for (int i = 0; i < clip.FrameCount() + 3; ++i) EXPECT_FALSE(clip.Frame(i).isNull());
  EXPECT_GE(clip.FrameCount(), 1);
}

}  // namespace
