// Command-line options of the game.
#pragma once

#include <QString>
#include <QStringList>

struct TStartOptions {
  QString ProgramDir;  // instead of the executable's directory
  QString DataRoot;    // instead of line 2 of "tarvo.ini"
  bool Window = false;
  bool FullScreen = false;
  int Scale = 0;  // 0: the largest whole factor that fits the display
  bool Demo = false;                // the demo installed with the game, from now on
  bool ChooseInstallation = false;  // ask for an original installation again
  bool Help = false;
  bool Version = false;
};

extern TStartOptions StartOptions;
inline constexpr int MaxScale = 16;

// Parses the arguments after the program name; on error returns false with a message.
bool ParseCommandLine(const QStringList& args, TStartOptions& out, QString& error);
QString UsageText();
