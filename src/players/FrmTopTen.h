// The best players screen: the first ten of every listed player and the five
// built-in rivals, with a button to the signed-in player's own diamonds and a
// hot area over the title that opens the authors screen.
#pragma once

#include <array>
#include <vector>

#include "platform/Forms.h"
#include "players/TopTen.h"

class TTransparentButton;

class TTopTenForm : public TForm {
 public:
  TTopTenForm();
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Reads every player's file and fills the ten rows. A missing or broken
  // file stops it with its error and the rows keep what they showed.
  void BuildTopTen();
  // The signed-in player's own diamonds on the award screen.
  void lbl_1Click();
  void button3Click();
  void lbl_AboutClick();

  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  std::array<TLabel*, 10> lbl{};  // lbl_1 .. lbl_10: rank and name
  std::array<TLabel*, 10> c{};    // c_1 .. c_10: red count
  std::array<TLabel*, 10> z{};    // z_1 .. z_10: green count
  TImage* img_Green = nullptr;
  TImage* img_Red = nullptr;
  TTransparentButton* TransparentButton1 = nullptr;
  TTransparentButton* button3 = nullptr;
  TLabel* lbl_About = nullptr;

  std::vector<TTopTenEntry> TopTenTable;
  int PlayerRank = 0;
};

extern TTopTenForm* TopTenForm;
