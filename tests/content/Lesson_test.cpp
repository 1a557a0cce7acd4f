// A teacher's lesson folder added to an installation: what it writes reads
// back through the game's readers, building it again and taking it out
// leave the installation exactly as it was, and a bad lesson names its line
// and changes nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <map>

#include "exercises/CrosswordFile.h"
#include "exercises/ExerciseFiles.h"
#include "exercises/WordPairFile.h"
#include "lib/Check.h"
#include "lib/LessonInstall.h"
#include "lib/ListFiles.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "support/Support.h"
#include "tools/WordList.h"
#include "world/LocationFile.h"

namespace {

const char kKitchen[] =
    "# the kitchen\n"
    "a kettle = czajnik\n"
    "a cup = kubek | ☕\n"
    "\n"
    "a spoon = łyżka | 🥄\n"
    "a fork = widelec | 🍴\n"
    "bread = chleb | 🍞\n"
    "milk = mleko | 🥛\n"
    "an egg = jajko | 🥚\n"
    "cheese = ser | 🧀\n"
    "a teapot = dzbanek | 🫖\n";

QString WriteLesson(const QTemporaryDir& dir, const QString& name, const QByteArray& words,
                    const QByteArray& lesson = {}) {
  const QString folder = dir.filePath(name);
  QDir().mkpath(folder);
  WriteFileAtomic(folder + "/words.txt", words);
  QFile::remove(folder + "/lekcja.txt");
  if (!lesson.isEmpty()) WriteFileAtomic(folder + "/lekcja.txt", lesson);
  return folder;
}

// The kitchen's kettle is a photo, found by its name without the article.
QString WriteKitchen(const QTemporaryDir& dir, const QByteArray& lesson = {}) {
  const QString folder = WriteLesson(dir, "Kuchnia", kKitchen, lesson);
  QImage photo(300, 200, QImage::Format_RGB32);
  photo.fill(QColor(200, 0, 0));
  photo.save(folder + "/Kettle.png");
  return folder;
}

// The real path of a place's picture.
QString Location(const TempInstallation& inst, const QString& place) {
  const TLocation loc = ReadLocationFile(inst.ProgramDir() + "/lokacje/" + place);
  return ResolvePath(inst.DataRoot() + "/lokacje/" + loc.Picture);
}

// Every file with its bytes and every folder, by path under `root`.
std::map<QString, QByteArray> Snapshot(const QString& root) {
  std::map<QString, QByteArray> tree;
  QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    tree[path.mid(root.size())] =
        it.fileInfo().isDir() ? QByteArray("<folder>") : ReadWholeFile(path, TFileKind::Sound);
  }
  return tree;
}

QStringList Differences(const std::map<QString, QByteArray>& now,
                        const std::map<QString, QByteArray>& then) {
  QStringList d;
  for (const auto& [path, bytes] : now)
    if (!then.count(path) || then.at(path) != bytes) d << path;
  for (const auto& [path, bytes] : then)
    if (!now.count(path)) d << path + " (gone)";
  return d;
}

TEST(Lesson, BuildingAgainAndRemovingLeaveTheInstallationAsItWas) {
  TempInstallation inst;
  QTemporaryDir lessons;
  // A word sound the installation holds past a gap in its numbers: the
  // lesson's come after it, the gap stays, nothing is written over.
  int free = 1;
  while (FileExists(WordSoundPath(inst.DataRoot(), free))) ++free;
  const QString foreign = ResolvePath(WordSoundPath(inst.DataRoot(), free + 5));
  MakeParentDirs(foreign);
  WriteFileAtomic(foreign, "not the lesson's");
  ClearPathCache();
  const auto before = Snapshot(inst.Root());

  const QString kitchen = WriteKitchen(lessons);
  // Both lessons list milk: the dictionary has one entry for it while either is there.
  const QString farm = WriteLesson(
      lessons, "Zwierzęta", "a cow = krowa | 🐄\na pig = świnia | 🐖\nmilk = mleczko | 🥛\n",
      "from Start.lok at=10,10,60,60\n");
  const auto milk = [&] {
    ClearPathCache();
    for (const TWordEntry& e : ReadWordListFile(inst.ProgramDir() + "/Sb_all_NEW.txt").Entries)
      if (e.English == "milk")
        return e.Polish + (FileExists(WordSoundPath(inst.DataRoot(), e.Sound)) ? "" : " (silent)");
    return QString("(gone)");
  };
  AddLesson(inst.Install(), kitchen, false);
  EXPECT_EQ(ReadWholeFile(foreign), "not the lesson's");
  // The way in is signed on the town's picture.
  const QString square = Location(inst, "Start.lok");
  EXPECT_NE(ReadWholeFile(square, TFileKind::Picture), before.at(square.mid(inst.Root().size())));
  const QString f1 = inst.ProgramDir() + "/cwicz/lekcje/kuchnia/slowa1.fc2";
  EXPECT_EQ(ReadWordExercise(ReadWholeFile(f1), f1).SoundNumbers[0], free + 6);
  AddLesson(inst.Install(), kitchen, false);
  AddLesson(inst.Install(), farm, false);
  const TLocation town = ReadLocationFile(inst.ProgramDir() + "/lokacje/Start.lok");
  ASSERT_GE(town.WalkSpots.size(), 2u);
  EXPECT_EQ(town.WalkSpots[town.WalkSpots.size() - 2].Target, "Lekcja_kuchnia.lok");
  EXPECT_EQ(town.WalkSpots.back().Target, "Lekcja_zwierzeta.lok");

  EXPECT_EQ(milk(), "mleko");

  // Fewer words: the second group's files go, the first lesson's way stays one.
  WriteFileAtomic(kitchen + "/words.txt",
                  "a kettle = czajnik | 🫖\na cup = kubek | ☕\nmilk = mleko | 🥛\n");
  AddLesson(inst.Install(), kitchen, false);
  ClearPathCache();
  EXPECT_FALSE(FileExists(inst.ProgramDir() + "/cwicz/lekcje/kuchnia/slowa2.fc2"));
  EXPECT_TRUE(FileExists(inst.ProgramDir() + "/cwicz/lekcje/kuchnia/slowa1.fc2"));
  EXPECT_EQ(ReadLocationFile(inst.ProgramDir() + "/lokacje/Start.lok").WalkSpots.size(),
            town.WalkSpots.size());

  EXPECT_EQ(milk(), "mleko");

  // Taken out in the order they came: each undoes its own lines only, and
  // the shared word goes on with the farm's entry and sound.
  RemoveLesson(inst.Install(), kitchen);
  EXPECT_EQ(milk(), "mleczko");
  RemoveLesson(inst.Install(), farm);
  EXPECT_EQ(Differences(Snapshot(inst.Root()), before), QStringList());
  EXPECT_THROW(RemoveLesson(inst.Install(), kitchen), Exception);
}

TEST(Lesson, ItsExercisesReadBackWithItsWords) {
  TempInstallation inst;
  QTemporaryDir lessons;
  const QString dir = WriteKitchen(lessons, "title \"W kuchni\"\n");
  const TLessonResult r = AddLesson(inst.Install(), dir, false);
  EXPECT_EQ(r.Words, 9);
  ClearPathCache();
  const QString p = inst.ProgramDir();

  const TLocation place = ReadLocationFile(p + "/lokacje/Lekcja_kuchnia.lok");
  EXPECT_EQ(place.BackLink, "Start.lok");
  EXPECT_EQ(place.ExerciseListFile, "\\cwicz\\lekcje\\kuchnia\\lista.txt");

  QStringList keys;
  for (const TListFileEntry& e :
       ReadListFileAt(p + "/cwicz/lekcje/kuchnia/lista.txt", TListKind::Exercises).Entries)
    keys << e.Key + e.File;
  EXPECT_EQ(
      keys.join(' '),
      (QStringList{"PREZ=\\lekcje\\kuchnia\\slowa1.fc2", "DDRO=\\lekcje\\kuchnia\\slowa1.fc2",
                   "WRYS=\\lekcje\\kuchnia\\slowa1.fc2", "ULIT=\\lekcje\\kuchnia\\slowa1.fc2",
                   "PREZ=\\lekcje\\kuchnia\\slowa2.fc2", "DDRO=\\lekcje\\kuchnia\\slowa2.fc2",
                   "WRYS=\\lekcje\\kuchnia\\slowa2.fc2", "ULIT=\\lekcje\\kuchnia\\slowa2.fc2",
                   "PKRZ=\\lekcje\\kuchnia\\szukaj.fc1", "KRZY=\\lekcje\\kuchnia\\krzyzowka.fc3",
                   "LILI=\\lekcje\\kuchnia\\lilie.txt"}
           .join(' ')));

  const QString f1 = p + "/cwicz/lekcje/kuchnia/slowa1.fc2";
  const TWordExercise first = ReadWordExercise(ReadWholeFile(f1), f1);
  ASSERT_EQ(first.ItemCount, 4);
  EXPECT_EQ(first.Words[0], "a kettle");
  EXPECT_EQ(first.Translations[2], "łyżka");
  const THotSpot& spot = first.HotSpots[0];
  const QImage picture = LoadPicture(ResolvePath(inst.DataRoot() + "/cwicz" + first.PictureName));
  EXPECT_EQ(picture.pixelColor((spot.Left + spot.Right) / 2, (spot.Top + spot.Bottom) / 2),
            QColor(200, 0, 0));
  const TWordList dictionary = ReadWordListFile(p + "/Sb_all_NEW.txt");
  const auto kettle = std::find_if(dictionary.Entries.begin(), dictionary.Entries.end(),
                                   [](const TWordEntry& e) { return e.English == "kettle"; });
  ASSERT_NE(kettle, dictionary.Entries.end());
  EXPECT_EQ(kettle->Sound, first.SoundNumbers[0]);
  EXPECT_TRUE(FileExists(WordSoundPath(inst.DataRoot(), first.SoundNumbers[0])));

  const TCrossword cw = LoadCrosswordFile(p + "/cwicz/lekcje/kuchnia/krzyzowka.fc3");
  ASSERT_GE(cw.WordCount, 2);
  EXPECT_EQ(cw.Answers[0], "KETTLE");
  EXPECT_EQ(cw.Clues[0], "czajnik");
  const QString ws = p + "/cwicz/lekcje/kuchnia/szukaj.fc1";
  EXPECT_GE(ReadWordSearch(ReadWholeFile(ws), ws).WordCount, 2);
  const TWordPairs pairs = ReadWordPairs(ReadWholeFile(p + "/cwicz/lekcje/kuchnia/lilie.txt"));
  ASSERT_EQ(pairs.Pairs.size(), 9u);
  EXPECT_EQ(pairs.Pairs[8].Right, "dzbanek");

  // The installation stays clean; a broken file is traced to its lesson line.
  const auto lessonProblems = [&] {
    ClearPathCache();
    TInstallationCheck check(p, inst.DataRoot());
    check.Run();
    QStringList found;
    for (const TProblem& problem : check.Problems())
      if (problem.Error && problem.Message.contains("/lekcje/")) found << problem.Text();
    return found;
  };
  EXPECT_EQ(lessonProblems(), QStringList());
  WriteFileAtomic(p + "/cwicz/lekcje/kuchnia/slowa2.fc2", "broken");
  const QStringList broken = lessonProblems();
  ASSERT_FALSE(broken.isEmpty());
  EXPECT_TRUE(broken[0].endsWith("/Kuchnia/words.txt:7)")) << broken[0].toStdString();
}

// Shared files are edited line by line in their own style: a word list with
// LF line ends and no end on its last line gets the lesson's words in its
// order, chosen exercises only, and comes back byte for byte.
TEST(Lesson, EditsSharedFilesInTheirOwnStyleAndUndoesThemExactly) {
  TempInstallation inst;
  QTemporaryDir lessons;
  const QString list = inst.ProgramDir() + "/Sb_all_NEW.txt";
  QByteArray bytes = ReadWholeFile(list).replace("\r\n", "\n");
  bytes.chop(1);
  WriteFileAtomic(list, bytes);
  const auto before = Snapshot(inst.Root());
  const QString dir =
      WriteLesson(lessons, "Zoo", "a zebra = zebra | 🦓\nan ant = mrówka | 🐜\n",
                  "exercises presentation crossword\n");
  AddLesson(inst.Install(), dir, false);
  ClearPathCache();
  const QByteArray edited = ReadWholeFile(list);
  EXPECT_FALSE(edited.contains('\r'));
  QStringList english;
  for (const TWordEntry& e : ReadWordListFile(list).Entries) english << e.English;
  QStringList sorted = english;
  std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  EXPECT_EQ(english, sorted);
  EXPECT_EQ(english.last(), "zebra");
  QStringList keys;
  for (const TListFileEntry& e :
       ReadListFileAt(inst.ProgramDir() + "/cwicz/lekcje/zoo/lista.txt", TListKind::Exercises)
           .Entries)
    keys << e.Key;
  EXPECT_EQ(keys, (QStringList{"PREZ=", "KRZY="}));
  RemoveLesson(inst.Install(), dir);
  EXPECT_EQ(Differences(Snapshot(inst.Root()), before), QStringList());
}

struct TBadLesson {
  const char* Words;
  const char* LessonFile;
  // What follows the folder at the message's start; empty: a place is in the way.
  const char* Where;
  const char* Folder = "Zla";
};

// One installation for every case: none may change it.
class BadLesson : public ::testing::TestWithParam<TBadLesson> {
 protected:
  static void SetUpTestSuite() { shared_ = new TempInstallation; }
  static void TearDownTestSuite() { delete shared_; }
  static TempInstallation* shared_;
};
TempInstallation* BadLesson::shared_ = nullptr;

TEST_P(BadLesson, NamesItsLineAndChangesNothing) {
  const TempInstallation& inst = *shared_;
  QTemporaryDir lessons;
  const TBadLesson& c = GetParam();
  const QString dir = WriteLesson(lessons, c.Folder, c.Words, c.LessonFile);
  // No place of the lesson's name may be written over.
  const QString occupied = inst.ProgramDir() + "/lokacje/Lekcja_zla.lok";
  if (!*c.Where) WriteFileAtomic(occupied, ReadWholeFile(inst.ProgramDir() + "/lokacje/Start.lok"));
  ClearPathCache();
  const auto before = Snapshot(inst.Root());
  try {
    AddLesson(inst.Install(), dir, false);
    FAIL() << "accepted";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.Message.startsWith(*c.Where ? dir + c.Where : occupied + ": "))
        << e.Message.toStdString();
  }
  EXPECT_EQ(Differences(Snapshot(inst.Root()), before), QStringList());
  QFile::remove(occupied);
  ClearPathCache();
}

const TBadLesson kBadLessons[] = {
    {"a cat kot | 🐱\n", "", "/words.txt:1: "},
    {"# cats\ncat = kot | 🐱\nCat = kotek | 🐈\n", "", "/words.txt:3: "},
    {"a dog = pies\n", "", "/words.txt:1: "},
    {"a dog = pies | pies.gif\n", "", "/words.txt:1: "},
    {"a dog = pies | pies.jpg\n", "", "/words.txt:1: "},
    {"a dog = pies | 🐕\n", "title \"Psy\"\nfrom Nigdzie.lok\n", "/lekcja.txt:2: "},
    {"a dog = pies | 🐕\n", "colour red\n", "/lekcja.txt:1: "},
    {"a dog = pies | 🐕\n", "from Start.lok at=1,2\n", "/lekcja.txt:1: "},
    {"a dog = pies | 🐕\n", "exercises crossword\n", "/lekcja.txt: "},
    {"a dog = pies | 🐕\n", "", ""},
    // Its exercises' files would hold a place's word, which counts them for that place.
    {"a dog = pies | 🐕\n", "", ": ", "Farma"},
    {"a dog = pies | 🐕\n", "", ": ", "Mój Dom-School"},
};
INSTANTIATE_TEST_SUITE_P(Lessons, BadLesson, ::testing::ValuesIn(kBadLessons));

}  // namespace
