#include "exercises/CrosswordFile.h"

#include <algorithm>

#include "exercises/RecordBytes.h"
#include "platform/TextFile.h"

namespace {

constexpr int kWordCountAt = 0;
constexpr int kSolutionAt = 20;
constexpr int kAnswersAt = 35;
constexpr int kAnswerField = AnswerMax + 1;
constexpr int kLinePositionsAt = 276;
constexpr int kCluesAt = 447;
constexpr int kClueField = ClueMax + 1;

QString WordCountRange(int n) {
  return QStringLiteral("liczba słów %1, dozwolone 1 do %2").arg(n).arg(CrosswordLines);
}

bool Typeable(const QString& answer) {
  for (QChar c : answer)
    if (!(c >= u'A' && c <= u'Z') && !(c >= u'a' && c <= u'z')) return false;
  return true;
}

}  // namespace

TCrossword ReadCrossword(const QByteArray& bytes, const QString& fileName) {
  const RecordReader in(bytes, fileName, CrosswordSize);
  TCrossword c;
  c.WordCount = in.Int(kWordCountAt);
  // A crossword of no words could never be completed.
  if (c.WordCount < 1 || c.WordCount > CrosswordLines)
    in.Fail(QStringLiteral("WordCount"), WordCountRange(c.WordCount));
  for (int k = 0; k < CrosswordLines; ++k) {
    c.SolutionColumn[k] = in.SignedByte(kSolutionAt + k);
    c.Answers[k] = in.Text(kAnswersAt + kAnswerField * k, kAnswerField);
    c.LinePositions[k] = {in.Int(kLinePositionsAt + 8 * k), in.Int(kLinePositionsAt + 8 * k + 4)};
    c.Clues[k] = in.Text(kCluesAt + kClueField * k, kClueField);
  }
  return c;
}

QByteArray WriteCrossword(const TCrossword& c) {
  RecordWriter out(CrosswordSize, QStringLiteral("krzyżówka"));
  // A crossword of no words could never be completed.
  if (c.WordCount < 1 || c.WordCount > CrosswordLines)
    out.Fail(QStringLiteral("WordCount"), WordCountRange(c.WordCount));
  out.Int(kWordCountAt, c.WordCount);
  for (int k = 0; k < CrosswordLines; ++k) {
    const int column = c.SolutionColumn[k];
    if (column < -128 || column > 127)
      out.Fail(RecordField("SolutionColumn", k + 1),
               QStringLiteral("%1 nie mieści się w bajcie").arg(column));
    out.Byte(kSolutionAt + k, static_cast<std::uint8_t>(column));
    out.Text(kAnswersAt + kAnswerField * k, kAnswerField, c.Answers[k],
             RecordField("Answer", k + 1));
    out.Int(kLinePositionsAt + 8 * k, c.LinePositions[k].Left);
    out.Int(kLinePositionsAt + 8 * k + 4, c.LinePositions[k].Top);
    out.Text(kCluesAt + kClueField * k, kClueField, c.Clues[k], RecordField("Clue", k + 1));
  }
  return out.Bytes();
}

void SaveCrosswordFile(const QString& path, const TCrossword& c) {
  WriteFileAtomic(path, WriteCrossword(c));
}

TCrossword LoadCrosswordFile(const QString& path) {
  return ReadCrossword(ReadFileHead(path, CrosswordSize), path);
}

std::vector<TCrosswordProblem> CrosswordProblems(const TCrossword& c) {
  std::vector<TCrosswordProblem> problems;
  for (int k = 0; k < std::clamp(c.WordCount, 0, CrosswordLines); ++k) {
    const QString& answer = c.Answers[k];
    const QString line = QStringLiteral("line %1: ").arg(k + 1);
    if (answer.isEmpty()) {
      problems.push_back(
          {k + 1, true,
           line + QStringLiteral("the answer has no letters, the line can never be solved")});
      continue;
    }
    if (!Typeable(answer))
      problems.push_back(
          {k + 1, true,
           line + QStringLiteral("\"%1\" holds characters other than A-Z, which cannot be typed")
                      .arg(answer)});
    if (c.SolutionColumn[k] < 1 || c.SolutionColumn[k] > answer.size())
      problems.push_back({k + 1, false,
                          line + QStringLiteral("solution column %1 lies outside its %2 cells")
                                     .arg(c.SolutionColumn[k])
                                     .arg(answer.size())});
  }
  return problems;
}
