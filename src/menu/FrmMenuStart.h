// The start menu: the hub after signing in. A title picture with invisible
// hot areas (start, alphabet, best players, songs, description, dictionary,
// end), a songs page on the same screen, an idle show of animal videos with
// spoken lines and music (Timer1), and twinkling stars (Timer2).
//
// Songs. The labels stand top to bottom in the order of their song numbers:
// S_Count 1, S_Colour 2, S_Head 3, S_This 4, S_IHear 5, S_The 6, S_IDID 7,
// S_What 8. A grey (locked) song cannot be opened: a click only beeps, and
// its hint says how many exercises open it.
#pragma once

#include <array>

#include "controls/ScreenFiles.h"
#include "platform/Forms.h"
#include "platform/MediaPlayer.h"
#include "platform/Timers.h"

// The idle show's step (0 .. 6) and whether it is showing random videos
// while the music plays; program-wide so the sign-in screens can reset it.
extern int MenuIdleStep;
extern bool MenuVideoMode;

// One of the eight song labels.
struct TSongLabel {
  const char* Name;
  const char* Caption;
  int Song;       // the song number the label opens
  int OpenFrom;   // RedCount from which it is open (0: always)
  int Top, Width; // left 68, height 25
};

inline constexpr std::array<TSongLabel, 8> SongLabels = {{
    {"S_Count", "Counting", 1, 0, 160, 89},
    {"S_Colour", "Colours", 2, 0, 186, 77},
    {"S_Head", "Head and hands", 3, 11, 216, 185},
    {"S_This", "This is me", 4, 16, 242, 141},
    {"S_IHear", "I hear rain", 5, 16, 268, 133},
    {"S_The", "The clock", 6, 16, 298, 109},
    {"S_IDID", "I did it", 7, 11, 327, 89},
    {"S_What", "What is it", 8, 16, 356, 89},
}};

class TMenuStart : public TForm {
 public:
  TMenuStart();
  ~TMenuStart() override;
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormDeactivate() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  void Timer1Timer();
  void Timer2Timer();
  // Also the click of lbl_BIG and lbl_Start.
  void lbl_CityClick();
  void lbl_DictionaryClick();
  void lbl_SongsClick();
  void S_PowrotClick();
  void lbl_ExitClick();
  void lbl_AlfabetClick();
  void lbl_TopTenClick();
  void lbl_OpisClick();
  void S_CountClick();
  void S_ColourClick();
  void S_HeadClick();
  void S_ThisClick();
  void S_IHearClick();
  void S_TheClick();
  void S_IDIDClick();
  void S_WhatClick();

  // Timer1 off; the four video panels hidden.
  void HideMenuVideos();
  // Back to the menu from another screen: the idle show from step 0 (first
  // step after 2000 ms) and the stars.
  void RestartMenuIdle();
  // A song label's click: song `index` of SongLabels, unless it is locked.
  void SongClick(int index);

  TImage* Image1 = nullptr;
  TLabel* lbl_Start = nullptr;
  TLabel* lbl_BIG = nullptr;
  TLabel* lbl_City = nullptr;
  TLabel* lbl_Alfabet = nullptr;
  TLabel* lbl_TopTen = nullptr;
  TLabel* lbl_Songs = nullptr;
  TLabel* lbl_Opis = nullptr;
  TLabel* lbl_Dictionary = nullptr;
  TLabel* lbl_Exit = nullptr;
  TLabel* S_Count = nullptr;
  TLabel* S_Colour = nullptr;
  TLabel* S_Head = nullptr;
  TLabel* S_This = nullptr;
  TLabel* S_IHear = nullptr;
  TLabel* S_The = nullptr;
  TLabel* S_IDID = nullptr;
  TLabel* S_What = nullptr;
  TLabel* S_Powrot = nullptr;
  TImage* Image2 = nullptr;  // the twinkling star
  TPanel* Panel_swin = nullptr;
  TPanel* Panel_pies = nullptr;
  TPanel* Panel_ptak = nullptr;
  TPanel* Panel_wechikol = nullptr;
  TMediaPlayer* Avi_swin = nullptr;
  TMediaPlayer* avi_pies = nullptr;
  TMediaPlayer* avi_ptak = nullptr;
  TMediaPlayer* avi_wechikol = nullptr;
  TTimer Timer1;  // the idle show
  TTimer Timer2;  // the stars

  // In SongLabels order.
  std::array<TLabel*, 8> SongLabelControls() const;
  // The nine labels of the title page.
  std::array<TLabel*, 9> TitleLabels() const;

 private:
  struct TVideo {
    TPanel* Panel;
    TMediaPlayer* Player;
    TImage* Still;
    const TScreenFile& File;
  };
  std::array<TVideo, 4> Videos() const;
  void ShowVideo(TPanel* panel, TMediaPlayer* player);
  void OpenVideos();
  void ApplySongLocks();
  void ShowTitlePage(bool show);
  void LeaveForScreen();
  QImage StarPicture(int star);

  TImage* still_swin_ = nullptr;
  TImage* still_pies_ = nullptr;
  TImage* still_ptak_ = nullptr;
  TImage* still_wechikol_ = nullptr;
  std::array<QImage, 7> stars_;
  std::array<bool, 7> starFailed_{};
};

extern TMenuStart* MenuStart;

// For the screens that return to the menu.
void RestartMenuIdle();
// The shared wave player's end: a sound that played to its end ends the
// menu's random videos (they run while the music plays).
void MenuIdleSoundEnded(TMPNotifyValues result);
