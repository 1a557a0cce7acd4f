// The lily-pad exercise's word-pair file (key "LILI="): Windows-1250 text, one
// pair per line. A line that is blank after trimming is skipped; every other
// line is a pair, split at its first "=" (the untrimmed line: blanks around
// the texts are kept). A line without "=" is a pair with an empty left text
// and the whole line as its right text.
//
// The pond deals six different pairs, so a file needs at least DealtPairs of
// them. Pads tell the right half of pair n by the number n + 100, so at most
// MaxWordPairs are read; later lines are counted and left out.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

constexpr int DealtPairs = 6;
constexpr int MaxWordPairs = 99;
// Each half keeps at most this many characters (longer texts are clipped).
constexpr int WordPairTextMax = 200;

struct TWordPair {
  QString Left;   // as a rule the English word
  QString Right;  // its Polish partner
  bool operator==(const TWordPair&) const = default;
};

struct TWordPairs {
  std::vector<TWordPair> Pairs;  // 0 .. MaxWordPairs, in file order
  int PairsLeftOut = 0;          // pairs past MaxWordPairs
  int FirstLeftOutLine = 0;      // 1-based line of the first of them
  bool operator==(const TWordPairs&) const = default;
};

// Never fails: every byte sequence is some list of pairs.
TWordPairs ReadWordPairs(const QByteArray& bytes);
// One "left=right" line per pair, CR LF. EFormatError for a left text with
// "=", a text with a line break or characters outside Windows-1250, a text
// longer than WordPairTextMax, or more than MaxWordPairs pairs: such a file
// would not read back the same.
QByteArray WriteWordPairs(const TWordPairs& pairs);
// Reads the file at `path` through the resolver. EInOutError when it cannot be
// read; EFormatError naming the file when it has fewer than DealtPairs pairs
// (the pond could never deal its six).
TWordPairs LoadWordPairFile(const QString& path);
void SaveWordPairFile(const QString& path, const TWordPairs& pairs);
