#include <gtest/gtest.h>

#include "app/StartOptions.h"
#include "support/Support.h"

TEST(CommandLine, ReadsEveryOption) {
  TStartOptions o;
  QString error;
  ASSERT_TRUE(ParseCommandLine({"--program-dir", "/p", "--data-root", "/cd", "--window", "--scale", "3"}, o, error));
  EXPECT_EQ(o.ProgramDir, "/p");
  EXPECT_EQ(o.DataRoot, "/cd");
  EXPECT_TRUE(o.Window);
  EXPECT_EQ(o.Scale, 3);
  ASSERT_TRUE(ParseCommandLine({}, o, error));
  EXPECT_EQ(o.Scale, 0);
  EXPECT_FALSE(o.Window);
  ASSERT_TRUE(ParseCommandLine({"--help"}, o, error));
  EXPECT_TRUE(o.Help);
  ASSERT_TRUE(ParseCommandLine({"--version"}, o, error));
  EXPECT_TRUE(o.Version);
}

TEST(CommandLine, RefusesWhatItDoesNotKnowWithAClearMessage) {
  const std::vector<std::pair<QStringList, QString>> bad = {
      {{"--fullscreen"}, "Unknown option '--fullscreen'"},
      {{"--scale"}, "Option --scale needs a value"},
      {{"--scale", "0"}, "--scale needs a whole number from 1 to 16, not '0'"},
      {{"--scale", "2x"}, "--scale needs a whole number from 1 to 16, not '2x'"},
      {{"--data-root"}, "Option --data-root needs a value"},
      {{"start.lok"}, "Unknown option 'start.lok'"},
  };
  for (const auto& [args, message] : bad) {
    TStartOptions o;
    QString error;
    EXPECT_FALSE(ParseCommandLine(args, o, error)) << args.join(' ').toStdString();
    EXPECT_EQ(error, message);
  }
}
