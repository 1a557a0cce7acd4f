#include "lib/Progress.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/UserSettings.h"
#include "lib/ListFiles.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "support/Support.h"
#include "world/LocationFile.h"

namespace {

// Points XDG_DATA_HOME and XDG_CONFIG_HOME at empty folders for one test.
class UserFolders {
 public:
  UserFolders() : data_(qgetenv("XDG_DATA_HOME")), config_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_DATA_HOME", QFile::encodeName(home_.path() + "/data"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.path() + "/config"));
  }
  ~UserFolders() {
    qputenv("XDG_DATA_HOME", data_);
    qputenv("XDG_CONFIG_HOME", config_);
  }
  QString Login() const { return home_.path() + "/data/tarvolin/login"; }

 private:
  QTemporaryDir home_;
  QByteArray data_, config_;
};

// An installation with two places that offer exercises, and four children:
// one whose file is gone and one whose name sorts differently in Polish.
class ProgressOf : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearPathCache();
    WriteLogin(dir_.path() + "/login");
    WriteTextLines(dir_.path() + "/tarvo.ini", {"[Tarvolin]", "cd=D:\\Data"});
    const QString places = dir_.path() + "/lokacje/";
    QDir().mkpath(places);
    TLocation start;
    start.Picture = "start.bmp";
    start.BackLink = "NONE";
    start.WalkSpots = {{0, 0, 10, 10, "Park.lok", "0"}, {20, 0, 30, 10, "Farma.lok", "0"}};
    SaveLocationFile(places + "Start.lok", start);
    TLocation park;
    park.Picture = "park.bmp";
    park.BackLink = "Start.lok";
    park.ExerciseListLines = 1;
    park.ExerciseListFile = "\\cwicz\\culture\\lista.txt";
    SaveLocationFile(places + "Park.lok", park);
    TLocation farm = park;
    farm.ExerciseListFile = "\\cwicz\\farm\\lista.txt";
    farm.ExerciseSpots = {{0, 0, 5, 5, "\\cwicz\\farm\\stodola.txt"}};
    SaveLocationFile(places + "Farma.lok", farm);
    WriteList("culture/lista.txt", {{"PREZ=", "\\culture\\1A.fc2", 0}});
    WriteList("farm/lista.txt", {{"PKRZ=", "\\farm\\a.fc1", 0}, {"KRZY=", "\\farm\\<b>.fc3", 0}});
    WriteList("farm/stodola.txt", {{"ULIT=", "\\farm\\c.fc2", 0}});
  }

  static void WriteLogin(const QString& login) {
    QDir().mkpath(login);
    WriteRaw(login + "/_Lista_Logowania.txt",
             FormatPlayerList({{"Ola", "Kuba", "Zosia", "Łucja"}, {}}));
    TPlayerFile ola = NewPlayerFile("Ola", "2026-12-01", false);
    ola.VisitCount = 5;
    ola.RedCount = 16;
    ola.GreenCount = 30;
    ola.PlaceCount[0] = 15;  // the park's diamond
    ola.PlaceCount[1] = 21;  // half of the farm
    ola.Results = {{"PREZ=", "\\culture\\1A.fc2", 1, 2},
                   {"KRZY=", "\\farm\\<b>.fc3", 1, 3},
                   {"MOST=", "\\town\\9.fc7", 1, 1}};
    WriteRaw(login + "/Ola.txt", FormatPlayerFile(ola));
    WriteRaw(login + "/Kuba.txt", FormatPlayerFile(NewPlayerFile("Kuba", "2026-11-30", true)));
    TPlayerFile lucja = NewPlayerFile("Łucja", "2026-12-03", false);
    lucja.GreenCount = 40;
    WriteRaw(login + "/Łucja.txt", FormatPlayerFile(lucja));
  }

  void WriteList(const QString& name, const std::vector<TListFileEntry>& entries) {
    const QString path = dir_.path() + "/cwicz/" + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    TListFile list{static_cast<int>(entries.size()), entries};
    WriteRaw(path, WriteListFile(list, TListKind::Exercises));
  }

  QString ProgramDir() const { return dir_.path(); }
  QTemporaryDir dir_;
};

QStringList Names(const std::vector<const TChildProgress*>& children) {
  QStringList names;
  for (const TChildProgress* c : children) names << c->ListedName;
  return names;
}

// The longest run of `colour` on any row of the picture.
int LongestRun(const QImage& img, QRgb colour) {
  int best = 0;
  for (int y = 0; y < img.height(); ++y) {
    int run = 0;
    for (int x = 0; x < img.width(); ++x) {
      run = (img.pixel(x, y) & 0xffffff) == (colour & 0xffffff) ? run + 1 : 0;
      best = std::max(best, run);
    }
  }
  return best;
}

}  // namespace

TEST_F(ProgressOf, NamesPlacesAndExercisesFromTheInstallationsOwnPlacesAndLists) {
  const TProgressReport r = ReadProgress(ProgramDir());
  ASSERT_EQ(r.Children.size(), 4u);
  EXPECT_FALSE(r.Children[2].Problem.isEmpty());
  const QString text = ProgressText(r);
  for (const char* expected :
       {"Park          15 / 15  diament",  // the location's name, not a label of ours
        "Farma         21 / 42",
        "Dom            0 / 34",  // no place of this installation offers the house's exercises
        "Park         prezentacja (1. z 1)",
        "Farma        krzyżówka (lista, 2. z 2)",  // the farm has two lists: which one is said
        "Miasto       wybór ze słuchu ",  // listed nowhere: its kind and its counter's place
        "wizyty: 5, ostatnia: 2026-12-01", "Zosia\n  nie można odczytać:"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                            << text.toStdString();
  EXPECT_FALSE(text.contains("\\culture\\1A.fc2")) << "a parent reads names, not paths";
}

TEST_F(ProgressOf, TheGroupSortsByNamePointsDiamondsAndLastVisitAndGoesToASpreadsheet) {
  const TProgressReport r = ReadProgress(ProgramDir());
  const std::pair<TClassOrder, QStringList> orders[] = {
      {TClassOrder::Name,
       {"Kuba", "Łucja", "Ola", "Zosia"}},  // Polish order: Ł after L, not after Z
      {TClassOrder::Points, {"Łucja", "Ola", "Kuba", "Zosia"}},
      {TClassOrder::Diamonds, {"Ola", "Łucja", "Kuba", "Zosia"}},
      {TClassOrder::LastVisit, {"Łucja", "Ola", "Kuba", "Zosia"}},
  };
  for (const auto& [order, names] : orders) EXPECT_EQ(Names(SortedChildren(r, order)), names);

  const QStringList csv = QString::fromUtf8(ProgressCsv(r, TClassOrder::Points)).split("\r\n");
  ASSERT_EQ(csv.size(), 6) << "four rows and a final line end";
  EXPECT_EQ(csv[0],
            QString::fromUtf8(
                "\uFEFFimię;punkty zielone;punkty czerwone;diamenty;wizyty;ostatnia wizyta;uwagi"));
  EXPECT_EQ(csv[1], QString::fromUtf8("Łucja;40;0;0;1;2026-12-03;"));
  EXPECT_EQ(csv[2], "Ola;30;16;1;5;2026-12-01;");
  EXPECT_TRUE(csv[4].startsWith(QString::fromUtf8("Zosia;;;;;;\"nie można odczytać:")) ||
              csv[4].startsWith(QString::fromUtf8("Zosia;;;;;;nie można odczytać:")))
      << csv[4].toStdString();
  EXPECT_EQ(csv[5], "");

  QTemporaryDir out;
  ASSERT_EQ(RunProgress({ProgramDir(), "--sort", "diamonds", "--csv", out.filePath("klasa.csv")}),
            0);
  QFile file(out.filePath("klasa.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), ProgressCsv(r, TClassOrder::Diamonds));
  EXPECT_EQ(RunProgress({ProgramDir(), "--sort", "age"}), 2);
}

// Without arguments the tool reads what the game the family starts from the
// menu writes: the picked installation's players, or else the user's own.
TEST_F(ProgressOf, WithoutArgumentsReadsThePlayersOfTheGameAsStartedFromTheMenu) {
  UserFolders home;
  try {
    RunProgress({});
    ADD_FAILURE() << "no list anywhere must be an error";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message.startsWith(QString::fromUtf8("Nie znaleziono listy graczy")))
        << e.Message.toStdString();
    EXPECT_TRUE(e.Message.contains(ShownPath(home.Login()))) << e.Message.toStdString();
  }
  QTemporaryDir out;
  auto listedBy = [&]() {
    EXPECT_EQ(RunProgress({"--csv", out.filePath("a.csv")}), 0);
    QFile file(out.filePath("a.csv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
  };
  WriteRaw(home.Login() + "/_Lista_Logowania.txt", FormatPlayerList({{"Staś"}, {}}));
  WriteRaw(home.Login() + "/Staś.txt", FormatPlayerFile(NewPlayerFile("Staś", "2026-12-07", true)));
  EXPECT_TRUE(listedBy().contains(QString::fromUtf8("\r\nStaś;0;0;0;1;2026-12-07;")));

  SaveUserSettings(UserSettingsPath(), {-1, 0, ProgramDir(), 0});
  const QString picked = listedBy();
  EXPECT_TRUE(picked.contains("\r\nOla;30;16;1;5;2026-12-01;")) << picked.toStdString();
  EXPECT_FALSE(picked.contains(QString::fromUtf8("Staś")));
}

// The page as a parent sees it on a computer and on a phone: rendered by a real browser.
TEST_F(ProgressOf, PageShowsTheGroupTheLegendAndBarsThatFitAPhone) {
  const QString browser = QStandardPaths::findExecutable("chromium");
  ASSERT_FALSE(browser.isEmpty()) << "chromium is needed (scripts/setup.sh installs it)";
  const QString page = dir_.path() + "/progress.html";
  ASSERT_EQ(RunProgress({ProgramDir(), "--html", page}), 0);

  auto run = [&](int width, const QStringList& extra) {
    QProcess p;
    p.start(browser,
            QStringList{"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                        "--disable-background-networking", "--disable-component-update",
                        "--disable-sync", "--hide-scrollbars", "--force-device-scale-factor=1",
                        QString("--window-size=%1,2400").arg(width),
                        "--user-data-dir=" + dir_.path() + "/profile"} +
                extra + QStringList{"file://" + page});
    EXPECT_TRUE(p.waitForFinished(60000));
    return p.readAllStandardOutput();
  };
  const QString dom = QString::fromUtf8(run(1280, {"--dump-dom"}));
  EXPECT_EQ(dom.count("<section class=\"child\""), 4);
  EXPECT_EQ(dom.count("<div class=\"by by-"), 4) << "one class table per order";
  EXPECT_TRUE(dom.contains(QString::fromUtf8("Punkty czerwone</b>: ile różnych ćwiczeń")))
      << "the legend";
  EXPECT_TRUE(dom.contains(QString::fromUtf8("Stan na "))) << "the date it was made";
  EXPECT_TRUE(dom.contains("name=\"viewport\""));
  EXPECT_TRUE(dom.contains("&lt;b&gt;")) << "file names are shown as text, never as markup";
  const qsizetype byPoints = dom.indexOf("by by-points");
  EXPECT_LT(dom.indexOf(QString::fromUtf8(">Łucja<"), byPoints), dom.indexOf(">Ola<", byPoints));

  // Ola's park bar is whole and gold, her farm bar blue and half as long, on both screens.
  for (int width : {1280, 390}) {
    const QString shot = dir_.path() + QString("/shot-%1.png").arg(width);
    run(width, {"--screenshot=" + shot});
    const QImage img(shot);
    ASSERT_FALSE(img.isNull());
    const int gold = LongestRun(img, qRgb(0xf0, 0xb4, 0x00)),
              blue = LongestRun(img, qRgb(0x3b, 0x82, 0xc4));
    EXPECT_GT(gold, 150) << width;
    EXPECT_LT(gold, width - 160) << width << ": the bar leaves room for the place's name and count";
    EXPECT_NEAR(blue * 2, gold, 3) << width;
  }
}
