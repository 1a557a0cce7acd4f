// The crossword in the content tool: the demo's crossword command lines the
// solution cells up in one column, dump shows the record with notes on lines
// that cannot be played, and check follows a KRZY= entry to the file and to
// everything its screen opens.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "exercises/CrosswordFile.h"
#include "lib/Check.h"
#include "lib/Demo.h"
#include "lib/Dump.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/Support.h"

namespace {

TEST(CrosswordContent, TheDemoCommandLinesUpTheSolutionColumnAndDumpShowsIt) {
  TempInstallation inst;
  QTemporaryDir src;
  CompileDemoSources(inst.Install(),
                     {DemoSourcesWith(src,
                              "crossword program\\cwicz\\t\\k.fc3 column=200 top=60\n"
                              "  word CAT \"Kot\" solution=2\n"
                              "  word SHEEP \"Owca\" solution=5\n"
                              "  word OX \"Wół\"\n"),
                      false});
  const QString path = inst.ProgramDir() + "/cwicz/t/k.fc3";
  const TCrossword c = LoadCrosswordFile(path);
  ASSERT_EQ(c.WordCount, 3);
  for (int k = 0; k < 3; ++k) {
    // The screen shows line k at (Left + 10, Top - 21).
    EXPECT_EQ(c.LinePositions[k].Left + 10 + (c.SolutionColumn[k] - 1) * 21, 200) << k;
    EXPECT_EQ(c.LinePositions[k].Top - 21, 60 + 26 * k) << k;
  }
  EXPECT_EQ(c.Clues[2], QStringLiteral("Wół"));

  TDumpResult r = DumpFile(path);
  EXPECT_TRUE(r.Json.contains("\"SHEEP\"")) << r.Json.toStdString();
  EXPECT_TRUE(r.Notes.empty());
  TCrossword odd = c;
  odd.Answers[1] = "ICE CREAM";
  SaveCrosswordFile(path, odd);
  r = DumpFile(path, "crossword");
  ASSERT_EQ(r.Notes.size(), 1u);
  EXPECT_TRUE(r.Notes[0].Message.startsWith("line 2")) << r.Notes[0].Message.toStdString();

  struct Bad {
    const char* text;
    int line;
    const char* says;
  };
  const Bad bads[] = {
      {"crossword program\\k.fc3 column=40\n  word HORSE \"Koń\" solution=5\n", 2, "runs outside"},
      {"crossword program\\k.fc3\n  word CAT \"Kot\"\n  word \"ICE CREAM\" \"Lody\"\n", 3, "A-Z"}};
  for (const Bad& bad : bads) {
    try {
      CompileDemoSources(inst.Install(), {DemoSourcesWith(src, QString::fromUtf8(bad.text)), false});
      ADD_FAILURE() << bad.text;
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message.contains(QStringLiteral("test.txt:%1:").arg(bad.line)) &&
                  e.Message.contains(bad.says))
          << e.what();
    }
  }
}

TEST(CrosswordContent, CheckFollowsTheEntryToTheFileItsPicturesAndSounds) {
  TempInstallation inst;
  const QString program = inst.ProgramDir();
  // The town square's list, with one crossword.
  WriteTextLines(program + "/cwicz/town/lista.txt", {"Cwiczenia: 1", "KRZY=\\town\\k.fc3"});
  TCrossword c;
  c.WordCount = 2;
  c.Answers = {"CAT", "ICE CREAM"};
  c.SolutionColumn = {1, 1};
  SaveCrosswordFile(program + "/cwicz/town/k.fc3", c);
  QFile::remove(ResolvePath(inst.DataRoot() + "/gfx/Anim/Yeti2.bmp"));
  ClearPathCache();
  TInstallationCheck check(program);
  check.Run();
  QString report;
  for (const TProblem& p : check.Problems()) report += p.Text() + '\n';
  const QString list = ResolvePath(program + "/cwicz/town/lista.txt") + ":2: ";
  for (const QString& expected : {list + ResolvePath(program + "/cwicz/town/k.fc3") + ": line 2",
                                  list + "crossword screen (Yeti strip) not found",
                                  list + "warning: crossword screen (a word solved) not found"})
    EXPECT_TRUE(report.contains(expected))
        << "expected: " << expected.toStdString() << "\nreport:\n"
        << report.toStdString();
  EXPECT_FALSE(report.contains("ski-lift strip")) << report.toStdString();
}

}  // namespace
