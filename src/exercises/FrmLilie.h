// The lily-pad exercise: a memory game on a pond. Twelve closed pads hide the
// halves of six word pairs (an English word and its Polish partner); the
// child turns two at a time, and a pair stays open. A stork and a frog (or a
// pair of eyes in the reeds) liven up the pond at random moments.
//
// Pad tags tell what lies under a pad: n for LeftText[n], n + 100 for
// RightText[n], 0 for a pad out of play (matched). The turning and closing
// animations block the thread, as in the original: clicks made meanwhile are
// handled afterwards and meet PadsReady as it then stands.
#pragma once

#include <QImage>
#include <QPoint>
#include <array>

#include "controls/TransparentButton.h"
#include "exercises/WordPairFile.h"
#include "platform/Forms.h"
#include "platform/Timers.h"

class TAnimated;
class TBmpTransparent;

constexpr int LilyPads = 2 * DealtPairs;

class TLilieForm : public TForm {
 public:
  TLilieForm();
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Called by StartExercise with ProgramDir + "\cwicz" + the entry's file:
  // reads the pairs (and the pond and the animals' strips) and deals a new
  // game. A file that cannot be read, or has fewer than six pairs, raises
  // its error naming the file and leaves the screen as it was.
  void LoadLilyPads(const QString& path);
  // What LoadLilyPads reads, without touching the screen.
  struct TLilyPadFiles {
    TWordPairs Pairs;
    QImage Pond, Stork, Frog, Eyes;
  };
  static TLilyPadFiles ReadLilyPadFiles(const QString& path);
  void LoadLilyPads(TLilyPadFiles files);

  // What lies under a pad (its word), by its tag.
  QString PadText(const TImage* pad) const;

  // Handlers.
  void Image2Click(TImage* pad);
  void Button1Click();
  void Btn_WrocClick();
  void CW1_KWS_LeftClick();
  void CW1_KWS_RightClick();
  void Timer1Timer();
  void Timer2Timer();
  void Timer3Timer();
  void BmpTransparent1Click();

  // Controls.
  TImage* Image1 = nullptr;    // the pond
  TImage* Image1_2 = nullptr;  // layer over the pond, no picture of its own
  TImage *Image2 = nullptr, *Image4 = nullptr, *Image5 = nullptr, *Image6 = nullptr,
         *Image7 = nullptr, *Image8 = nullptr, *Image9 = nullptr, *Image10 = nullptr,
         *Image11 = nullptr, *Image14 = nullptr, *Image15 = nullptr, *Image16 = nullptr;
  TImage *Mem_0 = nullptr, *Mem_1 = nullptr, *Mem_2 = nullptr;  // closed, half turned, open
  TLabel* Label1 = nullptr;                                     // the first pad's word
  TLabel* Label2 = nullptr;                                     // the second pad's word
  TAnimated* Animated1 = nullptr;                               // the stork
  TAnimated* Animated2 = nullptr;                               // the frog or the eyes
  TBmpTransparent* BmpTransparent1 = nullptr;                   // the spoken instruction
  TTransparentButton* btn_Wroc = nullptr;                       // "Koniec"
  TTransparentButton* button1 = nullptr;                        // "Rozpocznij": play again
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  TTimer Timer1;  // the frog
  TTimer Timer2;  // the stork
  TTimer Timer3;  // the end of the instruction's quiet

  // State.
  int PairCount = 0;
  std::array<QString, MaxWordPairs + 1> LeftText, RightText;  // 1-based
  std::array<int, DealtPairs> ChosenPairs{};
  std::array<TImage*, LilyPads> PadTable{};
  std::array<QPoint, LilyPads> PadSpots{};
  TImage* FirstPad = nullptr;
  TImage* SecondPad = nullptr;
  bool PadsReady = false;
  int PairsFound = 0;

 private:
  void StopAnimals();
  // The frog's or the eyes' strip into Animated2, on its first frame.
  void SetReedsAnimal(bool frog);

  QImage pond_, stork_, frog_, eyes_;
};

extern TLilieForm* LilieForm;
