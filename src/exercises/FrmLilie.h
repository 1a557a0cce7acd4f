// The lily-pad memory exercise.
#pragma once

#include "controls/TransparentButton.h"
#include "platform/Forms.h"

class TLilieForm : public TForm {
 public:
  TLilieForm();
  void FormKeyDown(int& key, TShiftState shift) override;
  // Entry point of the exercise dispatch, to be filled by the screen: read
  // the word-pair file at `path` and deal a new game.
  void LoadLilyPads(const QString& path);

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  // Previous and next exercise of the list.
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
};

extern TLilieForm* LilieForm;
