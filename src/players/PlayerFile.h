// The player list and the player files: their line layouts, and the routines
// that move them between disk and the shared player state.
//
// Both are Windows-1250 text with CR LF line ends, always rewritten whole and
// atomically (a crash or a full disk during a save leaves the previous file).
//
// Where they live (LoginDir): ProgramDir\login\ as installed. When that
// directory cannot be created or written (a system-wide installation, a
// read-only medium), LoadPlayerList switches LoginDir to "login/" under the
// user's data directory (QStandardPaths::AppDataLocation, on Linux
// ~/.local/share/tarvolin/login/) for the rest of the run.
//
// Limits: the list holds at most 499 names and a player at most 1500 results.
// Names or result lines beyond them are read up to the limit and the rest is
// kept as read and written back after the others at the next save, up to as
// many again (ExtraLineLimit): a file edited by hand keeps what it had, and a
// flood of lines costs no more than that. No player can be added while the
// list holds 499 names. A save that would make a file larger than the
// readers take leaves those extra lines out, and fails rather than write a
// file that could not be read back.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "app/Globals.h"

constexpr int MaxListedPlayers = MaxPlayers - 1;
// How many lines past its limit each file keeps as read.
constexpr int ExtraNameLimit = MaxListedPlayers;
constexpr int ExtraResultLimit = MaxResults;

// A player file's content.
struct TPlayerFile {
  QString Name;
  QString LastPlayDate;
  int VisitCount = 0;
  int RedCount = 0;
  int GreenCount = 0;
  QString Sex;
  std::array<int, PlaceTotal> PlaceCount{};
  std::vector<TExerciseResult> Results;  // at most MaxResults
  QStringList ExtraLines;  // result lines past the limit, as read; at most ExtraResultLimit
};

struct TPlayerList {
  QStringList Names;       // at most MaxListedPlayers, blank lines skipped
  QStringList ExtraLines;  // names past the limit, as read; at most ExtraNameLimit
};

// EFormatError or EConvertError naming `fileName` and the line.
TPlayerFile ParsePlayerFile(const QByteArray& bytes, const QString& fileName);
// Records whose Key is blank are left out.
QByteArray FormatPlayerFile(const TPlayerFile& player);
// A player who has never played: one visit today, every counter 0.
TPlayerFile NewPlayerFile(const QString& name, const QString& date, bool boy);

TPlayerList ParsePlayerList(const QByteArray& bytes);
QByteArray FormatPlayerList(const TPlayerList& list);

// Empty when `name` can be a player's file name on every platform we run on
// and can be written in Windows-1250; otherwise why not, in Polish.
QString NicknameProblem(const QString& name);
// Empty unless the file of `name`, a name already on the list or in a
// player's header, would lie outside LoginDir, be the list itself
// ("_Lista_Logowania" in any case) or, with a NUL, another file; otherwise
// why, in Polish. Names written before a check was tightened
// ("Kuba.") must keep signing in, so only this much is refused for them.
QString ListedNameProblem(const QString& name);
// Empty when a player `name` (not yet on the list) can be added; otherwise why
// not, in Polish: a full list, an impossible file name, or a file system that
// would take the name for another player's differing only in letter case.
QString NewPlayerProblem(const QString& name);

// LoginDir when it can be used for writing, else the user's data directory's
// "login/" (see above). Creates the directory it returns.
QString ChooseLoginDir(const QString& preferred);
QString PlayerListPath();
QString PlayerFilePath(const QString& name);

// Fills PlayerNames and PlayerCount from the list, creating the login
// directory and an empty list when there is none (switching LoginDir first
// when the program's directory is read-only).
void LoadPlayerList();
// Writes PlayerNames 0 .. PlayerCount - 1 (and the names past the limit).
// EInOutError when the list on disk was not read by LoadPlayerList first.
void SavePlayerList();
// Reads the file of PlayerNames[i] into the shared player state; the state is
// unchanged when the file cannot be read or is broken. An index outside the
// list or an empty slot does nothing.
void LoadPlayer(int i);
// Writes the shared player state to PlayerName's file.
void SavePlayer();
// The file step of creating a player: writes the new player's file under its
// exact name, sets PlayerName, LastPlayDate, VisitCount and PlayerSex, and
// adds the name to the list and saves it. The list is unchanged if a write fails.
void WriteNewPlayer(const QString& name, bool boy);
