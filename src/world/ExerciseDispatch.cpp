#include <algorithm>

#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/TransparentButton.h"
#include "exercises/CrosswordFile.h"
#include "exercises/FrmCw1.h"
#include "exercises/FrmCw2.h"
#include "exercises/FrmCw3.h"
#include "exercises/FrmCw5.h"
#include "exercises/FrmCw6.h"
#include "exercises/FrmCw7.h"
#include "exercises/FrmLilie.h"
#include "menu/FrmInfo.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "platform/Timers.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"

namespace {

const QString kIrregularPlurals = QStringLiteral("\\liblary\\irr_plu.fc2");

void StartPresentation(const QString& file, const QString& path) {
  StripArticles = false;
  Cw1Form->Image1->SetCursor(TCursor::crArrow);
  if (std::find(DialogueLinkFiles.begin(), DialogueLinkFiles.end(), file) != DialogueLinkFiles.end()) {
    TTransparentButton* b = Cw1Form->btn_dialog;
    if (file != kIrregularPlurals) {
      b->move(587, 75);
      b->SetBitmapNormal(9);
      b->SetHint(QStringLiteral("Dialogi i ćwiczenia"));
    } else {
      b->move(590, 167);
      b->SetBitmapNormal(2);
      b->SetHint(QStringLiteral("Ćwiczenia"));
    }
    b->Show();
  }
  Cw1Form->Show();
  if (std::find(RememberFiles.begin(), RememberFiles.end(), file) != RememberFiles.end()) {
    Cw1Form->button6->Show();
    RememberFile = file;
    LoadNote(RememberFile);
  }
  Cw1Form->LoadWordExercise(path);
  Cw1Form->SetExerciseKind(3);
  Cw1Form->btn_prez_Show->SetEnabled(true);
  Cw1Form->btn_prez_Show->BringToFront();
  Cw1Form->lbl_Tlumacz->Hide();
}

// Dragging, listening and the letter grid share the word exercise screen.
void StartWordExercise(const QString& path, int kind) {
  StripArticles = true;
  Cw1Form->Show();
  Cw1Form->LoadWordExercise(path);
  Cw1Form->SetExerciseKind(kind);
}

void StartCrossword(const QString& path) {
  Cw3Form->Show();
  Cw3Form->LoadCrossword(path);
  Cw1Form->SetExerciseKind(7);
  Cw3Form->Image2->move(248, 234);
  Cw3Form->Button2->Show();
  Cw3Form->Line_1Click(Cw3Form->Line_1);
  Cw3Form->Edit_Krz->Show();
  PlayWave(ProgramDir + QStringLiteral("\\gfx\\Wyciag\\Wiatr.wav"));
}

void StartWordSearch(const QString& path) {
  Cw2Form->LoadWordSearch(path);
  Cw1Form->SetExerciseKind(1);
  Cw2Form->KwillButton1->Hide();
  Cw2Form->Image1->Hide();
  Cw2Form->Show();
  Cw2Form->Repaint();
  // The grid appears a moment after its screen.
  Delay(200);
  Cw2Form->Image1->Show();
  Cw2Form->Image1->Repaint();
}

// Reads and checks the files an entry names, as its screen will, so that a
// broken one shows only its error and every screen stays as it was.
void CheckEntryFiles(const TListEntry& entry, const QString& path) {
  switch (ScreenForKey(entry.Key)) {
    case TExerciseScreen::Presentation:
    case TExerciseScreen::Dragging:
    case TExerciseScreen::Listening:
    case TExerciseScreen::LetterGrid:
      TCw1Form::ReadWordExerciseFiles(path);
      break;
    case TExerciseScreen::Crossword:  // its screen is shown before it reads
      LoadCrosswordFile(path);
      break;
    default:
      break;  // these screens read their file before they are shown
  }
}

}  // namespace

void CloseExerciseScreens(const TForm* keep) {
  TForm* const screens[] = {Cw1Form, Cw2Form, Cw3Form, Cw5Form, cw6form, Cw7Form, LilieForm};
  for (TForm* screen : screens)
    if (screen && screen != keep) screen->Close();
}

void StartExercise() {
  const bool inList = ExerciseIndex >= 1 && ExerciseIndex <= std::min(ExerciseCount, MaxExercises);
  const TListEntry entry = inList ? ExerciseList[ExerciseIndex - 1] : TListEntry{};
  const QString path = ProgramDir + QStringLiteral("\\cwicz") + entry.File;
  CheckEntryFiles(entry, path);

  CloseExerciseScreens();
  if (Cw1Form) {
    Cw1Form->button6->Hide();
    Cw1Form->btn_dialog->Hide();
  }
  RegenerateGaps = true;
  FirstTry = true;

  switch (ScreenForKey(entry.Key)) {
    case TExerciseScreen::Presentation:
      StartPresentation(entry.File, path);
      break;
    case TExerciseScreen::Dragging:
      StartWordExercise(path, 2);
      Cw1Form->Repaint();
      // Qt always paints double-buffered; only the pause remains of the switch-over.
      Delay(50);
      break;
    case TExerciseScreen::Listening:
      StartWordExercise(path, 4);
      break;
    case TExerciseScreen::LetterGrid:
      StartWordExercise(path, 6);
      Cw1Form->Kraty_Edit->SetFont(TFont{SmallFont.Name, SmallFont.Size - 4, clWhite, 0});
      Cw1Form->Kraty_Edit->SetColor(clYellow);
      Cw1Form->RowSolved.fill(false);
      break;
    case TExerciseScreen::Crossword:
      StartCrossword(path);
      break;
    case TExerciseScreen::WordSearch:
      StartWordSearch(path);
      break;
    case TExerciseScreen::ListeningChoice:
      Cw7Form->LoadListeningChoice(path);
      ExerciseKind = 10;
      Cw7Form->Show();
      break;
    case TExerciseScreen::LilyPads:
      LilieForm->LoadLilyPads(path);
      ExerciseKind = 12;
      LilieForm->Show();
      break;
    case TExerciseScreen::Unknown:
      ShowMessage(QStringLiteral("Brak cwiczenia !"));
      break;
  }
}

void Dispatch::LoadExerciseList(const QString& path) {
  const TExerciseListFile list = ParseExerciseList(ReadWholeFile(path), path);
  const TListEntry& first = list.Entries.front();
  CheckEntryFiles(first, ProgramDir + QStringLiteral("\\cwicz") + first.File);
  ExerciseList.fill(TListEntry{});
  std::copy(list.Entries.begin(), list.Entries.end(), ExerciseList.begin());
  ExerciseCount = static_cast<int>(list.Entries.size());
  ExerciseIndex = 1;
  StartExercise();
}

void PreviousExercise() {
  if (ExerciseCount >= 2 && ExerciseIndex > 1) {
    --ExerciseIndex;
    StartExercise();
  }
}

void NextExercise() {
  if (ExerciseIndex < ExerciseCount) {
    ++ExerciseIndex;
    StartExercise();
  }
}

void InstallExerciseDispatch() { ::LoadExerciseList = &Dispatch::LoadExerciseList; }
