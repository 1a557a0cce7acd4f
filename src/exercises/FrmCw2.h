// Exercise screen 2: the word search puzzle.
#pragma once

#include "controls/TransparentButton.h"
#include "platform/Forms.h"

class TCw2Form : public TForm {
 public:
  TCw2Form();
  void FormKeyDown(int& key, TShiftState shift) override;
  // Entry point of the exercise dispatch, to be filled by the screen: read
  // the word search at `path` and start it.
  void LoadWordSearch(const QString& path);

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  // Previous and next exercise of the list.
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
  TImage* Image1 = nullptr;                    // the letter grid
  TTransparentButton* KwillButton1 = nullptr;  // "Rozpocznij"
};

extern TCw2Form* Cw2Form;
