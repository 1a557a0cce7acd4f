#include "exercises/ExerciseFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/Support.h"

namespace {

TWordExercise SampleExercise() {
  TWordExercise ex;
  ex.ItemCount = 4;
  const char* words[] = {"the sun", "an", "to be", "The cat"};
  const char* polish[] = {"słońce", "jakiś", "być", "kot"};
  for (int k = 0; k < 4; ++k) {
    ex.HotSpots[k] = {10 * k, 20 * k, 10 * k + 50, 20 * k + 40};
    ex.WordPositions[k] = {100 + k, 50 + k};
    ex.SoundNumbers[k] = 1200 + k;
    ex.Words[k] = words[k];
    ex.Translations[k] = QString::fromUtf8(polish[k]);
    ex.ItemUsed[k] = 1;
  }
  ex.Words[6] = "the dog";  // beyond ItemCount
  ex.PictureName = "\\culture\\park.bmp";
  return ex;
}

template <typename Error, typename F>
QString ErrorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.Message;
  } catch (const Exception& e) {
    return "wrong error type: " + e.Message;
  }
  return "no error";
}

TEST(WordExerciseFile, RoundTripKeepsEveryField) {
  const TWordExercise ex = SampleExercise();
  const QByteArray bytes = WriteWordExercise(ex);
  ASSERT_EQ(bytes.size(), WordExerciseSize);
  EXPECT_EQ(ReadWordExercise(bytes, "x.fc2"), ex);
  EXPECT_EQ(ex.UsedCount(), 4);
}

TEST(WordExerciseFile, SizeDecidesBetweenLoadAndError) {
  QByteArray bytes = WriteWordExercise(SampleExercise());
  const QByteArray longer = bytes + QByteArray(12, '\x7f');
  EXPECT_EQ(ReadWordExercise(longer, "long.fc2"), SampleExercise());
  const QString msg = ErrorOf<EInOutError>([&] { ReadWordExercise(bytes.left(2000), "krotki.fc2"); });
  EXPECT_TRUE(msg.contains("krotki.fc2") && msg.contains("2000")) << msg.toStdString();
  EXPECT_NE(ErrorOf<EInOutError>([&] { ReadWordExercise(bytes.left(2187), "a.fc2"); }), "no error");
}

TEST(WordExerciseFile, ItemCountOutsideTableIsAnErrorNamingFileAndField) {
  for (int count : {0, -1, 15, 0x7fffffff}) {
    QByteArray bytes = WriteWordExercise(SampleExercise());
    qToLittleEndian<qint32>(count, bytes.data());
    const QString msg = ErrorOf<EFormatError>([&] { ReadWordExercise(bytes, "zly.fc2"); });
    EXPECT_TRUE(msg.contains("zly.fc2") && msg.contains("ItemCount")) << count << ": " << msg.toStdString();
  }
}

TEST(WordExerciseFile, LengthBytesBeyondTheirFieldAreClamped) {
  QByteArray bytes = WriteWordExercise(SampleExercise());
  bytes[1016] = char(200);   // Words[1]: the following bytes belong to Words[2]
  bytes[512 + 36] = char(36);  // Translations[2]: one past its field
  bytes[1520] = char(255);   // PictureName
  const TWordExercise ex = ReadWordExercise(bytes, "x.fc2");
  EXPECT_EQ(ex.Words[0].size(), WordTextMax);
  EXPECT_TRUE(ex.Words[0].startsWith("the sun"));
  EXPECT_EQ(ex.Translations[1].size(), WordTextMax);
  EXPECT_EQ(ex.PictureName.size(), PictureNameMax);
  EXPECT_EQ(ex.Words[1], "an");  // its neighbour is unharmed
}

TEST(WordExerciseFile, WriterRefusesWhatCannotBeReadBack) {
  TWordExercise ex = SampleExercise();
  ex.Words[2] = QString(36, 'x');
  EXPECT_NE(ErrorOf<EFormatError>([&] { WriteWordExercise(ex); }).indexOf("Words[3]"), -1);
  ex = SampleExercise();
  ex.Translations[0] = QString::fromUtf8("日本");
  EXPECT_NE(ErrorOf<EFormatError>([&] { WriteWordExercise(ex); }), "no error");
  ex = SampleExercise();
  ex.ItemCount = 15;
  EXPECT_NE(ErrorOf<EFormatError>([&] { WriteWordExercise(ex); }), "no error");
}

TEST(WordExerciseFile, StripArticleTakesOneCaseSensitiveArticle) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"the sun", "sun"},     {"an", "an"},         {"to be", "be"},     {"The cat", "The cat"},
      {"a cat", "cat"},       {"an apple", "apple"}, {"the a cat", "a cat"}, {"another day", "another day"},
      {"a", "a"},             {"a ", ""},           {"", ""},            {" sun", " sun"},
      {"tomato soup", "tomato soup"},
  };
  for (const auto& c : cases) EXPECT_EQ(StripArticle(c.in), QString(c.out)) << c.in;
}

TEST(WordExerciseFile, PreparationShiftsPositionsAndStripsOnlyWhenAsked) {
  for (bool strip : {false, true}) {
    TWordExercise ex = SampleExercise();
    ex.WordPositions[0] = {100, 50};
    PrepareWordExercise(ex, strip);
    EXPECT_EQ(ex.WordPositions[0], (TWordPoint{118, 88}));
    EXPECT_EQ(ex.WordPositions[13], (TWordPoint{18, 38}));  // all 14 move
    EXPECT_EQ(ex.HotSpots[1], SampleExercise().HotSpots[1]);
    EXPECT_EQ(ex.Words[0], strip ? "sun" : "the sun");
    EXPECT_EQ(ex.Words[2], strip ? "be" : "to be");
    EXPECT_EQ(ex.Words[3], "The cat");
    EXPECT_EQ(ex.Words[6], "the dog");  // beyond ItemCount: never stripped
  }
}

TEST(WordExerciseFile, LoadsThroughTheResolverFromDisk) {
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("cwicz/Culture");
  ClearPathCache();
  SaveWordExerciseFile(dir.path() + "/cwicz/Culture/Park.FC2", SampleExercise());
  const TWordExercise ex = LoadWordExerciseFile(dir.path() + "\\CWICZ\\culture\\park.fc2", true);
  EXPECT_EQ(ex.Words[0], "sun");
  EXPECT_EQ(ex.WordPositions[0], (TWordPoint{118, 88}));
  const QString missing = ErrorOf<EInOutError>([&] { LoadWordExerciseFile(dir.path() + "/brak.fc2", false); });
  EXPECT_TRUE(missing.contains("brak.fc2")) << missing.toStdString();
}

TWordSearch SampleSearch() {
  TWordSearch ws;
  ws.Columns = 10;
  ws.Rows = 5;
  ws.MarginLeft = 3;
  ws.MarginTop = 4;
  ws.WordCount = 2;
  for (int c = 0; c < 50; ++c) ws.Letters[c] = QString(QChar('a' + c % 26));
  ws.Letters[7] = QString::fromUtf8("ż");
  ws.Direction[0] = 1;
  ws.Partner[0] = 4;
  ws.Direction[3] = 1;
  ws.Partner[3] = 1;
  ws.Direction[10] = 2;
  ws.Partner[10] = -126;  // 130 as a byte: never matched
  return ws;
}

TEST(WordSearchFile, RoundTripAndSignedPartners) {
  const QByteArray bytes = WriteWordSearch(SampleSearch());
  ASSERT_EQ(bytes.size(), WordSearchSize);
  EXPECT_EQ(static_cast<unsigned char>(bytes[271 + 10]), 130);
  const TWordSearch ws = ReadWordSearch(bytes + "extra", "k.fc4");
  EXPECT_EQ(ws, SampleSearch());
  EXPECT_EQ(ws.Partner[10], -126);
  EXPECT_NE(ErrorOf<EInOutError>([&] { ReadWordSearch(bytes.left(923), "k.fc4"); }).indexOf("k.fc4"), -1);
}

TEST(WordSearchFile, LetterLengthsAreClampedToOneCharacter) {
  QByteArray bytes = WriteWordSearch(SampleSearch());
  bytes[471] = char(9);       // cell 1 claims nine letters
  bytes[471 + 2 * 5] = char(0);  // cell 6 holds none
  const TWordSearch ws = ReadWordSearch(bytes, "k");
  EXPECT_EQ(ws.Letters[0], "a");
  EXPECT_EQ(ws.Letters[5], "");
  EXPECT_EQ(ws.Letters[1], "b");
}

TEST(WordSearchFile, SizesAndWordCountOutsideTheGridAreRefused) {
  const struct {
    int w, h, n;
    const char* field;
  } bad[] = {{0, 5, 1, "W"},   {-3, 5, 1, "W"},  {10, 0, 1, "H"},   {20, 11, 1, "W x H"},
             {65536, 65536, 1, "W x H"}, {10, 5, 0, "N"}, {10, 5, 26, "N"}, {10, 5, -1, "N"}};
  for (const auto& b : bad) {
    TWordSearch ws = SampleSearch();
    ws.Columns = b.w;
    ws.Rows = b.h;
    ws.WordCount = b.n;
    const QString msg = ErrorOf<EFormatError>([&] { ReadWordSearch(WriteWordSearch(ws), "zla.fc4"); });
    EXPECT_TRUE(msg.contains("zla.fc4") && msg.contains(QString(", pole ") + b.field + ":"))
        << b.w << "x" << b.h << " n=" << b.n << ": " << msg.toStdString();
  }
  TWordSearch full = SampleSearch();
  full.Columns = 20;
  full.Rows = 10;
  full.WordCount = 100;
  EXPECT_EQ(ReadWordSearch(WriteWordSearch(full), "k").WordCount, 100);
}

TEST(TerminatedFields, EachFieldEndsAtItsEqualsSign) {
  const struct {
    const char* line;
    QStringList fields;
  } cases[] = {
      {"12=Tom=Hello!=Cześć!=", {"12", "Tom", "Hello!", "Cześć!"}},
      {"12=Tom=Hello!=Cześć!", {"12", "Tom", "Hello!", ""}},
      {"12=Tom", {"12", "", "", ""}},
      {"", {"", "", "", ""}},
      {"==a=b=c=d", {"", "", "a", "b"}},
      {"1=2=3=4=5=", {"1", "2", "3", "4"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadTerminatedFields(QString::fromUtf8(c.line), 4), c.fields) << c.line;
}

QStringList DialogueLines(int n, const QStringList& body) {
  return QStringList{"IloscLinii=" + QString::number(n), "X=40", "Y=70", "Tytul=W sklepie", "Notatka="} + body;
}

TEST(DialogueFile, ReadsHeaderAndLines) {
  const TDialogue d = ReadDialogue(
      TextBytes(DialogueLines(2, {QString::fromUtf8("12=Tom=Hello!=Cześć!="), "13=Ann=Hi=Cześć"})),
      "d.fc5");
  EXPECT_EQ(d.Left, 40);
  EXPECT_EQ(d.Top, 70);
  EXPECT_EQ(d.Title, "W sklepie");
  ASSERT_EQ(d.Lines.size(), 2u);
  EXPECT_EQ(d.Lines[0], (TDialogueLine{12, "Tom", "Hello!", QString::fromUtf8("Cześć!")}));
  EXPECT_EQ(d.Lines[1].Polish, "");  // its last "=" is missing
  EXPECT_EQ(ReadDialogue(WriteDialogue(d), "d"), d);
}

TEST(DialogueFile, BadNumbersAndCountsNameFileAndLine) {
  const struct {
    QStringList lines;
    const char* where;
    bool convert;
  } cases[] = {
      {DialogueLines(15, {}), "d.fc5:1:", false},
      {DialogueLines(0, {}), "d.fc5:1:", false},
      {DialogueLines(-2, {}), "d.fc5:1:", false},
      {{"IloscLinii=x"}, "d.fc5:1:", true},
      {DialogueLines(2, {"1=A=B=C="}), "d.fc5:7:", true},  // the missing line reads empty
      {DialogueLines(1, {"=A=B=C="}), "d.fc5:6:", true},
      {{"IloscLinii=1", "X=4o"}, "d.fc5:2:", true},
  };
  for (const auto& c : cases) {
    const QString msg =
        c.convert ? ErrorOf<EConvertError>([&] { ReadDialogue(TextBytes(c.lines), "d.fc5"); })
                  : ErrorOf<EFormatError>([&] { ReadDialogue(TextBytes(c.lines), "d.fc5"); });
    EXPECT_TRUE(msg.startsWith(c.where)) << c.lines.join('|').toStdString() << ": " << msg.toStdString();
  }
}

TEST(DialogueFile, WriterRefusesUnreadableTexts) {
  TDialogue d{1, 2, "t", {{1, "A", "x = y", "p"}}};
  EXPECT_NE(ErrorOf<EFormatError>([&] { WriteDialogue(d); }), "no error");
  d.Lines[0].Text = "ok";
  d.Title = "a\nb";
  EXPECT_NE(ErrorOf<EFormatError>([&] { WriteDialogue(d); }), "no error");
  d.Title = "t";
  d.Lines.assign(15, {1, "A", "B", "C"});
  EXPECT_NE(ErrorOf<EFormatError>([&] { WriteDialogue(d); }), "no error");
}

QStringList GapHeader(int e) {
  return {"IloscWymian=" + QString::number(e), "Tytul=Na poczcie", "--", "--", "Notatka="};
}

TEST(GapDialogueFile, AnswersFollowTheFirstLineWhereverTheGapIs) {
  const QStringList lines = GapHeader(2) + QStringList{
                                               "1=2=3=ukryty=Where is=the=post office=2=",
                                               "  over there  ",
                                               "there",
                                               "4=drugi=It is= PYT =?=1=",
                                               "nieużywana",
                                               "5=6=7=x=PYT=am=fine=1=",
                                               "I",
                                               "8=y=And=you=?=0=",
                                           };
  const TGapDialogue g = ReadGapDialogue(TextBytes(lines), "g.fc9");
  EXPECT_EQ(g.Title, "Na poczcie");
  ASSERT_EQ(g.Exchanges.size(), 2u);
  const TExchange& a = g.Exchanges[0];
  EXPECT_EQ(a.GapPart, 5);
  EXPECT_EQ(a.Answers, (QStringList{"over there", "there"}));
  EXPECT_EQ(a.Parts[4], " PYT ");
  EXPECT_EQ(a.Parts[5], "?");
  EXPECT_EQ(a.FirstNumbers, (std::array<int, 3>{1, 2, 3}));
  EXPECT_EQ(a.SecondNumber, 4);
  EXPECT_EQ(a.ExtraLines, QStringList{QString::fromUtf8("nieużywana")});
  EXPECT_EQ(g.Exchanges[1].GapPart, 1);
  EXPECT_EQ(g.Exchanges[1].Answers, QStringList{"I"});
  EXPECT_EQ(ReadGapDialogue(WriteGapDialogue(g), "g"), g);
}

TEST(GapDialogueFile, CountsAndGapsOutsideTheScreenAreErrors) {
  const struct {
    QStringList lines;
    const char* where;
  } cases[] = {
      {GapHeader(5), "g.fc9:1:"},
      {GapHeader(0), "g.fc9:1:"},
      {GapHeader(1) + QStringList{"1=2=3=x=PYT=b=c=6="}, "g.fc9:6:"},
      {GapHeader(1) + QStringList{"1=2=3=x=a=b=c=0=", "4=x=d=e=f=0="}, "g.fc9:7:"},         // no gap
      {GapHeader(1) + QStringList{"1=2=3=x=PYT=b=c=0=", "4=x=PYT=e=f=0="}, "g.fc9:7:"},     // two gaps
      {GapHeader(1) + QStringList{"1=2=3=x=PYT=b=c=0=", "4=x=d=e=f=9="}, "g.fc9:7:"},
  };
  for (const auto& c : cases) {
    const QString msg =
        ErrorOf<EFormatError>([&] { ReadGapDialogue(TextBytes(c.lines), "g.fc9"); });
    EXPECT_TRUE(msg.startsWith(c.where)) << c.lines.join('|').toStdString() << ": " << msg.toStdString();
  }
  // A count below 1 reads no answer lines; a number field that is empty fails to convert.
  const TGapDialogue g = ReadGapDialogue(
      TextBytes(GapHeader(1) + QStringList{"1=2=3=x=PYT=b=c=-1=", "4=x=d=e=f=0="}), "g.fc9");
  EXPECT_TRUE(g.Exchanges[0].Answers.isEmpty());
  const QString conv =
      ErrorOf<EConvertError>([&] { ReadGapDialogue(TextBytes(GapHeader(1)), "g.fc9"); });
  EXPECT_TRUE(conv.startsWith("g.fc9:6:")) << conv.toStdString();
}

TEST(GapDialogueFile, WriterRefusesUntrimmedAnswersAndMissingGaps) {
  TExchange ex;
  ex.Parts = {"I", "PYT", ".", "Yes", "no", "."};
  ex.GapPart = 2;
  ex.Answers = {" go "};
  TGapDialogue g{"t", {ex}};
  EXPECT_NE(ErrorOf<EFormatError>([&] { WriteGapDialogue(g); }), "no error");
  g.Exchanges[0].Answers = {"go"};
  EXPECT_EQ(ReadGapDialogue(WriteGapDialogue(g), "g"), g);
  g.Exchanges[0].Parts[1] = "went";
  EXPECT_NE(ErrorOf<EFormatError>([&] { WriteGapDialogue(g); }), "no error");
}

}  // namespace
