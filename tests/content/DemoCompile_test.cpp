// Sources compile into the files the game reads: a place with its sprite
// strip and idle clip, a word exercise laid out from its items, a word
// search whose words can all be found, and errors that name the source line.
#include "lib/Demo.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "exercises/ExerciseFiles.h"
#include "exercises/SongFile.h"
#include "lib/DemoDraw.h"
#include "lib/DemoSound.h"
#include "platform/AudioDecoder.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "platform/VideoClip.h"
#include "support/Support.h"
#include "world/LocationFile.h"

namespace {

TEST(DemoCompile, APlaceWithItsStripAndClip) {
  TempInstallation inst;
  QTemporaryDir src;
  CompileDemoSources(
      inst.Install(),
      {DemoSourcesWith(
           src,
           "location Test.lok\n"
           "  picture test.bmp\n"
           "    fill #336699\n"
           "  back Start.lok\n"
           "  walk 1 2 30 40 Start.lok sound=krok\n"
           "  sprite 100 120 40x30 frames=5 interval=90 strip=\\lokacje\\t\\kot.bmp action=1 "
           "sound=miau still=1\n"
           "    actor \"X\" 20 15 20 motion=hop\n"
           "  exercises \\t\\lista.txt lines=3\n"
           "  idle-video 200 240 48x32 video=\\lokacje\\t\\film.avi sound=wiatr frames=6\n"
           "    figure car\n"
           "  fx krok tone 440 100\n"),
       false});
  ClearPathCache();
  const TLocation loc = ReadLocationFile(inst.ProgramDir() + "/lokacje/Test.lok");
  EXPECT_EQ(loc.Picture, "test.bmp");
  EXPECT_EQ(loc.BackLink, "Start.lok");
  EXPECT_EQ(loc.ExerciseListLines, 3);
  ASSERT_EQ(loc.WalkSpots.size(), 1u);
  EXPECT_EQ(loc.WalkSpots[0].Sound, "krok");
  ASSERT_EQ(loc.Sprites.size(), 1u);
  const TSpriteRecord& s = loc.Sprites[0];
  EXPECT_EQ((std::vector<int>{s.X, s.Y, s.Width, s.Height, s.Frames, s.Interval, s.Action, s.Still}),
            (std::vector<int>{100, 120, 40, 30, 5, 90, 1, 1}));
  // The strip holds its five frames side by side, each over the place's own
  // patch, so the sprite needs no key colour.
  const QImage strip = LoadPicture(inst.DataRoot() + s.Strip);
  EXPECT_EQ(strip.size(), QSize(200, 30));
  EXPECT_EQ(strip.pixel(0, 0), qRgb(0x33, 0x66, 0x99));
  ASSERT_EQ(loc.AniEvents.size(), 1u);
  EXPECT_EQ((std::vector<int>{loc.AniEvents[0].Width, loc.AniEvents[0].Height}), (std::vector<int>{48, 32}));
  TVideoClip clip;
  clip.Open(inst.DataRoot() + loc.AniEvents[0].Video);
  EXPECT_EQ(clip.FrameCount(), 6);
  // The window shows the clip's top-left colour as its own: that pixel alone
  // has it, and the clip is one pixel larger than the window on every side,
  // so the window centres it and never shows the key.
  const QImage first = clip.Frame(0), middle = clip.Frame(3);
  EXPECT_EQ(first.size(), QSize(50, 34));
  EXPECT_EQ(first.pixel(0, 0), qRgb(7, 3, 251));
  EXPECT_EQ(first.pixel(1, 0), qRgb(0x33, 0x66, 0x99));
  // The car drives in from the left: in the middle of the window halfway, not at the start.
  EXPECT_EQ(first.pixel(30, 12), qRgb(0x33, 0x66, 0x99));
  EXPECT_EQ(middle.pixel(30, 12), qRgb(40, 110, 210));
  EXPECT_TRUE(FileExists(inst.DataRoot() + "/lokacje/Fx/krok.wav"));
}

TEST(DemoCompile, WordExercisesAreLaidOutFromTheirItems) {
  TempInstallation inst;
  QTemporaryDir src;
  CompileDemoSources(inst.Install(), {DemoSourcesWith(src,
                                              "word-exercise program\\cwicz\\t\\a.fc2 picture=t\\a.bmp\n"
                                              "  item \"🐄\" \"a cow\" \"krowa\"\n"
                                              "  item \"🐖\" \"a pig\" \"świnia\"\n"
                                              "  item \"🐔\" \"a hen\" \"kura\" unused=1\n"
                                              "word-exercise program\\cwicz\\t\\b.fc2 picture=t\\b.bmp\n"
                                              "  item \"🐖\" \"a pig\" \"świnia\"\n"),
                                      false});
  ClearPathCache();
  const TWordExercise a = ReadWordExercise(ReadWholeFile(inst.ProgramDir() + "/cwicz/t/a.fc2"), "a.fc2");
  const TWordExercise b = ReadWordExercise(ReadWholeFile(inst.ProgramDir() + "/cwicz/t/b.fc2"), "b.fc2");
  EXPECT_EQ(a.ItemCount, 3);
  EXPECT_EQ(a.UsedCount(), 2);
  EXPECT_EQ(a.PictureName, "\\t\\a.bmp");
  EXPECT_EQ(LoadPicture(inst.DataRoot() + "/cwicz/t/a.bmp").size(), QSize(545, 430));
  // One word, one numbered sound, shared by every exercise that says it.
  EXPECT_EQ(b.SoundNumbers[0], a.SoundNumbers[1]);
  EXPECT_NE(a.SoundNumbers[0], a.SoundNumbers[1]);
  for (int i = 0; i < 3; ++i) {
    const THotSpot& h = a.HotSpots[static_cast<size_t>(i)];
    // Each word stands below its own spot, inside the picture and left of the dragging panel.
    EXPECT_LT(h.Left, h.Right);
    EXPECT_GT(a.WordPositions[static_cast<size_t>(i)].Y, h.Bottom);
    EXPECT_LE(h.Right, 500);
    EXPECT_LT(a.WordPositions[static_cast<size_t>(i)].Y + 20, 430);
    for (int j = 0; j < i; ++j) {
      const THotSpot& o = a.HotSpots[static_cast<size_t>(j)];
      EXPECT_TRUE(h.Left > o.Right || o.Left > h.Right || h.Top > o.Bottom || o.Top > h.Bottom) << i << " overlaps " << j;
    }
  }
}

TEST(DemoCompile, EveryWordOfAWordSearchCanBeFound) {
  TempInstallation inst;
  QTemporaryDir src;
  const QStringList words = {"HOUSE", "TREE", "CAR", "BUS", "BIKE", "DOG", "SUN"};
  CompileDemoSources(inst.Install(),
                     {DemoSourcesWith(src, "word-search program\\cwicz\\t\\s.fc1 size=9x8 words=\"" + words.join(' ') + "\" seed=3\n"),
                      false});
  const TWordSearch s = ReadWordSearch(ReadWholeFile(inst.ProgramDir() + "/cwicz/t/s.fc1"), "s.fc1");
  EXPECT_EQ(s.WordCount, words.size());
  QStringList found;
  for (int cell = 0; cell < s.Columns * s.Rows; ++cell) {
    const int partner = s.Partner[static_cast<size_t>(cell)] - 1;
    if (partner <= cell) continue;  // each word once, from its first end
    const int step = s.Direction[static_cast<size_t>(cell)] == 1 ? 1 : s.Columns;
    ASSERT_EQ(s.Direction[static_cast<size_t>(partner)], s.Direction[static_cast<size_t>(cell)]);
    QString word;
    for (int c = cell; c <= partner; c += step) word += s.Letters[static_cast<size_t>(c)];
    found << word;
  }
  found.sort();
  QStringList expected = words;
  expected.sort();
  EXPECT_EQ(found, expected);
}

// A sung word comes in on its own note and goes on after a short one.
TEST(DemoCompile, SungWordsComeInOnTheirNotes) {
  if (!SpeechAvailable()) GTEST_SKIP() << "espeak-ng is not installed";
  TempInstallation inst;
  QTemporaryDir src;
  const QString text =
      "sound cd\\plain.wav tune \"-:500 C5:100 -:900\"\n"
      "sound cd\\sung.wav tune \"-:500 C5:100 -:900\" words=\"- elephant -\"\n";
  CompileDemoSources(inst.Install(), {DemoSourcesWith(src, text), true});
  ClearPathCache();
  const TSoundData plain = DecodeSoundFile(inst.DataRoot() + "/plain.wav");
  const TSoundData sung = DecodeSoundFile(inst.DataRoot() + "/sung.wav");
  auto loudest = [](const TSoundData& s, int fromMs, int toMs) {
    const long end = std::min<long>(s.Rate * toMs / 1000, static_cast<long>(s.Samples.size()));
    int peak = 0;
    for (long i = s.Rate * fromMs / 1000; i < end; ++i)
      peak = std::max(peak, std::abs(static_cast<int>(s.Samples[i])));
    return peak;
  };
  EXPECT_LT(loudest(sung, 0, 490), 100);
  EXPECT_LT(loudest(plain, 0, 490), 100);
  EXPECT_LT(loudest(plain, 650, 900), 100);
  EXPECT_GT(loudest(sung, 650, 900), 2000);
}

// Both versions of a song last as long as its text, so the rows follow either.
TEST(DemoCompile, ASongAndItsBackingTrackLastAsLongAsItsText) {
  TempInstallation inst;
  QTemporaryDir src;
  CompileDemoSources(inst.Install(),
                     {DemoSourcesWith(src, "song 4 beat=400\n  line \"This is me\"\n  line \"and this is my nose\"\n"), false});
  const TSong song = LoadSongFile(SongTextPath(inst.DataRoot(), 4));
  ASSERT_EQ(song.Lines.size(), 2u);
  EXPECT_EQ(song.Lines[1].Words, QStringList({"and", "this", "is", "my", "nose"}));
  // Four beats lead in, then a beat a word and two more before the next line.
  EXPECT_EQ(song.LineEnds()[0], (4 + 3 + 2) * 400);
  const int end = song.LineEnds().back();
  for (const QString& suffix : {QString(), QStringLiteral("N")})
    EXPECT_NEAR(DecodeSoundFile(SongWavePath(inst.DataRoot(), 4, suffix)).LengthMs(), end, 50) << suffix.toStdString();
}

struct TBadDemo {
  const char* Name;
  const char* Text;
  int Line;
  const char* Says;
};

class BadDemo : public ::testing::TestWithParam<TBadDemo> {};

TEST_P(BadDemo, NamesTheSourceLine) {
  TempInstallation inst;
  QTemporaryDir src;
  const QString dir = DemoSourcesWith(src, QString::fromUtf8(GetParam().Text));
  try {
    CompileDemoSources(inst.Install(), {dir, false});
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.Message.startsWith(src.filePath("test.txt") + QStringLiteral(":%1: ").arg(GetParam().Line)))
        << e.Message.toStdString();
    EXPECT_TRUE(e.Message.contains(QString::fromUtf8(GetParam().Says))) << e.Message.toStdString();
  }
}

const TBadDemo kBadDemos[] = {
    {"UnknownCommand", "\nsculpture x\n", 2, "unknown command"},
    {"OutsideTheInstallation", "picture gfx\\a.bmp 10x10\n", 1, "program\\ or cd\\"},
    {"CropOfNothing", "picture program\\a.bmp 10x10\n  crop program\\nic.bmp 0 0\n", 2,
     "neither drawn"},
    {"TooManySprites",
     "location T.lok\n  picture t.bmp\n"
     "  sprite 0 0 4x4 strip=\\a.bmp\n  sprite 0 0 4x4 strip=\\a.bmp\n  sprite 0 0 4x4 "
     "strip=\\a.bmp\n"
     "  sprite 0 0 4x4 strip=\\a.bmp\n  sprite 0 0 4x4 strip=\\a.bmp\n  sprite 0 0 4x4 "
     "strip=\\a.bmp\n"
     "  sprite 0 0 4x4 strip=\\a.bmp\n  sprite 0 0 4x4 strip=\\a.bmp\n",
     1, "najwyżej 7"},
    {"UnknownFigure",
     "location T.lok\n  picture t.bmp\n  sprite 0 0 4x4 strip=\\a.bmp\n    figure dragon\n", 4,
     "unknown figure 'dragon'"},
    {"PathStepUnknown", "picture program\\a.bmp 10x10\n  path #000000 M 0 0 Q 1 1 2 2\n", 2,
     "no path step"},
    {"PlaceListLinesOutOfRange", "location T.lok\n  picture t.bmp\n  exercises \\l.txt lines=0\n",
     3, "lines="},
    {"UnknownEffect", "sound cd\\s.wav effect ryk\n", 1, "unknown effect 'ryk'"},
    {"ListKeyThatStartsNothing", "exercise-list program\\l.txt\n  entry XXXX= \\a.fc2\n", 2,
     "starts nothing"},
    {"WordTooLongForItsField",
     "word-exercise program\\a.fc2 picture=a.bmp\n  item X "
     "\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\" \"b\"\n",
     1, "35"},
    {"GapDialogueWithoutGap",
     "gap-dialogue program\\g.fc9\n  exchange first=\"a|b|c\" second=\"d|e|f\" answers=x\n", 1,
     "PYT"},
    {"SongLineTooLong",
     "song 1\n  line \"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21\"\n", 2,
     "1 to 20 words"},
    {"WordSearchTooSmall", "word-search program\\s.fc1 size=3x3 words=\"elephant\"\n", 1,
     "does not fit"},
    {"PhotoMissing", "picture program\\a.bmp 10x10\n  photo nic.jpg 0 0 5 5\n", 2, "nic.jpg"},
    {"RecordingMissing", "\nsound cd\\s.wav recording nic.mp3\n", 2, "Nie ma nagrania"},
    {"SungWordsAndNotesDisagree", "\n\nsound cd\\s.wav tune \"C5:100 D5:100\" words=\"a b c\"\n", 3,
     "3 words for 2 notes"},
};
INSTANTIATE_TEST_SUITE_P(Errors, BadDemo, ::testing::ValuesIn(kBadDemos),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
