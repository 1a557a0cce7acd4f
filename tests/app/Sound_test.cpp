// PlayWave through the location screen's shared player, on the real engine.
#include <gtest/gtest.h>

#include "app/Globals.h"
#include "app/Sound.h"
#include "platform/media_test_support.h"
#include "support/Support.h"
#include "world/FrmMain.h"

namespace {

class PlayWaveTest : public ::testing::Test {
 protected:
  PlayWaveTest() : game(inst.ProgramDir(), inst.DataRoot()) {
    player = MainForm->MediaPlayer1;
    player->OnNotify = [this] { notes.push_back(player->NotifyValue()); };
    WriteWave(inst.DataRoot() + "/music/first.wav", MakeTone(300, 440));
    WriteWave(inst.DataRoot() + "/music/second.wav", MakeTone(80, 660));
  }
  TempInstallation inst;
  MessageRecorder boxes;
  GameScreens game;
  TMediaPlayer* player = nullptr;
  std::vector<TMPNotifyValues> notes;
};

TEST_F(PlayWaveTest, ASecondSoundSupersedesTheFirst) {
  PlayWave(DataRoot + "\\MUSIC\\First.wav");  // as the data spells paths
  EXPECT_EQ(player->Mode(), mpPlaying);
  Settle(50);
  PlayWave(DataRoot + "\\music\\second.wav");
  EXPECT_EQ(player->Mode(), mpPlaying);
  ASSERT_TRUE(WaitUntil([&] { return notes.size() == 2; }));
  Settle(300);
  EXPECT_EQ(notes, (std::vector<TMPNotifyValues>{nvSuperseded, nvSuccessful}));
}

TEST_F(PlayWaveTest, AMissingFileLeavesThePlayingSoundAlone) {
  PlayWave(DataRoot + "\\music\\first.wav");
  Settle(50);
  const QString playing = player->FileName;
  boxes.Messages.clear();
  PlayWave(DataRoot + "\\music\\nothing.wav");
  EXPECT_EQ(player->Mode(), mpPlaying);
  EXPECT_EQ(player->FileName, playing);
  ASSERT_TRUE(WaitUntil([&] { return !notes.empty(); }));
  EXPECT_EQ(notes, std::vector<TMPNotifyValues>{nvSuccessful});
  EXPECT_TRUE(boxes.Messages.empty());
}

}  // namespace
