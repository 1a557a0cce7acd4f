#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "lib/Progress.h"
#include "support/Support.h"

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// Two children and a listed name whose file is gone.
class Progress : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString login = dir_.path() + "/login";
    QDir().mkpath(login);
    WriteBytes(login + "/_Lista_Logowania.txt", FormatPlayerList({{"Ola", "Kuba", "Zosia"}, {}}));
    TPlayerFile ola = NewPlayerFile("Ola", "2026-12-01", false);
    ola.VisitCount = 5;
    ola.RedCount = 16;
    ola.GreenCount = 30;
    ola.PlaceCount[0] = 15;  // the park's diamond
    ola.PlaceCount[1] = 21;  // half of the farm
    ola.Results = {{"PREZ=", "\\culture\\1A.fc2", 1, 2}, {"KRZY=", "\\farm\\<b>.fc3", 1, 3}};
    WriteBytes(login + "/Ola.txt", FormatPlayerFile(ola));
    WriteBytes(login + "/Kuba.txt", FormatPlayerFile(NewPlayerFile("Kuba", "2026-11-30", true)));
  }
  QString ProgramDir() const { return dir_.path(); }
  QTemporaryDir dir_;
};

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

TEST_F(Progress, TextNamesEveryChildWithPointsDiamondsAndExercises) {
  const TProgressReport r = ReadProgress(ProgramDir());
  ASSERT_EQ(r.Children.size(), 3u);
  const QString text = ProgressText(r);
  for (const char* expected : {"wizyty: 5, ostatnia: 2026-12-01", "czerwone: 16, zielone: 30, diamenty: 1 z 7",
                               "Park          15 / 15  diament", "Farma         21 / 42",
                               "krzyżówka", "wizyty: 1, ostatnia: 2026-11-30"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
  EXPECT_FALSE(r.Children[2].Problem.isEmpty());
  EXPECT_TRUE(text.contains("Zosia\n  nie można odczytać:")) << text.toStdString();
}

// The page as a parent sees it: rendered by a real browser.
TEST_F(Progress, PageShowsTheTablesAndABarPerPlaceInABrowser) {
  const QString browser = QStandardPaths::findExecutable("chromium");
  ASSERT_FALSE(browser.isEmpty()) << "chromium is needed (scripts/setup.sh installs it)";
  const QString page = dir_.path() + "/progress.html";
  ASSERT_EQ(RunProgress({ProgramDir(), "--html", page}), 0);

  const QStringList common = {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                              "--disable-background-networking", "--disable-component-update", "--disable-sync",
                              "--hide-scrollbars", "--force-device-scale-factor=1", "--window-size=900,1400",
                              "--user-data-dir=" + dir_.path() + "/profile"};
  auto run = [&](const QStringList& extra) {
    QProcess p;
    p.start(browser, common + extra + QStringList{"file://" + page});
    EXPECT_TRUE(p.waitForFinished(60000));
    return p.readAllStandardOutput();
  };
  const QString dom = QString::fromUtf8(run({"--dump-dom"}));
  EXPECT_EQ(dom.count("<section class=\"child\">"), 3);
  EXPECT_TRUE(dom.contains("<td>5</td><td>2026-12-01</td><td>16</td><td>30</td><td>1 z 7</td>")) << dom.toStdString();
  EXPECT_TRUE(dom.contains("&lt;b&gt;")) << "file names are shown as text, never as markup";
  EXPECT_EQ(dom.count("<rect class=\"track\""), 14);

  run({"--screenshot=" + dir_.path() + "/shot.png"});
  const QImage shot(dir_.path() + "/shot.png");
  ASSERT_FALSE(shot.isNull());
  // Ola's park bar is whole and gold; her farm bar is blue and half as long.
  const int diamond = LongestRun(shot, qRgb(0xf0, 0xb4, 0x00));
  const int half = LongestRun(shot, qRgb(0x3b, 0x82, 0xc4));
  EXPECT_EQ(diamond, 300);
  EXPECT_EQ(half, 150);
}
