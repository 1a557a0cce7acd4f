// Exercise screen 3: the crossword. Over a ski-lift landscape the child
// clicks a numbered line and types its English answer; a clue panel on the
// right gives the Polish clues. Each solved word moves the ski lift one step,
// a wrong word brings the spoken "no" or the Yeti (never twice in a row), help
// reveals random letters three times per crossword, and a helicopter and a
// skier take turns in the background (HelicopterHold and SceneBusy keep them
// apart). When every word is solved the exercise is recorded as done, the
// helicopter flies off, the figure floats away and "Rozpocznij" starts again.
//
// Beyond the original:
// - answers are compared in upper case, as the letters are typed;
// - lines past WordCount stay hidden (they would otherwise be playable if a
//   file left them non-empty), a solution column outside its line marks no
//   cell, and line positions are kept within +-100000 so no arithmetic on
//   them overflows;
// - the blocking fly-off at the end keeps painting and drops the clicks and
//   keys that arrive meanwhile instead of delivering them afterwards;
// - the departing figure moves at the pace the original's 2 ms timer really
//   had (one step per 16 ms);
// - closing the screen stops the skier and the Yeti too, so no scene restarts
//   behind another screen.
#pragma once

#include <QImage>
#include <array>

#include "controls/TransparentButton.h"
#include "exercises/CrosswordFile.h"
#include "platform/Forms.h"
#include "platform/Timers.h"

class TAnimated;
class TBmpTransparent;

class TCw3Form : public TForm {
 public:
  TCw3Form();
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Reads the crossword at `path` and resets the screen. The file and every
  // picture are read first: one that cannot be read raises its error and
  // leaves the screen as it was.
  void LoadCrossword(const QString& path);
  // What LoadCrossword reads, without touching the screen.
  struct TCrosswordFiles {
    TCrossword Crossword;
    QImage Lift, Yeti, Panel, Landscape, Skier, EmptyLine;
  };
  static TCrosswordFiles ReadCrosswordFiles(const QString& path);
  void LoadCrossword(TCrosswordFiles files);

  // Cells are 1-based; `s` is a letter or a space.
  void DrawSolutionCell(int col, TImage* line);
  void DrawLetter(int n, QChar s);

  // Handlers.
  void Line_1Click(TImage* sender);
  void Edit_KrzKeyPress(QChar& key);
  void Edit_KrzChange();
  void Button2Click();
  void KwillButton1Click();
  void Button1Click();
  void CW1_KWS_LeftClick();
  void CW1_KWS_RightClick();
  void Timer1Timer();
  void Timer2Timer();
  void Timer3Timer();
  void Animated2ChangeFrame();
  void Animated3ChangeFrame();
  void BmpTransparent1Click();

  // Lines, number labels and clue labels 1 .. 15.
  TImage* Line(int k) const { return lines_[k - 1]; }
  TLabel* Cyfra(int k) const { return numbers_[k - 1]; }
  TLabel* Opis(int k) const { return clues_[k - 1]; }

  // Controls.
  TImage* Image1_2 = nullptr;  // the common exercise background
  TImage* Image1 = nullptr;    // the landscape
  TImage* Line_1 = nullptr;
  TImage* Panel_Img = nullptr;
  TEdit* Edit_Krz = nullptr;
  TAnimated* Animated1 = nullptr;  // the ski lift: its frame shows progress
  TAnimated* Animated2 = nullptr;  // the skier
  TAnimated* Animated3 = nullptr;  // the Yeti
  TBmpTransparent* img_helik = nullptr;
  TImage* Image2 = nullptr;                    // the figure that leaves at the end
  TBmpTransparent* BmpTransparent1 = nullptr;  // the spoken instruction
  TTransparentButton* button1 = nullptr;       // "Koniec"
  TTransparentButton* KwillButton1 = nullptr;  // "Rozpocznij"
  TTransparentButton* Button2 = nullptr;       // "Pomoc"
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  TTimer Timer1;  // the departing figure
  TTimer Timer2;  // the skier
  TTimer Timer3;  // the helicopter

  // The crossword as read (answers in upper case, lengths within 15).
  TCrossword Crossword;
  // Screen state.
  TImage* CurrentLine = nullptr;
  int CurrentWord = 0;
  std::array<std::array<QChar, AnswerMax>, CrosswordLines> RevealedLetters{};
  QString TypedWord;
  int CursorPos = 0;
  // Letters of the revealed cells the box jumped over with the last key, in
  // order: a child typing the whole word types them too, and each is taken
  // as its cell instead of filling the next one.
  QString SkippedLetters;
  bool LineOpen = false;
  int SolvedCount = 0;
  std::array<bool, CrosswordLines> WordSolved{};
  std::array<int, CrosswordLines> HelpCount{};
  int HelpUses = 0;
  bool YetiShown = false;
  bool HelicopterHold = false;
  bool SceneBusy = false;

  int WordLength(int k) const;

 private:
  void AllTimersOff();
  void OpenNextLine();
  void RedrawLine();
  void RightWord();
  void WrongWord();
  void Complete();
  void FlyOff();
  QChar Revealed(int cell) const { return RevealedLetters[CurrentWord - 1][cell - 1]; }
  bool IsRevealed(int cell) const { return Revealed(cell) != u' '; }
  bool PlainSolutionColumn() const;

  std::array<TImage*, CrosswordLines> lines_{};
  std::array<TLabel*, CrosswordLines> numbers_{};
  std::array<TLabel*, CrosswordLines> clues_{};
  QImage emptyLine_;
};

extern TCw3Form* Cw3Form;
