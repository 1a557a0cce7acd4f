// `tarvolin-content dump`: what the game reads from one file, as JSON, with the
// field names the code uses. Each format is one entry of the table in
// Dump.cpp; a format that gains a reader gets a line there.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "lib/Json.h"
#include "lib/Lint.h"

struct TDumpFormat {
  QString Name;            // for --as
  QStringList Extensions;  // lower case, with the dot; empty: only by --as
  QString Description;
  // Reads `path` (throws the reader's errors) and adds value warnings to `notes`.
  std::function<TJson(const QString& path, TNotes& notes)> Dump;
};

const std::vector<TDumpFormat>& DumpFormats();
// The format for `path`: by `as` when given, else by the file's name and
// extension; nullptr when unknown. Text files with an ambiguous ".txt" need `as`.
const TDumpFormat* FindDumpFormat(const QString& path, const QString& as);

// The JSON text of `path` and its warnings; throws the reader's errors and
// EFormatError when the format is unknown.
struct TDumpResult {
  QString Json;
  TNotes Notes;
};
TDumpResult DumpFile(const QString& path, const QString& as = {});

// Runs the command; returns the exit code (0 read, 1 unreadable, 2 usage).
int RunDump(const QStringList& args);
