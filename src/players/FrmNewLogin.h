// The new player screen: a nickname and boy or girl.
#pragma once

#include "platform/Forms.h"

class TTransparentButton;

class TNewLoginForm : public TForm {
 public:
  TNewLoginForm();
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  void Edit1KeyPress(QChar& key);
  void btn_OKClick();
  void Label4Click();  // the boy mark and its text
  void Label5Click();  // the girl mark and its text
  void btn_AnulujClick();
  // Adds the player named in Edit1 and signs them in; a name already on the
  // list or one that cannot be a file name is refused with a message.
  void CreatePlayer();

  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label3 = nullptr;
  TTransparentButton* btn_OK = nullptr;
  TTransparentButton* btn_anuluj = nullptr;

 private:
  static void Mark(TLabel* mark, bool chosen);
};

extern TNewLoginForm* NewLoginForm;
