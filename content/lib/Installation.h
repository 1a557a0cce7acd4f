// A complete small installation: ROOT/program (with "tarvo.ini" pointing at
// ROOT/cd) and ROOT/cd. Each feature adds the files its screens read.
#pragma once

#include <QString>

#include "controls/ScreenFiles.h"

struct TInstallation {
  TInstallation() = default;
  explicit TInstallation(const QString& root) : Root(root) {}
  TInstallation(const QString& program, const QString& data) : Program(program), Data(data) {}

  QString Root;
  // Set for an installation whose two halves lie apart (an original one, or
  // a lesson's staging folders); empty: under Root.
  QString Program, Data;
  QString ProgramDir() const {
    return Program.isEmpty() ? Root + QStringLiteral("/program") : Program;
  }
  QString DataRoot() const { return Data.isEmpty() ? Root + QStringLiteral("/cd") : Data; }
  // Where a screen's file lies in this installation.
  QString PathOf(const TScreenFile& f) const;
};

// Where a screen's file lies under these roots, for writing it.
QString ScreenFilePath(const TScreenFile& f, const QString& programDir,
                       const QString& dataRoot = {});

TInstallation WriteBaseInstallation(const QString& root);

// The numbered word sound `number` under `dataRoot`, as the game names it.
QString WordSoundPath(const QString& dataRoot, int number);
