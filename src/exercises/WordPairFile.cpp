#include "exercises/WordPairFile.h"

#include "platform/Errors.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"

namespace {

void CheckText(const QString& text, const char* half, int pair) {
  auto fail = [&](const QString& why) {
    throw EFormatError(
        QStringLiteral("para %1, %2 tekst '%3': %4").arg(pair).arg(QLatin1String(half), text, why));
  };
  if (text.contains(u'\r') || text.contains(u'\n'))
    fail(QStringLiteral("koniec wiersza w tekście"));
  if (text.size() > WordPairTextMax)
    fail(QStringLiteral("dłuższy niż %1 znaków").arg(WordPairTextMax));
  if (!CanEncodeWin1250(text)) fail(QStringLiteral("znaki spoza strony kodowej 1250"));
}

}  // namespace

TWordPairs ReadWordPairs(const QByteArray& bytes) {
  TWordPairs result;
  TTextReader in(bytes);
  while (!in.Eof()) {
    const QString line = in.ReadLine();
    if (Trim(line).isEmpty()) continue;
    if (static_cast<int>(result.Pairs.size()) == MaxWordPairs) {
      if (result.PairsLeftOut++ == 0) result.FirstLeftOutLine = in.LineNo();
      continue;
    }
    const qsizetype eq = line.indexOf(u'=');
    const QString left = eq < 0 ? QString() : line.left(eq);
    const QString right = eq < 0 ? line : line.mid(eq + 1);
    result.Pairs.push_back({left.left(WordPairTextMax), right.left(WordPairTextMax)});
  }
  return result;
}

QByteArray WriteWordPairs(const TWordPairs& pairs) {
  if (static_cast<int>(pairs.Pairs.size()) > MaxWordPairs)
    throw EFormatError(
        QStringLiteral("%1 par słów, najwyżej %2").arg(pairs.Pairs.size()).arg(MaxWordPairs));
  TTextWriter out;
  int n = 0;
  for (const TWordPair& p : pairs.Pairs) {
    ++n;
    CheckText(p.Left, "lewy", n);
    CheckText(p.Right, "prawy", n);
    if (p.Left.contains(u'='))
      throw EFormatError(
          QStringLiteral("para %1, lewy tekst '%2': znak '=' dzieliłby parę w innym miejscu")
              .arg(n)
              .arg(p.Left));
    out.WriteLine(p.Left + u'=' + p.Right);
  }
  return out.Bytes();
}

TWordPairs LoadWordPairFile(const QString& path) {
  TWordPairs pairs = ReadWordPairs(ReadWholeFile(path));
  const int n = static_cast<int>(pairs.Pairs.size());
  if (n < DealtPairs)
    throw EFormatError(
        Located(path, 0,
                QStringLiteral("%1 par słów, a na stawie musi ich być co najmniej %2")
                    .arg(n)
                    .arg(DealtPairs)));
  return pairs;
}

void SaveWordPairFile(const QString& path, const TWordPairs& pairs) {
  WriteFileAtomic(path, WriteWordPairs(pairs));
}
