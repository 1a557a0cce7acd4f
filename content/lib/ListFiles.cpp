#include "lib/ListFiles.h"

#include "platform/Errors.h"
#include "world/ExerciseList.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

namespace {
constexpr int kCountLabel = 11, kKeyLength = 5;
}

int MaxListEntries(TListKind kind) {
  return kind == TListKind::Exercises ? MaxExerciseListEntries : MaxDialogueListEntries;
}

TListFile ReadListFile(const QByteArray& bytes, const QString& fileName, TListKind kind) {
  if (kind == TListKind::Exercises) {
    const TExerciseListFile read = ParseExerciseList(bytes, fileName);
    TListFile list;
    list.Count = static_cast<int>(read.Entries.size());
    for (size_t i = 0; i < read.Entries.size(); ++i)
      list.Entries.push_back({read.Entries[i].Key, read.Entries[i].File, static_cast<int>(i) + 2});
    return list;
  }
  TTextReader in(bytes, fileName);
  TListFile list;
  QString first = in.ReadLine();
  Delete(first, 1, kCountLabel);
  list.Count = StrToInt(first, fileName, 1);
  const int max = MaxListEntries(kind);
  if (list.Count < 1 || list.Count > max)
    throw EFormatError(Located(fileName, 1, QStringLiteral("liczba pozycji %1 poza zakresem 1 do %2").arg(list.Count).arg(max)));
  for (int i = 0; i < list.Count; ++i) {
    const QString line = in.ReadLine();
    TListFileEntry e;
    e.Key = Copy(line, 1, kKeyLength);
    if (kind == TListKind::Exercises) e.Key = UpperCase(e.Key);
    e.File = Copy(line, kKeyLength + 1, static_cast<int>(line.size()));
    e.Line = in.LineNo();
    list.Entries.push_back(e);
  }
  return list;
}

TListFile ReadListFileAt(const QString& path, TListKind kind) {
  return ReadListFile(ReadWholeFile(path), path, kind);
}

QByteArray WriteListFile(const TListFile& list, TListKind kind) {
  for (const TListFileEntry& e : list.Entries)
    if (e.Key.size() != kKeyLength)
      throw EFormatError(QStringLiteral("klucz listy musi mieć %1 znaków: '%2'").arg(kKeyLength).arg(e.Key));
  if (kind == TListKind::Exercises) {
    TExerciseListFile out;
    for (const TListFileEntry& e : list.Entries) out.Entries.push_back({e.Key, e.File});
    return FormatExerciseList(out);
  }
  TTextWriter out;
  const int count = static_cast<int>(list.Entries.size());
  out.WriteLine((kind == TListKind::Exercises ? QStringLiteral("Cwiczenia =") : QStringLiteral("Dialogi   =")) +
                QString::number(count));
  for (const TListFileEntry& e : list.Entries) {
    if (e.Key.size() != kKeyLength)
      throw EFormatError(QStringLiteral("klucz listy musi mieć %1 znaków: '%2'").arg(kKeyLength).arg(e.Key));
    out.WriteLine(e.Key + e.File);
  }
  return out.Bytes();
}

bool IsExerciseKey(const QString& key) { return ScreenForKey(key) != TExerciseScreen::Unknown; }

bool IsDialogueKey(const QString& key) { return key == QLatin1String("DIAL=") || key == QLatin1String("DIAC="); }
