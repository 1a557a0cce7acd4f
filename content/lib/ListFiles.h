// The place's exercise list and dialogue list files as the content tool
// sees them: the game's own readers and writers (world/ExerciseList.h,
// world/Dialogues.h), with the line of each entry for the check's messages.
//
// Line 1: an 11-character label, then the number of entries. Lines 2 to N+1:
// a 5-character key, then a path under ProgramDir + "\cwicz". Exercise list
// keys are upper-cased when read; dialogue list keys stay as written.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

enum class TListKind { Exercises, Dialogues };

struct TListFileEntry {
  QString Key;
  QString File;
  int Line = 0;  // 1-based line of the entry
};

struct TListFile {
  int Count = 0;
  std::vector<TListFileEntry> Entries;  // Count entries
};

// The table's size: MaxExercises or MaxDialogues (app/Globals.h).
int MaxListEntries(TListKind kind);

// The game's errors: EConvertError for a count that is no number, EFormatError
// for a count outside 1 to the table's size or fewer entry lines than it;
// both name the file and line.
TListFile ReadListFile(const QByteArray& bytes, const QString& fileName, TListKind kind);
TListFile ReadListFileAt(const QString& path, TListKind kind);
// Keys must be five characters; EFormatError otherwise.
QByteArray WriteListFile(const TListFile& list, TListKind kind);

// The keys each list leads to a screen with.
bool IsExerciseKey(const QString& key);
bool IsDialogueKey(const QString& key);
