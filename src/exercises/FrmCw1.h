// Exercise screen 1: presentation, dragging, listening and the letter grid.
#pragma once

#include "controls/TransparentButton.h"
#include "platform/Forms.h"

class TCw1Form : public TForm {
 public:
  TCw1Form();
  void FormKeyDown(int& key, TShiftState shift) override;
  // Puts a dragged word back (the stage calls it when a drag leaves the screen).
  void CancelDrag();

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  // Previous and next exercise of the list.
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
};

extern TCw1Form* Cw1Form;
