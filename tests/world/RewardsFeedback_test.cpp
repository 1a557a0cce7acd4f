#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <set>

#include "app/Feedback.h"
#include "app/Globals.h"
#include "platform/MediaPlayer.h"
#include "world/DispatchFixture.h"
#include "world/FrmMain.h"

namespace {

TEST(FeedbackNames, PraiseIsChosenAtRandomAndNamesAreUpperCased) {
  struct Case {
    const char* name;
    const char* prefix;
    int count;  // recordings to choose from; 0: the name itself
  };
  const Case cases[] = {{"POK", "Pok_", 5},         {"pok", "Pok_", 5},       {"ok_inne", "Ok_", 10},
                        {"Ok_Cwicz", "Ok_", 10},    {"ok", "OK", 0},          {"Z1b", "Z1B", 0},
                        {"dialogi\\12", "DIALOGI\\12", 0}, {"ok_3", "OK_3", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::set<QString> seen;
    for (int i = 0; i < 400; ++i) seen.insert(FeedbackSoundName(c.name));
    std::set<QString> expected;
    if (c.count == 0) expected.insert(c.prefix);
    for (int n = 1; n <= c.count; ++n) expected.insert(c.prefix + QString::number(n));
    EXPECT_EQ(seen, expected);
  }
}

class Feedback : public DispatchGame {
 protected:
  void SetUp() override {
    player = MainForm->MediaPlayer1;
    player->OnNotify = [this] { notes.push_back(player->NotifyValue()); };
  }
  TMediaPlayer* player = nullptr;
  std::vector<TMPNotifyValues> notes;
};

TEST_F(Feedback, WaitingModeReturnsAtTheEndAndStillReportsIt) {
  WriteWave(inst.DataRoot() + "/music/Dlugi.wav", MakeTone(300, 440));
  PlayFeedback("dlugi", FeedbackWait);
  EXPECT_NE(player->Mode(), mpPlaying);
  EXPECT_TRUE(notes.empty());  // reported later, as an event
  PumpEvents(50);
  EXPECT_EQ(notes, std::vector<TMPNotifyValues>({nvSuccessful}));

  notes.clear();
  PlayFeedback("dlugi", 0);
  EXPECT_EQ(player->Mode(), mpPlaying);
  EXPECT_EQ(played.back(), "DLUGI");
  QElapsedTimer t;
  t.start();
  while (notes.empty() && t.elapsed() < 3000) PumpEvents(10);
  EXPECT_EQ(notes, std::vector<TMPNotifyValues>({nvSuccessful}));
}

TEST_F(Feedback, AMissingSoundLeavesThePlayingOneAlone) {
  WriteWave(inst.DataRoot() + "/music/Dlugi.wav", MakeTone(400, 440));
  PlayFeedback("Dlugi");
  PlayFeedback("brak");
  PlayFeedback("dialogi\\7", FeedbackWait);
  EXPECT_EQ(player->Mode(), mpPlaying);
  EXPECT_EQ(played, QStringList({"DLUGI"}));
}

}  // namespace
