// The "remember" notes of some exercises: where a note lives, how its text
// splits into words, and how the words flow into the note screen's box.
//
// A note file is Windows-1250 text next to its exercise ("\culture\1A.fc2"
// has "\cwicz\culture\1A.txt"). Words are separated by single spaces; two
// spaces give an empty word, "*" a blank one, "@" breaks the line and "%"
// makes the next word bold. Line ends in the file mean nothing.
//
// A note keeps at most MaxNoteWords words: the box cannot show more, so
// words past the hundredth are left out.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

constexpr int MaxNoteWords = 100;

// The text before the first space; the whole text when it has none.
QString FirstWord(const QString& text);
// programDir + "\cwicz" + the exercise file without its last four characters + ".txt".
QString NoteFilePath(const QString& programDir, const QString& exerciseFile);
// The words of a note file's content ("*" becomes a single space).
QStringList ParseNote(const QByteArray& bytes);

// One word placed in the box, with the space that follows it.
struct TNoteRun {
  QString Text;
  int X = 0;
  int Y = 0;
  bool Bold = false;
  bool operator==(const TNoteRun&) const = default;
};

// The width of `text` in the note's normal or bold face.
using TNoteWidth = std::function<int(const QString& text, bool bold)>;
// Places the words left to right: a word whose width (with its space) would
// pass `boxWidth` starts a new line first, "@" starts one, "%" draws nothing
// and makes the next drawn word bold.
std::vector<TNoteRun> LayoutNote(const QStringList& words, int boxWidth, int lineHeight,
                                 const TNoteWidth& width);
