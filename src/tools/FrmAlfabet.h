// The alphabet board of the start menu: a picture of the 26 letters with
// seven creatures among them. A letter says its English name and a creature
// makes its sound and moves once, both through the shared player; "Czytaj"
// reads A .. Z through the board's own player, each letter starting when the
// one before has played to its end; "Piosenka" plays the alphabet song.
//
// The reading stops at a click on the board, and waits (without going on) when
// a letter, a creature or the song closes the board's player. A letter whose
// sound is missing beeps and ends the reading there.
#pragma once

#include <array>

#include "controls/Animate.h"
#include "controls/TransparentButton.h"
#include "platform/Forms.h"
#include "platform/MediaPlayer.h"

// The reading chain: running, and the letter (1 .. 26) it is at.
extern bool AlphabetReading;
extern int AlphabetLetter;

class TAlfabetForm : public TForm {
 public:
  TAlfabetForm();
  void FormCreate() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  void Label1Click(TLabel* area);
  void Animated1MouseDown(TAnimated* creature);
  void Btn_Prez_ShowClick();
  void Btn_Cwicz1Click();
  void MediaPlayer1Notify();
  void Image1Click();
  void Btn_WrocClick();

  // The letter area of Tag k (1 .. 26), ani_jez for 12.
  TLabel* LetterArea(int k) const { return letters_[k - 1]; }
  // The creature of Tag t (1 .. 7).
  TAnimated* Creature(int t) const { return creatures_[t - 1]; }

  TImage* Image1 = nullptr;  // the board
  TLabel* ani_jez = nullptr;
  TAnimated* lbl_robal = nullptr;
  TAnimated* ani_jabko = nullptr;
  TAnimated* ani_jajo = nullptr;
  TAnimated* Animated1 = nullptr;
  TAnimated* ani_kot = nullptr;
  TAnimated* lbl_pies = nullptr;
  TAnimated* lbl_ptak = nullptr;
  TTransparentButton* btn_prez_show = nullptr;
  TTransparentButton* btn_cwicz1 = nullptr;
  TTransparentButton* btn_Wroc = nullptr;
  TMediaPlayer* MediaPlayer1 = nullptr;  // the reading's own player

 private:
  // Plays `path` through the board's player with its end reported, or beeps when it is missing.
  void PlayAlphabetSound(const QString& path);
  void CloseBothPlayers();

  std::array<TLabel*, 26> letters_{};
  std::array<TAnimated*, 7> creatures_{};
};

extern TAlfabetForm* AlfabetForm;
