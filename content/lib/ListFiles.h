// The place's exercise list and dialogue list files. The game's exercise
// dispatch and dialogue screen read these themselves once they exist; until
// then the content tool reads and writes them here, by the same layout, and
// these move next to their screens (src/world) when those land.
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
