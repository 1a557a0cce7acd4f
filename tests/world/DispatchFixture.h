// The game's screens over a small installation with the award pictures, short
// feedback sounds and two players, recording which feedback sounds start.
#pragma once

#include <gtest/gtest.h>

#include <QFileInfo>
#include <memory>

#include "app/Feedback.h"
#include "controls/ButtonStrips.h"
#include "lib/DemoRewards.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Paths.h"
#include "support/Support.h"

inline const QStringList kFeedbackNames = {"ok",    "no",    "Ok_1",  "Ok_2",  "Ok_3",  "Ok_4",  "Ok_5",
                                           "Ok_6",  "Ok_7",  "Ok_8",  "Ok_9",  "Ok_10", "Pok_1", "Pok_2",
                                           "Pok_3", "Pok_4", "Pok_5", "Z1b",   "Podlicz1", "Za"};

class DispatchGame : public ::testing::Test {
 protected:
  DispatchGame() {
    const QString program = inst.ProgramDir();
    for (const TButtonStrip& strip : ButtonStrips)
      WriteSolidBmp(ButtonStripPath(program, strip).replace(u'\\', u'/'), 66, 33, QColor(90, 90, 200));
    WriteRewardPictures(program);
    WriteRewardPlayers(program);
    for (const QString& name : kFeedbackNames)
      WriteWave(inst.DataRoot() + "/music/" + name + ".wav", MakeTone(30, 440));
    screens = std::make_unique<GameScreens>(program, inst.DataRoot());
    OnFeedbackStarted = [this](const QString& path) {
      played << QFileInfo(NormalizeSeparators(path)).completeBaseName();
    };
  }
  ~DispatchGame() override {
    OnFeedbackStarted = {};
    screens.reset();
  }

  TempInstallation inst;
  MessageRecorder messages;
  std::unique_ptr<GameScreens> screens;
  QStringList played;  // names of the feedback sounds started, in order, as they reach the file system
};
