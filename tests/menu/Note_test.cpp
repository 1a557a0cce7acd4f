#include <gtest/gtest.h>

#include <QImage>

#include "app/Globals.h"
#include "lib/Writers.h"
#include "menu/FrmInfo.h"
#include "menu/NoteFile.h"
#include "platform/Canvas.h"
#include "platform/Errors.h"
#include "platform/Win1250.h"
#include "support/Support.h"

namespace {

TEST(NoteFile, FirstWordAndPath) {
  const std::vector<std::pair<QString, QString>> words = {
      {"abc def", "abc"}, {"abc", "abc"}, {" abc", ""}, {"", ""}, {"a  b", "a"}};
  for (const auto& [text, first] : words) EXPECT_EQ(FirstWord(text), first) << text.toStdString();

  EXPECT_EQ(NoteFilePath("/p", "\\culture\\1A.fc2"), "/p\\cwicz\\culture\\1A.txt");
  EXPECT_EQ(NoteFilePath("/p", "\\shops\\2Bb.fc2"), "/p\\cwicz\\shops\\2Bb.txt");
  EXPECT_EQ(NoteFilePath("/p", "abc"), "/p\\cwicz.txt");  // shorter than an extension
}

TEST(NoteFile, WordsOfAFile) {
  struct Case {
    const char* name;
    QString text;
    QStringList words;
  };
  const std::vector<Case> cases = {
      {"single spaces", "Zapamiętaj: % a @ an", {"Zapamiętaj:", "%", "a", "@", "an"}},
      {"double space gives an empty word", "a  b", {"a", "", "b"}},
      {"star is a blank", "x * y", {"x", " ", "y"}},
      {"line ends carry no meaning", "a b\r\nc\r\n\r\nd", {"a", "b", "c", "d"}},
      {"last word without a space is kept", "one two", {"one", "two"}},
      {"a trailing space ends the line", "one \r\ntwo", {"one", "two"}},
      {"lone CR and LF lines", "a\rb\nc", {"a", "b", "c"}},
      {"empty file", "", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseNote(EncodeWin1250(c.text)), c.words) << c.name;
}

TEST(NoteFile, KeepsTheFirstHundredWords) {
  QStringList many;
  for (int i = 1; i <= 130; ++i) many << QString::number(i);
  const QStringList words = ParseNote(EncodeWin1250(many.join(' ')));
  ASSERT_EQ(words.size(), MaxNoteWords);
  EXPECT_EQ(words.front(), "1");
  EXPECT_EQ(words.back(), "100");
}

// The note's own faces, measured as the note screen measures them.
class NoteLayout : public ::testing::Test {
 protected:
  int Width(const QString& text, bool bold) {
    canvas.Font = TFont{QStringLiteral("Times New Roman"), 12, clBlack, bold ? fsBold : 0u};
    return canvas.TextWidth(text);
  }
  std::vector<TNoteRun> Layout(const QStringList& words) {
    return LayoutNote(words, 377, 15, [this](const QString& t, bool b) { return Width(t, b); });
  }
  QImage scratch{4, 4, QImage::Format_RGB32};
  TCanvas canvas{&scratch};
};

TEST_F(NoteLayout, PercentMakesOnlyTheNextWordBoldAndAtBreaksTheLine) {
  const auto runs = Layout({"Zapamiętaj:", "%", "a", "@", "an", "b"});
  const std::vector<TNoteRun> expected = {
      {"Zapamiętaj: ", 0, 0, false},
      {"a ", Width("Zapamiętaj: ", false), 0, true},
      {"an ", 0, 15, false},
      {"b ", Width("an ", false), 15, false},
  };
  EXPECT_EQ(runs, expected);
}

TEST_F(NoteLayout, AWordThatDoesNotFitStartsANewLine) {
  QStringList words;
  int x = 0;
  while (x + Width("word ", false) <= 377) {
    words << "word";
    x += Width("word ", false);
  }
  words << "longer";
  const auto runs = Layout(words);
  ASSERT_EQ(runs.size(), static_cast<size_t>(words.size()));
  for (size_t i = 0; i + 1 < runs.size(); ++i) EXPECT_EQ(runs[i].Y, 0);
  EXPECT_EQ(runs.back().X, 0);
  EXPECT_EQ(runs.back().Y, 15);
}

TEST_F(NoteLayout, StarLeavesABlankOfTwoSpaces) {
  const auto runs = Layout(ParseNote("x * y"));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].Text, "  ");
  EXPECT_EQ(runs[2].X, Width("x ", false) + Width("  ", false));
  EXPECT_GT(Width("  ", false), Width(" ", false));
}

TEST(NoteLayoutRules, BoldWordIsMeasuredInBold) {
  // Ten pixels a character in normal type, twelve in bold.
  const TNoteWidth width = [](const QString& t, bool bold) { return static_cast<int>(t.size()) * (bold ? 12 : 10); };
  const QString pad(29, u'a');  // 300 pixels with its space
  // "bbbbbb " fits in normal type (370) but not in bold (384).
  const auto runs = LayoutNote({pad, "%", "bbbbbb", "c"}, 377, 15, width);
  const std::vector<TNoteRun> expected = {
      {pad + " ", 0, 0, false},
      {"bbbbbb ", 0, 15, true},
      {"c ", 84, 15, false},
  };
  EXPECT_EQ(runs, expected);
}

TEST(NoteScreen, LoadNoteReadsTheFileNextToTheExercise) {
  TempInstallation inst;
  ProgramDir = inst.ProgramDir();
  WriteTextLines(inst.ProgramDir() + "/cwicz/culture/1A.txt", {"Pamiętaj: % the", "sun *"});
  LoadNote("\\culture\\1A.fc2");
  EXPECT_EQ(NoteWords, QStringList({"Pamiętaj:", "%", "the", "sun", " "}));

  try {
    LoadNote("\\culture\\1Z.fc2");
    ADD_FAILURE() << "a missing note must be an error";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message.contains("1Z.txt")) << e.what();
  }
  EXPECT_EQ(NoteWords.size(), 5) << "a failed load keeps the note";
  ResetSharedState();
}

}  // namespace
