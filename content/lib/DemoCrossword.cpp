#include "lib/DemoCrossword.h"

#include "exercises/CrosswordFile.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

namespace {

constexpr int kCell = 21;
// The number stands 20 pixels left of its line; the clue panel starts at x 492.
constexpr int kLeftmost = 30, kRightmost = 490;

}  // namespace

void CompileCrossword(TDemoContext& ctx, const TSourceNode& n) {
  n.Allow({"column", "top", "spacing"});
  const int column = n.NamedInt(QStringLiteral("column"), 220);
  const int top = n.NamedInt(QStringLiteral("top"), 56);
  const int spacing = n.NamedInt(QStringLiteral("spacing"), 26);
  TCrossword c;
  for (const TSourceNode& w : n.Children) {
    if (w.Command != QLatin1String("word")) w.Fail(QStringLiteral("a crossword holds word lines"));
    w.Allow({"solution"});
    if (c.WordCount == CrosswordLines)
      w.Fail(QStringLiteral("a crossword has at most %1 words").arg(CrosswordLines));
    const int k = c.WordCount++;
    const QString answer = w.Arg(0, "the English word");
    const int solution = w.NamedInt(QStringLiteral("solution"), 1);
    const int left = column - (solution - 1) * kCell;
    if (left < kLeftmost || left + static_cast<int>(answer.size()) * kCell > kRightmost)
      w.Fail(QStringLiteral("'%1' with its solution cell %2 at x %3 runs outside x %4 .. %5")
                 .arg(answer)
                 .arg(solution)
                 .arg(column)
                 .arg(kLeftmost)
                 .arg(kRightmost));
    c.Answers[k] = answer;
    c.Clues[k] = w.Arg(1, "the Polish clue");
    c.SolutionColumn[k] = solution;
    // The screen shows a line at (Left + 10, Top - 21).
    c.LinePositions[k] = {left - 10, top + k * spacing + 21};
  }
  if (c.WordCount == 0) n.Fail(QStringLiteral("a crossword needs its words"));
  // What the game would refuse or could never finish must not leave the tool.
  for (const TCrosswordProblem& problem : CrosswordProblems(c))
    n.Children[static_cast<size_t>(problem.Line - 1)].Fail(problem.Message);
  QByteArray bytes;
  try {
    bytes = WriteCrossword(c);
    ReadCrossword(bytes, n.Arg(0, "a file"));
  } catch (const Exception& e) {
    n.Fail(e.Message);
  }
  WriteFileAtomic(ctx.RealPath(n, n.Arg(0, "a file")), bytes);
  ++ctx.Report.Exercises;
}
