// Program entry: options, display scale, the screens, the message loop.
#include <cstdio>

#include "app/DisplayProbe.h"
#include "app/FrmPodklad.h"
#include "app/InstallationChoice.h"
#include "app/Screens.h"
#include "app/Shared.h"
#include "app/StartOptions.h"
#include "app/UserSettings.h"
#include "platform/Application.h"
#include "platform/AudioEngine.h"

namespace {

// When the display connection breaks (the X server dies, a remote session
// drops) Qt warns and ends the program with exit() at once; the signed-in
// player is saved when that warning comes, while everything still stands
// (handlers run by exit() would meet objects already destroyed).
QtMessageHandler g_qtMessages = nullptr;
void SaveWhenTheDisplayIsLost(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
  if ((type == QtWarningMsg || type == QtFatalMsg) &&
      message.contains(QLatin1String("connection broke")))
    SaveProgressSoFar();
  if (g_qtMessages) g_qtMessages(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  QString error;
  if (!ParseCommandLine(args, StartOptions, error)) {
    std::fprintf(stderr, "tarvolin: %s\n%s", qPrintable(error), qPrintable(UsageText()));
    return 2;
  }
  if (StartOptions.Help) {
    std::printf("%s", qPrintable(UsageText()));
    return 0;
  }
  if (StartOptions.Version) {
    std::printf("tarvolin %s\n", TARVOLIN_VERSION);
    return 0;
  }

  // The command line's choices are remembered for the next start.
  const QString settingsPath = UserSettingsPath();
  TUserSettings saved = LoadUserSettings(settingsPath);
  const TDisplayChoice display = ChooseDisplay(StartOptions, saved);
  if (StartOptions.Window || StartOptions.FullScreen || StartOptions.Scale > 0) {
    saved.Window = display.Window ? 1 : 0;
    if (StartOptions.Scale > 0) saved.Scale = StartOptions.Scale;
    SaveUserSettings(settingsPath, saved);
  }
  SetUpDisplayScale(display, argc, argv);

  // Ctrl+C, SIGTERM and SIGHUP end the game like closing it, saving first; SDL must not take them
  // over.
  if (qEnvironmentVariableIsEmpty("SDL_NO_SIGNAL_HANDLERS")) qputenv("SDL_NO_SIGNAL_HANDLERS", "1");
  TApplication app(argc, argv);
  EndDisplayProbe();
  app.EndOnSignals();
  app.Windowed = display.Window;
  SettleInstallation(StartOptions, settingsPath);
  if (app.Terminated()) return 0;
  // The sound device opens once the first picture is up (CreateScreens):
  // opening it costs more than the sign-in's paint, and a greeting started
  // meanwhile waits for it.
  Audio::Expect();
  struct AudioGuard {
    ~AudioGuard() { Audio::Shutdown(); }
  } audioGuard;
  TStageForm::OnDisplayModeChanged = [settingsPath](bool windowed) {
    TUserSettings s = LoadUserSettings(settingsPath);
    s.Window = windowed ? 1 : 0;
    SaveUserSettings(settingsPath, s);
  };
  g_qtMessages = qInstallMessageHandler(SaveWhenTheDisplayIsLost);
  CreateScreens();
  if (app.Terminated()) return 1;
  PodkladFrm->ShowStage(display.Window);
  if (app.Terminated()) return 0;
  return app.exec();
}
