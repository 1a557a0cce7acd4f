// `tarvolin-content check`: walks an installation the way the game does,
// from the settings file and "Start.lok" through every place, list and
// exercise file reachable, and every picture, strip, video and sound they
// name, plus the files each screen declares it opens by name. Problems are
// reported as "file:line: message": errors where the game would stop with an
// error box, warnings where it goes on (a missing sound is skipped silently).
#pragma once

#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "controls/ScreenFiles.h"
#include "lib/ListFiles.h"

struct TProblem {
  bool Error = true;
  QString File;
  int Line = 0;
  QString Message;
  QString Text() const;  // "file:line: message" ("warning: " before a warning's message)
};

// Where something is named: a file and its 1-based line (0: the whole file).
struct TWhere {
  QString File;
  int Line = 0;
};

class TInstallationCheck {
 public:
  // `dataRoot` empty: line 2 of the program directory's "tarvo.ini".
  TInstallationCheck(const QString& programDir, const QString& dataRoot = {});
  void Run();

  const std::vector<TProblem>& Problems() const { return problems_; }
  int Errors() const;
  int Warnings() const;
  const QStringList& PlacesVisited() const { return placeOrder_; }
  int ListsChecked() const { return static_cast<int>(lists_.size()); }
  int FilesChecked() const { return static_cast<int>(seen_.size()); }

  // Checks of an exercise or dialogue data file by its list key, given the
  // full path and the list entry that names it. Formats register here as
  // their readers land (see Check.cpp).
  using TEntryCheck = std::function<void(TInstallationCheck&, const QString& path, const TListFileEntry& entry, const TWhere& where)>;
  static std::map<QString, TEntryCheck>& EntryChecks();

  // For the entry checks: report, and require or want files.
  void Error(const TWhere& where, const QString& message);
  void Warning(const TWhere& where, const QString& message);
  // Each returns whether the file is usable; the file is decoded once however
  // often it is named, and reported at every line that names it.
  bool NeedPicture(const QString& path, const TWhere& where, const QString& what, QSize* size = nullptr);
  bool NeedVideo(const QString& path, const TWhere& where, const QString& what);
  bool NeedFile(const QString& path, const TWhere& where, const QString& what);
  void WantSound(const QString& path, const TWhere& where, const QString& what);
  // Files a screen declares (controls/ScreenFiles.h): pictures, strips and
  // videos are needed, pictures and strips warned about when smaller than the
  // screen shows them; sounds are wanted. Each is reported at `where`, or
  // without one at the file itself.
  void NeedScreenFiles(std::span<const TScreenFile> files, const TWhere& where = {});
  // A list file named relative to the program directory (checked once).
  void CheckList(const QString& name, TListKind kind, const TWhere& where);
  const QString& ProgramDir() const { return programDir_; }
  const QString& DataRoot() const { return dataRoot_; }
  // A path for messages: the real file where it exists, else as spelled.
  static QString Shown(const QString& path);

 private:
  struct TFileState {
    bool Exists = false;
    QString Error;  // why it cannot be used, empty when it can
    QSize Size;
  };
  const TFileState& Probe(const QString& path, int kind);
  bool Settings();
  void ScreenFiles();
  void Alphabet();
  void Buttons();
  void Places();
  void CheckPlace(const QString& name, const TWhere& from, QStringList& queue, QHash<QString, TWhere>& origins);
  void Players();
  void Songs();
  void NameLessonLines();

  QString programDir_, dataRoot_;
  bool dataRootGiven_ = false;
  std::vector<TProblem> problems_;
  QHash<QString, TFileState> seen_;
  QSet<QString> lists_;
  QStringList placeOrder_;
};

// The checks of the exercise and dialogue formats (CheckExercises.cpp).
void AddExerciseChecks(std::map<QString, TInstallationCheck::TEntryCheck>& checks);
// "MOST=" (CheckListeningChoice.cpp).
void CheckListeningChoice(TInstallationCheck& check, const QString& path,
                          const TListFileEntry& entry, const TWhere& where);

// The dictionary's word list: it must read; an entry whose spoken word is
// missing is a warning (the dictionary stays silent), as are lines past its
// room (CheckDictionary.cpp).
void CheckWordList(TInstallationCheck& check);

// `check PROGRAM_DIR [DATA_ROOT]`: prints the problems; 1 when there is an error.
int RunCheck(const QStringList& args);
