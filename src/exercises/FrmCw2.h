// Exercise screen 2: the word search. N English words hide along the rows or
// down the columns of a letter grid; the child marks one by clicking its first
// and its last letter, against a clock of 150 seconds.
//
// Cells are numbered 1 .. W x H row by row; per-cell tables keep cell n at
// [n - 1]. A word is marked cell by cell from one end to the other, each cell
// at its own place, so a file whose ends do not share a row or column never
// paints outside the grid.
//
// The 1000 ms pauses after a judged pair keep the clock and the sprites
// running; a click on the grid during one is dropped, so no pair is judged
// twice and a finished search is reported once. Once the search is finished
// or timed out, neither a click nor the help pause starts the clock again.
#pragma once

#include <array>
#include <cstdint>

#include "controls/TransparentButton.h"
#include "exercises/ExerciseFiles.h"
#include "platform/Forms.h"
#include "platform/Timers.h"

class TAnimated;
class TBmpTransparent;

class TCw2Form : public TForm {
 public:
  TCw2Form();
  ~TCw2Form() override;
  void FormCreate() override;
  void FormShow() override;
  void FormActivate() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Reads the word search at `path`, its grid picture and the three strips,
  // and starts the search. A file or picture that cannot be read raises its
  // error and leaves the screen as it was.
  void LoadWordSearch(const QString& path);
  // What LoadWordSearch reads, without touching the screen.
  struct TWordSearchFiles {
    TWordSearch Search;
    QImage Grid, Peeker, Figure, Fish;
  };
  static TWordSearchFiles ReadWordSearchFiles(const QString& path);
  void LoadWordSearch(TWordSearchFiles files);
  // Writes every letter on a fresh copy of the grid picture.
  void DrawGrid();
  // Paints the letter of `cell` in `colour` by the grid's position rule.
  void DrawLetter(int cell, TColor colour);
  // Marks the word between cells `from` and `to` (the first-clicked end first).
  void MarkWord(int from, int to);
  // Restarts the clock stopped by the help, cutting the help short.
  void ResumeClock();

  // Handlers.
  void Image1MouseMove(TShiftState shift, int x, int y);
  void Image1MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void Timer1Timer();
  void Timer2Timer();
  void Image2Click();
  void KwillButton1Click();
  void Button1Click();
  void CW1_KWS_LeftClick();
  void CW1_KWS_RightClick();
  void Animated1ChangeFrame();

  // Controls.
  TImage* Image1_2 = nullptr;      // background
  TImage* Image1 = nullptr;        // the letter grid
  TLabel* Label1 = nullptr;        // the task
  TLabel* Label2 = nullptr;        // the clock
  TAnimated* Animated1 = nullptr;  // the figure that reacts
  TAnimated* Animated2 = nullptr;  // the fish
  TAnimated* Animated3 = nullptr;  // the figure that peeks in
  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  TBmpTransparent* Image2 = nullptr;            // help
  TTransparentButton* button1 = nullptr;        // "Koniec"
  TTransparentButton* CW1_KWS_left = nullptr;   // previous exercise of the list
  TTransparentButton* cw1_kws_right = nullptr;  // next exercise of the list
  TTransparentButton* KwillButton1 = nullptr;   // "Rozpocznij"
  TTimer Timer1;                                // the clock, every second
  TTimer Timer2;                                // the help pause

  // Animated1's frames.
  static constexpr int FrameClick = 0, FrameRight = 1, FrameWrong = 2, FrameFinished = 4,
                       FrameRest = 5;
  static constexpr int CellSize = 25;
  static constexpr int GridMargin = 10;
  static constexpr int DefaultTimeLimit = 150;
  static constexpr int HelpPause = 9500;
  static constexpr int JudgePause = 1000;

  enum class TSearchState { Searching, Finished, TimedOut };

  struct THoverCell {
    int Number = 0;  // 0: none
    int Column = -1, Row = -1;
  };
  struct TFirstCell {
    int Number = 0;  // 0: none
    int Column = 0;
  };

  // State.
  TWordSearch WordSearch;
  std::array<int, WordSearchCells> FoundCell{};  // 2: part of a found word
  THoverCell HoverCell;
  TFirstCell FirstCell;
  int TimeUsed = 0;
  int TimeLimit = DefaultTimeLimit;
  bool PairDone = true;
  TSearchState SearchState = TSearchState::Searching;
  bool Judging = false;  // inside a pause after a judged pair

 private:
  int CellCount() const { return WordSearch.Columns * WordSearch.Rows; }
  bool InGrid(int cell) const { return cell >= 1 && cell <= CellCount(); }
  void ClickCell();
  // A pause that keeps events flowing; false when the search on screen
  // changed or the screen closed meanwhile.
  bool Pause(int ms);
  void TimeOut();
  void StopAll();
  QImage gridPicture_;     // the grid picture without letters
  std::uint64_t run_ = 0;  // counts loads and closes
};

extern TCw2Form* Cw2Form;
