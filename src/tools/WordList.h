// The dictionary's word list, ProgramDir\Sb_all_NEW.txt: one entry a line,
// Windows-1250, numbered from 1 in file order. Character positions count
// from 1:
//
//   1-2    ignored
//   3-7    the entry's sound number, decimal ("11111" for a line shorter
//          than 3 characters); it names words\D_ff.cdr\nnnnn.wav
//   8-11   ignored
//   12 ..  the English text, up to two characters before the first "="
//          (the character just before it is dropped)
//   then   the Polish text, from two characters after the first "=" up to
//          just before the second "=" (empty without a second "=")
//
// A leading lower-case article ("a ", "an ", "to ", "the ") is removed from
// the English text. A line without "=" shows a warning text in the English
// column. The list holds at most MaxWordEntries entries; lines past them are
// left out and counted.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

constexpr int MaxWordEntries = 1200;
// Entries shown on one page of the dictionary.
constexpr int WordsPerPage = 14;

struct TWordEntry {
  int Sound = 0;
  QString English;
  QString Polish;
  bool operator==(const TWordEntry&) const = default;
};

struct TWordList {
  std::vector<TWordEntry> Entries;  // at most MaxWordEntries
  int LinesLeftOut = 0;             // lines past MaxWordEntries
};

// The English text of a line that holds no "=".
inline const QString NoSeparatorText = QStringLiteral("UWAGA !! InStr zwrócił -1");

// One line as the dictionary reads it. EConvertError names `fileName` and
// `line` when positions 3-7 are no number.
TWordEntry ParseWordEntry(const QString& text, const QString& fileName = {}, int line = 0);
// Adds the file's entries to `list` line by line. On a bad line the entries
// before it stay in `list` and the line's EConvertError goes on.
void ReadWordListInto(TWordList& list, const QByteArray& bytes, const QString& fileName = {});
TWordList ParseWordList(const QByteArray& bytes, const QString& fileName = {});
// Reads the file through the path resolver; EInOutError when it cannot be read.
TWordList ReadWordListFile(const QString& path);
// The warning for lines left out, naming the first of them.
QString LinesLeftOutMessage(const QString& fileName, int leftOut);

// The English text without its leading lower-case article.
QString StripWordArticle(const QString& english);

// A line that reads back as `entry` (English with its article, if it has one:
// the reader removes it). EFormatError when a text holds "=", or the sound
// number does not fit in five digits.
QString FormatWordEntry(const TWordEntry& entry);
QByteArray WriteWordList(const std::vector<TWordEntry>& entries);
