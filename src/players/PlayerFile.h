// The player list and the player files: their line layouts, and the routines
// that move them between disk and the shared player state.
//
// Both are Windows-1250 text with CR LF line ends, always rewritten whole and
// atomically (a crash or a full disk during a save leaves the previous file).
//
// A class may play from one installation on a network folder, so LoginDir is
// shared by many games at once. Every change there happens under the
// folder's lock (TFolderLock): take it, read the file as it is now, apply
// this game's own change, write atomically, release. So a new player adds
// one name to the list as it is now, and a save adds this session's progress
// to the player file as it is now (MergePlayerFile), never writing back a
// copy read earlier. A player file missing from the list (a game that died
// between the two writes) is put back on the list when it is read, and no
// player is ever created over an existing file.
//
// Where they live (LoginDir): ProgramDir\login\ as installed. When that
// directory cannot be created or written (a system-wide installation, a
// read-only medium, a share read-only for pupils), LoadPlayerList switches
// LoginDir to "login/" under the user's data directory
// (UserDataDir(), on Linux ~/.local/share/tarvolin/login/)
// for the rest of the run. An installation's login folder that exists but
// cannot be written stays readable (ReadOnlyLoginDir): its players are listed
// with the user's own, a player's file is read from LoginDir when it is there
// and from the installation otherwise, and the sign-in says where progress
// goes (LoginFolderNotice).
//
// Limits: the list holds at most 499 names and a player at most 1500 results.
// Names or result lines beyond them are kept as read and written back after
// the others, up to as many again (ExtraLineLimit): a file edited by hand
// keeps what it had, and a flood of lines costs no more than that. No player
// can be added while the list holds 499 names. A save that would make a file
// larger than the readers take leaves those extra lines out, and fails rather
// than write a file that could not be read back.
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
// Where `name`'s file is written: LoginDir.
QString PlayerFilePath(const QString& name);
// Where it is read: LoginDir, or ReadOnlyLoginDir when only that has it.
QString PlayerReadPath(const QString& name);
// Empty, or in Polish where progress is written while the installation's
// players are read from a folder the game cannot write.
QString LoginFolderNotice();

// `current` (the player file as it is now) with the changes this session
// made since `base` (the file as this game last read or wrote it) applied to
// it; `session` is the session's own state. See the rule per field beside
// the definition.
TPlayerFile MergePlayerFile(const TPlayerFile& base, const TPlayerFile& session,
                            const TPlayerFile& current);

// Fills PlayerNames and PlayerCount from the list, creating the login
// directory and an empty list when there is none (switching LoginDir first
// when the program's directory is read-only). Player files in the folder
// whose names the list lacks are put back on it.
void LoadPlayerList();
// Adds the names of PlayerNames 0 .. PlayerCount - 1 that the list on disk
// lacks to it, under the lock, and then holds the list as it is now.
void SavePlayerList();
// Reads the file of PlayerNames[i] into the shared player state; the state is
// unchanged when the file cannot be read or is broken. An index outside the
// list or an empty slot does nothing.
void LoadPlayer(int i);
// Adds this session's progress to PlayerName's file as it is now (under the
// lock) and takes the result as the shared player state.
void SavePlayer();
// The file step of creating a player: under the lock, refuses a name the
// list now holds or whose file exists (putting that file's name back on the
// list), writes the new player's file under its exact name, adds the name to
// the list; then sets PlayerName, LastPlayDate, VisitCount and PlayerSex. The
// list is unchanged if a write fails.
void WriteNewPlayer(const QString& name, bool boy);
