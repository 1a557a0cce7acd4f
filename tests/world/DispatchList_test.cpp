#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "support/Support.h"
#include "world/ExerciseList.h"

namespace {

TEST(ExerciseListFile, KeysAreUpperCasedAndFilesKeptAsWritten) {
  const auto list =
      ParseExerciseList(RawLines({"Cwiczenia: 3", "ddro=\\culture\\1A.fc2",
                                  "Prez=\\Culture\\1Ba.FC2", "KRZY=\\culture\\k 1.fc3"}),
                        "c.txt");
  ASSERT_EQ(list.Entries.size(), 3u);
  EXPECT_EQ(list.Entries[0].Key, "DDRO=");
  EXPECT_EQ(list.Entries[0].File, "\\culture\\1A.fc2");
  EXPECT_EQ(list.Entries[1].Key, "PREZ=");
  EXPECT_EQ(list.Entries[1].File, "\\Culture\\1Ba.FC2");
  EXPECT_EQ(list.Entries[2].File, "\\culture\\k 1.fc3");
}

TEST(ExerciseListFile, ShortAndBlankEntryLinesKeepWhatTheyHave) {
  // Only the count decides how many lines are entries; a blank one is an entry no screen takes.
  const auto list = ParseExerciseList(RawLines({"12345678901"
                                                "2",
                                                "", "lili"}),
                                      "c.txt");
  ASSERT_EQ(list.Entries.size(), 2u);
  EXPECT_EQ(list.Entries[0].Key, "");
  EXPECT_EQ(list.Entries[1].Key, "LILI");
  EXPECT_EQ(list.Entries[1].File, "");
  EXPECT_EQ(ScreenForKey(list.Entries[1].Key), TExerciseScreen::Unknown);
}

TEST(ExerciseListFile, BadCountsAndMissingEntriesNameFileAndLine) {
  struct Case {
    const char* name;
    QByteArray bytes;
    const char* where;
  };
  QByteArray seventyOne = "Cwiczenia: 71\r\n";
  for (int i = 0; i < 71; ++i) seventyOne += "PREZ=\\culture\\1A.fc2\r\n";
  const Case cases[] = {
      {"zero", RawLines({"Cwiczenia: 0"}), "l.txt:1"},
      {"negative", RawLines({"Cwiczenia: -2", "PREZ=\\a.fc2"}), "l.txt:1"},
      {"seventy-one", seventyOne, "l.txt:1"},
      {"not a number", RawLines({"Cwiczenia: 3x"}), "l.txt:1"},
      {"empty file", QByteArray(), "l.txt:1"},
      {"two of three", RawLines({"Cwiczenia: 3", "PREZ=\\a.fc2", "DDRO=\\a.fc2"}), "l.txt:4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ParseExerciseList(c.bytes, "l.txt");
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message.contains(QLatin1String(c.where))) << e.Message.toStdString();
    }
  }
}

TEST(ExerciseListFile, SeventyEntriesRoundTrip) {
  TExerciseListFile list;
  for (int i = 1; i <= MaxExercises; ++i)
    list.Entries.push_back({i % 2 ? "PREZ=" : "LILI=", QStringLiteral("\\town\\%1.fc2").arg(i)});
  const auto back = ParseExerciseList(FormatExerciseList(list), "r.txt");
  ASSERT_EQ(back.Entries.size(), list.Entries.size());
  for (std::size_t i = 0; i < list.Entries.size(); ++i) {
    EXPECT_EQ(back.Entries[i].Key, list.Entries[i].Key);
    EXPECT_EQ(back.Entries[i].File, list.Entries[i].File);
  }
}

}  // namespace
