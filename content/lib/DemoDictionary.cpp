#include "lib/DemoDictionary.h"

#include <algorithm>

#include "controls/ScreenArt.h"
#include "lib/DemoContext.h"
#include "lib/Installation.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "platform/TextFile.h"
#include "tools/FrmFindFiles.h"
#include "tools/FrmSlownikFiles.h"

std::vector<TWordEntry> BaseDictionaryWords() {
  return {{0, QStringLiteral("an apple"), QStringLiteral("jabłko")},
          {0, QStringLiteral("a cat"), QStringLiteral("kot")},
          {0, QStringLiteral("a dog"), QStringLiteral("pies")},
          {0, QStringLiteral("a house"), QStringLiteral("dom")},
          {0, QStringLiteral("to read"), QStringLiteral("czytać")},
          {0, QStringLiteral("the sun"), QStringLiteral("słońce")}};
}

void WriteDictionaryFiles(const TInstallation& inst) {
  RegisterFontSubstitutions();
  WriteBmp(inst.PathOf(SlownikFiles::Page), DictionaryPage());
  WriteBmp(inst.PathOf(FindFiles::Frame), DictionarySearchBox());
  WriteFileAtomic(inst.ProgramDir() + QStringLiteral("/Sb_all_NEW.txt"),
                  WriteWordList(BaseDictionaryWords()));
}

void SortWordEntries(std::vector<TWordEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const TWordEntry& a, const TWordEntry& b) {
    return StripWordArticle(a.English).compare(StripWordArticle(b.English), Qt::CaseInsensitive) <
           0;
  });
}

void CompileWordList(TDemoContext& ctx, const TSourceNode& n) {
  n.Allow({});
  if (!ctx.WordListPath.isEmpty()) n.Fail(QStringLiteral("the word list is named once"));
  ctx.WordListPath = ctx.RealPath(n, n.Arg(0, "a file"));
  ctx.WordListSource = n;
  for (const TSourceNode& w : n.Children) {
    if (w.Command != QLatin1String("word"))
      w.Fail(QStringLiteral("a word list holds 'word \"english\" \"polish\"' lines"));
    w.Allow({"recording"});
    const QString english = w.Arg(0, "the English word"), polish = w.Arg(1, "the Polish word");
    if (english.contains(u'=') || polish.contains(u'='))
      w.Fail(QStringLiteral("a word list entry cannot hold \"=\""));
    ctx.WordSound(w, english, polish);
  }
}

void FinishWordList(TDemoContext& ctx) {
  if (ctx.WordListPath.isEmpty()) return;
  std::vector<TWordEntry> entries = ctx.Words;
  SortWordEntries(entries);
  if (static_cast<int>(entries.size()) > MaxWordEntries)
    ctx.WordListSource.Fail(
        QStringLiteral("the dictionary holds at most %1 words, the demo speaks %2")
            .arg(MaxWordEntries)
            .arg(entries.size()));
  try {
    const QByteArray bytes = WriteWordList(entries);
    ParseWordList(bytes, ctx.WordListPath);
    WriteFileAtomic(ctx.WordListPath, bytes);
  } catch (const Exception& e) {
    ctx.WordListSource.Fail(e.Message);
  }
}
