#include "exercises/ExerciseFiles.h"

#include <QtEndian>
#include <algorithm>

#include "exercises/RecordBytes.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/SafeMath.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"

namespace {

QString Field(const char* name, int item) { return RecordField(name, item); }

// Word exercise layout.
constexpr int kItemCountAt = 0;
constexpr int kHotSpotsAt = 8;
constexpr int kPositionsAt = 232;
constexpr int kPositionStride = 16;
constexpr int kSoundsAt = 456;
constexpr int kTranslationsAt = 512;
constexpr int kWordsAt = 1016;
constexpr int kTextField = WordTextMax + 1;
constexpr int kPictureAt = 1520;
constexpr int kPictureField = PictureNameMax + 1;
constexpr int kUsedAt = 1572;

// Word search layout.
constexpr int kSearchColumnsAt = 0, kSearchRowsAt = 4, kSearchMarginLeftAt = 8;
constexpr int kSearchMarginTopAt = 12, kSearchWordCountAt = 16, kSearchDirectionAt = 71;
constexpr int kSearchPartnerAt = 271, kSearchLettersAt = 471;

// ---- text files ----

// Header and record lines by number, with the reader's line count for errors.
class LineReader {
 public:
  LineReader(const QByteArray& bytes, const QString& file) : in_(bytes, file) {}
  QString Next(int labelLength = 0) { return in_.ReadLine().mid(labelLength); }
  int Int(const QString& text) const { return StrToInt(text, in_.FileName(), in_.LineNo()); }
  [[noreturn]] void Fail(const QString& message) const {
    throw EFormatError(Located(in_.FileName(), in_.LineNo(), message));
  }
  int Count(const QString& text, int low, int high, const QString& what) const {
    const int n = Int(text);
    if (n < low || n > high)
      Fail(QStringLiteral("%1 = %2, dozwolone %3 do %4").arg(what).arg(n).arg(low).arg(high));
    return n;
  }

 private:
  TTextReader in_;
};

// Dialogue header labels (only their lengths matter to the reader).
const QString kDialogueCountLabel = QStringLiteral("IloscLinii=");   // 11
const QString kLeftLabel = QStringLiteral("X=");                     // 2
const QString kTopLabel = QStringLiteral("Y=");                      // 2
const QString kTitleLabel = QStringLiteral("Tytul=");                // 6
const QString kNoteLabel = QStringLiteral("Notatka=");               // 8
const QString kExchangeCountLabel = QStringLiteral("IloscWymian=");  // 12
const QString kSpareLabel = QStringLiteral("--");                    // 2

void CheckLineText(const QString& text, const QString& what) {
  if (text.contains(u'\r') || text.contains(u'\n'))
    throw EFormatError(QStringLiteral("%1 nie może zawierać końca wiersza: '%2'").arg(what, text));
  if (!CanEncodeWin1250(text))
    throw EFormatError(QStringLiteral("%1 ma znaki spoza strony kodowej 1250: '%2'").arg(what, text));
}

void CheckField(const QString& text, const QString& what) {
  CheckLineText(text, what);
  if (text.contains(u'='))
    throw EFormatError(QStringLiteral("%1 nie może zawierać znaku '=': '%2'").arg(what, text));
}

QString Terminated(const QStringList& fields) {
  QString line;
  for (const QString& f : fields) line += f + u'=';
  return line;
}

bool IsGap(const QString& part) { return Trim(part) == QStringLiteral("PYT"); }

}  // namespace

// ---- word exercise ----

int TWordExercise::UsedCount() const {
  int n = 0;
  for (int k = 0; k < std::clamp(ItemCount, 0, WordItems); ++k)
    if (ItemUsed[k] == 1) ++n;
  return n;
}

TWordExercise ReadWordExercise(const QByteArray& bytes, const QString& fileName) {
  const RecordReader in(bytes, fileName, WordExerciseSize);
  TWordExercise ex;
  ex.ItemCount = in.Int(kItemCountAt);
  if (ex.ItemCount < 1 || ex.ItemCount > WordItems)
    in.Fail(QStringLiteral("ItemCount"),
            QStringLiteral("liczba elementów %1, dozwolone 1 do %2").arg(ex.ItemCount).arg(WordItems));
  for (int k = 0; k < WordItems; ++k) {
    const int spot = kHotSpotsAt + 16 * k;
    ex.HotSpots[k] = {in.Int(spot), in.Int(spot + 4), in.Int(spot + 8), in.Int(spot + 12)};
    const int pos = kPositionsAt + kPositionStride * k;
    ex.WordPositions[k] = {in.Int(pos), in.Int(pos + 4)};
    ex.SoundNumbers[k] = in.Int(kSoundsAt + 4 * k);
    ex.Translations[k] = in.Text(kTranslationsAt + kTextField * k, kTextField);
    ex.Words[k] = in.Text(kWordsAt + kTextField * k, kTextField);
    ex.ItemUsed[k] = in.Int(kUsedAt + 4 * k);
  }
  ex.PictureName = in.Text(kPictureAt, kPictureField);
  if (const QString problem = ClimbingNameProblem(ex.PictureName, in.File()); !problem.isEmpty())
    in.Fail(QStringLiteral("PictureName"), problem);
  return ex;
}

QByteArray WriteWordExercise(const TWordExercise& ex) {
  RecordWriter out(WordExerciseSize, QStringLiteral("ćwiczenie wyrazowe"));
  if (ex.ItemCount < 1 || ex.ItemCount > WordItems)
    out.Fail(QStringLiteral("ItemCount"), QStringLiteral("liczba elementów %1, dozwolone 1 do 14").arg(ex.ItemCount));
  out.Int(kItemCountAt, ex.ItemCount);
  for (int k = 0; k < WordItems; ++k) {
    const int spot = kHotSpotsAt + 16 * k;
    const THotSpot& h = ex.HotSpots[k];
    out.Int(spot, h.Left);
    out.Int(spot + 4, h.Top);
    out.Int(spot + 8, h.Right);
    out.Int(spot + 12, h.Bottom);
    const int pos = kPositionsAt + kPositionStride * k;
    out.Int(pos, ex.WordPositions[k].X);
    out.Int(pos + 4, ex.WordPositions[k].Y);
    out.Int(kSoundsAt + 4 * k, ex.SoundNumbers[k]);
    out.Text(kTranslationsAt + kTextField * k, kTextField, ex.Translations[k], Field("Translations", k + 1));
    out.Text(kWordsAt + kTextField * k, kTextField, ex.Words[k], Field("Words", k + 1));
    out.Int(kUsedAt + 4 * k, ex.ItemUsed[k]);
  }
  out.Text(kPictureAt, kPictureField, ex.PictureName, QStringLiteral("PictureName"));
  return out.Bytes();
}

void SaveWordExerciseFile(const QString& path, const TWordExercise& ex) {
  WriteFileAtomic(path, WriteWordExercise(ex));
}

QString StripArticle(const QString& word) {
  const qsizetype space = word.indexOf(u' ');
  if (space < 0) return word;
  const QStringView first = QStringView(word).left(space);
  for (const char* article : {"a", "an", "to", "the"})
    if (first == QLatin1String(article)) return word.mid(space + 1);
  return word;
}

void PrepareWordExercise(TWordExercise& ex, bool stripArticles) {
  for (TWordPoint& p : ex.WordPositions) {
    p.X = OffsetCoordinate(p.X, WordShiftX);
    p.Y = OffsetCoordinate(p.Y, WordShiftY);
  }
  // The screen adds its own offsets to the hot spots.
  for (THotSpot& h : ex.HotSpots)
    h = {OffsetCoordinate(h.Left), OffsetCoordinate(h.Top), OffsetCoordinate(h.Right),
         OffsetCoordinate(h.Bottom)};
  if (!stripArticles) return;
  for (int k = 0; k < std::clamp(ex.ItemCount, 0, WordItems); ++k) ex.Words[k] = StripArticle(ex.Words[k]);
}

TWordExercise LoadWordExerciseFile(const QString& path, bool stripArticles) {
  TWordExercise ex = ReadWordExercise(ReadFileHead(path, WordExerciseSize), path);
  PrepareWordExercise(ex, stripArticles);
  return ex;
}

// ---- word search ----

TWordSearch ReadWordSearch(const QByteArray& bytes, const QString& fileName) {
  const RecordReader in(bytes, fileName, WordSearchSize);
  TWordSearch ws;
  ws.Columns = in.Int(kSearchColumnsAt);
  ws.Rows = in.Int(kSearchRowsAt);
  ws.MarginLeft = in.Int(kSearchMarginLeftAt);
  ws.MarginTop = in.Int(kSearchMarginTopAt);
  ws.WordCount = in.Int(kSearchWordCountAt);
  if (ws.Columns < 1) in.Fail(QStringLiteral("W"), QStringLiteral("liczba kolumn %1").arg(ws.Columns));
  if (ws.Rows < 1) in.Fail(QStringLiteral("H"), QStringLiteral("liczba wierszy %1").arg(ws.Rows));
  const qint64 cells = qint64(ws.Columns) * ws.Rows;
  if (cells > WordSearchCells)
    in.Fail(QStringLiteral("W x H"), QStringLiteral("%1 x %2 kratek, najwyżej %3")
                                         .arg(ws.Columns)
                                         .arg(ws.Rows)
                                         .arg(WordSearchCells));
  if (ws.WordCount < 1 || ws.WordCount > cells / 2)
    in.Fail(QStringLiteral("N"),
            QStringLiteral("liczba wyrazów %1, dozwolone 1 do %2").arg(ws.WordCount).arg(cells / 2));
  for (int c = 0; c < WordSearchCells; ++c) {
    ws.Direction[c] = in.Byte(kSearchDirectionAt + c);
    ws.Partner[c] = static_cast<std::int8_t>(in.Byte(kSearchPartnerAt + c));
    ws.Letters[c] = in.Text(kSearchLettersAt + 2 * c, 2);
  }
  return ws;
}

QByteArray WriteWordSearch(const TWordSearch& ws) {
  RecordWriter out(WordSearchSize, QStringLiteral("wykreślanka"));
  out.Int(kSearchColumnsAt, ws.Columns);
  out.Int(kSearchRowsAt, ws.Rows);
  out.Int(kSearchMarginLeftAt, ws.MarginLeft);
  out.Int(kSearchMarginTopAt, ws.MarginTop);
  out.Int(kSearchWordCountAt, ws.WordCount);
  for (int c = 0; c < WordSearchCells; ++c) {
    out.Byte(kSearchDirectionAt + c, ws.Direction[c]);
    out.Byte(kSearchPartnerAt + c, static_cast<std::uint8_t>(ws.Partner[c]));
    out.Text(kSearchLettersAt + 2 * c, 2, ws.Letters[c], Field("letters", c + 1));
  }
  return out.Bytes();
}

void SaveWordSearchFile(const QString& path, const TWordSearch& ws) { WriteFileAtomic(path, WriteWordSearch(ws)); }

TWordSearch LoadWordSearchFile(const QString& path) {
  return ReadWordSearch(ReadFileHead(path, WordSearchSize), path);
}

// ---- text files ----

QStringList ReadTerminatedFields(const QString& line, int count, QChar terminator) {
  QStringList fields;
  qsizetype start = 0;
  for (int k = 0; k < count; ++k) {
    const qsizetype end = start < 0 ? -1 : line.indexOf(terminator, start);
    if (end < 0) {
      fields << QString();
      start = -1;
      continue;
    }
    fields << line.mid(start, end - start);
    start = end + 1;
  }
  return fields;
}

TDialogue ReadDialogue(const QByteArray& bytes, const QString& fileName) {
  LineReader in(bytes, fileName);
  TDialogue d;
  const int n = in.Count(in.Next(kDialogueCountLabel.size()), 1, MaxDialogueLines, QStringLiteral("liczba linii"));
  d.Left = in.Int(in.Next(kLeftLabel.size()));
  d.Top = in.Int(in.Next(kTopLabel.size()));
  d.Title = in.Next(kTitleLabel.size());
  in.Next();
  for (int k = 0; k < n; ++k) {
    const QStringList f = ReadTerminatedFields(in.Next(), 4);
    d.Lines.push_back({in.Int(f[0]), f[1], f[2], f[3]});
  }
  return d;
}

QByteArray WriteDialogue(const TDialogue& d) {
  const int n = static_cast<int>(d.Lines.size());
  if (n < 1 || n > MaxDialogueLines)
    throw EFormatError(QStringLiteral("dialog ma %1 linii, dozwolone 1 do %2").arg(n).arg(MaxDialogueLines));
  CheckLineText(d.Title, QStringLiteral("tytuł dialogu"));
  TTextWriter out;
  out.WriteLine(kDialogueCountLabel + QString::number(n));
  out.WriteLine(kLeftLabel + QString::number(d.Left));
  out.WriteLine(kTopLabel + QString::number(d.Top));
  out.WriteLine(kTitleLabel + d.Title);
  out.WriteLine(kNoteLabel);
  for (const TDialogueLine& l : d.Lines) {
    for (const QString* f : {&l.Speaker, &l.Text, &l.Polish}) CheckField(*f, QStringLiteral("pole linii dialogu"));
    out.WriteLine(Terminated({QString::number(l.SoundNo), l.Speaker, l.Text, l.Polish}));
  }
  return out.Bytes();
}

void SaveDialogueFile(const QString& path, const TDialogue& d) { WriteFileAtomic(path, WriteDialogue(d)); }

TDialogue LoadDialogueFile(const QString& path) { return ReadDialogue(ReadWholeFile(path), path); }

TGapDialogue ReadGapDialogue(const QByteArray& bytes, const QString& fileName) {
  LineReader in(bytes, fileName);
  TGapDialogue g;
  const int e = in.Count(in.Next(kExchangeCountLabel.size()), 1, MaxExchanges, QStringLiteral("liczba wymian"));
  g.Title = in.Next(kTitleLabel.size());
  for (int k = 0; k < 3; ++k) in.Next();

  // Counts below 1 read no lines; more than the screen holds is refused.
  auto lineCount = [&](const QString& text, const QString& what) {
    const int n = in.Int(text);
    if (n > MaxAnswers) in.Fail(QStringLiteral("%1 = %2, najwyżej %3").arg(what).arg(n).arg(MaxAnswers));
    return std::max(n, 0);
  };

  for (int x = 0; x < e; ++x) {
    TExchange ex;
    const QStringList first = ReadTerminatedFields(in.Next(), 8);
    for (int i = 0; i < 3; ++i) ex.FirstNumbers[i] = in.Int(first[i]);
    ex.FirstHidden = first[3];
    for (int i = 0; i < 3; ++i) ex.Parts[i] = first[4 + i];
    const int answers = lineCount(first[7], QStringLiteral("liczba odpowiedzi"));
    for (int a = 0; a < answers; ++a) ex.Answers << Trim(in.Next());

    const QStringList second = ReadTerminatedFields(in.Next(), 6);
    ex.SecondNumber = in.Int(second[0]);
    ex.SecondHidden = second[1];
    for (int i = 0; i < 3; ++i) ex.Parts[3 + i] = second[2 + i];
    const int extra = lineCount(second[5], QStringLiteral("liczba dodatkowych linii"));
    for (int a = 0; a < extra; ++a) ex.ExtraLines << in.Next();

    int gaps = 0;
    for (int p = 0; p < ExchangeParts; ++p)
      if (IsGap(ex.Parts[p])) {
        ex.GapPart = p + 1;
        ++gaps;
      }
    if (gaps != 1)
      in.Fail(QStringLiteral("wymiana %1 ma %2 części \u201EPYT\u201D, powinna mieć jedną").arg(x + 1).arg(gaps));
    g.Exchanges.push_back(std::move(ex));
  }
  return g;
}

QByteArray WriteGapDialogue(const TGapDialogue& g) {
  const int e = static_cast<int>(g.Exchanges.size());
  if (e < 1 || e > MaxExchanges)
    throw EFormatError(QStringLiteral("dialog z lukami ma %1 wymian, dozwolone 1 do %2").arg(e).arg(MaxExchanges));
  CheckLineText(g.Title, QStringLiteral("tytuł dialogu"));
  TTextWriter out;
  out.WriteLine(kExchangeCountLabel + QString::number(e));
  out.WriteLine(kTitleLabel + g.Title);
  out.WriteLine(kSpareLabel);
  out.WriteLine(kSpareLabel);
  out.WriteLine(kNoteLabel);
  for (const TExchange& ex : g.Exchanges) {
    if (ex.Answers.size() > MaxAnswers || ex.ExtraLines.size() > MaxAnswers)
      throw EFormatError(QStringLiteral("wymiana ma więcej niż %1 odpowiedzi lub linii").arg(MaxAnswers));
    int gaps = 0;
    for (const QString& p : ex.Parts) {
      CheckField(p, QStringLiteral("część zdania"));
      gaps += IsGap(p) ? 1 : 0;
    }
    if (gaps != 1) throw EFormatError(QStringLiteral("wymiana musi mieć dokładnie jedną część \u201EPYT\u201D"));
    CheckField(ex.FirstHidden, QStringLiteral("tekst wymiany"));
    CheckField(ex.SecondHidden, QStringLiteral("tekst wymiany"));
    QStringList first;
    for (int n : ex.FirstNumbers) first << QString::number(n);
    first << ex.FirstHidden << ex.Parts[0] << ex.Parts[1] << ex.Parts[2] << QString::number(ex.Answers.size());
    out.WriteLine(Terminated(first));
    for (const QString& a : ex.Answers) {
      CheckLineText(a, QStringLiteral("odpowiedź"));
      if (Trim(a) != a) throw EFormatError(QStringLiteral("odpowiedź '%1' ma spacje na brzegach").arg(a));
      out.WriteLine(a);
    }
    out.WriteLine(Terminated({QString::number(ex.SecondNumber), ex.SecondHidden, ex.Parts[3], ex.Parts[4],
                              ex.Parts[5], QString::number(ex.ExtraLines.size())}));
    for (const QString& l : ex.ExtraLines) {
      CheckLineText(l, QStringLiteral("linia wymiany"));
      out.WriteLine(l);
    }
  }
  return out.Bytes();
}

void SaveGapDialogueFile(const QString& path, const TGapDialogue& g) {
  WriteFileAtomic(path, WriteGapDialogue(g));
}

TGapDialogue LoadGapDialogueFile(const QString& path) { return ReadGapDialogue(ReadWholeFile(path), path); }
