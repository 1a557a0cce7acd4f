// What each child has done, for a parent or teacher: read from the player
// files through the game's own readers, printed as text or written as a page
// that any web browser shows.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "players/PlayerFile.h"

struct TChildProgress {
  QString ListedName;
  TPlayerFile Player;
  QString Problem;  // why the file could not be read; empty when it was
};

struct TProgressReport {
  QString LoginDir;
  std::vector<TChildProgress> Children;
};

// The players of the installation at `programDir` (its login folder, or the
// user's own when the installation's holds no list, as the game does).
TProgressReport ReadProgress(const QString& programDir);
QString ProgressText(const TProgressReport& report);
// A self-contained page (no scripts, no outside files): a table and a bar
// chart of the places per child.
QString ProgressHtml(const TProgressReport& report);

int RunProgress(const QStringList& args);
