// The record a lesson keeps in the installation it was added to,
// PROGRAM_DIR/lekcje/NAME.txt (UTF-8): every file it wrote, every folder it
// made, and every line it put into a file it shares with the installation
// (the place that leads to it, the dictionary's word list), so that building
// it again or taking it out touches nothing else.
//
//   tarvolin-lesson 1
//   name kuchnia
//   source /home/anna/lekcje/kuchnia
//   file program\cwicz\lekcje\kuchnia\lista.txt<TAB>/home/anna/lekcje/kuchnia/words.txt:3
//   dir program\cwicz\lekcje\kuchnia
//   insert program\lokacje\Start.lok<TAB>LINE<TAB>COUNT_BEFORE<TAB>COUNT_AFTER
//   sign cd\lokacje\rynek.bmp<TAB>L,T,W,H<TAB>SHA1
//
// Paths start with program\ or cd\. LINE and the count lines are the bytes
// as they stand in the file, line end included, percent-encoded; the count
// lines are empty when the insertion changed no count. A sign is the way in
// painted on the place's picture: the area it covers and the SHA-1 of the
// picture as the lesson left it; the picture as it was before is kept beside
// the record (NAME.bmp).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct TLessonInsert {
  QString File;
  QByteArray Line;
  QByteArray CountBefore, CountAfter;
  bool operator==(const TLessonInsert&) const = default;
};

struct TLessonSign {
  QString File;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  QByteArray After;  // SHA-1, hex
  bool operator==(const TLessonSign&) const = default;
};

struct TLessonFile {
  QString Path;
  QString Origin;  // "file:line" of the lesson source behind it, may be empty
  bool operator==(const TLessonFile&) const = default;
};

struct TLessonManifest {
  QString Name, Source;
  std::vector<TLessonFile> Files;
  QStringList Dirs;  // in the order made, outermost first
  std::vector<TLessonInsert> Inserts;
  std::vector<TLessonSign> Signs;
  bool operator==(const TLessonManifest&) const = default;
};

QByteArray WriteLessonManifest(const TLessonManifest& manifest);
// EFormatError naming `fileName` and the line.
TLessonManifest ReadLessonManifest(const QByteArray& bytes, const QString& fileName);
