#include "players/FrmNewLogin.h"

#include "app/FrmPodklad.h"
#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "app/StartOptions.h"
#include "controls/TransparentButton.h"
#include "menu/FrmMenuStart.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Strings.h"
#include "players/FrmLogin.h"
#include "players/FrmNewLoginFiles.h"
#include "players/PlayerFile.h"

TNewLoginForm* NewLoginForm = nullptr;

namespace {
const QString kWarning = QStringLiteral("UWAGA !!!");

TLabel* NewLabel(QWidget* parent, int left, int top, const TFont& font, const QString& caption) {
  auto* label = new TLabel(parent);
  label->SetFont(font);
  label->SetTransparent(true);
  label->move(left, top);
  label->SetCaption(caption);
  return label;
}
}  // namespace

TNewLoginForm::TNewLoginForm() : TForm(393, 136) {
  KeyPreview = true;
  const TFont bold{QStringLiteral("MS Sans Serif"), 8, clBlack, fsBold};
  Image1 = new TImage(this);
  Image1->move(0, 0);
  Image1->SetAutoSize(true);
  Label1 = NewLabel(this, 16, 8, TFont{QStringLiteral("MS Sans Serif"), -16, clBlack, fsBold},
                    QStringLiteral("Wpisz swoje Imię:"));
  Edit1 = new TEdit(this);
  Edit1->SetBounds(16, 40, 281, 21);
  Edit1->SetMaxLength(15);
  Edit1->OnKeyPress = [this](QChar& key) { Edit1KeyPress(key); };
  for (TLabel** mark : {&Label4, &Label5}) {
    *mark = new TLabel(this);
    (*mark)->SetFont(TFont{QStringLiteral("MS Sans Serif"), -19, clBlack, fsBold});
    (*mark)->SetColor(clWhite);
    (*mark)->SetAutoSize(false);
    (*mark)->SetAlignment(TAlignment::taCenter);
  }
  Label4->SetBounds(23, 84, 17, 17);
  Label5->SetBounds(163, 84, 17, 17);
  Label2 = NewLabel(this, 40, 84, bold, QStringLiteral("Jestem chłopcem"));
  Label3 = NewLabel(this, 180, 84, bold, QStringLiteral("Jestem dziewczyną"));
  Label4->OnClick = Label2->OnClick = [this] { Label4Click(); };
  Label5->OnClick = Label3->OnClick = [this] { Label5Click(); };
  Mark(Label4, true);
  Mark(Label5, false);
  btn_OK = NewButton(this, 334, 15, 2, QStringLiteral("OK"));
  btn_anuluj = NewButton(this, 334, 74, 5, QStringLiteral("Zamknij"));
  btn_OK->OnClick = [this] { btn_OKClick(); };
  btn_anuluj->OnClick = [this] { btn_AnulujClick(); };
}

void TNewLoginForm::Mark(TLabel* mark, bool chosen) {
  mark->Tag = chosen ? 1 : 0;
  mark->SetCaption(chosen ? QStringLiteral("*") : QStringLiteral(" "));
}

void TNewLoginForm::FormShow() {
  Image1->LoadFromFile(NewLoginFiles::Background.In(ProgramDir, DataRoot));
  Edit1->SetText(QString());
  Mark(Label4, true);
  Mark(Label5, false);
  PlayWave(NewLoginFiles::Greeting.In(ProgramDir, DataRoot));
}

// The name field takes the keys as soon as the screen is up.
void TNewLoginForm::FormActivate() { Edit1->SetFocus(); }

void TNewLoginForm::Label4Click() {
  if (Label4->Tag == 1) return;
  Mark(Label4, true);
  Mark(Label5, false);
}

void TNewLoginForm::Label5Click() {
  if (Label5->Tag == 1) return;
  Mark(Label5, true);
  Mark(Label4, false);
}

void TNewLoginForm::Edit1KeyPress(QChar& key) {
  if (key != u'\r') return;
  key = QChar();
  CreatePlayer();
}

void TNewLoginForm::btn_OKClick() {
  if (Trim(Edit1->Text()).isEmpty()) return;
  CreatePlayer();
  Close();
}

void TNewLoginForm::btn_AnulujClick() {
  Close();
  if (PlayerCount == 0 && Application()) Application()->Terminate();
}

void TNewLoginForm::CreatePlayer() {
  const QString name = Trim(Edit1->Text());
  Edit1->SetText(name);
  if (name.isEmpty()) return;
  for (int i = 0; i < PlayerCount; ++i) {
    if (UpperCase(name) == UpperCase(PlayerNames[i])) {
      MessageBoxCaption(QStringLiteral("Takie imię już jest na liście."), kWarning);
      return;
    }
  }
  if (const QString problem = NewPlayerProblem(name); !problem.isEmpty()) {
    MessageBoxCaption(problem, kWarning);
    return;
  }
  const bool boy = Label4->Tag == 1;
  WriteNewPlayer(name, boy);
  if (LoginForm) LoginForm->FillPlayerListBox();
  Close();
  PlayWave((boy ? NewLoginFiles::Boy : NewLoginFiles::Girl).In(ProgramDir, DataRoot));
  LoadPlayer(PlayerCount - 1);
  LastPlayDate = DateToStr();
  if (PodkladFrm && PodkladFrm->isHidden()) PodkladFrm->ShowStage(StartOptions.Window);
  if (LoginForm) LoginForm->Hide();
  if (!MenuStart) return;
  MenuStart->Show();
  // A new player hears the welcome before the menu's idle show starts talking.
  MenuStart->Timer1.SetInterval(4000);
  MenuIdleStep = 0;
}

void TNewLoginForm::FormClose() { Image1->SetPicture(QImage()); }

void TNewLoginForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }
