#include "exercises/CrosswordFile.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"

namespace {

TCrossword SampleCrossword() {
  TCrossword c;
  c.WordCount = 3;
  const char* answers[] = {"CAT", "HEN", "SHEEP"};
  const char* clues[] = {"Kot", "Kura", "Owca"};
  for (int k = 0; k < 3; ++k) {
    c.Answers[k] = answers[k];
    c.Clues[k] = QString::fromUtf8(clues[k]);
    c.SolutionColumn[k] = k + 1;
    c.LinePositions[k] = {100 - 21 * k, 77 + 26 * k};
  }
  c.Clues[3] = QStringLiteral("Świnia");  // beyond WordCount, still kept
  c.SolutionColumn[14] = -3;
  return c;
}

TEST(CrosswordFile, RoundTripAndTheRecordsOwnLimits) {
  const QByteArray bytes = WriteCrossword(SampleCrossword());
  ASSERT_EQ(bytes.size(), CrosswordSize);
  EXPECT_EQ(ReadCrossword(bytes, "k.fc3"), SampleCrossword());
  // Only the first record counts.
  EXPECT_EQ(ReadCrossword(bytes + QByteArray(912, '\x7f'), "k.fc3"), SampleCrossword());

  try {
    ReadCrossword(bytes.left(911), "cwicz/farm/k.fc3");
    FAIL() << "a short file must be refused";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message.contains("cwicz/farm/k.fc3")) << e.what();
  }
  for (int count : {-1, 0, 16}) {
    QByteArray bad = bytes;
    bad[0] = static_cast<char>(count);
    bad[1] = bad[2] = bad[3] = static_cast<char>(count < 0 ? 0xff : 0);
    try {
      ReadCrossword(bad, "k.fc3");
      FAIL() << "WordCount " << count << " must be refused";
    } catch (const EFormatError& e) {
      EXPECT_TRUE(e.Message.contains("k.fc3") && e.Message.contains("WordCount")) << e.what();
    }
  }
}

TEST(CrosswordFile, LengthBytesBeyondTheirFieldsAreClamped) {
  QByteArray bytes = WriteCrossword(SampleCrossword());
  bytes[35] = static_cast<char>(200);   // Answer[1]: 15 characters at most
  bytes[447] = static_cast<char>(255);  // Clue[1]: 30 at most
  const TCrossword c = ReadCrossword(bytes, "k.fc3");
  EXPECT_EQ(c.Answers[0].size(), AnswerMax);
  EXPECT_TRUE(c.Answers[0].startsWith("CAT"));
  EXPECT_EQ(c.Clues[0].size(), ClueMax);
  EXPECT_EQ(c.Answers[1], "HEN");
}

TEST(CrosswordFile, ProblemsNameTheLinesThatCannotBePlayed) {
  TCrossword c = SampleCrossword();
  c.WordCount = 5;
  c.Answers[1] = "ICE CREAM";
  c.SolutionColumn[2] = 6;  // SHEEP has five cells
  const std::vector<TCrosswordProblem> problems = CrosswordProblems(c);
  struct Expected {
    int line;
    bool unplayable;
    const char* says;
  };
  const Expected expected[] = {{2, true, "A-Z"},
                               {3, false, "solution column 6"},
                               {4, true, "no letters"},
                               {5, true, "no letters"}};
  ASSERT_EQ(problems.size(), std::size(expected));
  for (size_t i = 0; i < problems.size(); ++i) {
    EXPECT_EQ(problems[i].Line, expected[i].line);
    EXPECT_EQ(problems[i].Unplayable, expected[i].unplayable) << i;
    EXPECT_TRUE(problems[i].Message.startsWith(QStringLiteral("line %1: ").arg(expected[i].line)) &&
                problems[i].Message.contains(expected[i].says))
        << problems[i].Message.toStdString();
  }
  EXPECT_TRUE(CrosswordProblems(SampleCrossword()).empty());
}

TEST(CrosswordFile, WriterRefusesWhatCannotBeReadBack) {
  TCrossword c = SampleCrossword();
  c.WordCount = 16;
  EXPECT_THROW(WriteCrossword(c), EFormatError);
  c = SampleCrossword();
  c.Answers[0] = "ABCDEFGHIJKLMNOP";
  EXPECT_THROW(WriteCrossword(c), EFormatError);
  c = SampleCrossword();
  c.SolutionColumn[0] = 300;
  EXPECT_THROW(WriteCrossword(c), EFormatError);
}

}  // namespace
