// The check follows "PKRZ=" entries to the word search, its pictures, strips
// and sounds, and finds searches that cannot be played to their end.
#include <gtest/gtest.h>

#include <QFile>

#include "lib/Check.h"
#include "lib/ListFiles.h"
#include "lib/Writers.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/Support.h"
#include "support/WordSearchSupport.h"
#include "world/LocationFile.h"

namespace {

TEST(CheckWordSearch, FollowsEntriesToTheirWordsPicturesAndStrips) {
  TempInstallation inst;
  WriteWordSearchScreenFiles(inst.Install());
  TLocation start;
  start.Picture = "p.bmp";
  start.BackLink = "NONE";
  start.ExerciseListFile = "\\cwicz\\t\\lista.txt";
  start.ExerciseListLines = 1;
  SaveLocationFile(inst.ProgramDir() + "/lokacje/Start.lok", start);
  WriteSolidBmp(inst.DataRoot() + "/lokacje/p.bmp", 570, 433, Qt::green);

  TWordSearch outside = MakeWordSearch(10, 8, {{1, 4, 1}});
  outside.Partner[9] = 90;
  TWordSearch tooFew = MakeWordSearch(10, 8, {{1, 4, 1}, {11, 14, 1}});
  tooFew.WordCount = 3;
  const struct {
    const char* file;
    TWordSearch search;
    const char* problem;  // empty: none at its line
  } cases[] = {
      {"good", MakeWordSearch(10, 8, {{1, 4, 1}, {8, 28, 2}}), ""},
      {"outside", outside, "warning: cell 10 names cell 90 outside the 80 cells"},
      {"toofew", tooFew, "only 2 words can be found of the 3 asked for"},
      {"wide", MakeWordSearch(12, 5, {{1, 4, 1}}),
       "warning: the 12 x 5 grid needs 310 x 135 pixels"},
      {"wrapped", MakeWordSearch(10, 8, {{9, 12, 1}}),
       "warning: the word from cell 9 to cell 12 (direction 1)"},
      {"blocked", MakeWordSearch(10, 8, {{1, 4, 1}, {21, 24, 1}, {2, 22, 2}}),
       "the word from cell 2 to cell 22 never counts once the words through both its ends are "
       "found "
       "(cell 2 in 1-4, cell 22 in 21-24)"},
  };
  TListFile list;
  for (const auto& c : cases) {
    const QString file = QStringLiteral("\\t\\%1.fc4").arg(c.file);
    SaveWordSearch(inst.Install(), file, c.search);
    list.Entries.push_back({"PKRZ=", file, 0});
  }
  list.Count = static_cast<int>(list.Entries.size());
  const QString listPath = inst.ProgramDir() + "/cwicz/t/lista.txt";
  WriteFileAtomic(listPath, WriteListFile(list, TListKind::Exercises));
  ClearPathCache();

  auto problemsAt = [&](int line) {
    TInstallationCheck check(inst.ProgramDir());
    check.Run();
    QStringList found;
    for (const TProblem& p : check.Problems())
      if (p.File.endsWith("lista.txt") && p.Line == line) found << p.Text();
    return found.join(QChar(10));
  };
  for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
    SCOPED_TRACE(cases[i].file);
    const QString problems = problemsAt(i + 2);
    if (*cases[i].problem)
      EXPECT_TRUE(problems.contains(cases[i].problem)) << problems.toStdString();
    else
      EXPECT_EQ(problems, "");
  }

  ASSERT_TRUE(QFile::remove(ResolvePath(inst.DataRoot() + "/gfx/Anim/Ryba.bmp")));
  ClearPathCache();
  EXPECT_TRUE(problemsAt(2).contains("word search strip not found")) << problemsAt(2).toStdString();
}

}  // namespace
