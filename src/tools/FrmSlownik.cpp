#include "tools/FrmSlownik.h"

#include <algorithm>

#include "app/Globals.h"
#include "app/InstallationChoice.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "controls/TransparentButton.h"
#include "menu/FrmAbout.h"
#include "menu/FrmAboutFiles.h"
#include "menu/FrmMenuStart.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "tools/FrmFind.h"
#include "tools/FrmSlownikFiles.h"
#include "world/Dialogues.h"
#include "world/FrmMain.h"

TSlownikForm* SlownikForm = nullptr;

namespace {

constexpr int kRowTop = 115, kRowHeight = 21;
constexpr int kRecordingLimitMs = 10000;
const QString kTakeName = QStringLiteral("tmp1.Wav");

TLabel* WordLabel(QWidget* parent, int k, int left, int width) {
  auto* l = new TLabel(parent);
  l->Tag = k;
  l->SetAutoSize(false);
  l->SetBounds(left, kRowTop + kRowHeight * (k - 1), width, kRowHeight);
  l->SetFont(TFont{QStringLiteral("Arial CE"), -18, clBlack, 0});
  l->SetTransparent(true);
  return l;
}

}  // namespace

TSlownikForm::TSlownikForm() {
  KeyPreview = true;
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 640, 480);
  for (int k = 1; k <= WordsPerPage; ++k) {
    TLabel* ang = WordLabel(this, k, 36, 190);
    TLabel* pol = WordLabel(this, k, 228, 255);
    ang->OnClick = [this, ang] { Ang_1Click(ang); };
    pol->OnClick = [this, pol] { Ang_1Click(pol); };
    Ang[static_cast<size_t>(k - 1)] = ang;
    Pol[static_cast<size_t>(k - 1)] = pol;
  }
  btn_lektor = NewButton(this, 586, 37, 15, QStringLiteral("Lektor"));
  btn_lektor->OnClick = [this] { btn_lektorClick(); };
  btn_nagrajsie = NewButton(this, 586, 81, 16, QStringLiteral("Nagraj"));
  btn_nagrajsie->OnClick = [this] { btn_nagrajsieClick(); };
  btn_skoncznagranie = NewButton(this, 586, 81, 25, QStringLiteral("Nagraj"));
  btn_skoncznagranie->OnClick = [this] { btn_skoncznagranieClick(); };
  btn_skoncznagranie->Hide();
  // One row below "Odtwórz": on the same spot one of the two could never be clicked.
  btn_porownaj = NewButton(this, 586, 169, 17, QStringLiteral("Porównaj nagranie"));
  btn_porownaj->OnClick = [this] { btn_porownajClick(); };
  btn_grajnagranie = NewButton(this, 585, 125, 24, QStringLiteral("Odtwórz"));
  btn_grajnagranie->OnClick = [this] { btn_grajnagranieClick(); };
  btn_grajnagranie->Hide();
  tb_UP = NewButton(this, 498, 121, 22, QString());
  tb_UP->OnClick = [this] { tb_UPClick(); };
  tb_dn = NewButton(this, 498, 373, 23, QString());
  tb_dn->OnClick = [this] { tb_dnClick(); };
  label2 = NewButton(this, 586, 253, 18, QStringLiteral("Szukaj"));
  label2->OnClick = [this] { Label2Click(); };
  szuk_dalej = NewButton(this, 586, 293, 27, QStringLiteral("Szukaj dalej"));
  szuk_dalej->OnClick = [this] { szuk_dalejClick(); };
  label3 = NewButton(this, 586, 425, 0, QStringLiteral("Koniec"));
  label3->OnClick = [this] { Label3Click(); };
  lbl_About = new TLabel(this);
  lbl_About->SetAutoSize(false);
  lbl_About->SetTransparent(true);
  lbl_About->SetBounds(32, 16, 217, 85);
  lbl_About->OnClick = [this] { lbl_AboutClick(); };

  MediaPlayer1 = new TMediaPlayer(this);
  MediaPlayer1->DeviceType = dtWaveAudio;
  MediaPlayer1->OnNotify = [this] { MediaPlayer1Notify(); };
  Timer1.SetEnabled(false);
  Timer1.SetInterval(kRecordingLimitMs);
  Timer1.OnTimer = [this] { Timer1Timer(); };
}

void TSlownikForm::FormCreate() {
  lbl_About->SetCursor(TCursor::crHandPoint);
  Entries.clear();
  LoadWordList(ProgramDir + QStringLiteral("\\Sb_all_NEW.txt"));
}

void TSlownikForm::LoadWordList(const QString& path) {
  TWordList list;
  try {
    ReadWordListInto(list, ReadWholeFile(path), path);
  } catch (const Exception&) {
    // The entries before a bad line stay, as they did when read one by one.
    Entries = std::move(list.Entries);
    throw;
  }
  Entries = std::move(list.Entries);
  if (list.LinesLeftOut > 0) ShowWarning(LinesLeftOutMessage(ResolvePath(path), list.LinesLeftOut));
}

TWordEntry TSlownikForm::Entry(int n) const {
  return n >= 1 && n <= EntryCount() ? Entries[static_cast<size_t>(n - 1)] : TWordEntry{};
}

QString TSlownikForm::EntrySoundPath(int n) const {
  return DialogueLinePath(IntToStr(Entry(n).Sound));
}

int TSlownikForm::SelectedEntry() const {
  return btn_lektor->Tag - 1;
}

void TSlownikForm::SelectEntry(int n) {
  btn_lektor->Tag = n + 1;
  for (int k = 1; k <= WordsPerPage; ++k) {
    const bool selected = PageStart + k - 1 == n && n <= EntryCount();
    for (TLabel* l : {Ang[static_cast<size_t>(k - 1)], Pol[static_cast<size_t>(k - 1)]}) {
      l->SetColor(SelectedRowColor);
      l->SetTransparent(!selected);
    }
  }
}

QString TSlownikForm::RecordingPath() const {
  const QString folder = WritableFolder(ProgramDir, kTakeName, {});
  return folder == ProgramDir ? ProgramDir + QStringLiteral("\\") + kTakeName : folder + kTakeName;
}

// ---------------------------------------------------------------- showing

void TSlownikForm::FormShow() {
  Timer1.SetEnabled(false);
  Image1->LoadFromFile(SlownikFiles::Page.In(ProgramDir, DataRoot));
  PageStart = 1;
  PageTop = 1;
  ComparePending = false;
  RecordingButtons(false, false);
  szuk_dalej->Hide();
  ShowPage(1);
  SelectEntry(1);
  SetPageButtons();
}

void TSlownikForm::FormClose() {
  if (RecorderOpen) {
    Timer1.SetEnabled(false);
    StopRecordingAndSave();
  }
  ComparePending = false;
  StopAndClose(MediaPlayer1);
}

void TSlownikForm::ShowPage(int first) {
  for (int k = 1; k <= WordsPerPage; ++k) {
    const TWordEntry e = Entry(first + k - 1);
    const TColor colour =
        FoundEntry > 0 && PageTop + k - 1 == FoundEntry ? FoundEntryColor : clBlack;
    TLabel* ang = Ang[static_cast<size_t>(k - 1)];
    TLabel* pol = Pol[static_cast<size_t>(k - 1)];
    ang->SetCaption(e.English);
    pol->SetCaption(e.Polish);
    ang->SetFontColor(colour);
    pol->SetFontColor(colour);
  }
  SelectEntry(SelectedEntry());
}

void TSlownikForm::SetPageButtons() {
  tb_UP->SetVisible(PageTop > 1);
  tb_dn->SetVisible(PageTop + WordsPerPage <= EntryCount());
}

void TSlownikForm::TurnToPage(int first) {
  PageTop = PageStart = first;
  ShowPage(first);
  SetPageButtons();
}

void TSlownikForm::tb_dnClick() {
  FoundEntry = 0;
  szuk_dalej->Hide();
  TurnToPage(PageTop + WordsPerPage);
}

void TSlownikForm::tb_UPClick() {
  FoundEntry = 0;
  szuk_dalej->Hide();
  TurnToPage(std::max(1, PageTop - WordsPerPage));
}

void TSlownikForm::FormKeyDown(int& key, TShiftState shift) {
  EndOnAltF4(key, shift);
  if ((key == VK_UP || key == VK_PRIOR) && tb_UP->Visible()) {
    key = 0;
    tb_UPClick();
  } else if ((key == VK_DOWN || key == VK_NEXT) && tb_dn->Visible()) {
    key = 0;
    tb_dnClick();
  }
}

// ---------------------------------------------------------------- words

void TSlownikForm::StopPlayers() {
  ComparePending = false;
  StopSharedPlayer();
  StopAndClose(MediaPlayer1);
}

void TSlownikForm::PlayOwn(const QString& path) {
  MediaPlayer1->FileName = path;
  MediaPlayer1->Open();
  MediaPlayer1->Play();
}

void TSlownikForm::Ang_1Click(TLabel* row) {
  const int n = PageStart + row->Tag - 1;
  if (n < 1 || n > EntryCount()) return;
  SelectEntry(n);
  btn_lektorClick();
}

void TSlownikForm::btn_lektorClick() {
  StopPlayers();
  const QString path = EntrySoundPath(SelectedEntry());
  if (SelectedEntry() >= 1 && SelectedEntry() <= EntryCount() && FileExists(path)) PlayOwn(path);
}

void TSlownikForm::Label2Click() {
  szuk_dalej->Hide();
  if (FindForm) FindForm->ShowModal();
}

void TSlownikForm::szuk_dalejClick() {
  if (FindForm) FindForm->FindWord(FoundEntry + 1);
}

void TSlownikForm::lbl_AboutClick() {
  if (!AboutForm) return;
  AboutForm->Image1->LoadFromFile(AboutFiles::Background.In(ProgramDir, DataRoot));
  AboutForm->ShowModal();
}

void TSlownikForm::Label3Click() {
  ModalResult = mrOk;
  StopAndClose(MediaPlayer1);
  Close();
  if (MenuStart) MenuStart->BringToFront();
  RestartMenuIdle();
}

// ---------------------------------------------------------------- recording

void TSlownikForm::RecordingButtons(bool recording, bool haveTake) {
  btn_lektor->Show();
  btn_nagrajsie->SetVisible(!recording);
  btn_skoncznagranie->SetVisible(recording);
  btn_grajnagranie->SetVisible(!recording && haveTake);
  btn_porownaj->SetVisible(!recording && haveTake);
}

void TSlownikForm::btn_nagrajsieClick() {
  StopPlayers();
  if (const QString error = Recorder.Open(); !error.isEmpty()) {
    ShowMessage(QStringLiteral("Nie można nagrywać: nie znaleziono mikrofonu.\n(%1)").arg(error));
    return;
  }
  RecorderOpen = true;
  if (const QString error = Recorder.Record(); !error.isEmpty()) {
    Recorder.Close();
    RecorderOpen = false;
    ShowMessage(QStringLiteral("Nie można nagrywać.\n(%1)").arg(error));
    return;
  }
  RecordingButtons(true, false);
  Timer1.SetEnabled(true);
}

bool TSlownikForm::StopRecordingAndSave() {
  QString error;
  if (RecorderOpen) {
    error = Recorder.Save(RecordingPath());
    Recorder.Close();
  }
  const bool saved = RecorderOpen && error.isEmpty();
  RecorderOpen = false;
  if (!error.isEmpty())
    ShowMessage(QStringLiteral("Nie udało się zapisać nagrania.\n(%1)").arg(error));
  return saved;
}

void TSlownikForm::btn_skoncznagranieClick() {
  Timer1Timer();
}

void TSlownikForm::Timer1Timer() {
  Timer1.SetEnabled(false);
  const bool saved = StopRecordingAndSave();
  RecordingButtons(false, saved);
}

void TSlownikForm::btn_grajnagranieClick() {
  StopPlayers();
  PlayOwn(RecordingPath());
}

void TSlownikForm::btn_porownajClick() {
  StopPlayers();
  PlayOwn(RecordingPath());
  ComparePending = true;
}

void TSlownikForm::MediaPlayer1Notify() {
  if (!ComparePending || MediaPlayer1->NotifyValue() != nvSuccessful) return;
  StopPlayers();
  const QString path = EntrySoundPath(SelectedEntry());
  if (SelectedEntry() >= 1 && SelectedEntry() <= EntryCount() && FileExists(path)) PlayOwn(path);
  ComparePending = false;
}
