// The crossword file (.fc3): one record of 912 bytes, read by exercise
// screen 3. Tables keep the 1-based line numbers: line k lives at [k - 1].
//
// Errors name the file and the field: EInOutError for a file that cannot be
// read or is shorter than the record (bytes after it are ignored),
// EFormatError for a WordCount outside 0 .. 15. Answer and clue length bytes
// longer than their fields are clamped to the field. Solution columns are
// kept as the file holds them; the screen marks only a column inside the line.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

constexpr int CrosswordLines = 15;
constexpr int CrosswordSize = 912;
constexpr int AnswerMax = 15;  // cells of a line
constexpr int ClueMax = 30;

struct TLinePosition {
  int Left = 0, Top = 0;
  bool operator==(const TLinePosition&) const = default;
};

struct TCrossword {
  int WordCount = 0;                                 // lines 1 .. WordCount are played
  std::array<int, CrosswordLines> SolutionColumn{};  // 1-based cell in the solution column
  std::array<QString, CrosswordLines> Answers;       // English, upper case as stored
  std::array<TLinePosition, CrosswordLines>
      LinePositions{};                        // the line shows at (Left + 10, Top - 21)
  std::array<QString, CrosswordLines> Clues;  // Polish

  bool operator==(const TCrossword&) const = default;
};

TCrossword ReadCrossword(const QByteArray& bytes, const QString& fileName);
// 912 bytes; unread areas are zero. A WordCount outside 0 .. 15, a solution
// column outside -128 .. 127, texts longer than their field or with
// characters outside Windows-1250 are refused with EFormatError.
QByteArray WriteCrossword(const TCrossword& crossword);
void SaveCrosswordFile(const QString& path, const TCrossword& crossword);
// Reads the file at `path` through the resolver.
TCrossword LoadCrosswordFile(const QString& path);

// What makes a played line unplayable or odd: no letters or letters a child
// cannot type (the answer box takes A-Z only) leave the crossword unfinishable;
// a solution column outside the line only marks no cell.
struct TCrosswordProblem {
  int Line = 0;  // 1-based
  bool Unplayable = false;
  QString Message;  // begins "line k: "
};
std::vector<TCrosswordProblem> CrosswordProblems(const TCrossword& crossword);
