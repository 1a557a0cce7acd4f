// The listening choice file: fields by their commas, counts and right answers
// the screen cannot use refused with the file and line.
#include "exercises/ListeningChoiceFile.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "support/Support.h"

namespace {

TEST(ListeningChoiceFile, FieldsEndAtTheirCommas) {
  const TListeningChoice c = ReadListeningChoice(
      TextBytes({"IloscPytan=3", QString::fromUtf8("P01=12,2,kot,pies ,ryba,reszta"),
                 "P02=+7,3,a,b,c", "xxxx-5,1,,,,"}),
      "m.txt");
  ASSERT_EQ(c.Questions.size(), 3u);
  EXPECT_EQ(c.Questions[0], (TChoiceQuestion{12, 2, {"kot", "pies ", "ryba"}}));
  EXPECT_EQ(c.Questions[1], (TChoiceQuestion{7, 3, {"a", "b", ""}}));  // no final comma
  EXPECT_EQ(c.Questions[2], (TChoiceQuestion{-5, 1, {"", "", ""}}));
  EXPECT_EQ(ReadListeningChoice(WriteListeningChoice(c), "again"), c);
  EXPECT_EQ(SplitLines(WriteListeningChoice(c))[1], QString::fromUtf8("P01=12,2,kot,pies ,ryba,"));
}

TEST(ListeningChoiceFile, UnusableValuesNameTheFileAndLine) {
  const struct {
    QStringList lines;
    const char* where;
    bool convert;  // EConvertError, else EFormatError
  } cases[] = {
      {{"IloscPytan=1", "P01=1,1,a,b,c,"}, "m.txt:1:", false},
      {{"IloscPytan=13"}, "m.txt:1:", false},
      {{"IloscPytan=-2"}, "m.txt:1:", false},
      {{"IloscPytan=2x"}, "m.txt:1:", true},
      {{"IloscPytan=2", "P01=1,0,a,b,c,", "P02=1,1,a,b,c,"}, "m.txt:2:", false},
      {{"IloscPytan=2", "P01=1,1,a,b,c,", "P02=1,4,a,b,c,"}, "m.txt:3:", false},
      {{"IloscPytan=2", "P01=1,1,a,b,c,", "P02=x,1,a,b,c,"}, "m.txt:3:", true},
      {{"IloscPytan=2", "P01=1,1,a,b,c,"}, "m.txt:3:", true},  // the second question is missing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines.join('|').toStdString());
    QString message = "no error";
    bool convert = false;
    try {
      ReadListeningChoice(TextBytes(c.lines), "m.txt");
    } catch (const EConvertError& e) {
      message = e.Message;
      convert = true;
    } catch (const EFormatError& e) {
      message = e.Message;
    }
    EXPECT_TRUE(message.startsWith(c.where)) << message.toStdString();
    EXPECT_EQ(convert, c.convert);
  }
}

TEST(ListeningChoiceFile, TheWriterRefusesWhatCouldNotBeReadBack) {
  TListeningChoice one;
  one.Questions.resize(1);
  TListeningChoice comma;
  comma.Questions.resize(2);
  comma.Questions[1].Texts[2] = "a, b";
  TListeningChoice right;
  right.Questions.resize(2);
  right.Questions[0].RightChoice = 4;
  for (const TListeningChoice* c : {&one, &comma, &right})
    EXPECT_THROW(WriteListeningChoice(*c), EFormatError);
}

}  // namespace
