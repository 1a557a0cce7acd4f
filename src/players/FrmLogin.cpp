#include "players/FrmLogin.h"

#include <QRegularExpression>

#include "app/FrmPodklad.h"
#include "app/Globals.h"
#include "app/Shared.h"
#include "app/Sound.h"
#include "app/StartOptions.h"
#include "controls/TransparentButton.h"
#include "menu/FrmMenuStart.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/SafeMath.h"
#include "platform/Strings.h"
#include "players/FrmLoginFiles.h"
#include "players/FrmNewLogin.h"
#include "players/PlayerFile.h"

TLoginForm* LoginForm = nullptr;

const TScreenFile& GreetingSound(const QDate& lastPlay, const QDate& today, int visitCount) {
  if (lastPlay.addDays(7) < today) return LoginFiles::AfterAWeek;
  return visitCount % 2 != 0 ? LoginFiles::OddVisit : LoginFiles::EvenVisit;
}

QDate StrToDate(const QString& text, const QString& file) {
  static const QRegularExpression format(QStringLiteral("^\\s*(\\d{1,4})-(\\d{1,2})-(\\d{1,2})\\s*$"));
  const QRegularExpressionMatch m = format.match(text);
  const QDate date = m.hasMatch() ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt())
                                  : QDate();
  if (!date.isValid())
    throw EConvertError(Located(
        file, 1,
        MayQuote(file) ? QStringLiteral("\u201E%1\u201D nie jest poprawną datą").arg(Excerpt(text))
                       : QStringLiteral("data ostatniej gry nie jest poprawną datą")));
  return date;
}

TLoginForm::TLoginForm() : TForm(253, 136) {
  KeyPreview = true;
  Image1 = new TImage(this);
  Image1->move(0, 0);
  Image1->SetAutoSize(true);
  Label1 = new TLabel(this);
  Label1->SetFont(TFont{QStringLiteral("MS Sans Serif"), -13, clBlack, fsBold});
  Label1->SetTransparent(true);
  Label1->move(8, 4);
  Label1->SetCaption(QStringLiteral("Twoje imię:"));
  ListBox1 = new TListBox(this);
  ListBox1->SetBounds(8, 24, 181, 101);
  btn_OK = NewButton(this, 198, 11, 2, QStringLiteral("OK"));
  btn_nowy = NewButton(this, 194, 48, 26, QStringLiteral("Nowy użytkownik"));
  btn_anuluj = NewButton(this, 194, 90, 5, QStringLiteral("Koniec"));
  btn_OK->OnClick = [this] { btn_OKClick(); };
  btn_nowy->OnClick = [this] { btn_nowyClick(); };
  btn_anuluj->OnClick = [this] { btn_AnulujClick(); };
}

void TLoginForm::FormCreate() {
  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  // A missing picture is reported but must not keep the players from loading:
  // a list never read would be overwritten by the next new player.
  Guarded([this] { Image1->LoadFromFile(LoginFiles::Background.In(ProgramDir, DataRoot)); });
  LoadPlayerList();
  // Never silently elsewhere: the family learns where progress goes.
  if (const QString notice = LoginFolderNotice(); !notice.isEmpty()) ShowWarning(notice);
  // With players this screen waits to be shown, centred like every screen;
  // with none the very first run begins by creating one.
  if (PlayerCount == 0) {
    if (PodkladFrm && PodkladFrm->isHidden()) PodkladFrm->ShowStage(StartOptions.Window);
    if (NewLoginForm) NewLoginForm->ShowModal();
  }
  FillPlayerListBox();
}

void TLoginForm::FillPlayerListBox() {
  ListBox1->Clear();
  for (int i = 0; i < PlayerCount; ++i) ListBox1->Add(PlayerNames[i]);
}

void TLoginForm::FormShow() {
  // Heard once the sound device opens, which follows the first picture: the
  // file is opened then too, first of all.
  const QString greeting =
      (PlayerCount > 0 ? LoginFiles::Greeting : LoginFiles::FirstGreeting).In(ProgramDir, DataRoot);
  AfterFirstPaint([greeting] { PlayWave(greeting); }, true);
  ListBox1->SetFocus();
  ListBox1->Repaint();
}

void TLoginForm::FormActivate() {
  ListBox1->SetFocus();
}

void TLoginForm::btn_OKClick() {
  const int index = ListBox1->ItemIndex();
  if (index < 0 || ListBox1->Count() == 0) return;
  LoadPlayer(index);
  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  const QDate lastPlay = StrToDate(LastPlayDate, PlayerFilePath(PlayerNames[index]));
  PlayWave(GreetingSound(lastPlay, QDate::currentDate(), VisitCount).In(ProgramDir, DataRoot));
  VisitCount = AddClamped(VisitCount, 1);
  LastPlayDate = DateToStr();
  Close();
  if (!MenuStart) return;
  MenuStart->Timer1.SetInterval(1500);
  MenuIdleStep = 0;
  MenuStart->Show();
}

void TLoginForm::btn_nowyClick() {
  if (NewLoginForm) NewLoginForm->ShowModal();
}

void TLoginForm::btn_AnulujClick() {
  if (Application()) Application()->Terminate();
}

void TLoginForm::FormClose() { Image1->SetPicture(QImage()); }

void TLoginForm::FormKeyDown(int& key, TShiftState shift) {
  EndOnAltF4(key, shift);
  // A child types the first letters of the name to choose it, then presses
  // Enter, as on every sign-in box.
  if (key == VK_RETURN && shift == TShiftState{}) {
    key = 0;
    btn_OKClick();
  }
}
