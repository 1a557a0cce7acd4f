// The player selection screen: the list of players, signing in, the way to
// the new player screen.
#pragma once

#include <QDate>

#include "controls/ScreenFiles.h"
#include "platform/Forms.h"

class TTransparentButton;

class TLoginForm : public TForm {
 public:
  TLoginForm();
  void FormCreate() override;
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  void btn_OKClick();
  void btn_nowyClick();
  void btn_AnulujClick();
  // ListBox1 := PlayerNames 0 .. PlayerCount - 1.
  void FillPlayerListBox();

  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TListBox* ListBox1 = nullptr;
  TTransparentButton* btn_OK = nullptr;
  TTransparentButton* btn_nowy = nullptr;
  TTransparentButton* btn_anuluj = nullptr;
};

extern TLoginForm* LoginForm;

// The greeting of a player signing in: one after more than seven days away,
// otherwise one when the visits so far are odd and another when even.
const TScreenFile& GreetingSound(const QDate& lastPlay, const QDate& today, int visitCount);
// A "yyyy-mm-dd" date; EConvertError naming the text and `file` otherwise.
QDate StrToDate(const QString& text, const QString& file);
