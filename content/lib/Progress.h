// What each child has done, for a parent or teacher: read from the player
// files through the game's own readers, printed as text, written as a page
// that any web browser shows, or as a table for a spreadsheet.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "players/PlayerFile.h"

struct TChildProgress {
  QString ListedName;
  TPlayerFile Player;
  QString Problem;  // why the file could not be read; empty when it was
};

// Where an exercise is offered: the place whose location file names its
// list, which list, and where in it.
struct TExerciseWhere {
  QString Place;  // the location file's name without ".lok"
  QString List;   // the list file's name without its extension
  int Index = 0;  // 1-based
  int Count = 0;
  bool PlaceHasOtherLists = false;
};

struct TProgressReport {
  QString LoginDir;
  QDateTime Made;
  std::vector<TChildProgress> Children;
  // The name of each place counter: from the installation's places where
  // one of them offers that place's exercises, otherwise a fixed label.
  std::array<QString, PlaceTotal> PlaceNames;
  // By exercise: key (upper-cased) + "\n" + file, as the results store them.
  QHash<QString, TExerciseWhere> Exercises;
};

// The players of the installation at `programDir`: its login folder, or the
// user's own (UserDataDir) when the installation holds no list or is the demo
// installed with the game, as the game does. EInOutError in Polish naming
// both places when neither has a list.
TProgressReport ReadProgress(const QString& programDir);

// The class in one table: by name (the default), by points, by diamonds or by
// the last visit (newest first).
enum class TClassOrder { Name, Points, Diamonds, LastVisit };
std::vector<const TChildProgress*> SortedChildren(const TProgressReport& report, TClassOrder order);

QString ProgressText(const TProgressReport& report, TClassOrder order = TClassOrder::Name);
// A self-contained page (no scripts, no outside files) that fits a phone:
// the class table, switchable between the four orders, and per child a
// table, a bar per place and the exercises done.
QString ProgressHtml(const TProgressReport& report);
// The class table for a spreadsheet: UTF-8 with a byte-order mark,
// semicolons between fields (what spreadsheets in Polish expect), CR LF.
QByteArray ProgressCsv(const TProgressReport& report, TClassOrder order = TClassOrder::Name);

// `progress [PROGRAM_DIR] [--html FILE] [--csv FILE|-] [--sort ORDER]`;
// without PROGRAM_DIR the installation the game starts from the menu.
int RunProgress(const QStringList& args);
QString ProgressUsage();
