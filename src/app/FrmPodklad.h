// The background screen: the black stage behind every other screen. Its
// creation finds the program directory and the data root; its showing hands
// over to the player selection screen.
#pragma once

#include "platform/Forms.h"

class TPodkladFrm : public TStageForm {
 public:
  TPodkladFrm();
  void FormCreate() override;
  void FormShow() override;
  void FormKeyDown(int& key, TShiftState shift) override;
  void FormDragOver(QWidget* source, int x, int y, TDragState state, bool& accept) override;
  void FormDragDrop(QWidget* source, int x, int y) override;

  // Store of the shared exercise background; never shown.
  TImage* Image1 = nullptr;
};

extern TPodkladFrm* PodkladFrm;

// The program directory for an executable path: up to the last separator,
// without it ("/" for "/tarvolin" gives "").
QString ProgramDirOf(const QString& executablePath);
// Where the installed files are when no --program-dir is given: beside the
// executable, or else the demo installed with it (PREFIX/share/tarvolin/demo).
QString DefaultProgramDir(const QString& executableDir);
// The settings file of a program directory ("/tarvo.ini" for the root's empty one).
QString SettingsFilePath(const QString& programDir);
// Line 2 of the settings file without its first three characters, trimmed; empty when unreadable.
QString ReadDataRoot(const QString& programDir);
// Why the settings file names no data root (missing, unreadable, no line 2
// or an empty one), naming the file; empty when it names one.
QString SettingsFileProblem(const QString& programDir);
// The data root to use: `given` (--data-root) or the settings file's, looked
// for on the mounted volumes when it is not there; stderr says where.
QString FindDataRootAtStart(const QString& programDir, const QString& given);
// True when the display's text scale is not the one our fixed 96-DPI layout assumes.
bool DisplayHasLargeFonts();
