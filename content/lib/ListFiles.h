// The place's exercise list and dialogue list files as the content tool
// sees them: the game's own readers and writers (world/ExerciseList.h), with
// the line of each entry for the check's messages. The dialogue list is read
// here by the same layout until the dialogue screen's reader lands.
//
// Line 1: an 11-character label, then the number of entries. Lines 2 to N+1:
// a 5-character key, then a path under ProgramDir + "\cwicz". Exercise list
// keys are upper-cased when read; dialogue list keys stay as written.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

enum class TListKind { Exercises, Dialogues };

constexpr int MaxExerciseListEntries = 70;
constexpr int MaxDialogueListEntries = 20;

struct TListFileEntry {
  QString Key;
  QString File;
  int Line = 0;  // 1-based line of the entry
};

struct TListFile {
  int Count = 0;
  std::vector<TListFileEntry> Entries;  // Count entries; missing lines read empty
};

int MaxListEntries(TListKind kind);

// EConvertError for a bad count, EFormatError for a count outside 1 to the
// table's size; both name the file and line 1.
TListFile ReadListFile(const QByteArray& bytes, const QString& fileName, TListKind kind);
TListFile ReadListFileAt(const QString& path, TListKind kind);
// Keys must be five characters; EFormatError otherwise.
QByteArray WriteListFile(const TListFile& list, TListKind kind);

// The keys each list leads to a screen with.
bool IsExerciseKey(const QString& key);
bool IsDialogueKey(const QString& key);
