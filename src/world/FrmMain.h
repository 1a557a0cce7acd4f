// The location screen: a place with its spots, sprites and idle show.
#pragma once

#include "platform/Forms.h"

class TMediaPlayer;

class TMainForm : public TForm {
 public:
  TMainForm();
  void FormKeyDown(int& key, TShiftState shift) override;

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  // The one player for every wave sound of the game (PlayWave).
  TMediaPlayer* MediaPlayer1 = nullptr;
  // End of a sound played through MediaPlayer1; its NotifyValue tells how it ended.
  virtual void MediaPlayer1Notify() {}
};

extern TMainForm* MainForm;
