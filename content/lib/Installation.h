// A complete small installation: ROOT/program (with "tarvo.ini" pointing at
// ROOT/cd) and ROOT/cd. Each feature adds the files its screens read.
#pragma once

#include <QString>

#include "controls/ScreenFiles.h"

struct TInstallation {
  QString Root;
  QString ProgramDir() const { return Root + QStringLiteral("/program"); }
  QString DataRoot() const { return Root + QStringLiteral("/cd"); }
  // Where a screen's file lies in this installation.
  QString PathOf(const TScreenFile& f) const;
};

TInstallation WriteBaseInstallation(const QString& root);

// The numbered word sound `number` under `dataRoot`, as the game names it.
QString WordSoundPath(const QString& dataRoot, int number);
