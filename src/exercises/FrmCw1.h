// Exercise screen 1: presentation, dragging, listening and the letter grid,
// all over one word exercise file (a picture with up to 14 items).
//
// Families of controls are arrays: lbl_Opis[k - 1] is the word label of item
// k, Label[k - 1] the k-th draggable word, ImgDD[k - 1] the cover rectangle of
// item k and Kraty[k - 1] its letter-grid row. Each family shares the handler
// of its first member, which is told the control's 1-based number.
//
// Where the data breaks the file's promises the screen still ends in a usable
// state: a dragging exercise with one used item is not shuffled, a listening
// round with no used items does not start, a word with fewer letters to hide
// than the grid asks for hides what it has, and a row with nothing hidden is
// solved as soon as it is opened.
#pragma once

#include <QPoint>
#include <array>

#include "controls/TransparentButton.h"
#include "exercises/ExerciseFiles.h"
#include "platform/Forms.h"

class TBmpTransparent;

class TCw1Form : public TForm {
 public:
  TCw1Form();
  ~TCw1Form() override;
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;
  // Puts a dragged word back (the stage calls it when a drag leaves the screen).
  void CancelDrag();

  // Reads the word exercise at `path` and prepares texts, picture and grid.
  // The file and a new picture are read first: a broken one raises its error
  // and leaves the screen as it was.
  void LoadWordExercise(const QString& path);
  // What LoadWordExercise reads, without touching the screen: the dispatch
  // reads an entry with it before any screen changes, then hands it over.
  struct TWordExerciseFiles {
    TWordExercise Exercise;
    QImage Picture;
    bool NewPicture = false;
  };
  static TWordExerciseFiles ReadWordExerciseFiles(const QString& path, bool stripArticles);
  void LoadWordExercise(TWordExerciseFiles files);
  // Leaves the kind on screen and sets up `kind` (0 none, 2 dragging, 3
  // presentation, 4 listening, 6 letter grid; 1 and 7 only reset the shared
  // exercise state for screens 2 and 3).
  void SetExerciseKind(int kind);

  // The letter grid.
  void BuildGaps();
  void LayoutGrid();
  void DrawCell(int cell, int row, TColor colour, QChar character);

  // Handlers.
  void Image2Click();
  void Image1MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void Image1MouseMove(TShiftState shift, int x, int y);
  void Image1Click();  // also the background's
  void lbl_Opis_1Click(int k);
  void lbl_Opis_1MouseMove(int k);
  void Btn_Prez_ShowClick();
  // One step of the presentation's read-aloud chain (the shared player's end of sound).
  void ReadAloudNext();
  void Label1StartDrag(int k);
  void Label1EndDrag(QWidget* target);
  // Drag-over and drop, by what lies under the pointer; x and y are in the control.
  void DragOver(TControl* over, int x, int y);
  void label1_DDDragDrop(int x, int y);
  void ImgDD_1DragDrop(int n);
  void Image1DragDrop(int x, int y);
  void lbl_Opis_1DragDrop();  // the background and the panel too
  void Label1DragDrop();
  void ImgDD_1MouseDown(int n, TMouseButton button);
  void Button5Click();
  void Button2Click();
  void Button4Click();
  void NextListenItem();
  void Kraty1Click(int r);
  void Kraty_EditKeyPress(QChar& key);
  void Kraty_EditChange();
  void Button3Click();
  void CW1_KWS_LeftClick();
  void CW1_KWS_RightClick();
  void Button1Click();
  void Button6Click();
  void btn_dialogClick();

  // Controls.
  TImage* Image1_2 = nullptr;   // background
  TImage* Image1 = nullptr;     // the exercise picture
  TImage* Panel_Img = nullptr;  // side panel of the dragging exercise
  std::array<TLabel*, WordItems> lbl_Opis{};
  std::array<TImage*, WordItems> ImgDD{};
  std::array<TImage*, WordItems> Kraty{};
  std::array<TLabel*, WordItems> Label{};
  TEdit* Kraty_Edit = nullptr;  // letter entry of the letter grid
  TEdit* Edit1 = nullptr;       // takes the focus away from Kraty_Edit
  TLabel* lbl_WhatToDo = nullptr;
  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  TLabel* label1_DD = nullptr;    // the drag image
  TLabel* lbl_Tlumacz = nullptr;  // translation bubble
  TBmpTransparent* Image2 = nullptr;  // help
  TTransparentButton* button3 = nullptr;        // "Koniec"
  TTransparentButton* cw1_kws_right = nullptr;  // next exercise of the list
  TTransparentButton* CW1_KWS_left = nullptr;   // previous exercise of the list
  TTransparentButton* button1 = nullptr;        // "Rozpocznij": the same exercise again
  TTransparentButton* btn_prez_Show = nullptr;  // "Czytaj": read the presentation aloud
  TTransparentButton* button2 = nullptr;        // "Czytaj": the asked word again
  TTransparentButton* button5 = nullptr;        // "Rozpocznij": the listening round
  TTransparentButton* button6 = nullptr;        // "Pamiętaj !!!": the note
  TTransparentButton* button4 = nullptr;        // "Następny przykład"
  TTransparentButton* btn_dialog = nullptr;     // the presentation's dialogues

  // The word exercise on screen, also read by the presentation's chain.
  TWordExercise WordExercise;

  // Screen state (1-based contents, entry n at [n - 1]).
  int ActiveCount = 0;
  std::array<int, WordItems> LabelItems{};
  std::array<int, WordItems> ListenOrder{};
  int ListenPos = 0;
  std::array<bool, WordItems> ItemDone{};
  bool Accepting = false;
  TLabel* DraggedLabel = nullptr;

  // Letter grid state.
  static constexpr int MaxGaps = 15;
  std::array<std::array<int, MaxGaps>, WordItems> GapPositions{};
  std::array<int, WordItems> GapCount{};
  std::array<QString, WordItems> MaskedRow;
  std::array<QString, WordItems> TypedRow;
  std::array<bool, WordItems> RowSolved{};  // letter grid rows done
  std::array<int, WordItems> RowWidth{};
  int SolvedRows = 0;
  int CurrentRow = 0;
  int GapIndex = 0;
  int CurrentRowLeft = 0;

 private:
  void StopReadAloud();
  void Say(int item);
  void ShowBubble(int left, int top, const QString& caption);
  void RevealWord(int j);
  void AcceptMatch(int j);
  void WrongDrop();
  void GiveWordBack();
  int DraggedItem() const;
  bool DropAllowed() const;
  void ListenAnswer(int item);
  void ListenRight(int item);
  void Wrong();
  // What the arrows stop before another entry starts.
  void LeaveForEntry();
  void OpenNextRow();
  QString CurrentKey() const;
  QString CurrentFile() const;

  QPoint pressPoint_;  // where the pointer took a draggable word, in the word
};

extern TCw1Form* Cw1Form;
