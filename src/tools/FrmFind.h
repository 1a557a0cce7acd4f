// The dictionary's search dialog: part of a word, the column to look in
// (English or Polish, kept between searches), and a jump to the first entry
// from the start that holds the text, compared with A-Z lower-cased only.
// The hit starts the dictionary's page, in red, and becomes its selected
// entry; a miss says "Nie znaleziono takiego wyrazu." on the message screen
// and leaves the dialog open. The dictionary's "Szukaj dalej" runs the same
// search from the entry after the hit and never wraps to the start.
#pragma once

#include "platform/Forms.h"

class TTransparentButton;

class TFindForm : public TForm {
 public:
  TFindForm();
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Searches entries start .. EntryCount of the dictionary.
  void FindWord(int start);

  void Button2Click();
  void Button1Click();
  void Edit1KeyPress(QChar& key);
  void Label4Click();
  void Label5Click();

  // 1 the English column, 2 the Polish one.
  int SearchColumn = 1;

  TImage* Image1 = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* Edit1 = nullptr;
  TTransparentButton* button2 = nullptr;
  TTransparentButton* button1 = nullptr;
  TLabel* Label4 = nullptr;  // the English column's mark
  TLabel* Label3 = nullptr;
  TLabel* Label5 = nullptr;  // the Polish column's mark
  TLabel* Label6 = nullptr;

 private:
  void NotFound();
};

extern TFindForm* FindForm;

// The message of a search without a hit.
inline const QString NotFoundText = QStringLiteral("Nie znaleziono takiego wyrazu.");
