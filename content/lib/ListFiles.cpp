#include "lib/ListFiles.h"

#include "app/Globals.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "world/Dialogues.h"
#include "world/ExerciseList.h"

int MaxListEntries(TListKind kind) {
  return kind == TListKind::Exercises ? MaxExercises : MaxDialogues;
}

TListFile ReadListFile(const QByteArray& bytes, const QString& fileName, TListKind kind) {
  const std::vector<TListEntry> entries =
      kind == TListKind::Exercises ? ParseExerciseList(bytes, fileName).Entries : ParseDialogueList(bytes, fileName);
  TListFile list;
  list.Count = static_cast<int>(entries.size());
  // The entries follow the count line one to a line.
  for (size_t i = 0; i < entries.size(); ++i) list.Entries.push_back({entries[i].Key, entries[i].File, static_cast<int>(i) + 2});
  return list;
}

TListFile ReadListFileAt(const QString& path, TListKind kind) {
  return ReadListFile(ReadWholeFile(path), path, kind);
}

QByteArray WriteListFile(const TListFile& list, TListKind kind) {
  std::vector<TListEntry> entries;
  for (const TListFileEntry& e : list.Entries) {
    // A key of another length would shift the file name when read back.
    if (e.Key.size() != ListKeyLength)
      throw EFormatError(QStringLiteral("klucz listy musi mieć %1 znaków: '%2'").arg(ListKeyLength).arg(e.Key));
    entries.push_back({e.Key, e.File});
  }
  if (kind == TListKind::Dialogues) return FormatDialogueList(entries);
  TExerciseListFile out;
  out.Entries = entries;
  return FormatExerciseList(out);
}

bool IsExerciseKey(const QString& key) { return ScreenForKey(key) != TExerciseScreen::Unknown; }

bool IsDialogueKey(const QString& key) { return key == QLatin1String("DIAL=") || key == QLatin1String("DIAC="); }
