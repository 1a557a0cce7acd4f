// Decoding wave files and the mixer's output, on the real engine.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <QFile>

#include "media_test_support.h"
#include "platform/Beep.h"
#include "platform/Errors.h"
#include "support/YamahaWave.h"

namespace {

TEST(AudioDecoding, EveryEncodingOfOldCdsDecodesToItsLength) {
  struct Case {
    const char* name;
    int rate, channels;
    TWaveEncoding encoding;
    int tolerance;  // ADPCM pads its last block with silence
  };
  const Case cases[] = {
      {"pcm16 mono 22k", 22050, 1, TWaveEncoding::Pcm16, 0},
      {"pcm16 stereo 44k", 44100, 2, TWaveEncoding::Pcm16, 0},
      {"pcm8 mono 11k", 11025, 1, TWaveEncoding::Pcm8, 0},
      {"ms adpcm mono 22k", 22050, 1, TWaveEncoding::MsAdpcm, 2048},
      {"ima adpcm stereo 22k", 22050, 2, TWaveEncoding::ImaAdpcm, 2048},
  };
  MediaDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TSoundData tone = MakeTone(200, 500, c.rate, c.channels);
    WriteWave(dir.Path("x.wav"), tone, c.encoding);
    const TSoundData got = DecodeSoundFile(dir.Path("x.wav"));
    EXPECT_EQ(got.Rate, c.rate);
    EXPECT_EQ(got.Channels, c.channels);
    EXPECT_NEAR(static_cast<double>(got.Frames()), static_cast<double>(tone.Frames()), c.tolerance);
    // Compare the middle of the sound, sample by sample, within the codec's loss.
    const int lossy = c.encoding == TWaveEncoding::Pcm16  ? 0
                      : c.encoding == TWaveEncoding::Pcm8 ? 256
                                                          : 2500;
    for (std::size_t i = 1000; i < 1100; ++i)
      ASSERT_NEAR(got.Samples[i], tone.Samples[i], lossy) << "sample " << i;
  }
}

TEST(AudioDecoding, MissingAndBrokenFilesNameTheFile) {
  MediaDir dir;
  EXPECT_THROW(DecodeSoundFile(dir.Path("none.wav")), EInOutError);
  QFile f(dir.Path("empty.wav"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  try {
    DecodeSoundFile(dir.Path("empty.wav"));
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message.contains("empty.wav")) << e.Message.toStdString();
  }
}

TEST(AudioDecoding, FileNamesMatchWithoutRegardToCase) {
  MediaDir dir;
  WriteWave(dir.Path("Lower.wav"), MakeTone(50, 300));
  EXPECT_GT(DecodeSoundFile(dir.Path("LOWER.WAV")).Frames(), 1000);
}

TEST(AudioMixer, VoicesAreConvertedToTheDeviceRateAndAddUp) {
  OutputTap tap;
  TAudioVoice low, high;
  low.Load(MakeTone(100, 300, 11025, 1, 0.3));
  high.Load(MakeTone(100, 300, 48000, 2, 0.3));
  EXPECT_NEAR(low.LengthMs(), 100, 1);
  EXPECT_NEAR(high.LengthMs(), 100, 1);
  int ends = 0;
  low.OnEnd = high.OnEnd = [&](std::uint64_t) { ++ends; };
  tap.Reset();
  low.Start();
  high.Start();
  ASSERT_TRUE(WaitUntil([&] { return ends == 2; }));
  // Started together, the two overlap: about 100 ms of sound, not 200 (the
  // device may take its next buffer between the two starts).
  EXPECT_NEAR(tap.LoudFrames(), 4410, Audio::BufferFrames() + 40);
}

TEST(AudioMixer, HaltedVoiceReportsNoEndAndResumesWhereItWas) {
  TAudioVoice v;
  v.Load(MakeTone(2000, 300));
  int ends = 0;
  v.OnEnd = [&](std::uint64_t) { ++ends; };
  v.Start();
  Settle(60);
  v.Halt();
  const auto at = v.Cursor();
  EXPECT_GT(at, 0);
  Settle(100);
  EXPECT_EQ(ends, 0);
  EXPECT_EQ(v.Cursor(), at);
  v.Start();
  Settle(30);
  EXPECT_GT(v.Cursor(), at);
  v.Seek(v.LengthFrames() - 441);  // goes on from there
  ASSERT_TRUE(WaitUntil([&] { return ends == 1; }));
  EXPECT_TRUE(v.AtEnd());
}

// A streamed sound is converted piece by piece on its own thread; it must come
// out sample for sample as the whole sound does, with its length known at once.
TEST(AudioStreaming, StreamedSoundEqualsTheWholeSound) {
  struct Case {
    const char* name;
    const char* file;
    int rate, channels;
    TWaveEncoding encoding;
  };
  const Case cases[] = {
      {"pcm16 stereo 22k", "a.wav", 22050, 2, TWaveEncoding::Pcm16},
      {"pcm16 mono at the device rate", "b.wav", 44100, 1, TWaveEncoding::Pcm16},
      {"pcm16 stereo 48k", "c.wav", 48000, 2, TWaveEncoding::Pcm16},
      {"ima adpcm mono 11k", "d.wav", 11025, 1, TWaveEncoding::ImaAdpcm},
      {"sound track of a clip", "e.avi", 22050, 1, TWaveEncoding::Pcm16},
  };
  MediaDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TSoundData tone = MakeTone(3000, 330, c.rate, c.channels);
    const QString path = dir.Path(c.file);
    if (path.endsWith(".avi"))
      WriteAvi(path, MakeClipFrames(3, QSize(16, 16)), 1, TVideoCodec::Raw, &tone);
    else
      WriteWave(path, tone, c.encoding);
    TAudioVoice whole, streamed;
    whole.Load(path.endsWith(".avi") ? DecodeWithFFmpeg(path) : DecodeSoundFile(path));
    auto reader = OpenSoundFile(path);
    // FFmpeg's containers may only estimate it; decoding has the last word.
    EXPECT_NEAR(reader->KnownFrames(), whole.LengthFrames() * c.rate / 44100, c.rate / 100);
    streamed.Stream(std::move(reader));
    const std::int64_t length = whole.LengthFrames();
    ASSERT_TRUE(
        WaitUntil([&] { return streamed.Frames(0, length).size() == std::size_t(length) * 2; }));
    EXPECT_TRUE(streamed.Frames(0, length) == whole.Frames(0, length));
    EXPECT_EQ(streamed.LengthFrames(), length);
  }
}

// A long sound keeps only a window of a few seconds, whichever decoder reads
// it; seeking out of it, either way, decodes again and must give the very
// samples the whole sound has, resampling included.
TEST(AudioStreaming, SeekingInALongStreamedSoundGivesTheSameSamples) {
  MediaDir dir;
  TSoundData noise;  // no period, so a shifted window cannot pass for the right one
  noise.Rate = 22050;
  noise.Samples.resize(40 * 22050);
  std::uint32_t x = 12345;
  for (auto& s : noise.Samples) s = static_cast<std::int16_t>((x = x * 1103515245 + 12345) >> 17);
  WriteWave(dir.Path("long.wav"), noise);
  WriteAvi(dir.Path("long.avi"), MakeClipFrames(2, QSize(16, 16)), 1, TVideoCodec::Raw, &noise);
  WriteYamahaWave(dir.Path("yamaha.wav"), noise);
  for (const char* name : {"long.wav", "long.avi", "yamaha.wav"}) {
    SCOPED_TRACE(name);
    const QString path = dir.Path(name);
    TAudioVoice whole, streamed;
    whole.Load(DecodeSoundFile(path));
    streamed.Stream(OpenSoundFile(path));
    const std::int64_t length = whole.LengthFrames();
    ASSERT_NEAR(streamed.LengthFrames(), length, 441);  // exact once decoded to the end
    const std::int64_t steps[] = {length - 30000, 70000, 100, length / 2 + 12345, length - 441};
    for (const std::int64_t at : steps) {
      SCOPED_TRACE(at);
      streamed.Seek(at);
      const std::int64_t count = std::min<std::int64_t>(4410, length - at);
      ASSERT_TRUE(
          WaitUntil([&] { return streamed.Frames(at, count).size() == std::size_t(count) * 2; }));
      EXPECT_TRUE(streamed.Frames(at, count) == whole.Frames(at, count));
      EXPECT_EQ(streamed.Cursor(), at);
    }
    // Far from the cursor nothing is held.
    EXPECT_TRUE(streamed.Frames(length / 4, 10).empty());
    // Played from near its end, it ends as the whole sound does.
    bool ended = false;
    streamed.OnEnd = [&](std::uint64_t) { ended = true; };
    streamed.Seek(length - 2205);
    streamed.Start();
    EXPECT_TRUE(WaitUntil([&] { return ended; }));
    EXPECT_EQ(streamed.Cursor(), length);
    EXPECT_EQ(streamed.LengthFrames(), length);
  }
}

// The device opens on a thread of its own, or only once the first picture is
// up (promised at start): a sound started before it is open is not lost but
// plays whole once it is, and ends as usual; a streamed one decodes no
// further than its first piece meanwhile.
TEST(AudioMixer, ASoundStartedBeforeTheDeviceIsOpenPlaysWhole) {
  MediaDir dir;
  WriteWave(dir.Path("greeting.wav"), MakeTone(1000, 440, 22050, 1));
  struct Case {
    const char* name;
    int ms;
    bool promised, streamed;
  };
  const Case cases[] = {
      {"opening, short", 100, false, false},
      {"opening", 300, false, false},
      {"promised", 300, true, false},
      {"promised, streamed", 1000, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Audio::Shutdown();
    if (c.promised)
      Audio::Expect();
    else
      Audio::Startup();
    OutputTap tap;
    TAudioVoice voice;
    if (c.streamed)
      voice.Stream(OpenSoundFile(dir.Path("greeting.wav")));
    else
      voice.Load(MakeTone(c.ms, 440, 44100, 1));
    bool ended = false;
    voice.OnEnd = [&](std::uint64_t) { ended = true; };
    voice.Start();
    if (c.promised) {
      Settle(150);
      EXPECT_FALSE(ended);
      EXPECT_EQ(tap.LoudFrames(), 0);
      EXPECT_EQ(voice.Cursor(), 0);
      if (c.streamed) {
        EXPECT_LT(voice.Frames(0, 44100).size(), 44100u);
      }
      Audio::Startup();
    }
    ASSERT_TRUE(WaitUntil([&] { return ended; }));
    EXPECT_TRUE(Audio::Running());
    EXPECT_NEAR(tap.LoudFrames(), c.ms * 44.1, 200);
  }
}

TEST(AudioMixer, BeepIsAShortToneThroughTheMixer) {
  OutputTap tap;
  tap.Reset();
  Beep();
  Settle(BeepMs + 60);
  const double frames = BeepMs * Audio::DeviceRate() / 1000.0;
  EXPECT_NEAR(tap.LoudFrames(), frames, 100);
  EXPECT_NEAR(tap.SignChanges(), 2.0 * BeepHz * BeepMs / 1000.0, 8);
}

}  // namespace
