// The demo installation: the base installation (content/lib/Installation.h),
// the places, pictures and sounds other parts of the program write for it, and
// everything compiled from the readable sources in content/demo/ (see its
// README.md for the format).
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "lib/DemoSource.h"
#include "lib/Installation.h"
#include "tools/WordList.h"

struct TDemoOptions {
  QString Sources;      // the content/demo directory
  bool Speech = true;   // espeak-ng for spoken lines when installed
  bool Places = true;   // false: the installation already holds these sources' places
};

struct TDemoReport {
  int Pictures = 0, Buttons = 0, Strips = 0, Videos = 0, Sounds = 0, Spoken = 0, Places = 0, Lists = 0, Exercises = 0;
};

// The sources directory of this build's tree.
QString DefaultDemoSources();

// Compiles every source file (*.txt under `options.Sources`, in name order)
// into `inst`. Errors name the source file and line.
TDemoReport CompileDemoSources(const TInstallation& inst, const TDemoOptions& options);
// The places alone (`location` commands) of the sources in `sources`, without
// speech: the base installation's places.
void CompileDemoPlaces(const TInstallation& inst, const QString& sources);
// What compiling a lesson's commands gave: the words spoken with a
// translation (for the dictionary) and every file written, by real path,
// with the source file and line behind it.
struct TCompiledSources {
  TDemoReport Report;
  std::vector<TWordEntry> Words;
  QHash<QString, std::pair<QString, int>> Written;
};
// Compiles `nodes` into `inst` without the demo's buttons and word list;
// `taken` says which numbered sounds ("cd\words\...") belong to others.
TCompiledSources CompileSourceNodes(const TInstallation& inst,
                                    const std::vector<TSourceNode>& nodes, bool speech,
                                    const std::function<bool(const QString&)>& taken);
// The whole demo into `root`.
TDemoReport BuildDemo(const QString& root, const TDemoOptions& options);
// The whole demo in place of the folder `out`: built beside it and swapped in
// when whole, so a failed build leaves `out` as it was.
TDemoReport ReplaceWithDemo(const QString& out, const TDemoOptions& options);

// `build-demo OUT_DIR [--sources DIR] [--no-speech]`.
int RunBuildDemo(const QStringList& args);
