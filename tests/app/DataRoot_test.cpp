#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/DataRootSearch.h"
#include "app/FrmPodklad.h"
#include "app/Globals.h"
#include "lib/Writers.h"
#include "platform/Application.h"
#include "platform/Paths.h"
#include "support/Support.h"

namespace {

// Folders standing for /media/USER with volumes mounted in it.
class Volumes : public ::testing::Test {
 protected:
  void SetUp() override { ClearPathCache(); }
  void TearDown() override {
    VolumeRoots = DefaultVolumeRoots();
    Application()->ClearTerminated();
  }
  QString Mount(const QString& volume, const QString& dataFolder) {
    const QString path = media() + "/" + volume + (dataFolder.isEmpty() ? "" : "/" + dataFolder);
    QDir().mkpath(path + "/LOKACJE");
    return path;
  }
  QString media() const { return dir_.path() + "/media/ola"; }
  QTemporaryDir dir_;
};

}  // namespace

TEST_F(Volumes, TheConfiguredFolderIsLookedForOnEveryVolume) {
  Mount("USBSTICK", "");  // no data folder of ours: passed over, since it has no places
  QDir().mkpath(media() + "/USBSTICK/Data");
  QDir().rmdir(media() + "/USBSTICK/LOKACJE");
  const QString cd = Mount("TARVOLIN_CD", "DATA");
  struct Case {
    QString configured, given, found;
  } cases[] = {
      {"D:\\Data", "", cd},                // a drive of another system, any letter case
      {"/media/cdrom0/Data", "", cd},      // a mount point that is gone: its last folder
      {"E:\\", "", ""},                    // the volume root itself holds no places
      {"D:\\Data", media() + "/TARVOLIN_CD", cd},  // --data-root names the mounted image
      {"D:\\Nowhere", "", ""},
  };
  for (const Case& c : cases) {
    const TDataRootSearch s = SearchDataRoot(c.configured, c.given, c.given.isEmpty() ? QStringList{media()} : QStringList{});
    EXPECT_EQ(QDir::cleanPath(s.Found), QDir::cleanPath(c.found)) << c.configured.toStdString();
    if (c.found.isEmpty()) {
      EXPECT_TRUE(s.Looked.contains(media() + "/USBSTICK")) << c.configured.toStdString();
      EXPECT_TRUE(s.Looked.contains(media() + "/TARVOLIN_CD")) << c.configured.toStdString();
    }
  }
  // A folder with nothing mounted in it, or none at all, is named among the places looked in.
  const QString nothing = dir_.path() + "/run/media/ola";
  EXPECT_EQ(SearchDataRoot("D:\\Data", "", {nothing}).Looked, QStringList{nothing});
}

TEST_F(Volumes, StartUpFindsTheMountedCdOrEndsWithTheMessageAndTheListOfPlaces) {
  TempInstallation inst;
  MessageRecorder boxes;
  const QString cd = media() + "/CDROM/Data";
  QDir().mkpath(media() + "/CDROM");
  ASSERT_TRUE(QDir().rename(inst.DataRoot(), cd));
  WriteTextLines(inst.ProgramDir() + "/tarvo.ini", {"[x]", "cd=D:\\Data"});
  VolumeRoots = {media()};
  {
    GameScreens game(inst.ProgramDir());
    EXPECT_FALSE(Application()->Terminated());
    EXPECT_EQ(DataRoot, cd);
    EXPECT_TRUE(boxes.Messages.empty());
  }
  VolumeRoots = {dir_.path() + "/empty"};
  GameScreens game(inst.ProgramDir());
  EXPECT_TRUE(Application()->Terminated());
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_TRUE(boxes.Messages[0].Text.startsWith("Nie mogę znaleźć płyty CD"));
}

TEST(InstalledGame, StartsOnTheBundledDemoUnlessAnInstallationIsBesideIt) {
  QTemporaryDir prefix;
  const QString bin = prefix.path() + "/bin", demo = prefix.path() + "/share/tarvolin/demo/program";
  QDir().mkpath(bin);
  EXPECT_EQ(DefaultProgramDir(bin), bin);  // nothing anywhere: the executable's own directory
  QDir().mkpath(demo);
  WriteTextLines(demo + "/tarvo.ini", {"[x]", "cd=/x"});
  EXPECT_EQ(DefaultProgramDir(bin), demo);
  WriteTextLines(bin + "/tarvo.ini", {"[x]", "cd=/x"});
  EXPECT_EQ(DefaultProgramDir(bin), bin);
}

TEST(InstalledGame, ARelativeDataRootCountsFromTheProgramDirectory) {
  const std::pair<QString, QString> cases[] = {
      {"../cd", "/usr/share/tarvolin/demo/cd"}, {"..\\cd", "/usr/share/tarvolin/demo/cd"},
      {"D:\\Data", "D:\\Data"},                {"/media/cd", "/media/cd"},
      {"", ""}};
  for (const auto& [configured, anchored] : cases)
    EXPECT_EQ(AnchoredDataRoot(configured, "/usr/share/tarvolin/demo/program"), anchored);
}
