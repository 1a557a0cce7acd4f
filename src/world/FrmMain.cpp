#include "world/FrmMain.h"

#include "app/Shared.h"
#include "platform/MediaPlayer.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm() {
  SetColor(clBlack);
  lbl_Red = MakeCounterLabel(this, 484);
  lbl_Green = MakeCounterLabel(this, 540);
  MediaPlayer1 = new TMediaPlayer(this);
  MediaPlayer1->OnNotify = [this] { MediaPlayer1Notify(); };
}

void TMainForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
