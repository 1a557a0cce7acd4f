// The demo's listening choices: each question's English word is spoken once
// into a numbered word sound, and the file is written through the reader's
// own writer and read back, so the demo never holds one the game would refuse.
#include "exercises/ListeningChoiceFile.h"
#include "lib/DemoContext.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

// listening-choice PATH
//   question "english" RIGHT "answer 1" "answer 2" "answer 3"
void CompileListeningChoice(TDemoContext& ctx, const TSourceNode& n) {
  n.Allow({});
  TListeningChoice choice;
  for (const TSourceNode& c : n.Children) {
    if (c.Command != QLatin1String("question"))
      c.Fail(QStringLiteral(
          "a listening choice holds 'question \"english\" RIGHT \"a\" \"b\" \"c\"' lines"));
    c.Allow({"recording"});
    if (c.Count() != 5)
      c.Fail(QStringLiteral(
          "a question is an English word, the right answer's number and three answers"));
    TChoiceQuestion q;
    q.WordSound = ctx.WordSound(c, c.Arg(0, "the English word"));
    q.RightChoice = c.Int(1, "the right answer's number");
    for (int a = 0; a < ChoiceAnswers; ++a) q.Texts[a] = c.Arg(2 + a, "an answer");
    choice.Questions.push_back(q);
  }
  const QString path = ctx.RealPath(n, n.Arg(0, "a file"));
  try {
    const QByteArray bytes = WriteListeningChoice(choice);
    ReadListeningChoice(bytes, path);
    WriteFileAtomic(path, bytes);
  } catch (const Exception& e) {
    n.Fail(e.Message);
  }
  ++ctx.Report.Exercises;
}
