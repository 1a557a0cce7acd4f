#include "lib/DemoLilies.h"

#include "exercises/WordPairFile.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

void CompileWordPairs(TDemoContext& ctx, const TSourceNode& n) {
  n.Allow({});
  TWordPairs pairs;
  for (const TSourceNode& c : n.Children) {
    if (c.Command != QLatin1String("pair"))
      c.Fail(QStringLiteral("word pairs hold 'pair \"english\" \"polish\"' lines"));
    c.Allow({});
    pairs.Pairs.push_back({c.Arg(0, "the English word"), c.Arg(1, "the Polish word")});
  }
  if (static_cast<int>(pairs.Pairs.size()) < DealtPairs)
    n.Fail(QStringLiteral("the pond deals %1 different pairs: give at least %1").arg(DealtPairs));
  const QString path = ctx.RealPath(n, n.Arg(0, "a file"));
  QByteArray bytes;
  try {
    bytes = WriteWordPairs(pairs);
  } catch (const Exception& e) {
    n.Fail(e.Message);
  }
  // What the game reads must be what the source says.
  if (!(ReadWordPairs(bytes).Pairs == pairs.Pairs))
    n.Fail(QStringLiteral("a pair does not read back as written"));
  WriteFileAtomic(path, bytes);
  ++ctx.Report.Exercises;
}
