// The note pop-up: the "remember" note of the exercise on screen, drawn word
// by word into a paint box (rules in NoteFile.h).
#pragma once

#include <QStringList>

#include "platform/Forms.h"

class TTransparentButton;

class TInfoForm : public TForm {
 public:
  TInfoForm();
  void FormShow() override;
  void FormClose() override;
  // Escape or Enter closes.
  void FormKeyDown(int& key, TShiftState shift) override;

  void DXRamkaPaint();
  void Btn_WrocClick();
  // Draws NoteWords into DXRamka; call from its paint only.
  void DrawNote();

  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TPaintBox* DXRamka = nullptr;
  TTransparentButton* btn_wroc = nullptr;
};

extern TInfoForm* InfoForm;

// The note of the last exercise started that has one.
extern QStringList NoteWords;

// Reads the note of `exerciseFile` (a data path such as "\culture\1A.fc2")
// into NoteWords. The whole file is read first: a missing one raises
// EInOutError naming it and leaves NoteWords as it was.
void LoadNote(const QString& exerciseFile);
// The two halves of LoadNote: reading (nothing changes) and showing.
QStringList ReadNote(const QString& exerciseFile);
void SetNote(QStringList words);
