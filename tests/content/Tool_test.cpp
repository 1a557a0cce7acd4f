#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "lib/Demo.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/Support.h"

TEST(ContentTool, AnswersLikeACommandLineToolAndAsItsReadmeSays) {
  struct Case {
    QStringList args;
    int code;
    const char* out;  // expected on standard output (empty: nothing)
    const char* err;  // expected on standard error
  } cases[] = {
      {{"--help"}, 0, "Usage:", ""},
      {{"progress", "--help"}, 0, "--sort ORDER", ""},
      {{"--version"}, 0, "tarvolin-content 0.1.0", ""},
      {{}, 2, "", "Usage:"},
      {{"frobnicate"}, 2, "", "unknown command 'frobnicate'"},
      {{"progress", "--sort", "age"}, 2, "", "unknown order 'age'"},
      {{"build", "lesson"}, 2, "", "Usage: tarvolin-content build LESSONS_DIR --into"},
      {{"build", "/nonexistent/lesson", "--into", "/nonexistent/program"}, 1, "", "tarvo.ini"},
  };
  for (const Case& c : cases) {
    const ToolRun r = RunTool(c.args);
    const std::string what = c.args.join(' ').toStdString();
    EXPECT_EQ(r.Code, c.code) << what;
    if (*c.out) {
      EXPECT_TRUE(r.Out.contains(c.out)) << what << ": " << r.Out.toStdString();
    } else {
      EXPECT_EQ(r.Out, "") << what;
    }
    if (*c.err) {
      EXPECT_TRUE(r.Err.contains(c.err)) << what << ": " << r.Err.toStdString();
    }
  }
  // Every command's synopsis, as the tool prints it, is the README's.
  QFile readme(TARVOLIN_SOURCE_DIR "/README.md");
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(readme.readAll());
  const QRegularExpression synopsis("^  (tarvolin-content \\S+.*)$",
                                    QRegularExpression::MultilineOption);
  int commands = 0;
  for (const auto& m : synopsis.globalMatch(RunTool({"--help"}).Out)) {
    ++commands;
    EXPECT_TRUE(text.contains(m.captured(1))) << m.captured(1).toStdString();
  }
  EXPECT_EQ(commands, 6);
}

TEST(ContentTool, BuildDemoReplacesTheFolderWholeOrLeavesItAsItWas) {
  QTemporaryDir dir, sources;
  const QString out = dir.path() + "/demo";
  QDir().mkpath(out + "/program");
  WriteTextLines(out + "/stale.txt", {"from an earlier build"});
  auto leftovers = [&] {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  };

  TDemoOptions broken{sources.path() + "/missing", false};
  EXPECT_THROW(ReplaceWithDemo(out, broken), EInOutError);
  EXPECT_TRUE(QFile::exists(out + "/stale.txt"));
  EXPECT_EQ(leftovers(), QStringList{"demo"}) << "no half-built folder stays behind";

  TDemoOptions options{DemoSourcesWith(sources, ""), false};
  ReplaceWithDemo(out, options);
  EXPECT_FALSE(QFile::exists(out + "/stale.txt"));
  EXPECT_EQ(leftovers(), QStringList{"demo"});
  QDir().mkdir(dir.path() + "/new");
  EXPECT_EQ(QFileInfo(out).permissions(), QFileInfo(dir.path() + "/new").permissions())
      << "readable by all, as installed";
  ClearPathCache();
  TTextReader ini = TTextReader::FromFile(out + "/program/tarvo.ini");
  ini.ReadLine();
  EXPECT_EQ(ini.ReadLine(), "cd=" + QDir(out).absolutePath() + "/cd")
      << "the data root where the demo now lies";
}
