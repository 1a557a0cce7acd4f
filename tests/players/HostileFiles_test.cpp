// Files a child's installation may hold after an old CD, a copied folder or a
// hand edit: whatever they hold, reading ends at once with an error naming
// the file, and nothing the child earned is lost.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <climits>
#include <functional>

#include "app/Globals.h"
#include "exercises/CrosswordFile.h"
#include "exercises/ExerciseFiles.h"
#include "exercises/WordPairFile.h"
#include "lib/Lint.h"
#include "menu/NoteFile.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/SafeMath.h"
#include "platform/TextFile.h"
#include "players/PlayerFile.h"
#include "support/Support.h"
#include "tools/WordList.h"
#include "world/Dialogues.h"
#include "world/ExerciseList.h"
#include "world/LocationFile.h"
#include "world/Rewards.h"

namespace {

const QByteArray kPlaces =
    "CDR=121\r\nAD1=430\r\nC6B=210\r\nKWS=350\r\nOMB=180\r\nLST=980\r\nCWA=230\r\n";

// What `read` returns, or the message of what it throws.
QString Outcome(const std::function<QString()>& read) {
  try {
    return read();
  } catch (const Exception& e) {
    return e.Message;
  }
}

class HostileFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSharedState();
    ClearPathCache();
    LoginDir = inst.ProgramDir() + QStringLiteral("\\login\\");
  }
  void TearDown() override { ResetSharedState(); }
  QString Program(const QString& name) const { return inst.ProgramDir() + u'/' + name; }
  QString Login(const QString& name = {}) const { return Program(QStringLiteral("login/") + name); }

  TempInstallation inst;
};

TEST_F(HostileFiles, EveryReaderEndsAtOnceWithAnErrorNamingTheFile) {
  const QByteArray list = "Kot\r\n";
  const QString notRegular = QStringLiteral("to nie jest zwykły plik");
  const QString tooLarge = QStringLiteral("jest za duży (2048 MB, najwięcej 1 MB)");
  const struct {
    const char* file;
    std::function<void(const QString&)> read;
    QString huge;  // what 2 GB of zeros gives
  } readers[] = {
      {"lokacje/Start.lok", [](const QString& p) { ReadLocationFile(p); }, tooLarge},
      // A record reads only its own bytes, and finds no items in them.
      {"cwicz/a.fc2", [](const QString& p) { LoadWordExerciseFile(p, true); }, "pole ItemCount"},
      {"Sb_all_NEW.txt", [](const QString& p) { ReadWordListFile(p); }, tooLarge},
      {"login/Kot.txt", [](const QString&) { LoadPlayer(0); }, tooLarge},
      {"login/_Lista_Logowania.txt", [](const QString&) { LoadPlayerList(); }, tooLarge},
  };
  const struct {
    const char* what;
    std::function<bool(const QString&)> plant;
    bool huge;
  } hostile[] = {
      {"a FIFO",
       [](const QString& p) { return mkfifo(QFile::encodeName(p).constData(), 0600) == 0; }, false},
      {"a link to /dev/zero",
       [](const QString& p) { return QFile::link(QStringLiteral("/dev/zero"), p); }, false},
      {"2 GB",
       [](const QString& p) {  // sparse: nothing on disk
         QFile f(p);
         return f.open(QIODevice::WriteOnly) && f.resize(qint64(2) << 30);
       },
       true},
  };
  for (const auto& r : readers) {
    for (const auto& h : hostile) {
      WriteRaw(Login(QStringLiteral("_Lista_Logowania.txt")), list);
      LoadPlayerList();
      GreenCount = 12;
      const QString path = Program(QString::fromLatin1(r.file));
      QDir().mkpath(QFileInfo(path).path());
      QFile::remove(path);
      ASSERT_TRUE(h.plant(path)) << r.file << ", " << h.what;
      ClearPathCache();
      try {
        r.read(path);
        ADD_FAILURE() << r.file << " read as " << h.what;
      } catch (const Exception& e) {
        EXPECT_TRUE(e.Message.contains(QFileInfo(path).fileName()) &&
                    e.Message.contains(h.huge ? r.huge : notRegular))
            << h.what << ": " << e.what();
      }
      EXPECT_EQ(GreenCount, 12) << r.file << ", " << h.what;
      QFile::remove(path);
    }
  }
  // Even from a file above the text cap.
  TCrossword one;
  one.WordCount = 1;
  WriteRaw(Program(QStringLiteral("cwicz/b.fc3")), WriteCrossword(one) + QByteArray(3 << 20, 'x'));
  EXPECT_EQ(LoadCrosswordFile(Program(QStringLiteral("cwicz/b.fc3"))), one);
}

TEST_F(HostileFiles, FloodsOfLinesAreReadOneByOneAndKeptWithinTheLimits) {
  const qint64 cap = FileSizeCap(TFileKind::Text);
  const auto flood = [&](const QByteArray& head, const QByteArray& line) {
    QByteArray bytes = head;
    while (bytes.size() + line.size() <= cap) bytes += line;
    return bytes;
  };
  const auto counts = [](qint64 kept, qint64 more) {
    return QStringLiteral("%1+%2").arg(kept).arg(more);
  };
  const auto list = [&](const QString& p) {
    const TPlayerList l = ParsePlayerList(ReadWholeFile(p));
    return counts(l.Names.size(), l.ExtraLines.size());
  };
  const QByteArray feeds(cap, '\n');
  const struct {
    const char* file;
    QByteArray bytes;
    std::function<QString(const QString&)> read;
    QString expected;
  } cases[] = {
      {"Start.lok", feeds, [](const QString& p) { return ReadLocationFile(p).Picture; },
       "Start.lok:2:"},
      {"lista.txt", feeds, list, "0+0"},
      {"lista.txt", flood({}, "Ala\n"), list, "499+499"},
      {"Kot.txt", flood("Kot=2026-12-06=211=150=320=Man=\r\n" + kPlaces, "PREZ=#\\x.fc2#1#2#\n"),
       [&](const QString& p) {
         const TPlayerFile f = ParsePlayerFile(ReadWholeFile(p), p);
         return counts(f.Results.size(), f.ExtraLines.size());
       },
       "1500+1500"},
      {"Sb_all_NEW.txt", feeds,
       [&](const QString& p) {
         const TWordList w = ReadWordListFile(p);
         return counts(qint64(w.Entries.size()), w.LinesLeftOut);
       },
       counts(1200, cap - 1200)},
      {"1A.txt", feeds,
       [](const QString& p) { return QString::number(ParseNote(ReadWholeFile(p)).size()); }, "0"},
      {"pary.txt", feeds, [](const QString& p) { return LoadWordPairFile(p).Pairs.front().Left; },
       "pary.txt: 0 par słów"},
  };
  for (const auto& c : cases) {
    const QString path = Program(QString::fromLatin1(c.file));
    WriteRaw(path, c.bytes);
    const QString outcome = Outcome([&] { return c.read(path); });
    EXPECT_TRUE(outcome.contains(c.expected)) << c.file << ": " << outcome.toStdString();
  }
}

TEST_F(HostileFiles, ASaveNeverWritesAFileTooLargeToBeReadBack) {
  // Names that fill the list up to the cap with LF ends: written back with
  // CR LF and one more name they would not fit.
  QFile::remove(Login(QStringLiteral("Tester.txt")));
  const qint64 cap = FileSizeCap(TFileKind::Text);
  const int names = MaxListedPlayers - 1;
  QByteArray list;
  for (int i = 0; i < names; ++i)
    list += QByteArray::number(1000 + i) + QByteArray(cap / names - 5, 'a') + '\n';
  ASSERT_LE(list.size(), cap);
  const QString path = Login(QStringLiteral("_Lista_Logowania.txt"));
  WriteRaw(path, list);
  LoadPlayerList();
  SavePlayerList();  // nothing of its own to add: not rewritten
  EXPECT_EQ(ReadRaw(path), list);
  const QString outcome = Outcome([] {
    WriteNewPlayer(QStringLiteral("Kot"), true);
    return QStringLiteral("ok");
  });
  EXPECT_TRUE(outcome.contains(QStringLiteral("byłby większy niż 1 MB"))) << outcome.toStdString();
  EXPECT_EQ(ReadRaw(path), list);
  EXPECT_FALSE(QFileInfo::exists(Login(QStringLiteral("Kot.txt"))));
  EXPECT_EQ(PlayerCount, names);
}

TEST_F(HostileFiles, TheListsOwnNameIsNoPlayersName) {
  const QString listPath = Login(QStringLiteral("_Lista_Logowania.txt"));
  const QByteArray header = "=2026-12-06=211=150=320=Man=\r\n";
  const struct {
    const char* what;
    QByteArray list;
    std::function<void()> act;
    QString expected;
  } cases[] = {
      {"a new player", "Kot\r\n", [] { WriteNewPlayer(QStringLiteral("_lista_LOGOWANIA"), true); },
       QStringLiteral(
           "Imienia „_lista_LOGOWANIA” nie można użyć, bo tak nazywa się lista graczy.")},
      {"a listed name", "_LISTA_Logowania\r\n", [] { LoadPlayer(0); },
       QStringLiteral("lista graczy")},
      {"a header", "Kot\r\n", [] { LoadPlayer(0); }, QStringLiteral("Kot.txt:1:")},
      {"a save", "Kot\r\n",
       [] {
         PlayerName = QStringLiteral("_Lista_Logowania");
         SavePlayer();
       },
       QStringLiteral("lista graczy")},
  };
  QFile::remove(Login(QStringLiteral("Tester.txt")));
  for (const auto& c : cases) {
    WriteRaw(listPath, c.list);
    WriteRaw(Login(QStringLiteral("Kot.txt")), "_Lista_Logowania" + header + kPlaces);
    LoadPlayerList();
    const QString outcome = Outcome([&] {
      c.act();
      return QStringLiteral("ok");
    });
    EXPECT_TRUE(outcome.contains(c.expected)) << c.what << ": " << outcome.toStdString();
    EXPECT_EQ(ReadRaw(listPath), c.list) << c.what;
    EXPECT_EQ(PlayerCount, 1) << c.what;
  }
  EXPECT_NE(NicknameProblem(QStringLiteral("_Lista_Logowania")), QString());
  EXPECT_EQ(NicknameProblem(QStringLiteral("_Lista_Logowania2")), QString());
}

TEST_F(HostileFiles, SavesReplaceAPlantedLinkAndCrashLeftoversButNothingElse) {
  QTemporaryDir outside;
  const QString target = outside.filePath(QStringLiteral("secret.txt"));
  const struct {
    const char* file;
    std::function<void()> save;
    QByteArray firstLine;
  } cases[] = {
      {"Kot.txt", [] { SavePlayer(); }, "Kot="},
      {"_Lista_Logowania.txt", [] { SavePlayerList(); }, "Kot\r\n"},
  };
  for (const auto& c : cases) {
    QDir(Login()).removeRecursively();
    ResetSharedState();
    LoginDir = inst.ProgramDir() + QStringLiteral("\\login\\");
    LoadPlayerList();
    WriteNewPlayer(QStringLiteral("Kot"), true);
    const QString path = Login(QString::fromLatin1(c.file));
    WriteRaw(target, "secret\r\n");
    ASSERT_TRUE(QFile::remove(path) && QFile::link(target, path));
    // What a crash during an earlier save left, and names that only look alike.
    const QString leftover = path + QStringLiteral(".a1B2c3");
    const QStringList kept = {path + QStringLiteral(".a1B2c"), path + QStringLiteral(".a1B2c3d"),
                              path + QStringLiteral(".a1-2c3")};
    for (const QString& f : kept + QStringList{leftover}) WriteRaw(f, "x");
    // A crash's leftover is old; a young one may be another game's write in progress.
    QFile old(leftover);
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    old.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
    old.close();
    ASSERT_TRUE(QFile::link(target, path + QStringLiteral(".Zz9Zz9")));
    ClearPathCache();

    c.save();
    EXPECT_EQ(ReadRaw(target), QByteArray("secret\r\n")) << c.file;
    EXPECT_FALSE(QFileInfo(path).isSymLink()) << c.file;
    // (The list is read as it is now, through the link, before it is replaced.)
    EXPECT_TRUE(ReadRaw(path).contains(c.firstLine)) << c.file;
    EXPECT_FALSE(QFileInfo::exists(leftover)) << c.file;
    EXPECT_FALSE(QFileInfo(path + QStringLiteral(".Zz9Zz9")).isSymLink()) << c.file;
    for (const QString& f : kept) EXPECT_TRUE(QFileInfo::exists(f)) << f.toStdString();
  }
}

TEST_F(HostileFiles, CountersReadNearIntMaxStayThereWhateverIsEarned) {
  const QByteArray max = QByteArray::number(INT_MAX);
  QByteArray file = "Kot=2026-12-06=21" + max + "=15" + max + "=32" + max + "=Man=\r\n";
  for (const char* key : {"CDR", "AD1", "C6B", "KWS", "OMB", "LST", "CWA"})
    file += key + ("=12" + max + "\r\n");
  file += "DDRO=#\\culture\\1A.fc2#1#" + max + "#\r\n";
  WriteRaw(Login(QStringLiteral("_Lista_Logowania.txt")), "Kot\r\n");
  WriteRaw(Login(QStringLiteral("Kot.txt")), file);
  LoadPlayerList();
  LoadPlayer(0);
  // A repeat pays points, a new exercise counts red and green, a place word its place.
  CountCompletion({QStringLiteral("DDRO="), QStringLiteral("\\culture\\1A.fc2")}, true);
  CountCompletion({QStringLiteral("WRYS="), QStringLiteral("\\culture\\1B.fc2")}, true);
  AdvancePlaceCounters(QStringLiteral("\\culture\\1B.fc2"));
  SavePlayer();
  ResetSharedState();
  LoginDir = inst.ProgramDir() + QStringLiteral("\\login\\");
  LoadPlayerList();
  LoadPlayer(0);
  const struct {
    const char* counter;
    int value;
  } counters[] = {{"VisitCount", VisitCount},
                  {"RedCount", RedCount},
                  {"GreenCount", GreenCount},
                  {"Points", ExerciseResults[0].Points},
                  {"PlaceCount", PlaceCount[0]}};
  for (const auto& c : counters) EXPECT_EQ(c.value, INT_MAX) << c.counter;
  EXPECT_EQ(ExerciseResults[1].Points, 2);
}

TEST(FileValues, ExtremeNumbersGiveCoordinatesAndLinesWithinReach) {
  TWordExercise ex;
  ex.ItemCount = 1;
  ex.WordPositions[0] = {INT_MAX, INT_MIN};
  ex.HotSpots[0] = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  PrepareWordExercise(ex, false);
  TLocation place;
  place.ExerciseListLines = INT_MAX;
  place.DialogueListLines = INT_MAX;
  place.Sprites.resize(3);
  const TLocationLines lines = LocationLines(place);
  const struct {
    const char* value;
    int got, expected;
  } cases[] = {
      {"word X", ex.WordPositions[0].X, CoordinateLimit},
      {"word Y", ex.WordPositions[0].Y, -CoordinateLimit},
      {"hot spot left", ex.HotSpots[0].Left, -CoordinateLimit},
      {"hot spot bottom", ex.HotSpots[0].Bottom, CoordinateLimit},
      {"first list line", lines.ExerciseList, 11},
      {"dialogue list line", lines.DialogueList, INT_MAX},
      {"sprite line", lines.Sprite, INT_MAX},
      {"third sprite's line", LineAt(lines.Sprite, 2), INT_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.value;
}

TEST(FileNames, NamesClimbingOutOfTheInstallationAreRefusedWithFileAndLine) {
  const auto text = [](const QStringList& lines) {
    TTextWriter w;
    for (const QString& l : lines) w.WriteLine(l);
    return w.Bytes();
  };
  const auto place = [&](const QString& picture, const QStringList& records, int walks, int lists) {
    return text(QStringList{"Picture=" + picture, QStringLiteral("Walk spots =%1").arg(walks),
                            "Sound spots=0", QStringLiteral("Exercise lists  =%1").arg(lists),
                            "Dialog lists =0", "Sprites  =0", "ExSpots  =0", "Waves =0",
                            "Videos   =0", "Back=NONE"} +
                records);
  };
  TWordExercise ex;
  ex.ItemCount = 1;
  ex.PictureName = QStringLiteral("\\culture\\..\\..\\..\\etc\\x.bmp");
  const QByteArray record = WriteWordExercise(ex);
  ex.PictureName = QStringLiteral("\\culture\\a..b.bmp");
  const QByteArray fine = WriteWordExercise(ex);
  const struct {
    const char* what;
    std::function<void()> read;
    QString where;  // empty: the file reads
  } cases[] = {
      {"place picture", [&] { ReadLocation(place("..\\..\\x.bmp", {}, 0, 0), "P.lok"); },
       "P.lok:1:"},
      {"walk target",
       [&] { ReadLocation(place("x.bmp", {"W1 = 1,2,3,4,../Tam.lok,0,"}, 1, 0), "P.lok"); },
       "P.lok:11:"},
      {"exercise list",
       [&] { ReadLocation(place("x.bmp", {"E1 = \\..\\lista.txt"}, 0, 1), "P.lok"); }, "P.lok:11:"},
      {"exercise",
       [&] {
         ParseExerciseList(text({"Cwiczenia: 1", "PREZ=\\town\\..\\..\\a.fc2"}), "L.txt");
       },
       "L.txt:2:"},
      {"dialogue",
       [&] {
         ParseDialogueList(text({"Dialogi   =1", "DIAL=..\\a.txt"}), "D.txt");
       },
       "D.txt:2:"},
      {"exercise picture", [&] { ReadWordExercise(record, "a.fc2"); }, "a.fc2, pole PictureName"},
      {"dots inside a name", [&] { ReadWordExercise(fine, "a.fc2"); }, ""},
      {"a name of three dots", [&] { ReadLocation(place("...", {}, 0, 0), "P.lok"); }, ""},
  };
  for (const auto& c : cases) {
    const QString outcome = Outcome([&] {
      c.read();
      return QString();
    });
    if (c.where.isEmpty()) {
      EXPECT_EQ(outcome, QString()) << c.what;
      continue;
    }
    EXPECT_TRUE(outcome.startsWith(c.where) &&
                outcome.contains(QStringLiteral("wychodzi poza folder gry")))
        << c.what << ": " << outcome.toStdString();
  }
}

}  // namespace
