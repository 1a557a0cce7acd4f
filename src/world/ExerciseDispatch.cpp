#include <algorithm>
#include <optional>
#include <span>
#include <variant>

#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/TransparentButton.h"
#include "exercises/FrmCw1.h"
#include "exercises/FrmCw2.h"
#include "exercises/FrmCw2Files.h"
#include "exercises/FrmCw3.h"
#include "exercises/FrmCw3Files.h"
#include "exercises/FrmCw5.h"
#include "exercises/FrmCw6.h"
#include "exercises/FrmCw7.h"
#include "exercises/FrmCw7Files.h"
#include "exercises/FrmLilie.h"
#include "exercises/FrmLilieFiles.h"
#include "menu/FrmInfo.h"
#include "platform/Dialogs.h"
#include "platform/IdleWork.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "platform/Timers.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"

namespace {

const QString kIrregularPlurals = QStringLiteral("\\liblary\\irr_plu.fc2");

// Everything an entry's screen reads, read and checked before any screen
// changes, so a broken entry shows only its error.
struct TEntryFiles {
  TListEntry Entry;
  TExerciseScreen Screen = TExerciseScreen::Unknown;
  std::variant<std::monostate, TCw1Form::TWordExerciseFiles, TCw2Form::TWordSearchFiles,
               TCw3Form::TCrosswordFiles, TCw7Form::TListeningChoiceFiles,
               TLilieForm::TLilyPadFiles>
      Files;
  std::optional<QStringList> Note;  // a presentation's "remember" note
};

bool Listed(const auto& files, const QString& file) {
  return std::find(files.begin(), files.end(), file) != files.end();
}

QString EntryDataPath(const TListEntry& entry) {
  return ProgramDir + QStringLiteral("\\cwicz") + entry.File;
}

TEntryFiles ReadEntry(const TListEntry& entry) {
  TEntryFiles read{entry, ScreenForKey(entry.Key), {}, {}};
  const QString path = EntryDataPath(entry);
  switch (read.Screen) {
    case TExerciseScreen::Presentation:
      read.Files = TCw1Form::ReadWordExerciseFiles(path, false);
      if (Listed(RememberFiles, entry.File)) read.Note = ReadNote(entry.File);
      break;
    case TExerciseScreen::Dragging:
    case TExerciseScreen::Listening:
    case TExerciseScreen::LetterGrid:
      read.Files = TCw1Form::ReadWordExerciseFiles(path, true);
      break;
    case TExerciseScreen::Crossword:
      read.Files = TCw3Form::ReadCrosswordFiles(path);
      break;
    case TExerciseScreen::WordSearch:
      read.Files = TCw2Form::ReadWordSearchFiles(path);
      break;
    case TExerciseScreen::ListeningChoice:
      read.Files = TCw7Form::ReadListeningChoiceFiles(path);
      break;
    case TExerciseScreen::LilyPads:
      read.Files = TLilieForm::ReadLilyPadFiles(path);
      break;
    case TExerciseScreen::Unknown:
      break;
  }
  return read;
}

// What an entry's screen decodes as it starts, as jobs for the game's idle
// time: the picture a word exercise's file names, or the screen's own
// pictures. A picture already decoded costs a look at its file's date.
std::vector<IdleWork::TJob> EntryPictureJobs(const TListEntry& entry) {
  const QString path = EntryDataPath(entry);
  std::span<const TScreenFile> pictures;
  switch (ScreenForKey(entry.Key)) {
    case TExerciseScreen::Presentation:
    case TExerciseScreen::Dragging:
    case TExerciseScreen::Listening:
    case TExerciseScreen::LetterGrid:
      return {[path] { TCw1Form::ReadWordExerciseFiles(path, false); }};
    case TExerciseScreen::Crossword:
      pictures = Cw3Files::Pictures;
      break;
    case TExerciseScreen::WordSearch:
      pictures = Cw2Files::Pictures;
      break;
    case TExerciseScreen::ListeningChoice:
      pictures = Cw7Files::Pictures;
      break;
    case TExerciseScreen::LilyPads:
      pictures = LilieFiles::Pictures;
      break;
    case TExerciseScreen::Unknown:
      break;
  }
  std::vector<IdleWork::TJob> jobs;
  for (const TScreenFile& f : pictures)
    jobs.push_back([f] { LoadPicture(f.In(ProgramDir, DataRoot)); });
  return jobs;
}

// The arrows mostly lead on: the next entry is decoded while the child plays
// this one.
void PrepareEntryAfter(int index) {
  const TListEntry* next = ExerciseAt(index + 1);
  IdleWork::Replace(next ? EntryPictureJobs(*next) : std::vector<IdleWork::TJob>{});
}

template <class T>
T Take(TEntryFiles& read) {
  return std::move(std::get<T>(read.Files));
}

void StartPresentation(TEntryFiles& read) {
  const QString& file = read.Entry.File;
  StripArticles = false;
  Cw1Form->Image1->SetCursor(TCursor::crArrow);
  if (Listed(DialogueLinkFiles, file)) {
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
  if (read.Note) {
    Cw1Form->button6->Show();
    RememberFile = file;
    SetNote(std::move(*read.Note));
  }
  Cw1Form->LoadWordExercise(Take<TCw1Form::TWordExerciseFiles>(read));
  Cw1Form->SetExerciseKind(3);
  Cw1Form->btn_prez_Show->SetEnabled(true);
  Cw1Form->btn_prez_Show->BringToFront();
  Cw1Form->lbl_Tlumacz->Hide();
}

// Dragging, listening and the letter grid share the word exercise screen.
void StartWordExercise(TEntryFiles& read, int kind) {
  StripArticles = true;
  Cw1Form->Show();
  Cw1Form->LoadWordExercise(Take<TCw1Form::TWordExerciseFiles>(read));
  Cw1Form->SetExerciseKind(kind);
}

void StartCrossword(TEntryFiles& read) {
  Cw3Form->Show();
  Cw3Form->LoadCrossword(Take<TCw3Form::TCrosswordFiles>(read));
  Cw1Form->SetExerciseKind(7);
  Cw3Form->Image2->move(248, 234);
  Cw3Form->Button2->Show();
  Cw3Form->Line_1Click(Cw3Form->Line_1);
  Cw3Form->Edit_Krz->Show();
  PlayWave(Cw3Files::Wind.In(ProgramDir, DataRoot));
}

void StartWordSearch(TEntryFiles& read) {
  Cw2Form->LoadWordSearch(Take<TCw2Form::TWordSearchFiles>(read));
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

// A key no screen takes: says so; nothing else changes.
bool Refused(const TEntryFiles& read) {
  if (read.Screen != TExerciseScreen::Unknown) return false;
  ShowMessage(QStringLiteral("Brak cwiczenia !"));
  return true;
}

// Starts what ReadEntry read as entry `index`.
bool StartEntry(TEntryFiles& read, int index, const std::function<void()>& leaving) {
  if (Refused(read)) return false;
  // What waited was this entry, read just now.
  IdleWork::Clear();
  if (leaving) leaving();
  ExerciseIndex = index;
  CloseExerciseScreens();
  if (Cw1Form) {
    Cw1Form->button6->Hide();
    Cw1Form->btn_dialog->Hide();
  }
  RegenerateGaps = true;
  FirstTry = true;

  switch (read.Screen) {
    case TExerciseScreen::Presentation:
      StartPresentation(read);
      break;
    case TExerciseScreen::Dragging:
      StartWordExercise(read, 2);
      Cw1Form->Repaint();
      // Qt always paints double-buffered; only the pause remains of the switch-over.
      Delay(50);
      break;
    case TExerciseScreen::Listening:
      StartWordExercise(read, 4);
      break;
    case TExerciseScreen::LetterGrid:
      StartWordExercise(read, 6);
      Cw1Form->Kraty_Edit->SetFont(TFont{SmallFont.Name, SmallFont.Size - 4, clWhite, 0});
      Cw1Form->Kraty_Edit->SetColor(clYellow);
      Cw1Form->RowSolved.fill(false);
      break;
    case TExerciseScreen::Crossword:
      StartCrossword(read);
      break;
    case TExerciseScreen::WordSearch:
      StartWordSearch(read);
      break;
    case TExerciseScreen::ListeningChoice:
      Cw7Form->LoadListeningChoice(Take<TCw7Form::TListeningChoiceFiles>(read));
      ExerciseKind = 10;
      Cw7Form->Show();
      break;
    case TExerciseScreen::LilyPads:
      LilieForm->LoadLilyPads(Take<TLilieForm::TLilyPadFiles>(read));
      ExerciseKind = 12;
      LilieForm->Show();
      break;
    case TExerciseScreen::Unknown:
      break;
  }
  PrepareEntryAfter(index);
  return true;
}

bool StartExerciseAt(int index, const std::function<void()>& leaving) {
  const TListEntry* entry = ExerciseAt(index);
  TEntryFiles read = ReadEntry(entry ? *entry : TListEntry{});
  return StartEntry(read, index, leaving);
}

}  // namespace

void CloseExerciseScreens(const TForm* keep) {
  TForm* const screens[] = {Cw1Form, Cw2Form, Cw3Form, Cw5Form, cw6form, Cw7Form, LilieForm};
  for (TForm* screen : screens)
    if (screen && screen != keep) screen->Close();
}

bool StartExercise(const std::function<void()>& leaving) {
  return StartExerciseAt(ExerciseIndex, leaving);
}

bool PreviousExercise(const std::function<void()>& leaving) {
  if (ExerciseCount < 2 || ExerciseIndex <= 1) return false;
  return StartExerciseAt(ExerciseIndex - 1, leaving);
}

bool NextExercise(const std::function<void()>& leaving) {
  if (ExerciseIndex >= ExerciseCount) return false;
  return StartExerciseAt(ExerciseIndex + 1, leaving);
}

void ReturnToPlace(TForm* from, const std::function<void()>& leaving) {
  if (leaving) leaving();
  if (from) from->Close();
  if (MainForm) {
    MainForm->Show();
    ResumeLocation();
  }
}

bool Dispatch::LoadExerciseList(const QString& path) {
  const TExerciseListFile list = ParseExerciseList(ReadWholeFile(path), path);
  TEntryFiles first = ReadEntry(list.Entries.front());
  if (Refused(first)) return false;
  ExerciseList.fill(TListEntry{});
  std::copy(list.Entries.begin(), list.Entries.end(), ExerciseList.begin());
  ExerciseCount = static_cast<int>(list.Entries.size());
  return StartEntry(first, 1, {});
}

void Dispatch::PrepareExerciseLists(const QStringList& paths) {
  std::vector<IdleWork::TJob> jobs;
  for (const QString& path : paths)
    jobs.push_back([path] {
      const TExerciseListFile list = ParseExerciseList(ReadWholeFile(path), path);
      IdleWork::Prepend(EntryPictureJobs(list.Entries.front()));
    });
  IdleWork::Replace(std::move(jobs));
}

void InstallExerciseDispatch() {
  ::LoadExerciseList = &Dispatch::LoadExerciseList;
  ::PrepareExerciseLists = &Dispatch::PrepareExerciseLists;
}
