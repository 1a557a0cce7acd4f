// Exercise screen 3: the crossword.
#pragma once

#include "controls/TransparentButton.h"
#include "platform/Forms.h"

class TCw3Form : public TForm {
 public:
  TCw3Form();
  void FormKeyDown(int& key, TShiftState shift) override;
  // Entry points of the exercise dispatch, to be filled by the screen: read
  // the crossword at `path` and reset the screen; open the line `sender`.
  void LoadCrossword(const QString& path);
  void Line_1Click(TImage* sender);

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  // Previous and next exercise of the list.
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
  TImage* Line_1 = nullptr;               // the first crossword line
  TImage* Image2 = nullptr;               // the figure that leaves at the end
  TTransparentButton* Button2 = nullptr;  // "Pomoc"
  TEdit* Edit_Krz = nullptr;              // the letter entry
};

extern TCw3Form* Cw3Form;
