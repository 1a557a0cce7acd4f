#include "tools/WordList.h"

#include "platform/Errors.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

namespace {
constexpr int kNoSound = 11111;
}

QString StripWordArticle(const QString& english) {
  for (const char* article : {"a ", "an ", "to ", "the "})
    if (english.startsWith(QLatin1String(article)))
      return english.mid(static_cast<qsizetype>(qstrlen(article)));
  return english;
}

TWordEntry ParseWordEntry(const QString& text, const QString& fileName, int line) {
  TWordEntry e;
  e.Sound = text.size() < 3 ? kNoSound : StrToInt(Copy(text, 3, 5), fileName, line);
  const int first = Pos(QStringLiteral("="), text);
  if (first == 0) {
    e.English = NoSeparatorText;
    return e;
  }
  e.English = StripWordArticle(Copy(text, 12, first - 2 - 12 + 1));
  const int second = Pos(QStringLiteral("="), text.mid(first));
  if (second > 0) e.Polish = Copy(text, first + 2, second - 2);
  return e;
}

void ReadWordListInto(TWordList& list, const QByteArray& bytes, const QString& fileName) {
  TTextReader in(bytes, fileName);
  while (!in.Eof() && static_cast<int>(list.Entries.size()) < MaxWordEntries) {
    const QString line = in.ReadLine();
    list.Entries.push_back(ParseWordEntry(line, fileName, in.LineNo()));
  }
  // The rest is only counted.
  while (!in.Eof()) {
    in.Skip(1);
    ++list.LinesLeftOut;
  }
}

TWordList ParseWordList(const QByteArray& bytes, const QString& fileName) {
  TWordList list;
  ReadWordListInto(list, bytes, fileName);
  return list;
}

TWordList ReadWordListFile(const QString& path) {
  return ParseWordList(ReadWholeFile(path), path);
}

QString LinesLeftOutMessage(const QString& fileName, int leftOut) {
  return Located(fileName, MaxWordEntries + 1,
                 QStringLiteral("słownik mieści %1 wyrazów; pominięto dalsze wiersze (%2)")
                     .arg(MaxWordEntries)
                     .arg(leftOut));
}

QString FormatWordEntry(const TWordEntry& entry) {
  if (entry.English.contains(u'=') || entry.Polish.contains(u'='))
    throw EFormatError(QStringLiteral("wyraz \"%1\" / \"%2\" zawiera znak \"=\"")
                           .arg(entry.English, entry.Polish));
  if (entry.Sound < 0 || entry.Sound > 99999)
    throw EFormatError(
        QStringLiteral("numer dźwięku %1 wyrazu \"%2\" nie mieści się w pięciu cyfrach")
            .arg(entry.Sound)
            .arg(entry.English));
  return QStringLiteral("  %1    %2 = %3=")
      .arg(entry.Sound, 5, 10, QChar(u'0'))
      .arg(entry.English, entry.Polish);
}

QByteArray WriteWordList(const std::vector<TWordEntry>& entries) {
  TTextWriter w;
  for (const TWordEntry& e : entries) w.WriteLine(FormatWordEntry(e));
  return w.Bytes();
}
