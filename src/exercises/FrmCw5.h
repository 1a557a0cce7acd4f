// Exercise screen 5: the dialogue screen. It shows one entry of the current
// dialogue list either as a dialogue (up to 14 spoken lines, read aloud in
// full or as a role play, translations on hover) or as a gap dialogue (one
// exchange of two sentences at a time, with one gap to type into).
//
// The dialogue list and the read-aloud chains live in world/Dialogues.h;
// this screen starts the readings and the chains colour its lines.
#pragma once

#include <QPushButton>
#include <QStringList>
#include <array>

#include "controls/TransparentButton.h"
#include "exercises/ExerciseFiles.h"
#include "platform/Forms.h"

class TBmpTransparent;

// The line being said, and the line the child is to say.
constexpr TColor LineRed = RGBColor(255, 0, 0);
constexpr TColor LineGreen = RGBColor(0, 255, 0);

// One exchange of the gap dialogue as the screen shows it.
struct TGapExchange {
  // Parts 1 .. 6 at [0 .. 5]. The gap part holds "   " + the widest answer
  // while hidden (the three spaces keep it under the answer box), the
  // trimmed answer once revealed, and the typed text once answered.
  std::array<QString, ExchangeParts> Parts;
  QStringList Answers;  // each stored as "   " + the answer
  int GapPart = 0;      // 1 .. 6
  int GapX = 0, GapY = 0;
  std::array<int, ExchangeParts> PartX{};  // where each part was laid out last
  int GapWidth = 0;       // widest answer + " "
  int LongestAnswer = 1;  // 1-based
  bool Answered = false;
};

class TCw5Form : public TForm {
 public:
  TCw5Form();
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Called by StartDialogue with ProgramDir + "\cwicz" + the entry's file.
  // A file that cannot be read raises its error and changes nothing.
  void LoadDialogue(const QString& path);
  void LoadGapDialogue(const QString& path);

  // Lines 1 .. 14; colours and sayings of lines outside 1 .. LineCount are ignored.
  TLabel* Line(int k) const;
  void SetLineColour(int k, TColor colour);
  void AllLinesBlack();
  void SayLine(int k);

  // Gap dialogue.
  void DrawExchange(bool paint);
  void OpenGap();
  void NextExchange();

  // Handlers.
  void Line_1MouseMove(TLabel* line);
  void Line_1Click(TLabel* line);
  void BackgroundMouseMove();
  void BackgroundClick();
  void Button1Click();
  void KwillButton1Click();
  void KwillButton2Click();
  void Image2Click();
  void CW5_KWS_LeftClick();
  void CW5_KWS_RightClick();
  void Button2Click();
  void Edit_1KeyPress(QChar& key);
  void KwillLapkaClick();
  void PaintBox1Paint();

  // Controls.
  TImage* Image1_2 = nullptr;  // background
  TPaintBox* PaintBox1 = nullptr;
  TLabel *Line_1 = nullptr, *Line_2 = nullptr, *Line_3 = nullptr, *Line_4 = nullptr, *Line_5 = nullptr,
         *Line_6 = nullptr, *Line_7 = nullptr, *Line_8 = nullptr, *Line_9 = nullptr, *Line_10 = nullptr,
         *Line_11 = nullptr, *Line_12 = nullptr, *Line_13 = nullptr, *Line_14 = nullptr;
  TLabel* Line_Polski = nullptr;
  TLabel* Lbl_Tyt = nullptr;
  TEdit* Edit_1 = nullptr;
  QPushButton* BTN_FOCUS = nullptr;
  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  TBmpTransparent* Image2 = nullptr;  // help
  TTransparentButton* button2 = nullptr;  // "Koniec"
  TTransparentButton* CW5_KWS_left = nullptr;
  TTransparentButton* cw5_kws_right = nullptr;
  TTransparentButton* Button1 = nullptr;       // read the whole dialogue
  TTransparentButton* KwillButton1 = nullptr;  // role play, the child says the even lines
  TTransparentButton* KwillButton2 = nullptr;  // role play, the child says the odd lines
  TTransparentButton* KwillLapka = nullptr;    // go on after a revealed answer

  // The dialogue.
  std::array<TDialogueLine, MaxDialogueLines> DialogueLines{};
  int LineCount = 0;

  // The gap dialogue.
  std::array<TGapExchange, MaxExchanges> Exchanges{};
  int ExchangeCount = 0;
  int CurrentExchange = 0;  // 0-based
  int AnsweredCount = 0;
  int WrongTries = 0;
  QString Blank = QStringLiteral(" ");

 private:
  void StopReading();
  void StepEntry(int delta);
  int TextWidth(const QString& text);
  std::array<TLabel*, MaxDialogueLines> lines_{};
  bool gapLoaded_ = false;
  // Counts loads, so a pause can tell that the entry changed under it.
  int loadRun_ = 0;
};

extern TCw5Form* Cw5Form;
