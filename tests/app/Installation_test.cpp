#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/Globals.h"
#include "app/InstallationChoice.h"
#include "app/StartOptions.h"
#include "app/UserSettings.h"
#include "lib/Writers.h"
#include "platform/Paths.h"
#include "players/PlayerFile.h"
#include "support/Support.h"

namespace {

// A prefix as the package installs it: PREFIX/bin beside PREFIX/share/tarvolin/demo/program.
struct InstalledPrefix {
  InstalledPrefix() {
    QDir().mkpath(Bin());
    QDir().mkpath(Demo() + "/lokacje");
    WriteTextLines(Demo() + "/tarvo.ini", {"[Tarvolin]", "cd=../cd"});
  }
  QString Bin() const { return dir.path() + "/bin"; }
  QString Demo() const { return dir.path() + "/share/tarvolin/demo/program"; }
  QTemporaryDir dir;
};

TStartOptions ParsedOptions(const QStringList& args) {
  TStartOptions o;
  QString error;
  EXPECT_TRUE(ParseCommandLine(args, o, error)) << error.toStdString();
  return o;
}

}  // namespace

TEST(InstallationChoice, TellsAnInstallationFromAnyOtherFolder) {
  TempInstallation inst;
  QTemporaryDir other;
  WriteTextLines(other.path() + "/TARVO.INI", {"[x]", "cd=D:\\Data"});
  QDir().mkpath(other.path() + "/LOKACJE");
  EXPECT_EQ(InstallationProblem(inst.ProgramDir()), "");
  EXPECT_TRUE(InstallationProblem(other.path() + "/nowhere").contains("nie istnieje"));
  EXPECT_TRUE(InstallationProblem(inst.DataRoot()).contains("nie ma pliku tarvo.ini"));
  EXPECT_TRUE(InstallationProblem(other.path()).contains("lokacje\\Start.lok"));
  WriteTextLines(other.path() + "/LOKACJE/start.LOK",
                 {"x"});  // any letter case, as the game reads it
  EXPECT_EQ(InstallationProblem(other.path()), "");
}

TEST(InstallationChoice, PlansWhatAStartPlaysFromOptionsAndWhatWasRemembered) {
  InstalledPrefix prefix;
  TempInstallation original;
  using S = TInstallationSource;
  const QString gone = original.Root() + "/moved-away";
  struct Case {
    const char* what;
    QStringList args;
    TUserSettings saved;
    S source;
    QString programDir;
    bool problem;
  } cases[] = {
      {"first start from the menu: ask", {}, {}, S::Ask, "", false},
      {"a picked installation",
       {},
       {-1, 0, original.ProgramDir(), 0},
       S::Remembered,
       original.ProgramDir(),
       false},
      {"a picked installation that is gone: ask again, saying why",
       {},
       {-1, 0, gone, 0},
       S::Ask,
       "",
       true},
      {"the demo was chosen", {}, {-1, 0, "", 1}, S::Demo, prefix.Demo(), false},
      {"--program-dir wins",
       {"--program-dir", "/x"},
       {-1, 0, original.ProgramDir(), 0},
       S::CommandLine,
       "/x",
       false},
      {"--demo: the way back",
       {"--demo"},
       {-1, 0, original.ProgramDir(), 0},
       S::Demo,
       prefix.Demo(),
       false},
      {"--choose-installation asks again",
       {"--choose-installation"},
       {-1, 0, "", 1},
       S::Ask,
       "",
       false},
  };
  for (const Case& c : cases) {
    const TInstallationPlan plan = PlanInstallation(ParsedOptions(c.args), c.saved, prefix.Bin());
    EXPECT_EQ(plan.Source, c.source) << c.what;
    EXPECT_EQ(QDir::cleanPath(plan.ProgramDir), QDir::cleanPath(c.programDir)) << c.what;
    EXPECT_EQ(!plan.Problem.isEmpty(), c.problem) << c.what;
  }
  // What the content tool reads when nothing was picked, or the picked installation is gone: the
  // demo.
  EXPECT_EQ(GameProgramDir({-1, 0, gone, 0}, prefix.Bin()), prefix.Demo());
  EXPECT_EQ(GameProgramDir({-1, 0, original.ProgramDir(), 0}, prefix.Bin()), original.ProgramDir());
  // An installation beside the executable comes first.
  WriteTextLines(prefix.Bin() + "/tarvo.ini", {"[x]", "cd=."});
  EXPECT_EQ(
      PlanInstallation(ParsedOptions({}), {-1, 0, original.ProgramDir(), 0}, prefix.Bin()).Source,
      S::BesideExecutable);
  EXPECT_EQ(GameProgramDir({}, prefix.Bin()), prefix.Bin());
}

TEST(InstallationChoice, IsRememberedBesideTheDisplayMode) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/tarvolin/tarvolin.conf";
  SaveUserSettings(path, {1, 2, "/media/ola/Tarvolin", 0});
  TUserSettings s = LoadUserSettings(path);
  EXPECT_EQ(s.Window, 1);
  EXPECT_EQ(s.Scale, 2);
  EXPECT_EQ(s.Installation, "/media/ola/Tarvolin");
  EXPECT_EQ(s.Demo, 0);
  s.Installation.clear();  // back to the demo
  s.Demo = 1;
  SaveUserSettings(path, s);
  s = LoadUserSettings(path);
  EXPECT_EQ(s.Installation, "");
  EXPECT_EQ(s.Demo, 1);
  EXPECT_EQ(s.Scale, 2);
}

// Root may write anywhere; the demo shared by every user still gets no players of anyone's.
TEST(InstallationChoice, TheInstalledDemoIsNeverWrittenTo) {
  InstalledPrefix prefix;
  EXPECT_TRUE(IsBundledDemo(prefix.Demo(), prefix.Bin()));
  EXPECT_TRUE(IsBundledDemo(prefix.dir.path() + "/share/tarvolin/demo/program/", prefix.Bin()));
  EXPECT_FALSE(IsBundledDemo(prefix.dir.path() + "/share/tarvolin/demo", prefix.Bin()));

  QTemporaryDir home;
  const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  ResetSharedState();
  ClearPathCache();
  ProgramDir = prefix.Demo();
  ProgramDirShared = true;
  LoginDir = ProgramDir + "\\login\\";
  LoadPlayerList();
  WriteNewPlayer("Ola", false);
  qputenv("XDG_DATA_HOME", oldXdg);
  EXPECT_EQ(LoginDir, home.path() + "/tarvolin/login/");
  EXPECT_TRUE(QFileInfo::exists(home.path() + "/tarvolin/login/Ola.txt"));
  EXPECT_FALSE(QFileInfo::exists(prefix.Demo() + "/login"));
  ResetSharedState();
}
