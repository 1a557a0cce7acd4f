#include "world/LocationFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <set>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/Timers.h"
#include "support/Support.h"

namespace {

// A header with the given counts; labels are filler of the right lengths.
QStringList Header(const QString& picture, int walks, int sounds, int exLists, int dlgLists,
                   int sprites, int exSpots, int waves, int anis, const QString& back) {
  return {"Picture=" + picture,       "Walk spots =" + QString::number(walks),
          "Sound spots=" + QString::number(sounds), "Exercise lists  =" + QString::number(exLists),
          "Dialog lists =" + QString::number(dlgLists), "Sprites  =" + QString::number(sprites),
          "ExSpots  =" + QString::number(exSpots),  "Waves =" + QString::number(waves),
          "Videos   =" + QString::number(anis),     "Back=" + back};
}

TLocation FullPlace() {
  TLocation loc;
  loc.Picture = "rynek.bmp";
  loc.BackLink = "Start.lok";
  loc.WalkSpots = {{10, 20, 110, 220, "Sklep.lok", "drzwi"}, {0, 0, 5, 5, "Park.lok", "0"}};
  loc.SoundSpots = {{300, 40, 350, 90, "ptak"}};
  loc.ExerciseListLines = 2;
  loc.ExerciseListFile = "\\cwicz\\town\\lista.txt";
  loc.DialogueListLines = 1;
  loc.DialogueListFile = "\\cwicz\\town\\dial.txt";
  loc.Sprites = {{150, 40, 50, 60, 80, 4, "\\lokacje\\kot.bmp", 1, "miau", 1},
                 {90, 200, 10, 32, 32, 6, "\\lokacje\\ptak.bmp", 2, "-", 0}};
  loc.ExerciseSpots = {{400, 300, 450, 350, "\\cwicz\\town\\spot.txt"}};
  loc.WaveEvents = {"wiatr", "dzwon"};
  loc.AniEvents = {{100, 200, 97, 169, 0, "\\lokacje\\auto.avi", "silnik"}};
  return loc;
}

// Two places are the same when they write the same bytes (every field is written).
void ExpectSame(const TLocation& a, const TLocation& b) { EXPECT_EQ(WriteLocation(a), WriteLocation(b)); }

TEST(LocationFile, WrittenFileReadsBackFromDisk) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/lokacje/Rynek.lok";
  QDir().mkpath(dir.path() + "/lokacje");
  ClearPathCache();  // the directories were made behind the resolver's back
  SaveLocationFile(path, FullPlace());
  // Names are found without regard to case, as the data spells them.
  const TLocation back = ReadLocationFile(dir.path() + "\\LOKACJE\\rynek.LOK");
  ExpectSame(FullPlace(), back);
  EXPECT_EQ(back.Sprites[1].Strip, "\\lokacje\\ptak.bmp");
  EXPECT_EQ(back.AniEvents[0].Height, 97);
}

TEST(LocationFile, PolishNamesSurviveWindows1250) {
  TLocation loc;
  loc.Picture = "łąka.bmp";
  loc.BackLink = "Źródło.lok";
  loc.WaveEvents = {"świerszcz"};
  const QByteArray bytes = WriteLocation(loc);
  EXPECT_TRUE(bytes.contains("\xb3\xb9ka.bmp\r\n"));  // ł ą in Windows-1250
  const TLocation back = ReadLocation(bytes, "x.lok");
  EXPECT_EQ(back.Picture, loc.Picture);
  EXPECT_EQ(back.BackLink, loc.BackLink);
  EXPECT_EQ(back.WaveEvents, loc.WaveEvents);
}

TEST(LocationFile, WriterRefusesTextsThatWouldReadBackDifferently) {
  const auto refused = [](auto change) {
    TLocation loc = FullPlace();
    change(loc);
    EXPECT_THROW(WriteLocation(loc), EFormatError);
  };
  refused([](TLocation& l) { l.WalkSpots[0].Sound = ""; });
  refused([](TLocation& l) { l.SoundSpots[0].Sound = "a,b"; });
  refused([](TLocation& l) { l.Sprites[1].Strip = "x\ny"; });
  refused([](TLocation& l) { l.BackLink = "Start.lok\r\nNONE"; });
  refused([](TLocation& l) { l.WaveEvents[0] = "a\rb"; });
}

TEST(LocationFile, CommaFields) {
  struct Case {
    QString line;
    int count;
    QStringList fields;
  } cases[] = {
      {"12,34,", 2, {"12", "34"}},
      {"1,2,3,4,Cel.lok,0,", 6, {"1", "2", "3", "4", "Cel.lok", "0"}},
      {"1,2,3,4,Cel.lok,krok", 6, {"1", "2", "3", "4", "Cel.lok", ""}},  // final comma missing
      {"1,2,3", 5, {"1", "2", "", "", ""}},  // every field after a missing comma is empty
      {"a,b,c,rest of the line", 2, {"a", "b"}},
      {"a,b,tail without comma", 2, {"a", "b"}},
      // The search for a field's comma starts one character in, so an empty
      // field swallows the next one.
      {"1,,3,", 3, {"1", ",3", ""}},
      {",x,", 2, {"", "x"}},
      {"", 3, {"", "", ""}},
      {"bez przecinka", 1, {""}},
      {"ąę,żółw,", 2, {"ąę", "żółw"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadCommaFields(c.line, c.count), c.fields) << c.line.toStdString();
}

TEST(LocationFile, RecordsFromHandWrittenLines) {
  QStringList lines = Header("tlo.bmp", 1, 1, 3, 0, 1, 1, 1, 1, "NONE");
  lines << "W1 = 5,6,7,8,Dom.lok,0,komentarz"
        << "S1 = 1,2,3,4,kot"  // no final comma: the sound reads empty
        << "E1 = \\pierwsza.txt"
        << "E2 = \\druga.txt"
        << "E3 = \\trzecia.txt"
        << "A1 = 100,1,2,30,40,3,\\strip.bmp,2,dzwiek,0,"
        << "ES1 = 0,0,10,10,\\spot.txt,"
        << "S=wiatr z odstępem "
        << "V=-5,180,97,169,0,\\film.avi,szum,";
  const TLocation loc = ReadLocation(TextBytes(lines), "reka.lok");
  EXPECT_EQ(loc.Picture, "tlo.bmp");
  EXPECT_EQ(loc.BackLink, "NONE");
  EXPECT_EQ(loc.WalkSpots[0].Target, "Dom.lok");
  EXPECT_EQ(loc.WalkSpots[0].Sound, "0");
  EXPECT_EQ(loc.SoundSpots[0].Sound, "");
  EXPECT_EQ(loc.ExerciseListLines, 3);
  EXPECT_EQ(loc.ExerciseListFile, "\\trzecia.txt");
  EXPECT_EQ(loc.DialogueListLines, 0);
  EXPECT_EQ(loc.DialogueListFile, "");
  EXPECT_EQ(loc.Sprites[0].Strip, "\\strip.bmp");
  EXPECT_EQ(loc.Sprites[0].Action, 2);
  EXPECT_EQ(loc.Sprites[0].Still, 0);
  EXPECT_EQ(loc.ExerciseSpots[0].ListFile, "\\spot.txt");
  EXPECT_EQ(loc.WaveEvents, QStringList{"wiatr z odstępem "});  // names are not trimmed
  EXPECT_EQ(loc.AniEvents[0].Left, -5);
  EXPECT_EQ(loc.AniEvents[0].Sound, "szum");
}

TEST(LocationFile, LineShorterThanItsLabelReadsEmpty) {
  QStringList lines = Header("x", 0, 0, 0, 0, 0, 0, 1, 0, "NONE");
  lines[0] = "Pic";
  lines << "S";
  const TLocation loc = ReadLocation(TextBytes(lines), "k.lok");
  EXPECT_EQ(loc.Picture, "");
  EXPECT_EQ(loc.WaveEvents, QStringList{""});
}

TEST(LocationFile, ListCountsRunningPastTheEndReadEmptyWithoutLooping) {
  // Past the end every line reads empty; a huge count must not loop over them.
  QStringList lines = Header("x", 0, 0, 2000000000, 0, 0, 0, 0, 0, "NONE");
  lines << "E1 = \\lista.txt";
  const TLocation loc = ReadLocation(TextBytes(lines), "k.lok");
  EXPECT_EQ(loc.ExerciseListLines, 2000000000);
  EXPECT_EQ(loc.ExerciseListFile, "");
}

TEST(LocationFile, BadFilesAreRefusedNamingFileLineAndLimit) {
  struct Case {
    const char* what;
    QStringList lines;
    int line;
    QString inMessage;
  };
  const auto header = [](int w, int s, int sp, int es, int wv, int an) {
    return Header("x", w, s, 0, 0, sp, es, wv, an, "NONE");
  };
  const QString spot = "W1 = 1,2,3,4,a,b,";
  std::vector<Case> cases = {
      {"walk spots", header(11, 0, 0, 0, 0, 0), 2, "10"},
      {"sound spots", header(0, 11, 0, 0, 0, 0), 3, "10"},
      {"sprites", header(0, 0, 8, 0, 0, 0), 6, "7"},
      {"exercise spots", header(0, 0, 0, 21, 0, 0), 7, "20"},
      {"idle sounds", header(0, 0, 0, 0, 17, 0), 8, "16"},
      {"idle videos", header(0, 0, 0, 0, 0, 17), 9, "16"},
      {"negative count", header(-1, 0, 0, 0, 0, 0), 2, "-1"},
      {"count with text", Header("x", 0, 0, 0, 0, 0, 0, 0, 0, "NONE"), 3, "1x"},
      {"coordinate", header(2, 0, 0, 0, 0, 0) << spot << "W2 = 1,2,3x,4,a,b,", 12, "3x"},
      {"frames", header(0, 0, 1, 0, 0, 0) << "A1 = 100,1,2,30,40,0,s.bmp,0,d,0,", 11, "0"},
      {"empty file", {}, 2, "''"},
  };
  cases[7].lines[2] = "Sound spots=1x";
  for (const auto& c : cases) {
    try {
      ReadLocation(TextBytes(c.lines), "/gra/lokacje/Zla.lok");
      ADD_FAILURE() << c.what << ": no error";
    } catch (const Exception& e) {
      const QString expectedStart = QString("/gra/lokacje/Zla.lok:%1:").arg(c.line);
      EXPECT_TRUE(e.Message.startsWith(expectedStart)) << c.what << ": " << e.what();
      EXPECT_TRUE(e.Message.contains(c.inMessage)) << c.what << ": " << e.what();
    }
  }
}

TEST(LocationFile, MissingFileIsAnInOutErrorNamingIt) {
  QTemporaryDir dir;
  try {
    ReadLocationFile(dir.path() + "/Brak.lok");
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message.contains("Brak.lok")) << e.what();
  }
}

QString Kinds(const TEventSchedule& s) {
  QString out;
  for (const auto& slot : s) out += QString::number(static_cast<int>(slot.Kind));
  return out;
}

TEST(EventSchedule, TwoVideosAlternateInAllSlots) {
  TEventSchedule s{};
  BuildEventSchedule(s, 2, 0);
  for (int i = 0; i < ScheduleSlots; ++i) {
    EXPECT_EQ(s[i].Kind, TEventKind::Video);
    EXPECT_EQ(s[i].Index, i % 2 + 1);
  }
}

TEST(EventSchedule, ThreeSoundsFillEverySlotAtRandom) {
  std::set<int> seen;
  for (std::uint32_t seed = 1; seed <= 5; ++seed) {
    SetRandSeed(seed);
    TEventSchedule s{};
    BuildEventSchedule(s, 0, 3);
    for (const auto& slot : s) {
      EXPECT_EQ(slot.Kind, TEventKind::Sound);
      EXPECT_GE(slot.Index, 1);
      EXPECT_LE(slot.Index, 3);
      seen.insert(slot.Index);
    }
  }
  EXPECT_EQ(seen.size(), 3u);
}

TEST(EventSchedule, OneOfEachPutsOneSoundInEachBlockOfFour) {
  std::set<int> positions;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SetRandSeed(seed);
    TEventSchedule s{};
    BuildEventSchedule(s, 1, 1);
    for (int block : {0, 4, 8, 12}) {
      int sounds = 0;
      for (int i = block; i < block + 4; ++i) {
        if (s[i].Kind == TEventKind::Sound) {
          ++sounds;
          positions.insert(i - block);
        } else {
          EXPECT_EQ(s[i].Kind, TEventKind::Video);
        }
        EXPECT_EQ(s[i].Index, 1);
      }
      EXPECT_EQ(sounds, 1) << Kinds(s).toStdString();
    }
    EXPECT_EQ(Kinds(s).right(2), "22");
  }
  EXPECT_EQ(positions.size(), 4u);  // every place in a block gets its turn
}

TEST(EventSchedule, NoEventsKeepThePreviousSlots) {
  TEventSchedule s{};
  BuildEventSchedule(s, 2, 0);
  BuildEventSchedule(s, 0, 0);
  EXPECT_EQ(Kinds(s), QString(18, '2'));
  EXPECT_EQ(s[1].Index, 2);
}

}  // namespace
