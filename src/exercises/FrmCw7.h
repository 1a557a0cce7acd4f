// Exercise screen 7: listening choice.
#pragma once

#include "controls/TransparentButton.h"
#include "platform/Forms.h"

class TCw7Form : public TForm {
 public:
  TCw7Form();
  void FormKeyDown(int& key, TShiftState shift) override;
  // Entry point of the exercise dispatch, to be filled by the screen: read
  // the listening choice file at `path` and prepare the screen.
  void LoadListeningChoice(const QString& path);

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  // Previous and next exercise of the list.
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
};

extern TCw7Form* Cw7Form;
