#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstddef>
#include <cstdio>

#ifdef __linux__
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#endif

#include "app/Globals.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Win1250.h"
#include "players/PlayerFile.h"
#include "players/TopTen.h"
#include "support/Support.h"
#include "world/Rewards.h"

namespace {

const QByteArray kNewKot = RawLines({"Kot=2026-12-06=211=150=320=Man=", "CDR=120", "AD1=430",
                                     "C6B=210", "KWS=350", "OMB=180", "LST=980", "CWA=230"});

// A program directory of its own, without players, with LoginDir pointing at its login folder.
class PlayerFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir(Login()).removeRecursively();
    ResetSharedState();
    ClearPathCache();
    LoginDir = inst.ProgramDir() + QStringLiteral("\\login\\");
  }
  void TearDown() override { ResetSharedState(); }
  QString Login(const QString& name = {}) const { return inst.ProgramDir() + QStringLiteral("/login/") + name; }
  void WriteList(const QByteArray& bytes) { WriteRaw(Login(QStringLiteral("_Lista_Logowania.txt")), bytes); }

  TempInstallation inst;
};

}  // namespace

TEST(PlayerFileFormat, HeaderFieldsDropTheirTwoCharacterPrefixesWhateverTheyAre) {
  struct Case {
    const char* header;
    int visits, red, green;
    const char* name;
    const char* sex;
  } cases[] = {
      {"Kot=2026-12-06=2117=15103=32999=Man=", 17, 103, 999, "Kot", "Man"},
      {"Kot=2026-12-06=xy5=ab-3=..0=Woman=", 5, -3, 0, "Kot", "Woman"},
      {"Pies=2000-01-01=211=150=320=Man=tail ignored", 1, 0, 0, "Pies", "Man"},
      {" Ala =d=991=992=993==", 1, 2, 3, " Ala ", ""},
  };
  for (const Case& c : cases) {
    QByteArray bytes = QByteArray(c.header) + "\r\n";
    for (int i = 0; i < 7; ++i) bytes += "XYZ=00" + QByteArray::number(i * 10) + "\r\n";
    const TPlayerFile p = ParsePlayerFile(bytes, QStringLiteral("x.txt"));
    EXPECT_EQ(p.VisitCount, c.visits) << c.header;
    EXPECT_EQ(p.RedCount, c.red) << c.header;
    EXPECT_EQ(p.GreenCount, c.green) << c.header;
    EXPECT_EQ(p.Name, QString::fromUtf8(c.name)) << c.header;
    EXPECT_EQ(p.Sex, QString::fromUtf8(c.sex)) << c.header;
    // Place lines: the first six characters are dropped unread, the key included.
    for (int i = 0; i < 7; ++i) EXPECT_EQ(p.PlaceCount[i], i * 10) << c.header;
  }
}

TEST(PlayerFileFormat, ResultLinesSkipBlanksAndKeepFieldsAsWritten) {
  const QByteArray bytes =
      kNewKot + RawLines({"ULIT=#\\culture\\1A.fc2#1#2#", "", "   ",
                          "DIAL=#\\farm\\d 1.dia#1#7#extra", "  #\\blank\\key.fc2#1#1#"});
  const TPlayerFile p = ParsePlayerFile(bytes, QStringLiteral("Kot.txt"));
  ASSERT_EQ(p.Results.size(), 3u);
  EXPECT_EQ(p.Results[0].Key, QStringLiteral("ULIT="));
  EXPECT_EQ(p.Results[0].File, QStringLiteral("\\culture\\1A.fc2"));
  EXPECT_EQ(p.Results[0].Points, 2);
  EXPECT_EQ(p.Results[1].File, QStringLiteral("\\farm\\d 1.dia"));
  EXPECT_EQ(p.Results[1].Points, 7);
  // A record with a blank key is read but not written back.
  EXPECT_EQ(p.Results[2].Key, QStringLiteral("  "));
  EXPECT_EQ(FormatPlayerFile(p),
            kNewKot + RawLines({"ULIT=#\\culture\\1A.fc2#1#2#", "DIAL=#\\farm\\d 1.dia#1#7#"}));
}

TEST(PlayerFileFormat, BrokenFilesNameTheFileAndLine) {
  struct Case {
    QByteArray bytes;
    const char* where;
  } cases[] = {
      {QByteArray(), "Kot.txt:1"},
      {RawLines({"Kot=2026-12-06=211=150=320=Man"}), "Kot.txt:1"},
      {RawLines({"Kot=2026-12-06=21x=150=320=Man="}), "Kot.txt:1"},
      {RawLines({"Kot=2026-12-06=21=150=320=Man="}), "Kot.txt:1"},
      {RawLines({"Kot=2026-12-06=211=150=320=Man=", "CDR=120", "AD1=43"}), "Kot.txt:3"},
      {RawLines({"Kot=2026-12-06=211=150=320=Man="}), "Kot.txt:2"},
      {kNewKot + RawLines({"ULIT=#a#1#"}), "Kot.txt:9"},
      {kNewKot + RawLines({"", "ULIT=#a#1#2#", "ULIT=#a#one#2#"}), "Kot.txt:11"},
  };
  for (const Case& c : cases) {
    try {
      ParsePlayerFile(c.bytes, QStringLiteral("Kot.txt"));
      ADD_FAILURE() << "accepted: " << c.bytes.toStdString();
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message.contains(QLatin1String(c.where))) << e.what() << " expected " << c.where;
    }
  }
}

TEST(PlayerFileFormat, NamesThatCannotBeFileNamesAreRefused) {
  const char* good[] = {"Kot", "Óla", "óla", "Zażółć jaźń", "Ala Ma Kota", ".kot", "COM10", "Console", "Nul1", "A-b_c!"};
  for (const char* n : good) EXPECT_EQ(NicknameProblem(QString::fromUtf8(n)), QString()) << n;
  const char* bad[] = {"", "a/b", "..\\x", ".", "..", "...", "kot.", "kot ", "a:b", "a*b", "a?b", "a\"b", "a<b",
                       "a>b", "a|b", "a=b", "a\tb", "a\x7f", "CON", "con", "Nul.x", "Com1", "lpt9", "AUX .a",
                       "кот", "Ω", "😀"};
  for (const char* n : bad) EXPECT_NE(NicknameProblem(QString::fromUtf8(n)), QString()) << n;
  EXPECT_NE(NicknameProblem(QString(QChar(0x85))), QString());  // a C1 control character
  EXPECT_TRUE(NicknameProblem(QStringLiteral("a/b")).contains(QStringLiteral("„/”")));
  EXPECT_TRUE(NicknameProblem(QStringLiteral("Ola😀")).contains(QStringLiteral("„😀”")));
}

TEST_F(PlayerFiles, FirstRunCreatesLoginDirectoryAndEmptyList) {
  ASSERT_FALSE(QFileInfo::exists(Login()));
  LoadPlayerList();
  EXPECT_EQ(PlayerCount, 0);
  EXPECT_TRUE(QFileInfo(Login()).isDir());
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))), QByteArray());
  EXPECT_EQ(LoginDir, inst.ProgramDir() + QStringLiteral("\\login\\"));
}

TEST_F(PlayerFiles, ListSkipsBlankLinesAndKeepsNamesAsRead) {
  WriteList("Kot\r\n\r\n  \r\nPies\r\n Ala \n\xA3ukasz");
  PlayerNames[4] = QStringLiteral("stale");
  LoadPlayerList();
  EXPECT_EQ(PlayerCount, 4);
  EXPECT_EQ(QStringList(PlayerNames.begin(), PlayerNames.begin() + 5),
            QStringList({"Kot", "Pies", " Ala ", "Łukasz", ""}));
  // With nothing of its own to add the list stays as it is; a new name rewrites it as the game
  // writes.
  SavePlayerList();
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))),
            QByteArray("Kot\r\n\r\n  \r\nPies\r\n Ala \n\xA3ukasz"));
  WriteNewPlayer(QStringLiteral("Nowy"), true);
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))),
            QByteArray("Kot\r\nPies\r\n Ala \r\n\xA3ukasz\r\nNowy\r\n"));
}

TEST_F(PlayerFiles, UnwritableProgramDirectoryFallsBackToUserDataDirectory) {
  QTemporaryDir home;
  const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  // A file where the login directory should be: it can be neither created nor used.
  WriteRaw(Login().chopped(1), "not a directory");
  LoadPlayerList();
  WriteNewPlayer(QStringLiteral("Kot"), true);
  qputenv("XDG_DATA_HOME", oldXdg);
  const QString user = home.path() + QStringLiteral("/tarvolin/login/");
  EXPECT_EQ(LoginDir, user);
  EXPECT_EQ(ReadRaw(user + QStringLiteral("_Lista_Logowania.txt")), QByteArray("Kot\r\n"));
  EXPECT_TRUE(QFileInfo::exists(user + QStringLiteral("Kot.txt")));
  EXPECT_EQ(ReadRaw(Login().chopped(1)), QByteArray("not a directory"));
}

TEST_F(PlayerFiles, NewPlayerWritesEightLinesAndJoinsTheList) {
  LoadPlayerList();
  WriteNewPlayer(QStringLiteral("Kot"), true);
  const QString today = DateToStr();
  QByteArray expected = kNewKot;
  expected.replace("2026-12-06", today.toLatin1());
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("Kot.txt"))), expected);
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))), QByteArray("Kot\r\n"));
  EXPECT_EQ(PlayerCount, 1);
  EXPECT_EQ(PlayerName, QStringLiteral("Kot"));
  EXPECT_EQ(VisitCount, 1);
  EXPECT_EQ(PlayerSex, QStringLiteral("Man"));

  GreenCount = RedCount = 9;
  PlaceCount.fill(4);
  LoadPlayer(0);
  EXPECT_EQ(VisitCount, 1);
  EXPECT_EQ(RedCount, 0);
  EXPECT_EQ(GreenCount, 0);
  EXPECT_EQ(PlaceCount, (std::array<int, 7>{}));
  EXPECT_EQ(ResultCount, 0);
  EXPECT_EQ(LastPlayDate, today);
}

TEST_F(PlayerFiles, SaveLoadSaveGivesIdenticalBytes) {
  LoadPlayerList();
  WriteNewPlayer(QStringLiteral("Łucja"), false);
  LastPlayDate = QStringLiteral("2999-02-28");  // a save keeps the later of its date and the file's
  VisitCount = 12;
  RedCount = 3;
  GreenCount = 5;
  PlaceCount = {1, 0, 2, 0, 0, 0, 0};
  ExerciseResults[0] = {QStringLiteral("ULIT="), QStringLiteral("\\culture\\1A.fc2"), 1, 2};
  ExerciseResults[1] = {QStringLiteral("DIAL="), QStringLiteral("\\house\\Dom ą.dia"), 1, 1};
  ExerciseResults[2] = {QStringLiteral("KRZY="), QStringLiteral("\\farm\\k.fc3"), 1, 2};
  ResultCount = 3;
  SavePlayer();
  const QByteArray first = ReadRaw(Login(QStringLiteral("Łucja.txt")));
  EXPECT_TRUE(first.startsWith(
      EncodeWin1250(QStringLiteral("Łucja=2999-02-28=2112=153=325=Woman=\r\nCDR=121\r\n"))));
  ResetSharedState();
  LoginDir = inst.ProgramDir() + QStringLiteral("\\login\\");
  LoadPlayerList();
  LoadPlayer(0);
  EXPECT_EQ(ResultCount, 3);
  EXPECT_EQ(ExerciseResults[1].File, QStringLiteral("\\house\\Dom ą.dia"));
  SavePlayer();
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("Łucja.txt"))), first);
}

TEST_F(PlayerFiles, HeaderNamingAnotherPlayerSignsInAndSavesUnderThatName) {
  WriteList("Kot\r\n");
  QByteArray pies = kNewKot;
  pies.replace("Kot=", "Pies=");
  WriteRaw(Login(QStringLiteral("Kot.txt")), pies);
  LoadPlayerList();
  LoadPlayer(0);
  EXPECT_EQ(PlayerName, QStringLiteral("Pies"));
  SavePlayer();
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("Pies.txt"))), pies);
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("Kot.txt"))), pies);
}

TEST_F(PlayerFiles, FailedLoadLeavesThePlayerStateAlone) {
  WriteList("Kot\r\nBrak\r\nZ\xB3y\r\n..\\..\\tarvo\r\nUcieczka\r\n");
  WriteRaw(Login(QStringLiteral("Kot.txt")), kNewKot);
  WriteRaw(Login(QStringLiteral("Zły.txt")),
           RawLines({"Z\xB3y=2026-12-06=211=150=320=Man=", "CDR=12x"}));
  // A header naming a file outside the login directory would be saved there.
  WriteRaw(Login(QStringLiteral("Ucieczka.txt")), QByteArray(kNewKot).replace("Kot=", "../../x="));
  LoadPlayerList();
  LoadPlayer(0);
  RedCount = 7;
  struct Case {
    int index;
    const char* mentions;
  } cases[] = {{1, "Brak.txt"}, {2, "Zły.txt:2:"}, {3, "tarvo"}, {4, "Ucieczka.txt:1:"}};
  for (const Case& c : cases) {
    try {
      LoadPlayer(c.index);
      ADD_FAILURE() << "loaded " << c.index;
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message.contains(QString::fromUtf8(c.mentions))) << e.what();
    }
    EXPECT_EQ(PlayerName, QStringLiteral("Kot"));
    EXPECT_EQ(RedCount, 7);
  }
  LoadPlayer(-1);
  LoadPlayer(5);  // outside the list: nothing happens
  EXPECT_EQ(PlayerName, QStringLiteral("Kot"));
}

TEST_F(PlayerFiles, ListedNamesAreRefusedOnlyWhenTheirFileWouldLeaveTheLoginDirectory) {
  // Names a new player could not take, already on the list: they sign in, save and rank.
  const QStringList listed = {QStringLiteral("Kuba."), QStringLiteral("Ala "),
                              QStringLiteral("a*b"), QStringLiteral("CON")};
  WriteList(EncodeWin1250(listed.join(QStringLiteral("\r\n")) + QStringLiteral("\r\nx/..\r\n")));
  for (const QString& name : listed)
    WriteRaw(Login(name + QStringLiteral(".txt")),
             QByteArray(kNewKot).replace("Kot=", EncodeWin1250(name + u'=')));
  LoadPlayerList();
  ASSERT_EQ(PlayerCount, 5);
  for (int i = 0; i < listed.size(); ++i) {
    LoadPlayer(i);
    EXPECT_EQ(PlayerName, listed[i]);
    GreenCount = 10 + i;
    SavePlayer();
    EXPECT_EQ(
        ParsePlayerFile(ReadRaw(Login(listed[i] + QStringLiteral(".txt"))), listed[i]).GreenCount,
        10 + i);
  }
  EXPECT_EQ(ReadTopTenEntries(listed).size(), std::size_t(listed.size()));
  EXPECT_THROW(LoadPlayer(4), EInOutError);
  // The best players table leaves it out rather than fail for every child.
  EXPECT_EQ(ReadTopTenEntries(listed + QStringList{QStringLiteral("x/..")}).size(),
            std::size_t(listed.size()));
  EXPECT_EQ(PlayerName, QStringLiteral("CON"));
}

TEST_F(PlayerFiles, NamesDifferingInPolishLetterCaseAreTwoPlayers) {
  LoadPlayerList();
  WriteNewPlayer(QStringLiteral("Óla"), false);
  WriteNewPlayer(QStringLiteral("óla"), true);
  EXPECT_TRUE(ReadRaw(Login(QStringLiteral("Óla.txt"))).startsWith(EncodeWin1250(QStringLiteral("Óla="))));
  EXPECT_TRUE(ReadRaw(Login(QStringLiteral("óla.txt"))).startsWith(EncodeWin1250(QStringLiteral("óla="))));
  LoadPlayer(1);
  GreenCount = 40;
  SavePlayer();
  LoadPlayer(0);
  EXPECT_EQ(PlayerName, QStringLiteral("Óla"));
  EXPECT_EQ(PlayerSex, QStringLiteral("Woman"));
  EXPECT_EQ(GreenCount, 0);
  LoadPlayer(1);
  EXPECT_EQ(GreenCount, 40);
}

TEST_F(PlayerFiles, ListAndResultsPastTheLimitsAreKeptOnDisk) {
  QByteArray list;
  for (int i = 1; i <= 502; ++i) list += "Gracz" + QByteArray::number(i) + "\r\n";
  WriteList(list);
  QByteArray player = kNewKot;
  for (int i = 1; i <= MaxResults + 2; ++i) player += "ULIT=#\\f\\" + QByteArray::number(i) + ".fc2#1#1#\r\n";
  WriteRaw(Login(QStringLiteral("Gracz1.txt")), player.replace("Kot=", "Gracz1="));
  LoadPlayerList();
  EXPECT_EQ(PlayerCount, 499);
  EXPECT_EQ(PlayerNames[498], QStringLiteral("Gracz499"));
  EXPECT_EQ(PlayerNames[499], QString());
  EXPECT_NE(NewPlayerProblem(QStringLiteral("Nowy")), QString());
  EXPECT_THROW(WriteNewPlayer(QStringLiteral("Nowy"), true), EInvalidOperation);
  EXPECT_FALSE(QFileInfo::exists(Login(QStringLiteral("Nowy.txt"))));
  SavePlayerList();
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))), list);

  LoadPlayer(0);
  EXPECT_EQ(ResultCount, MaxResults);
  EXPECT_EQ(ExerciseResults[MaxResults - 1].File, QStringLiteral("\\f\\1500.fc2"));
  SavePlayer();
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("Gracz1.txt"))), player);
}

// Games sharing one login folder: each change goes onto the list as it is
// now, never onto the copy a game read at its start.
TEST_F(PlayerFiles, TwoGamesAddingPlayersKeepBothNames) {
  WriteList("Ala\r\n");
  LoadPlayerList();  // this game's start
  // Meanwhile another game adds Bartek (and a temporary of its next write is on its way).
  WriteRaw(Login(QStringLiteral("Bartek.txt")), QByteArray(kNewKot).replace("Kot=", "Bartek="));
  WriteList("Ala\r\nBartek\r\n");
  WriteNewPlayer(QStringLiteral("Celina"), false);
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))),
            QByteArray("Ala\r\nBartek\r\nCelina\r\n"));
  EXPECT_EQ(QStringList(PlayerNames.begin(), PlayerNames.begin() + PlayerCount),
            QStringList({"Ala", "Bartek", "Celina"}));
  EXPECT_EQ(PlayerName, QStringLiteral("Celina"));
  // Bartek's game, still holding its start's list, names Bartek as new: refused, not re-created.
  WriteList("Ala\r\nBartek\r\nCelina\r\nDarek\r\n");
  EXPECT_THROW(WriteNewPlayer(QStringLiteral("darek"), true), EInvalidOperation);
  // Writing the list keeps what others added.
  SavePlayerList();
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))),
            QByteArray("Ala\r\nBartek\r\nCelina\r\nDarek\r\n"));
  EXPECT_EQ(PlayerCount, 4);
}

// A game that died between writing a new player's file and the list leaves
// the file alone; the name comes back and the child's progress stays.
TEST_F(PlayerFiles, APlayerFileMissingFromTheListComesBackAndIsNeverOverwritten) {
  const QByteArray kot =
      QByteArray(kNewKot).replace("320=", "3217=") + "ULIT=#\\culture\\1A.fc2#1#2#\r\n";
  WriteList("Ala\r\n");
  WriteRaw(Login(QStringLiteral("Ala.txt")), QByteArray(kNewKot).replace("Kot=", "Ala="));
  WriteRaw(Login(QStringLiteral("Kot.txt")), kot);
  WriteRaw(Login(QStringLiteral("notatki.txt")), "Zakupy: chleb\r\n");  // not a player's file
  WriteRaw(Login(QStringLiteral("Pies.txt")), kNewKot);  // whose header names another
  LoadPlayerList();
  EXPECT_EQ(QStringList(PlayerNames.begin(), PlayerNames.begin() + PlayerCount),
            QStringList({"Ala", "Kot"}));
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))), QByteArray("Ala\r\nKot\r\n"));

  // One lost after this game read the list: creating it again brings it back instead.
  WriteRaw(Login(QStringLiteral("Ola.txt")), QByteArray(kot).replace("Kot=", "Ola="));
  try {
    WriteNewPlayer(QStringLiteral("Ola"), false);
    ADD_FAILURE() << "created over an existing file";
  } catch (const EInvalidOperation& e) {
    EXPECT_TRUE(e.Message.contains(QStringLiteral("„Ola”"))) << e.what();
  }
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("Ola.txt"))), QByteArray(kot).replace("Kot=", "Ola="));
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))),
            QByteArray("Ala\r\nKot\r\nOla\r\n"));
  EXPECT_EQ(PlayerCount, 3);
  LoadPlayer(1);
  EXPECT_EQ(GreenCount, 17);
}

// The same child signed in on two computers: both sessions count.
TEST_F(PlayerFiles, TwoSessionsOfOneChildBothCount) {
  LoadPlayerList();
  WriteNewPlayer(QStringLiteral("Kot"), true);
  const QString file = Login(QStringLiteral("Kot.txt"));
  const TPlayerFile start = ParsePlayerFile(ReadRaw(file), file);

  // This computer: signs in, does the culture exercise on a first try.
  LoadPlayer(0);
  VisitCount += 1;
  LastPlayDate = QStringLiteral("2030-01-02");
  FirstTry = true;
  ASSERT_EQ(CountCompletion({"ULIT=", "\\culture\\1A.fc2"}, true), TCompletion::First);
  AdvancePlaceCounters(LastCompletedFile);

  // The other computer signed in at the same time, did the same exercise
  // (with a mistake) and a farm one, and saved first.
  TPlayerFile other = start;
  other.VisitCount += 1;
  other.LastPlayDate = QStringLiteral("2030-01-01");
  other.RedCount = 2;
  other.GreenCount = 3;
  other.PlaceCount = {1, 1, 0, 0, 0, 0, 0};
  other.Results = {{"ULIT=", "\\CULTURE\\1a.fc2", 1, 1}, {"DDRO=", "\\farm\\2B.fc2", 1, 2}};
  WriteRaw(file, FormatPlayerFile(other));

  SavePlayer();
  TPlayerFile saved = ParsePlayerFile(ReadRaw(file), file);
  EXPECT_EQ(saved.VisitCount, 3);  // a new player's one, and one per session
  EXPECT_EQ(saved.LastPlayDate, QStringLiteral("2030-01-02"));
  EXPECT_EQ(saved.GreenCount, 5);
  EXPECT_EQ(saved.RedCount, 2);  // the culture exercise once
  EXPECT_EQ(saved.PlaceCount, (std::array<int, PlaceTotal>{1, 1, 0, 0, 0, 0, 0}));
  ASSERT_EQ(saved.Results.size(), 2u);
  EXPECT_EQ(saved.Results[0].Points, 3);
  EXPECT_EQ(saved.Results[1].File, QStringLiteral("\\farm\\2B.fc2"));
  // This game now holds what is on disk, so a later save adds only what comes after.
  EXPECT_EQ(GreenCount, 5);
  EXPECT_EQ(ResultCount, 2);
  const QByteArray once = ReadRaw(file);
  SavePlayer();
  EXPECT_EQ(ReadRaw(file), once);
  CountCompletion({"DDRO=", "\\farm\\2B.fc2"}, false);
  SavePlayer();
  saved = ParsePlayerFile(ReadRaw(file), file);
  EXPECT_EQ(saved.GreenCount, 6);
  EXPECT_EQ(saved.Results[1].Points, 3);
  EXPECT_EQ(saved.RedCount, 2);
}

// A share the pupils may only read: its players still sign in, their
// progress goes to the user's own folder, and the game says so.
TEST_F(PlayerFiles, AReadOnlyLoginFolderStillListsItsPlayersAndSaysWhereProgressGoes) {
  WriteList("Kot\r\n");
  WriteRaw(Login(QStringLiteral("Kot.txt")), kNewKot);
  QTemporaryDir home;
  const auto mode = [](const QString& path, mode_t m) {
    ASSERT_EQ(::chmod(QFile::encodeName(path), m), 0) << path.toStdString();
  };
  mode(home.path(), 0777);
  mode(inst.Root(), 0755);
  mode(Login(QStringLiteral("Kot.txt")), 0444);
  mode(Login(QStringLiteral("_Lista_Logowania.txt")), 0444);
  mode(Login(), 0555);
  const QString user = home.path() + QStringLiteral("/tarvolin/login/");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Checked in a process of its own that may not write there even when the tests run as root.
    int step = 0;
    const auto check = [&](bool ok) {
      ++step;
      if (!ok) _exit(step);
    };
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    try {
      LoadPlayerList();
      check(PlayerCount == 1 && PlayerNames[0] == QStringLiteral("Kot"));
      check(LoginDir == user);
      const QString notice = LoginFolderNotice();
      check(notice.contains(ShownPath(Login())) && notice.contains(ShownPath(user)));
      LoadPlayer(0);
      GreenCount = 9;
      SavePlayer();
      check(ParsePlayerFile(ReadRaw(user + QStringLiteral("Kot.txt")), QStringLiteral("Kot"))
                .GreenCount == 9);
      check(ReadRaw(Login(QStringLiteral("Kot.txt"))) == kNewKot);
      LoadPlayer(0);  // from the user's copy now
      check(GreenCount == 9);
      WriteNewPlayer(QStringLiteral("Ola"), false);
      check(PlayerCount == 2 &&
            ReadRaw(user + QStringLiteral("_Lista_Logowania.txt")) == "Ola\r\n");
      check(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))) == "Kot\r\n");
    } catch (const std::exception& e) {
      std::fprintf(stderr, "after step %d: %s\n", step, e.what());
      _exit(99);
    }
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  mode(Login(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0)
      << "the check that failed (99: an error, 100: no user to run as)";
}

TEST_F(PlayerFiles, FailedListSaveTakesTheNewNameBackOut) {
  LoadPlayerList();
  WriteNewPlayer(QStringLiteral("Kot"), true);
  // A directory in place of the list makes its replacement fail.
  QFile::remove(Login(QStringLiteral("_Lista_Logowania.txt")));
  QDir().mkpath(Login(QStringLiteral("_Lista_Logowania.txt/x")));
  ClearPathCache();
  EXPECT_THROW(WriteNewPlayer(QStringLiteral("Pies"), true), EInOutError);
  EXPECT_EQ(PlayerCount, 1);
  EXPECT_EQ(PlayerNames[1], QString());
}

TEST_F(PlayerFiles, FullDiskDuringSaveKeepsThePreviousFile) {
  LoadPlayerList();
  WriteNewPlayer(QStringLiteral("Kot"), true);
  const QByteArray before = ReadRaw(Login(QStringLiteral("Kot.txt")));
  for (int i = 0; i < 200; ++i)
    ExerciseResults[ResultCount++] = {QStringLiteral("ULIT="), QStringLiteral("\\culture\\long name %1.fc2").arg(i), 1, 2};
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 1000;  // the file would be several kilobytes
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(SavePlayer(), EInOutError);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("Kot.txt"))), before);
  QStringList files = QDir(Login()).entryList(QDir::Files);
  files.sort();
  EXPECT_EQ(files, QStringList({"Kot.txt", "_Lista_Logowania.txt"}));
}

#ifdef __linux__
namespace {
// Kills the calling process at its first rename: a crash after the temporary
// file is complete and before it replaces the old one.
bool KillOnRename() {
  std::vector<int> calls = {
#ifdef __NR_rename
      __NR_rename,
#endif
      __NR_renameat,
#ifdef __NR_renameat2
      __NR_renameat2,
#endif
  };
  std::vector<sock_filter> f;
  f.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
  for (size_t i = 0; i < calls.size(); ++i)
    f.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(calls[i]),
                         static_cast<unsigned char>(calls.size() - i), 0));
  f.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  f.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS));
  sock_fprog prog{static_cast<unsigned short>(f.size()), f.data()};
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return false;
  return syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &prog) == 0;
}
}  // namespace

TEST_F(PlayerFiles, CrashBeforeTheRenameLeavesTheOldFileIntact) {
  LoadPlayerList();
  WriteNewPlayer(QStringLiteral("Kot"), true);
  const QByteArray before = ReadRaw(Login(QStringLiteral("Kot.txt")));
  GreenCount = 77;
  ExerciseResults[ResultCount++] = {QStringLiteral("ULIT="), QStringLiteral("\\culture\\1A.fc2"), 1, 2};
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!KillOnRename()) _exit(3);
    try {
      SavePlayer();
    } catch (...) {
      _exit(2);
    }
    _exit(0);  // the save got through without renaming: not the crash we wanted
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 3) GTEST_SKIP() << "seccomp is not available here";
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSYS) << "status " << status;

  EXPECT_EQ(ReadRaw(Login(QStringLiteral("Kot.txt"))), before);
  ClearPathCache();
  ResetSharedState();
  LoginDir = inst.ProgramDir() + QStringLiteral("\\login\\");
  LoadPlayerList();
  EXPECT_EQ(PlayerCount, 1);
  LoadPlayer(0);
  EXPECT_EQ(GreenCount, 0);
  GreenCount = 77;
  // The crash left its temporary file (and its lock, which is stale: its process is gone).
  const QStringList left = QDir(Login()).entryList(QDir::Files, QDir::Name);
  ASSERT_EQ(left.size(), 3);
  SavePlayer();  // which do not stand in the way
  LoadPlayer(0);
  EXPECT_EQ(GreenCount, 77);
  // A fresh temporary may be another game's write in progress, so it stays until it is old.
  EXPECT_EQ(QDir(Login()).entryList(QDir::Files, QDir::Name), left);
  QFile temporary(Login(left[1]));
  ASSERT_TRUE(temporary.open(QIODevice::ReadWrite));
  temporary.setFileTime(QDateTime::currentDateTimeUtc().addDays(-1),
                        QFileDevice::FileModificationTime);
  temporary.close();
  SavePlayer();
  EXPECT_EQ(QDir(Login()).entryList(QDir::Files, QDir::Name), QStringList({"Kot.txt", "_Lista_Logowania.txt"}));
}
#endif
