// The data files of exercise screens 1, 2 and 5: the word exercise record
// (.fc2), the word search record, the dialogue file and the gap dialogue file.
// Each has a plain struct, a reader from bytes and a writer back to bytes.
// Readers keep the values as the file holds them (positions unshifted,
// articles in place); the screen-side preparation of a word exercise is the
// separate PrepareWordExercise. Tables keep 1-based item numbers: item k lives
// at [k - 1].
//
// Errors name the file and the field or line: EInOutError for a file that
// cannot be read or is shorter than its record, EFormatError for a count the
// screens cannot hold, EConvertError for a number field that is not a number.
// Length bytes longer than their field are clamped to the field.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

// ---- Word exercise (.fc2): one record of 2188 bytes ----

constexpr int WordItems = 14;
constexpr int WordExerciseSize = 2188;
constexpr int WordTextMax = 35;     // Words and Translations
constexpr int PictureNameMax = 51;
// Word positions in the file are relative to the exercise picture; these
// turn them into screen positions (the picture itself sits at 17, 40).
constexpr int WordShiftX = 18;
constexpr int WordShiftY = 38;

// A rectangle on the exercise picture, edges included.
struct THotSpot {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int x, int y) const { return Left <= x && x <= Right && Top <= y && y <= Bottom; }
  bool operator==(const THotSpot&) const = default;
};

struct TWordPoint {
  int X = 0, Y = 0;
  bool operator==(const TWordPoint&) const = default;
};

struct TWordExercise {
  int ItemCount = 0;  // 1 .. 14
  std::array<THotSpot, WordItems> HotSpots{};
  std::array<TWordPoint, WordItems> WordPositions{};
  std::array<int, WordItems> SoundNumbers{};
  std::array<QString, WordItems> Translations;
  std::array<QString, WordItems> Words;
  QString PictureName;  // relative to DataRoot + "\cwicz"
  std::array<int, WordItems> ItemUsed{};  // 1: the item takes part

  // Items 1 .. ItemCount with ItemUsed = 1.
  int UsedCount() const;
  bool operator==(const TWordExercise&) const = default;
};

// The record in the first 2188 bytes (later bytes are ignored).
TWordExercise ReadWordExercise(const QByteArray& bytes, const QString& fileName);
// 2188 bytes; unread areas are zero. Texts longer than their field, with
// characters outside Windows-1250, or an ItemCount outside 1 .. 14 are
// refused with EFormatError.
QByteArray WriteWordExercise(const TWordExercise& exercise);
void SaveWordExerciseFile(const QString& path, const TWordExercise& exercise);

// Removes one leading "a", "an", "to" or "the" (case-sensitive) and the
// space after it; words without a space are kept whole.
QString StripArticle(const QString& word);
// Word positions to screen positions, every coordinate clamped to
// CoordinateLimit, and the articles of items 1 .. ItemCount stripped when
// `stripArticles` (dragging, listening, letter grid).
void PrepareWordExercise(TWordExercise& exercise, bool stripArticles);
// Reads the file at `path` through the resolver and prepares it.
TWordExercise LoadWordExerciseFile(const QString& path, bool stripArticles);

// ---- Word search: one record of 924 bytes ----

constexpr int WordSearchSize = 924;
constexpr int WordSearchCells = 200;

struct TWordSearch {
  int Columns = 0;  // W
  int Rows = 0;     // H; W x H <= 200
  // As in the file; the screen replaces both by 10 after loading.
  int MarginLeft = 0, MarginTop = 0;
  int WordCount = 0;  // N
  // Per cell 1 .. 200 (cell n at [n - 1]).
  std::array<std::uint8_t, WordSearchCells> Direction{};  // 1 along a row, 2 down a column
  std::array<std::int8_t, WordSearchCells> Partner{};     // the word's other end, 0 for none
  std::array<QString, WordSearchCells> Letters;           // one character, or empty

  bool operator==(const TWordSearch&) const = default;
};

// W and H must be at least 1 with W x H <= 200, and N between 1 and W x H / 2
// (a word takes two cells at least); otherwise EFormatError naming the field.
TWordSearch ReadWordSearch(const QByteArray& bytes, const QString& fileName);
QByteArray WriteWordSearch(const TWordSearch& search);
void SaveWordSearchFile(const QString& path, const TWordSearch& search);
TWordSearch LoadWordSearchFile(const QString& path);

// ---- Dialogue file (key "DIAL="), text ----

constexpr int MaxDialogueLines = 14;

struct TDialogueLine {
  int SoundNo = 0;  // DataRoot + "\music\dialogi\" + SoundNo + ".wav"
  QString Speaker;
  QString Text;    // English
  QString Polish;
  bool operator==(const TDialogueLine&) const = default;
};

struct TDialogue {
  int Left = 0;  // of every line
  int Top = 0;   // of the first line
  QString Title;  // read, not shown
  std::vector<TDialogueLine> Lines;  // 1 .. 14
  bool operator==(const TDialogue&) const = default;
};

TDialogue ReadDialogue(const QByteArray& bytes, const QString& fileName);
// Texts holding "=" or a line break cannot be read back and are refused.
QByteArray WriteDialogue(const TDialogue& dialogue);
void SaveDialogueFile(const QString& path, const TDialogue& dialogue);
TDialogue LoadDialogueFile(const QString& path);

// ---- Gap dialogue file (key "DIAC="), text ----

constexpr int MaxExchanges = 4;
constexpr int MaxAnswers = 5;
constexpr int ExchangeParts = 6;

struct TExchange {
  std::array<int, 3> FirstNumbers{};  // parsed, otherwise unused
  QString FirstHidden;                 // the first line's text that is not shown
  int SecondNumber = 0;
  QString SecondHidden;
  // Parts 1 .. 3 are the first line's sentence, 4 .. 6 the second's, as in
  // the file (untrimmed). Exactly one part, trimmed, is "PYT": the gap.
  std::array<QString, ExchangeParts> Parts;
  int GapPart = 0;         // 1 .. 6
  QStringList Answers;     // accepted answers, trimmed; at most 5
  QStringList ExtraLines;  // the lines after the second line, unused; at most 5
  bool operator==(const TExchange&) const = default;
};

struct TGapDialogue {
  QString Title;
  std::vector<TExchange> Exchanges;  // 1 .. 4
  bool operator==(const TGapDialogue&) const = default;
};

// An exchange without a gap part, or with more than one, is refused
// (EFormatError with the file and line): it could never be answered as shown.
// Answer counts below 1 read no answer lines; above 5 they are refused.
TGapDialogue ReadGapDialogue(const QByteArray& bytes, const QString& fileName);
QByteArray WriteGapDialogue(const TGapDialogue& dialogue);
void SaveGapDialogueFile(const QString& path, const TGapDialogue& dialogue);
TGapDialogue LoadGapDialogueFile(const QString& path);

// The fields of a line whose fields each end with `terminator`: field k is
// the text before the k-th terminator; a missing terminator leaves its field
// and all later ones empty; text after the last expected one is ignored.
QStringList ReadTerminatedFields(const QString& line, int count, QChar terminator = u'=');
