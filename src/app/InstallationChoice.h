// Which installation a start without --program-dir plays. A family that owns
// the original CD picks the folder of its installation once (the game asks at
// its first start from the menu); the answer is remembered beside the display
// mode, and --choose-installation or --demo change it later. An installation
// beside the executable comes before a remembered one, --program-dir before
// everything.
#pragma once

#include <QString>

struct TStartOptions;
struct TUserSettings;

// The demo installed with the game, for an executable in PREFIX/bin:
// PREFIX/share/tarvolin/demo/program.
QString BundledDemoDir(const QString& executableDir);
// True when `programDir` is that demo. It is shared by every user of the
// machine, so the game writes nothing there (not even when run by root).
bool IsBundledDemo(const QString& programDir, const QString& executableDir);
// Whether this run's ProgramDir is that demo (set at start-up): the player
// files and the recording then go to UserDataDir, whatever the permissions.
extern bool ProgramDirShared;

// The user's own folder for what the game writes when its program directory
// cannot take it (~/.local/share/tarvolin on Linux), shared by the game and
// the content tool; empty when the system names none.
QString UserDataDir();
// The folder the game writes `file` into: `preferred` when the program
// directory is not shared and `preferred` is (or can be made) a folder the
// game may write in, with `file` there writable or absent; otherwise
// `userFolder` ("" or ending in "/") under UserDataDir, created; `preferred`
// when there is none (the write then says what failed).
QString WritableFolder(const QString& preferred, const QString& file, const QString& userFolder);

// Empty when `dir` holds an installation the game can start on (its settings
// file and its first place, lokacje\Start.lok); otherwise why not, in Polish.
QString InstallationProblem(const QString& dir);

enum class TInstallationSource { CommandLine, BesideExecutable, Remembered, Demo, Ask };

struct TInstallationPlan {
  TInstallationSource Source = TInstallationSource::Ask;
  QString ProgramDir;  // CommandLine, Remembered, and Demo when the demo is installed
  QString Problem;     // Ask: why the remembered folder no longer serves
};

// What a start does before anything is asked.
TInstallationPlan PlanInstallation(const TStartOptions& options, const TUserSettings& saved,
                                   const QString& executableDir);

// The program directory a start from the menu plays, without asking anyone:
// where the content tool finds the installed game's players.
QString GameProgramDir(const TUserSettings& saved, const QString& executableDir);

// Called once by the program entry, with the application up: sets
// options.ProgramDir as planned, asking the parent in plain dialogs when the
// plan says so, and remembers the answer in the settings file at `settingsPath`.
void SettleInstallation(TStartOptions& options, const QString& settingsPath);
