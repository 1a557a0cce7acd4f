// Exercise screen 1: presentation, dragging, listening and the letter grid.
#pragma once

#include <array>

#include "controls/TransparentButton.h"
#include "platform/Forms.h"

class TCw1Form : public TForm {
 public:
  TCw1Form();
  void FormKeyDown(int& key, TShiftState shift) override;
  // Puts a dragged word back (the stage calls it when a drag leaves the screen).
  void CancelDrag();

  // Entry points of the exercise dispatch (StartExercise), to be filled by
  // the screen: read the word exercise at `path` and prepare it; leave the
  // kind on screen and set up `kind` (0 none, 2, 3, 4, 6; 1 and 7 only reset
  // the shared exercise state for screens 2 and 3).
  void LoadWordExercise(const QString& path);
  void SetExerciseKind(int kind);

  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  // Previous and next exercise of the list.
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
  // Set up by the dispatch for each exercise.
  TImage* Image1 = nullptr;                     // the exercise picture
  TTransparentButton* button1 = nullptr;        // "Rozpocznij": the same exercise again
  TTransparentButton* btn_prez_Show = nullptr;  // "Czytaj": read the presentation aloud
  TTransparentButton* button6 = nullptr;        // "Pamiętaj !!!": the note
  TTransparentButton* btn_dialog = nullptr;     // the presentation's dialogues
  TLabel* lbl_Tlumacz = nullptr;                // translation bubble
  TEdit* Kraty_Edit = nullptr;                  // letter entry of the letter grid
  std::array<bool, 14> RowSolved{};             // letter grid rows done
};

extern TCw1Form* Cw1Form;
