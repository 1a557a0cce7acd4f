#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "app/StartOptions.h"
#include "app/UserSettings.h"
#include "platform/Forms.h"
#include "support/Support.h"

TEST(CommandLine, ReadsEveryOption) {
  TStartOptions o;
  QString error;
  ASSERT_TRUE(ParseCommandLine({"--program-dir", "/p", "--data-root", "/cd", "--window", "--scale", "3"}, o, error));
  EXPECT_EQ(o.ProgramDir, "/p");
  EXPECT_EQ(o.DataRoot, "/cd");
  EXPECT_TRUE(o.Window);
  EXPECT_EQ(o.Scale, 3);
  ASSERT_TRUE(ParseCommandLine({}, o, error));
  EXPECT_EQ(o.Scale, 0);
  EXPECT_FALSE(o.Window);
  ASSERT_TRUE(ParseCommandLine({"--help"}, o, error));
  EXPECT_TRUE(o.Help);
  ASSERT_TRUE(ParseCommandLine({"--version"}, o, error));
  EXPECT_TRUE(o.Version);
}

TEST(CommandLine, RefusesWhatItDoesNotKnowWithAClearMessage) {
  const std::vector<std::pair<QStringList, QString>> bad = {
      {{"--fullscreen"}, "Unknown option '--fullscreen'"},
      {{"--scale"}, "Option --scale needs a value"},
      {{"--scale", "0"}, "--scale needs a whole number from 1 to 16, not '0'"},
      {{"--scale", "2x"}, "--scale needs a whole number from 1 to 16, not '2x'"},
      {{"--data-root"}, "Option --data-root needs a value"},
      {{"start.lok"}, "Unknown option 'start.lok'"},
      {{"--window", "--full-screen"}, "--window and --full-screen exclude each other"},
  };
  for (const auto& [args, message] : bad) {
    TStartOptions o;
    QString error;
    EXPECT_FALSE(ParseCommandLine(args, o, error)) << args.join(' ').toStdString();
    EXPECT_EQ(error, message);
  }
}

TEST(CommandLine, WinsOverTheRememberedDisplayWhichSurvivesNonsense) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/tarvolin/tarvolin.conf";
  EXPECT_EQ(LoadUserSettings(path).Window, -1);  // no file yet
  SaveUserSettings(path, {1, 3, {}, -1});
  struct Case {
    QStringList args;
    bool window;
    int scale;
  } cases[] = {
      {{}, true, 3}, {{"--full-screen"}, false, 3}, {{"--scale", "2"}, true, 2}, {{"--window"}, true, 3}};
  for (const Case& c : cases) {
    TStartOptions o;
    QString error;
    ASSERT_TRUE(ParseCommandLine(c.args, o, error));
    const TDisplayChoice d = ChooseDisplay(o, LoadUserSettings(path));
    EXPECT_EQ(d.Window, c.window) << c.args.join(' ').toStdString();
    EXPECT_EQ(d.Scale, c.scale) << c.args.join(' ').toStdString();
  }
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[display]\nwindow=perhaps\nscale=99\n");
  f.close();
  const TUserSettings s = LoadUserSettings(path);
  EXPECT_EQ(s.Window, -1);
  EXPECT_EQ(s.Scale, 0);
}

TEST(CommandLine, ARememberedScaleShrinksToTheScreenTheCommandLineOneNever) {
  struct Case {
    TDisplayChoice choice;
    QSize area;
    int scale;
  } cases[] = {
      {{false, 0, false}, {1920, 1080}, 2}, {{false, 0, false}, {2560, 1440}, 3},
      {{false, 0, false}, {1279, 960}, 1},  {{false, 0, false}, {600, 400}, 1},
      {{false, 3, true}, {1920, 1080}, 2},  {{false, 2, true}, {2560, 1440}, 2},
      {{false, 3, false}, {1920, 1080}, 3}, {{false, 3, true}, {}, 3},
      {{false, 0, false}, {}, 1},           {{true, 0, false}, {1920, 1050}, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScaleToUse(c.choice, c.area), c.scale)
        << c.choice.Scale << (c.choice.Remembered ? " remembered on " : " on ") << c.area.width()
        << "x" << c.area.height();
  TStartOptions o;
  TUserSettings three;
  three.Scale = 3;
  EXPECT_TRUE(ChooseDisplay(o, three).Remembered);
  o.Scale = 2;
  EXPECT_FALSE(ChooseDisplay(o, three).Remembered);
}

TEST(CommandLine, F11SwitchesTheStageOnAnyScreenAndReportsIt) {
  TStageForm stage;
  TForm screen(640, 480);
  std::vector<bool> heard;
  TStageForm::OnDisplayModeChanged = [&](bool windowed) { heard.push_back(windowed); };
  stage.ShowStage(true);
  screen.Show();
  for (int i = 0; i < 2; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(&screen, &press);
  }
  QKeyEvent withShift(QEvent::KeyPress, Qt::Key_F11, Qt::ShiftModifier);
  QApplication::sendEvent(&screen, &withShift);
  EXPECT_EQ(heard, (std::vector<bool>{false, true}));
  EXPECT_TRUE(stage.Windowed());
  TStageForm::OnDisplayModeChanged = nullptr;
}
