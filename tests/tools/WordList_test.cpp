// The word list's character positions, its article and "=" rules, its room,
// and the writer the demo uses.
#include "tools/WordList.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "platform/Win1250.h"
#include "support/Support.h"

namespace {

struct TLineCase {
  const char* Line;
  int Sound;
  const char* English;
  const char* Polish;
};

TEST(WordList, LinesReadByTheirCharacterPositions) {
  const TLineCase cases[] = {
      {"  00437    cat = kot=", 437, "cat", "kot"},
      {"xx00437yyyycat = kot=", 437, "cat", "kot"},  // positions 1-2 and 8-11 are not looked at
      {"  00437    The cat = kot=", 437, "The cat", "kot"},  // only lower-case articles go
      {"  00012    to be = być = 3", 12, "be", "być "},      // up to just before the second "="
      {"  00001    a cat = kot=", 1, "cat", "kot"},
      {"  00001    an apple = jabłko=", 1, "apple", "jabłko"},
      {"  00001    the sun = słońce=", 1, "sun", "słońce"},
      {"  00001    ant = mrówka=", 1, "ant", "mrówka"},  // "an" only as a word
      {"  00001    a a cat = kot=", 1, "a cat", "kot"},  // one article only
      {"  00200    dog = pies", 200, "dog", ""},         // no second "=": no Polish
      {"  00200    no separator", 200, "UWAGA !! InStr zwrócił -1", ""},
      {"ab", 11111, "UWAGA !! InStr zwrócił -1", ""},
      {"", 11111, "UWAGA !! InStr zwrócił -1", ""},
      {"  7", 7, "UWAGA !! InStr zwrócił -1", ""},
      {"  00001 x= y=", 1, "", "y"},  // "=" before position 12
  };
  for (const TLineCase& c : cases) {
    SCOPED_TRACE(c.Line);
    const TWordEntry e = ParseWordEntry(QString::fromUtf8(c.Line));
    EXPECT_EQ(e.Sound, c.Sound);
    EXPECT_EQ(e.English, QString::fromUtf8(c.English));
    EXPECT_EQ(e.Polish, QString::fromUtf8(c.Polish));
  }
}

TEST(WordList, ASoundNumberThatIsNoNumberNamesTheFileAndLine) {
  const QByteArray bytes = EncodeWin1250("  00001    cat = kot=\r\n  0x001    dog = pies=\r\n");
  try {
    ParseWordList(bytes, "Sb_all_NEW.txt");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_TRUE(e.Message.startsWith("Sb_all_NEW.txt:2")) << e.Message.toStdString();
  }
}

TEST(WordList, LinesPastTheRoomAreLeftOutAndCounted) {
  TTextWriter w;
  for (int i = 1; i <= MaxWordEntries + 5; ++i)
    w.WriteLine(QStringLiteral("  %1    w%1 = s%1=").arg(i, 5, 10, QChar('0')));
  const TWordList list = ParseWordList(w.Bytes(), "list.txt");
  ASSERT_EQ(list.Entries.size(), static_cast<size_t>(MaxWordEntries));
  EXPECT_EQ(list.Entries.back().English, "w01200");
  EXPECT_EQ(list.LinesLeftOut, 5);
  EXPECT_TRUE(LinesLeftOutMessage("list.txt", 5).startsWith("list.txt:1201:"));
}

TEST(WordList, WrittenEntriesReadBackAndUnwritableOnesAreRefused) {
  const std::vector<TWordEntry> entries = {
      {437, "cat", "kot"}, {0, "ice cream", "lody"}, {99999, "żaba?", "żaba"}};
  const TWordList back = ParseWordList(WriteWordList(entries));
  EXPECT_EQ(back.Entries, entries);
  EXPECT_EQ(ParseWordList(WriteWordList({{5, "a cat", "kot"}})).Entries[0].English, "cat");
  for (const TWordEntry& bad : {TWordEntry{1, "a=b", "c"}, TWordEntry{1, "a", "b=c"},
                                TWordEntry{100000, "a", "b"}, TWordEntry{-1, "a", "b"}})
    EXPECT_THROW(WriteWordList({bad}), EFormatError) << bad.English.toStdString();
}

}  // namespace
