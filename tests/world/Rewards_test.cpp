#include <gtest/gtest.h>

#include "app/Globals.h"
#include "world/Rewards.h"

namespace {

class Progress : public ::testing::Test {
 protected:
  void SetUp() override { ResetSharedState(); }
  void TearDown() override { ResetSharedState(); }
};

TEST_F(Progress, RecordsMatchWithoutRegardToCaseAndByKeyAndFile) {
  ExerciseResults[0] = {"ddro=", "\\CULTURE\\1a.FC2", 1, 4};
  ResultCount = 1;
  EXPECT_EQ(CountCompletion({"DDRO=", "\\culture\\1A.fc2"}, true), TCompletion::Repeat);
  EXPECT_EQ(ExerciseResults[0].Points, 6);
  // The same file under another key is another exercise.
  EXPECT_EQ(CountCompletion({"WRYS=", "\\culture\\1A.fc2"}, true), TCompletion::First);
  EXPECT_EQ(ResultCount, 2);
  EXPECT_EQ(RedCount, 1);
}

TEST_F(Progress, ARecordNotYetDoneCountsAsFirst) {
  ExerciseResults[0] = {"PREZ=", "\\farm\\3A.fc2", 0, 5};
  ResultCount = 1;
  EXPECT_EQ(CountCompletion({"PREZ=", "\\farm\\3A.fc2"}, false), TCompletion::First);
  EXPECT_EQ(ExerciseResults[0].Done, 1);
  EXPECT_EQ(ExerciseResults[0].Points, 6);
  EXPECT_EQ(RedCount, 1);
  EXPECT_EQ(GreenCount, 1);
  EXPECT_EQ(ResultCount, 1);
}

TEST_F(Progress, AFullResultsTableStillPaysPointsButRemembersNothing) {
  for (int i = 0; i < MaxResults; ++i) ExerciseResults[i] = {"PREZ=", QStringLiteral("\\x\\%1.fc2").arg(i), 1, 2};
  ResultCount = MaxResults;
  RedCount = MaxResults;
  EXPECT_EQ(CountCompletion({"PREZ=", "\\culture\\new.fc2"}, true), TCompletion::Unrecorded);
  EXPECT_EQ(CountCompletion({"PREZ=", "\\culture\\new.fc2"}, true), TCompletion::Unrecorded);
  EXPECT_EQ(ResultCount, MaxResults);
  EXPECT_EQ(RedCount, MaxResults);
  EXPECT_EQ(GreenCount, 4);
  EXPECT_EQ(LastCompletedFile, "");
  // Known exercises go on counting as before.
  EXPECT_EQ(CountCompletion({"PREZ=", "\\x\\7.fc2"}, false), TCompletion::Repeat);
  EXPECT_EQ(GreenCount, 5);
}

TEST_F(Progress, PlaceCountersReachTheirThresholdOnce) {
  struct Case {
    const char* file;
    int place;
  };
  const Case cases[] = {{"\\culture\\1A.fc2", 1}, {"\\FARM\\3A.fc2", 2},   {"\\house\\6.fc2", 3},
                        {"\\liblary\\7.fc2", 4},  {"\\School\\5.fc2", 5},  {"\\shops\\2.fc2", 6},
                        {"\\town\\4.fc2", 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const int threshold = Places[c.place - 1].Threshold;
    PlaceCount[c.place - 1] = threshold - 2;
    EXPECT_EQ(AdvancePlaceCounters(c.file), 0);
    EXPECT_FALSE(PlaceComplete(PlaceCount, c.place));
    EXPECT_EQ(AdvancePlaceCounters(c.file), c.place);
    EXPECT_TRUE(PlaceComplete(PlaceCount, c.place));
    EXPECT_EQ(AdvancePlaceCounters(c.file), 0);  // past the threshold: no second diamond
    EXPECT_EQ(PlaceCount[c.place - 1], threshold + 1);
  }
  EXPECT_EQ(CompletePlaceCount(PlaceCount), PlaceTotal);
}

TEST_F(Progress, FilesWithNoOrTwoPlaceWords) {
  EXPECT_EQ(AdvancePlaceCounters("\\songs\\a.fc2"), 0);
  EXPECT_EQ(AdvancePlaceCounters(""), 0);
  EXPECT_EQ(PlaceCount, (std::array<int, PlaceTotal>{}));

  // Every place named counts, in table order, until one wins its diamond.
  EXPECT_EQ(AdvancePlaceCounters("\\farm\\town.fc2"), 0);
  EXPECT_EQ(PlaceCount[1], 1);
  EXPECT_EQ(PlaceCount[6], 1);
  PlaceCount[1] = 41;
  EXPECT_EQ(AdvancePlaceCounters("\\farm\\town.fc2"), 2);
  EXPECT_EQ(PlaceCount[6], 1);
}

}  // namespace
