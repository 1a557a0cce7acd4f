// The song text file of the songs screen, DataRoot + "\music\songs\song_N.txt":
// Windows-1250 text. Line 1 is an 11-character label (never read) and the
// number of text lines; each further line is one line of the song,
// "N=t1=w1=...=tN=wN=": its word count, then each word's duration in
// milliseconds and its text, every field closed by "=" (a last word without
// its "=" reads as empty). A line ends at the sum of the durations of all
// lines up to it; the durations serve only that sum.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

constexpr int MaxSongLines = 100;
constexpr int MaxSongWords = 20;

struct TSongLine {
  std::vector<int> Times;  // milliseconds, one per word
  QStringList Words;
  int WordCount() const { return static_cast<int>(Words.size()); }
  // The words, each followed by one space.
  QString Text() const;
  bool operator==(const TSongLine&) const = default;
};

struct TSong {
  std::vector<TSongLine> Lines;  // at most MaxSongLines
  // LineEnd of every line: the running sum of the durations (capped, never
  // overflowing).
  std::vector<int> LineEnds() const;
  bool operator==(const TSong&) const = default;
};

// EConvertError for a count or duration that is not a decimal number;
// EFormatError for a line count outside 0 … 100, a word count outside
// 0 … 20, a negative duration, or fewer lines than announced. Each names the
// file and the line.
TSong ReadSong(const QByteArray& bytes, const QString& fileName);
// Refuses (EFormatError) what ReadSong could not read back: too many lines or
// words, a word with "=", a line break or characters outside Windows-1250,
// times that do not match the words, negative durations.
QByteArray WriteSong(const TSong& song);
void SaveSongFile(const QString& path, const TSong& song);
TSong LoadSongFile(const QString& path);

// dataRoot + "\music\songs\song_" + n + suffix + ".wav" (suffix "" or "N").
QString SongWavePath(const QString& dataRoot, int n, const QString& suffix);
// dataRoot + "\music\songs\song_" + n + ".txt".
QString SongTextPath(const QString& dataRoot, int n);
