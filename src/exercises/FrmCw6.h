// Exercise screen 6: a sing-along. One song plays through the screen's own
// player while its text follows the music line by line: the current line in
// the word row on the yellow bar, two lines before it above and two after it
// below. Play, pause, stop, words on/off, voice on/off (the song with the
// singer or the backing track alone), the spoken instruction and leave.
//
// The song files live under DataRoot + "\music\songs\" (exercises/SongFile.h).
// A paused song stays paused wherever it stands, past its last line too.
// Play after the instruction (which closes the song) opens the song again
// and starts it from the top.
#pragma once

#include <array>

#include "exercises/SongFile.h"
#include "platform/Forms.h"
#include "platform/Timers.h"

class TBmpTransparent;
class TMediaPlayer;

// Follows the song position this often.
constexpr int SongFollowMs = 350;

class Tcw6form : public TForm {
 public:
  Tcw6form();
  void FormCreate() override;
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Song n with the voice (suffix "") or without it ("N"). The text is read
  // whole first: a broken text file or a wave file that cannot be opened
  // raises its error and leaves the screen's text as it was.
  void LoadSong(int n, const QString& suffix);
  // Lines 1 … 3 in the word row and below it.
  void ShowSongStart();

  // Handlers.
  void Button1Click();  // leave
  void Button3Click();  // play
  void Button4Click();  // stop
  void Button5Click();  // pause
  void _1Click();       // words on/off (also Label21)
  void _2Click();       // voice on/off (also Label23)
  void Player1Notify();
  void Timer1Timer();
  void BmpTransparent1Click();

  // Word k (1 … 20) of the word row.
  TLabel* WordLabel(int k) const { return words_[static_cast<std::size_t>(k - 1)]; }
  // LineText of line i, empty outside 1 … LineCount.
  QString LineText(int i) const;

  // Controls.
  TImage* Image1 = nullptr;  // background
  TLabel *Napis1 = nullptr, *Napis2 = nullptr, *Napis3 = nullptr, *Napis4 = nullptr;
  TLabel* Label22 = nullptr;          // the yellow bar behind the word row
  TLabel* Button3 = nullptr;          // play
  TLabel* Button5 = nullptr;          // pause
  TLabel* Button4 = nullptr;          // stop
  TLabel* Button1 = nullptr;          // leave
  TBmpTransparent* Image2 = nullptr;  // playing
  TBmpTransparent* Image3 = nullptr;  // paused
  TLabel *_1 = nullptr, *Label21 = nullptr;
  TLabel *_2 = nullptr, *Label23 = nullptr;
  TBmpTransparent* BmpTransparent1 = nullptr;  // the instruction
  TMediaPlayer* Player1 = nullptr;
  TTimer Timer1;

  // The song.
  int SongNumber = 0;
  int LineCount = 0;
  std::array<TSongLine, MaxSongLines> SongLine{};
  std::array<int, MaxSongLines> LineEnd{};
  int CurrentSongLine = 1;
  bool SongPaused = false;
  bool SongStarted = false;

 private:
  // The word row shows line i; the labels after its last word are emptied.
  void ShowWordRow(int i);
  void ShowLine(int i);
  void ClearTexts();
  void AllWordsBlack();
  void ApplyWordsShown();
  void SetIdleButtons();
  std::array<TLabel*, MaxSongWords> words_{};
};

extern Tcw6form* cw6form;
