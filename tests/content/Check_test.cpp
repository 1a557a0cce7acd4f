// The demo passes the check, and the check finds what breaks a copy of it,
// naming the file and line that leads there.
#include "lib/Check.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/ScreenFileList.h"
#include "exercises/CrosswordFile.h"
#include "exercises/ExerciseFiles.h"
#include "exercises/WordPairFile.h"
#include "lib/Demo.h"
#include "lib/LessonMedia.h"
#include "lib/ListFiles.h"
#include "platform/AudioDecoder.h"
#include "lib/Writers.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "support/Support.h"
#include "tools/WordList.h"
#include "world/LocationFile.h"

namespace {

// One demo for the whole program: building it is the slow part.
class DemoCheck : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    demo_ = std::make_unique<QTemporaryDir>();
    ClearPathCache();
    BuildDemo(demo_->path(), {DefaultDemoSources(), /*Speech=*/false});
  }
  static void TearDownTestSuite() { demo_.reset(); }

  static QString Program() { return demo_->path() + "/program"; }

  // A copy of the demo whose settings point at its own data root.
  static QString Copy(const QTemporaryDir& into) {
    QDirIterator it(demo_->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString from = it.next();
      const QString to = into.path() + from.mid(demo_->path().size());
      QDir().mkpath(QFileInfo(to).path());
      QFile::copy(from, to);
    }
    WriteTextLines(into.path() + "/program/tarvo.ini", {"[Tarvolin]", "cd=" + into.path() + "/cd"});
    ClearPathCache();
    return into.path() + "/program";
  }

  static QString Report(const TInstallationCheck& c) {
    QString out;
    for (const TProblem& p : c.Problems()) out += p.Text() + '\n';
    return out;
  }

  static std::unique_ptr<QTemporaryDir> demo_;
};
std::unique_ptr<QTemporaryDir> DemoCheck::demo_;

TEST_F(DemoCheck, TheDemoHasNoErrors) {
  ClearPathCache();
  TInstallationCheck check(Program());
  check.Run();
  EXPECT_EQ(check.Errors(), 0) << Report(check).toStdString();
  EXPECT_GE(check.PlacesVisited().size(), 3);
  EXPECT_GE(check.ListsChecked(), 3);
}

// Every file a screen declares is in the demo, pictures and strips at their
// least sizes (the check only warns of a missing sound or a small picture).
TEST_F(DemoCheck, HoldsEveryFileTheScreensDeclare) {
  ClearPathCache();
  for (const TScreenFileSet& set : AllScreenFiles) {
    for (const TScreenFile& f : set.Files) {
      SCOPED_TRACE(f.Path);
      const QString path = f.In(Program(), demo_->path() + "/cd");
      ASSERT_TRUE(FileExists(path));
      if (f.Kind != TScreenFile::Picture && f.Kind != TScreenFile::Strip) continue;
      const QSize size = LoadPicture(path).size();
      EXPECT_GE(size.width(), f.NeededWidth());
      EXPECT_GE(size.height(), f.NeededHeight());
    }
  }
}

struct TBreak {
  const char* Name;
  // Breaks the copy at `program` and returns the problem the check must report.
  std::function<QString(const QString& program, const QString& dataRoot)> Apply;
};

class BrokenDemo : public DemoCheck, public ::testing::WithParamInterface<TBreak> {};

TEST_P(BrokenDemo, IsFoundWithFileAndLine) {
  QTemporaryDir copy;
  const QString program = Copy(copy);
  const QString expected = GetParam().Apply(program, copy.path() + "/cd");
  ClearPathCache();
  TInstallationCheck check(program);
  check.Run();
  EXPECT_GT(check.Errors(), 0);
  const QString report = Report(check);
  EXPECT_TRUE(report.contains(expected)) << "expected: " << expected.toStdString() << "\nreport:\n" << report.toStdString();
}

QString StartLok(const QString& program) { return ResolvePath(program + "/lokacje/Start.lok"); }

const TBreak kBreaks[] = {
    {"MissingPlacePicture",
     [](const QString& program, const QString& cd) {
       const TLocation start = ReadLocationFile(StartLok(program));
       QFile::remove(ResolvePath(cd + "/lokacje/" + start.Picture));
       return StartLok(program) + ":1: place picture not found";
     }},
    {"CountAboveItsTable",
     [](const QString& program, const QString&) {
       QStringList lines = SplitLines(ReadWholeFile(StartLok(program)));
       lines[1] = lines[1].left(12) + "11";  // walk spots: the screen has ten
       WriteTextLines(StartLok(program), lines);
       return StartLok(program) + ":2: za dużo: 11 przejść, najwyżej 10";
     }},
    {"ListEntryPointingNowhere",
     [](const QString& program, const QString&) {
       const TLocation start = ReadLocationFile(StartLok(program));
       const QString list = ResolvePath(program + start.ExerciseListFile);
       QStringList lines = SplitLines(ReadWholeFile(list));
       lines[2] = "DDRO=\\town\\nowhere.fc2";
       WriteTextLines(list, lines);
       return list + ":3: entry DDRO=\\town\\nowhere.fc2 points nowhere";
     }},
    {"PlaceReachedOnlyByAWalk",
     [](const QString& program, const QString&) {
       const TLocation start = ReadLocationFile(StartLok(program));
       const QString target = ResolvePath(program + "/lokacje/" + start.WalkSpots.at(0).Target);
       QFile::remove(target);
       return StartLok(program) + ":11: place \"" + start.WalkSpots.at(0).Target + "\" not found";
     }},
    {"SongWithoutItsBackingTrack",
     [](const QString&, const QString& cd) {
       const QString wave = ResolvePath(cd + "/music/songs/song_2N.wav");
       QFile::remove(wave);
       return wave + ": song 2 (Colours) without the voice not found";
     }},
    {"BrokenButtonStrip",
     [](const QString& program, const QString&) {
       const QString strip = ResolvePath(program + "/buttons/_left.bmp");
       WriteSolidBmp(strip, 65, 33, Qt::red);
       return strip + ": width 65 does not divide into 2 frames";
     }},
    {"MissingMenuVideo",
     [](const QString&, const QString& cd) {
       const QString clip = ResolvePath(cd + "/gfx/avi/Piesek.avi");
       QFile::remove(clip);
       return clip + ": video of the start menu (dog video) not found";
     }},
    {"MissingCreatureStrip",
     [](const QString&, const QString& cd) {
       const QString strip = ResolvePath(cd + "/gfx/anim/A_jez.bmp");
       QFile::remove(strip);
       return strip + ": strip of the alphabet board's Animated1 not found";
     }},
    {"LilyPadsWithFivePairs",
     [](const QString& program, const QString&) {
       const QString pairs = ResolvePath(program + "/cwicz/town/lilie.txt");
       QStringList lines = SplitLines(ReadWholeFile(pairs));
       WriteTextLines(pairs, lines.mid(0, 5));
       return pairs + QString::fromUtf8(": 5 par słów");
     }},
    {"MissingPondStrip",
     [](const QString& program, const QString& cd) {
       QFile::remove(ResolvePath(cd + "/gfx/anim/Szczek.bmp"));
       const QString list = ResolvePath(program + "/cwicz/culture/lista.txt");
       const int line = static_cast<int>(SplitLines(ReadWholeFile(list)).indexOf(QRegularExpression("^MOST=.*"))) + 1;
       return QStringLiteral("%1:%2: listening choice picture (the barking dog) not found").arg(list).arg(line);
     }},
};
INSTANTIATE_TEST_SUITE_P(Breaks, BrokenDemo, ::testing::ValuesIn(kBreaks),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DemoCheck, TheDictionarySpeaksEveryWordAndAMissingWordIsAWarning) {
  ClearPathCache();
  const TWordList list = ReadWordListFile(Program() + "/Sb_all_NEW.txt");
  EXPECT_GE(list.Entries.size(), 150u);
  TInstallationCheck demo(Program());
  demo.Run();
  EXPECT_FALSE(Report(demo).contains("Sb_all_NEW.txt")) << Report(demo).toStdString();

  QTemporaryDir copy;
  const QString program = Copy(copy);
  const int sound = list.Entries.at(4).Sound;
  ASSERT_TRUE(QFile::remove(ResolvePath(copy.path() + QStringLiteral("/cd/words/D_%1.cdr/%2.wav")
                                                        .arg(sound / 200 + 1, 2, 10, QChar('0'))
                                                        .arg(sound, 5, 10, QChar('0')))));
  TInstallationCheck check(program);
  check.Run();
  EXPECT_EQ(check.Errors(), 0);
  const QString expected = ResolvePath(program + "/Sb_all_NEW.txt") + ":5: warning: spoken word of";
  EXPECT_TRUE(Report(check).contains(expected)) << Report(check).toStdString();
}

// The teachers' guide's worked example, built into a copy of the demo as the
// guide says, passes the check and plays its own words.
TEST_F(DemoCheck, TheTeachersGuideExampleBuildsIntoTheDemoCleanly) {
  QTemporaryDir copy;
  const QString program = Copy(copy);
  const QString example = TARVOLIN_SOURCE_DIR "/docs/lekcje/przyklad";
  const ToolRun r = RunTool({"build", example, "--into", program, "--no-speech"});
  ASSERT_EQ(r.Code, 0) << r.Err.toStdString();
  ClearPathCache();
  TInstallationCheck demo(Program()), withLesson(program);
  demo.Run();
  withLesson.Run();
  EXPECT_EQ(withLesson.Errors(), 0) << Report(withLesson).toStdString();
  EXPECT_EQ(withLesson.Warnings(), demo.Warnings()) << Report(withLesson).toStdString();

  // The town leads to the lesson's place, which opens its list.
  const TLocation town = ReadLocationFile(program + "/lokacje/Start.lok");
  ASSERT_FALSE(town.WalkSpots.empty());
  const QString place = town.WalkSpots.back().Target;
  const QStringList visited = withLesson.PlacesVisited();
  EXPECT_TRUE(std::any_of(visited.begin(), visited.end(), [&](const QString& p) { return p.endsWith(place); }))
      << place.toStdString() << " in " << visited.join(", ").toStdString();
  const TLocation lesson = ReadLocationFile(program + "/lokacje/" + place);
  EXPECT_EQ(lesson.BackLink, "Start.lok");
  const TListFile list = ReadListFileAt(program + lesson.ExerciseListFile, TListKind::Exercises);

  const QStringList english = {"a kettle", "a cup", "an apple", "a spoon", "a plate", "bread"};
  const QStringList polish = {"czajnik", "kubek", "jabłko", "łyżka", "talerz", "chleb"};
  QStringList grid;  // as the word search and the crossword take them
  for (const QString& e : english) grid << e.section(' ', -1).toUpper();
  QSet<QString> kinds;
  for (const TListFileEntry& e : list.Entries) {
    SCOPED_TRACE(e.Key.toStdString() + " " + e.File.toStdString());
    kinds.insert(e.Key);
    const QString file = program + "/cwicz" + e.File;
    if (e.Key == "PKRZ=") {
      const TWordSearch s = ReadWordSearch(ReadWholeFile(file, TFileKind::Record), file);
      QStringList found;
      for (int cell = 0; cell < s.Columns * s.Rows; ++cell) {
        const int partner = s.Partner[static_cast<size_t>(cell)] - 1;
        if (partner <= cell) continue;
        const int step = s.Direction[static_cast<size_t>(cell)] == 1 ? 1 : s.Columns;
        QString word;
        for (int c = cell; c <= partner; c += step) word += s.Letters[static_cast<size_t>(c)];
        found << word;
      }
      EXPECT_EQ(QSet<QString>(found.begin(), found.end()), QSet<QString>(grid.begin(), grid.end()));
    } else if (e.Key == "KRZY=") {
      const TCrossword c = ReadCrossword(ReadWholeFile(file, TFileKind::Record), file);
      for (int i = 0; i < c.WordCount; ++i) {
        const auto at = grid.indexOf(c.Answers[static_cast<size_t>(i)]);
        ASSERT_GE(at, 0) << c.Answers[static_cast<size_t>(i)].toStdString();
        EXPECT_EQ(c.Clues[static_cast<size_t>(i)], polish[at]);
      }
      EXPECT_EQ(c.WordCount, english.size());
    } else if (e.Key == "LILI=") {
      const TWordPairs pairs = ReadWordPairs(ReadWholeFile(file));
      ASSERT_EQ(pairs.Pairs.size(), static_cast<size_t>(english.size()));
      for (qsizetype i = 0; i < english.size(); ++i)
        EXPECT_EQ(pairs.Pairs[static_cast<size_t>(i)], (TWordPair{english[i], polish[i]}));
    } else {
      const TWordExercise w = ReadWordExercise(ReadWholeFile(file, TFileKind::Record), file);
      ASSERT_EQ(w.ItemCount, english.size());
      for (int i = 0; i < w.ItemCount; ++i) {
        EXPECT_EQ(w.Words[static_cast<size_t>(i)], english[i]);
        EXPECT_EQ(w.Translations[static_cast<size_t>(i)], polish[i]);
      }
      // The spoon speaks with the teacher's recording, made as every word sound is.
      const TSoundData spoon = DecodeSoundFile(WordSoundPath(copy.path() + "/cd", w.SoundNumbers[3]));
      EXPECT_EQ(spoon.Samples, ReadRecording(example + "/spoon.mp3").Samples);
    }
  }
  EXPECT_EQ(kinds, (QSet<QString>{"PREZ=", "DDRO=", "WRYS=", "ULIT=", "PKRZ=", "KRZY=", "LILI="}));
  // Every word is in the dictionary with its translation (the dictionary drops the article).
  const TWordList words = ReadWordListFile(program + "/Sb_all_NEW.txt");
  for (qsizetype i = 0; i < english.size(); ++i)
    EXPECT_TRUE(std::any_of(words.Entries.begin(), words.Entries.end(), [&](const TWordEntry& w) {
      return w.English == english[i].section(' ', -1) && w.Polish == polish[i];
    })) << english[i].toStdString();
}

TEST(Check, NoDataRootStopsAtTheSettingsFile) {
  QTemporaryDir dir;
  ClearPathCache();
  WriteTextLines(dir.path() + "/tarvo.ini", {"[Tarvolin]", "cd=" + dir.path() + "/nowhere"});
  TInstallationCheck check(dir.path());
  check.Run();
  ASSERT_EQ(check.Errors(), 1);
  EXPECT_TRUE(check.Problems()[0].Text().startsWith(dir.path() + "/tarvo.ini:2: data root"))
      << check.Problems()[0].Text().toStdString();
}

TEST(Check, MissingSoundsAreWarningsOnly) {
  TempInstallation inst;
  TLocation start;
  start.Picture = "p.bmp";
  start.BackLink = "NONE";
  start.SoundSpots = {{0, 0, 10, 10, "nie_ma_takiego"}};
  start.WaveEvents = {"tego_tez_nie"};
  SaveLocationFile(inst.ProgramDir() + "/lokacje/Start.lok", start);
  WriteSolidBmp(inst.DataRoot() + "/lokacje/p.bmp", 570, 433, Qt::green);
  ClearPathCache();
  TInstallationCheck check(inst.ProgramDir());
  check.Run();
  int placeWarnings = 0;
  for (const TProblem& p : check.Problems()) {
    if (!p.File.endsWith("Start.lok")) continue;
    EXPECT_FALSE(p.Error) << p.Text().toStdString();
    ++placeWarnings;
  }
  EXPECT_EQ(placeWarnings, 2);
}

TEST(Check, WarnsOfAPlaceNoWayLeadsTo) {
  TempInstallation inst;
  TLocation lost;
  lost.Picture = "p.bmp";
  lost.BackLink = "NONE";
  SaveLocationFile(inst.ProgramDir() + "/lokacje/Zgubione.lok", lost);
  ClearPathCache();
  TInstallationCheck check(inst.ProgramDir());
  check.Run();
  const auto& problems = check.Problems();
  const auto it = std::find_if(problems.begin(), problems.end(), [](const TProblem& p) { return p.File.endsWith("/Zgubione.lok"); });
  ASSERT_NE(it, problems.end());
  EXPECT_FALSE(it->Error);
  EXPECT_TRUE(it->Message.contains("Start.lok"));
}

// What a screen declares it opens: a picture or strip smaller than the screen
// shows it warns with both sizes, a missing picture or video is an error, a
// missing sound a warning; each at the line that led there, or without one at
// the file itself.
TEST(Check, ScreenFilesAreNeededAtTheirSizes) {
  TempInstallation inst;
  using F = TScreenFile;
  const F files[] = {
      {F::Program, F::Strip, "\\gfx\\low.bmp", "low strip", 4, 10, 8},
      {F::Data, F::Strip, "\\gfx\\narrow.bmp", "narrow strip", 4, 10, 8},
      {F::Data, F::Strip, "\\gfx\\whole.bmp", "whole strip", 4, 10, 8},
      {F::Program, F::Picture, "\\gfx\\small.bmp", "small picture", 0, 30, 20},
      {F::Program, F::Picture, "\\gfx\\gone.bmp", "gone picture"},
      {F::Data, F::Sound, "\\music\\gone.wav", "gone sound"},
      {F::Data, F::Video, "\\gfx\\avi\\gone.avi", "gone video"},
  };
  WriteSolidBmp(inst.ProgramDir() + "/gfx/low.bmp", 40, 7, Qt::red);
  WriteSolidBmp(inst.DataRoot() + "/gfx/narrow.bmp", 39, 8, Qt::red);
  WriteSolidBmp(inst.DataRoot() + "/gfx/whole.bmp", 40, 8, Qt::red);
  WriteSolidBmp(inst.ProgramDir() + "/gfx/small.bmp", 30, 19, Qt::red);
  ClearPathCache();
  TInstallationCheck check(inst.ProgramDir(), inst.DataRoot());
  check.NeedScreenFiles(files, {QStringLiteral("lista.txt"), 3});
  check.NeedScreenFiles(std::span(files).subspan(3, 2));
  QStringList texts;
  for (const TProblem& p : check.Problems()) texts << p.Text();
  const QString low = ResolvePath(inst.ProgramDir() + "/gfx/low.bmp"),
                narrow = ResolvePath(inst.DataRoot() + "/gfx/narrow.bmp"),
                small = ResolvePath(inst.ProgramDir() + "/gfx/small.bmp"),
                gone = inst.ProgramDir() + "/gfx/gone.bmp";
  EXPECT_EQ(texts,
            QStringList({
                "lista.txt:3: warning: low strip " + low +
                    " is 40 x 7, its 4 frames of 10 x 8 need 40 x 8: the rest shows black",
                "lista.txt:3: warning: narrow strip " + narrow +
                    " is 39 x 8, its 4 frames of 10 x 8 need 40 x 8: the rest shows black",
                "lista.txt:3: warning: small picture " + small +
                    " is 30 x 19, the screen shows it at 30 x 20: the rest shows black",
                "lista.txt:3: gone picture not found: " + inst.ProgramDir() + "/gfx/gone.bmp",
                "lista.txt:3: warning: gone sound not found (the game plays nothing): " +
                    inst.DataRoot() + "/music/gone.wav",
                "lista.txt:3: gone video not found: " + inst.DataRoot() + "/gfx/avi/gone.avi",
                small + ": warning: small picture " + small +
                    " is 30 x 19, the screen shows it at 30 x 20: the rest shows black",
                gone + ": gone picture not found: " + gone,
            }))
      << texts.join('\n').toStdString();
}

}  // namespace
