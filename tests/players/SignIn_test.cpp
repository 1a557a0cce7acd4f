#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest/QTest>
#include <climits>
#include <functional>

#include "app/FrmPodklad.h"
#include "app/Globals.h"
#include "app/Screens.h"
#include "controls/ButtonStrips.h"
#include "controls/TransparentButton.h"
#include "lib/MediaWriters.h"
#include "lib/PlayerWriters.h"
#include "lib/Writers.h"
#include "menu/FrmInformacja.h"
#include "menu/FrmMenuStart.h"
#include "platform/Application.h"
#include "platform/MediaPlayer.h"
#include "platform/Win1250.h"
#include "players/FrmLogin.h"
#include "players/FrmNewLogin.h"
#include "players/PlayerFile.h"
#include "support/Support.h"
#include "world/FrmMain.h"

namespace {

const QString kWarning = QStringLiteral("UWAGA !!!");
const QString kDuplicate = QStringLiteral("Takie imię już jest na liście.");

void Click(QWidget* w) {
  const QPoint p = w->rect().center();
  QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(w, &release);
}

void Key(QWidget* w, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const QString& text) {
  for (QChar c : text) Key(w, c.isLetter() ? Qt::Key_A : Qt::Key_Space, QString(c));
}

void PressEnter(QWidget* w) { Key(w, Qt::Key_Return, QStringLiteral("\r")); }

// The sound the shared player was last given, by file name.
QString LastSound() {
  return MainForm && MainForm->MediaPlayer1 ? QFileInfo(QString(MainForm->MediaPlayer1->FileName).replace(u'\\', u'/')).fileName()
                                            : QString();
}

class SignIn : public ::testing::Test {
 protected:
  SignIn() {
    const QString buttons = inst.ProgramDir() + QStringLiteral("/buttons/");
    for (const TButtonStrip& strip : ButtonStrips)
      WriteSolidBmp(buttons + QLatin1String(strip.File), 2 * 36, 30, QColor(40, 160, 60));
    for (const char* name : {"ll2", "ll3", "ll4", "L1", "L2", "L2k", "L3", "L4"})
      WriteWave(inst.DataRoot() + QStringLiteral("/music/") + QLatin1String(name) + QStringLiteral(".wav"),
                MakeTone(40, 440));
  }
  void TearDown() override { Application()->ClearTerminated(); }
  QString Login(const QString& name = {}) const { return inst.ProgramDir() + QStringLiteral("/login/") + name; }
  void NoPlayers() { QDir(Login()).removeRecursively(); }
  // Runs `step` inside the first modal loop that the game's start-up enters.
  void DuringStartUp(std::function<void()> step) {
    QTimer::singleShot(0, &guard, [step] { step(); });
    // Should a step fail to end the modal screen, the test still ends.
    QTimer::singleShot(5000, &guard, [] {
      if (NewLoginForm && NewLoginForm->Modal()) NewLoginForm->Close();
    });
  }
  std::vector<TMessageRequest> Warnings() const {
    std::vector<TMessageRequest> out;
    for (const auto& m : boxes.Messages)
      if (m.Caption == kWarning) out.push_back(m);
    return out;
  }
  void NewPlayerScreen() {
    NewLoginForm->Show();
    boxes.Messages.clear();
  }

  TempInstallation inst;
  MessageRecorder boxes;
  QObject guard;
};

}  // namespace

TEST_F(SignIn, FirstRunAsksForAPlayerBeforeAnythingElseAndEnterCreatesIt) {
  NoPlayers();
  bool asked = false;
  DuringStartUp([&] {
    asked = true;
    EXPECT_TRUE(QFileInfo(Login(QStringLiteral("_Lista_Logowania.txt"))).isFile());
    EXPECT_EQ(Stage()->ModalForm(), NewLoginForm);
    EXPECT_TRUE(NewLoginForm->Visible());
    EXPECT_FALSE(MenuStart->Visible());
    EXPECT_EQ(LastSound(), QStringLiteral("ll4.wav"));
    Type(NewLoginForm->Edit1, QStringLiteral("  Kot  "));
    PressEnter(NewLoginForm->Edit1);
  });
  GameScreens game(inst.ProgramDir());
  ASSERT_TRUE(asked);
  EXPECT_FALSE(Application()->Terminated());
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))), QByteArray("Kot\r\n"));
  EXPECT_TRUE(ReadRaw(Login(QStringLiteral("Kot.txt"))).startsWith("Kot=" + DateToStr().toLatin1() + "=211=150=320=Man=\r\n"));
  EXPECT_EQ(PlayerName, QStringLiteral("Kot"));
  EXPECT_EQ(VisitCount, 1);
  EXPECT_EQ(LoginForm->ListBox1->Count(), 1);
  EXPECT_EQ(LastSound(), QStringLiteral("L2.wav"));
  EXPECT_TRUE(MenuStart->Visible());
  EXPECT_EQ(MenuStart->Timer1.Interval(), 4000);
  EXPECT_EQ(MenuIdleStep, 0);
  EXPECT_FALSE(NewLoginForm->Visible());
  EXPECT_FALSE(LoginForm->Visible());
}

TEST_F(SignIn, ClosingTheFirstRunScreenEndsTheProgram) {
  NoPlayers();
  DuringStartUp([] { Click(NewLoginForm->btn_anuluj); });
  GameScreens game(inst.ProgramDir());
  EXPECT_TRUE(Application()->Terminated());
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))), QByteArray());
  EXPECT_FALSE(MenuStart && MenuStart->Visible());
}

TEST_F(SignIn, ClosingTheNewPlayerScreenWithPlayersListedGoesBack) {
  GameScreens game(inst.ProgramDir());
  PodkladFrm->ShowStage(true);
  ASSERT_TRUE(LoginForm->Visible());
  EXPECT_EQ(LastSound(), QStringLiteral("ll2.wav"));
  QTimer::singleShot(0, &guard, [] { Click(NewLoginForm->btn_anuluj); });
  Click(LoginForm->btn_nowy);
  EXPECT_FALSE(NewLoginForm->Visible());
  EXPECT_FALSE(Application()->Terminated());
  EXPECT_TRUE(LoginForm->Visible());
}

TEST_F(SignIn, DuplicateNamesAreRefusedComparingOnlyLatinLettersWithoutCase) {
  WritePlayers(inst.ProgramDir(), {QStringLiteral("Kot"), QStringLiteral("Óla")});
  GameScreens game(inst.ProgramDir());
  struct Case {
    const char* typed;
    bool refused;
  } cases[] = {{"KOT", true}, {"kot", true}, {" Kot", true}, {"ÓLA", true}, {"óla", false}, {"Ola", false}};
  for (const Case& c : cases) {
    NewPlayerScreen();
    const QString name = QString::fromUtf8(c.typed);
    const QByteArray listBefore = ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt")));
    NewLoginForm->Edit1->SetText(name);
    PressEnter(NewLoginForm->Edit1);
    if (c.refused) {
      ASSERT_EQ(Warnings().size(), 1u) << c.typed;
      EXPECT_EQ(Warnings()[0].Text, kDuplicate);
      EXPECT_EQ(Warnings()[0].Kind, TMessageKind::Captioned);
      EXPECT_TRUE(NewLoginForm->Visible()) << c.typed;  // Enter keeps the screen open
      EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))), listBefore);
    } else {
      EXPECT_TRUE(Warnings().empty()) << c.typed;
      EXPECT_FALSE(NewLoginForm->Visible());
      EXPECT_TRUE(QFileInfo::exists(Login(name + QStringLiteral(".txt")))) << c.typed;
      EXPECT_EQ(LoginForm->ListBox1->Item(LoginForm->ListBox1->Count() - 1), name);
    }
  }
  // Tester's file, which the new list left out, came back onto it.
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))),
            EncodeWin1250(QStringLiteral("Kot\r\nÓla\r\nTester\r\nóla\r\nOla\r\n")));
  // Óla's file was not touched by óla's.
  EXPECT_TRUE(ReadRaw(Login(QStringLiteral("Óla.txt"))).startsWith(EncodeWin1250(QStringLiteral("Óla="))));
}

TEST_F(SignIn, NamesThatCannotBeFilesAreRefusedAndOkClosesAnyway) {
  GameScreens game(inst.ProgramDir());
  const QByteArray listBefore = ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt")));
  const char* names[] = {"a/b", "..", "CON", "kot.", "Zo\xCE\xA9", "x:y", "a=b"};
  for (const char* n : names) {
    NewPlayerScreen();
    NewLoginForm->Edit1->SetText(QString::fromUtf8(n));
    PressEnter(NewLoginForm->Edit1);
    ASSERT_EQ(Warnings().size(), 1u) << n;
    EXPECT_NE(Warnings()[0].Text, kDuplicate) << n;
    EXPECT_TRUE(NewLoginForm->Visible()) << n;
  }
  // The OK button closes the screen whatever the outcome.
  NewPlayerScreen();
  NewLoginForm->Edit1->SetText(QStringLiteral("CON"));
  Click(NewLoginForm->btn_OK);
  EXPECT_EQ(Warnings().size(), 1u);
  EXPECT_FALSE(NewLoginForm->Visible());
  EXPECT_EQ(ReadRaw(Login(QStringLiteral("_Lista_Logowania.txt"))), listBefore);
  EXPECT_EQ(QDir(Login()).entryList(QDir::Files).size(), 2);

  // A full list takes no one more.
  for (int i = PlayerCount; i < MaxListedPlayers; ++i) PlayerNames[PlayerCount++] = QStringLiteral("G%1").arg(i);
  NewPlayerScreen();
  NewLoginForm->Edit1->SetText(QStringLiteral("Nowy"));
  PressEnter(NewLoginForm->Edit1);
  ASSERT_EQ(Warnings().size(), 1u);
  EXPECT_TRUE(Warnings()[0].Text.contains(QStringLiteral("499")));
  EXPECT_FALSE(QFileInfo::exists(Login(QStringLiteral("Nowy.txt"))));
}

TEST_F(SignIn, NameFieldTakesFifteenCharactersKeepsTheKeyboardAndMarksChooseOneSex) {
  GameScreens game(inst.ProgramDir());
  PodkladFrm->ShowStage(true);
  NewPlayerScreen();
  NewLoginForm->Edit1->SetFocus();
  Type(NewLoginForm->Edit1, QStringLiteral("Abcdefghijklmnop"));
  EXPECT_EQ(NewLoginForm->Edit1->Text(), QStringLiteral("Abcdefghijklmno"));
  NewLoginForm->Edit1->SetText(QStringLiteral("Ania"));

  const auto marks = [] {
    return std::make_pair(NewLoginForm->Label4->Caption() + QString::number(NewLoginForm->Label4->Tag),
                          NewLoginForm->Label5->Caption() + QString::number(NewLoginForm->Label5->Tag));
  };
  EXPECT_EQ(marks(), std::make_pair(QStringLiteral("*1"), QStringLiteral(" 0")));
  Click(NewLoginForm->Label3);
  EXPECT_EQ(marks(), std::make_pair(QStringLiteral(" 0"), QStringLiteral("*1")));
  Click(NewLoginForm->Label3);
  Click(NewLoginForm->Label5);
  EXPECT_EQ(marks(), std::make_pair(QStringLiteral(" 0"), QStringLiteral("*1")));
  Click(NewLoginForm->Label2);
  EXPECT_EQ(marks(), std::make_pair(QStringLiteral("*1"), QStringLiteral(" 0")));
  Click(NewLoginForm->Label5);

  // A child's clicks on a mark and on the picture leave the keyboard in the name field.
  QTest::mouseClick(NewLoginForm->Label3, Qt::LeftButton);
  QTest::mouseClick(NewLoginForm->Image1, Qt::LeftButton);
  QWidget* keys =
      QApplication::focusWidget() ? QApplication::focusWidget() : PodkladFrm->focusWidget();
  ASSERT_EQ(keys, NewLoginForm->Edit1);
  PressEnter(keys);
  EXPECT_EQ(PlayerSex, QStringLiteral("Woman"));
  EXPECT_EQ(LastSound(), QStringLiteral("L2k.wav"));
  EXPECT_TRUE(ReadRaw(Login(QStringLiteral("Ania.txt"))).contains("=Woman=\r\n"));
  EXPECT_TRUE(MenuStart->Visible());

  // Shown again: its picture back, the field empty, the boy chosen.
  NewPlayerScreen();
  EXPECT_FALSE(NewLoginForm->Image1->Picture().isNull());
  EXPECT_EQ(NewLoginForm->Image1->Width(), 393);
  EXPECT_EQ(NewLoginForm->Edit1->Text(), QString());
  EXPECT_EQ(marks(), std::make_pair(QStringLiteral("*1"), QStringLiteral(" 0")));
  NewLoginForm->Close();
  EXPECT_TRUE(NewLoginForm->Image1->Picture().isNull());
}

TEST_F(SignIn, GreetingDependsOnDaysAwayAndVisitParity) {
  struct Case {
    int daysAway;
    int visits;
    const char* sound;
  } cases[] = {{8, 4, "L1.wav"}, {400, 3, "L1.wav"}, {7, 3, "L3.wav"}, {7, 4, "L4.wav"}, {0, 1, "L3.wav"},
               {1, 0, "L4.wav"}, {-3, 5, "L3.wav"}, {2, INT_MAX, "L3.wav"}};
  for (const Case& c : cases) {
    const QString date = QDate::currentDate().addDays(-c.daysAway).toString(QStringLiteral("yyyy-MM-dd"));
    const QByteArray file = "Kot=" + date.toLatin1() + "=21" + QByteArray::number(c.visits) +
                            "=155=3212=Man=\r\nCDR=121\r\nAD1=430\r\nC6B=210\r\nKWS=350\r\nOMB=180\r\nLST=980\r\nCWA=230\r\n";
    WritePlayers(inst.ProgramDir(), {QStringLiteral("Kot")});
    QFile f(Login(QStringLiteral("Kot.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(file);
    f.close();
    GameScreens game(inst.ProgramDir());
    LoginForm->Show();
    Click(LoginForm->btn_OK);  // nothing chosen: nothing happens
    EXPECT_TRUE(LoginForm->Visible());
    EXPECT_FALSE(MenuStart->Visible());
    LoginForm->ListBox1->SetItemIndex(0);
    Click(LoginForm->btn_OK);
    EXPECT_EQ(LastSound(), QString::fromLatin1(c.sound)) << c.daysAway << " days, " << c.visits << " visits";
    EXPECT_EQ(VisitCount, std::min<qint64>(c.visits + qint64{1}, INT_MAX));  // never wraps negative
    EXPECT_EQ(LastPlayDate, DateToStr());
    EXPECT_EQ(GreenCount, 12);
    EXPECT_FALSE(LoginForm->Visible());
    EXPECT_TRUE(MenuStart->Visible());
    EXPECT_EQ(MenuStart->Timer1.Interval(), 1500);
  }
}

TEST_F(SignIn, OkActsOnlyOnAVisiblySelectedName) {
  WritePlayers(inst.ProgramDir(), {QStringLiteral("Ala"), QStringLiteral("Kot")});
  GameScreens game(inst.ProgramDir());
  LoginForm->Show();
  // On a real display the list gets the focus, and with it a current row that is not selected.
  QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);
  QCoreApplication::sendEvent(LoginForm->ListBox1, &focusIn);
  ASSERT_EQ(LoginForm->ListBox1->currentRow(), 0);
  Click(LoginForm->btn_OK);
  EXPECT_TRUE(LoginForm->Visible());
  EXPECT_FALSE(MenuStart->Visible());
  EXPECT_TRUE(PlayerName.isEmpty()) << PlayerName.toStdString();
  Key(LoginForm->ListBox1, Qt::Key_Down, QString());
  Click(LoginForm->btn_OK);
  EXPECT_EQ(PlayerName, QStringLiteral("Kot"));
  EXPECT_TRUE(MenuStart->Visible());
}

// At start the screens the sign-in does not need are created after it is
// shown; the dictionary's search box among them picks its edit box then.
TEST_F(SignIn, TypedLettersAndEnterReachTheSignInNotAHiddenScreen) {
  WritePlayers(inst.ProgramDir(), {QStringLiteral("Ala"), QStringLiteral("Kot")});
  GameScreens game(inst.ProgramDir(), {}, true);
  PodkladFrm->ShowStage(true);
  PumpEvents();
  CreateRemainingScreens();
  PumpEvents();
  // Where the keyboard goes once the window is active (or is already).
  const auto keys = [] {
    QWidget* w = QApplication::focusWidget();
    return w ? w : PodkladFrm->focusWidget();
  };
  ASSERT_EQ(keys(), LoginForm->ListBox1);
  Key(keys(), Qt::Key_K, QStringLiteral("K"));
  Key(keys(), Qt::Key_O, QStringLiteral("o"));
  PressEnter(keys());
  EXPECT_FALSE(InformacjaForm->Visible());
  EXPECT_EQ(PlayerName, QStringLiteral("Kot"));
  EXPECT_TRUE(MenuStart->Visible());
  EXPECT_FALSE(LoginForm->Visible());
}

TEST_F(SignIn, UnreadableDateStopsTheSignInAfterTheFileIsRead) {
  WritePlayers(inst.ProgramDir(), {QStringLiteral("Kot")});
  QByteArray file = ReadRaw(Login(QStringLiteral("Kot.txt")));
  file.replace(DateToStr().toLatin1(), "2026-13-45");
  QFile f(Login(QStringLiteral("Kot.txt")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(file);
  f.close();
  GameScreens game(inst.ProgramDir());
  LoginForm->Show();
  boxes.Messages.clear();
  LoginForm->ListBox1->SetItemIndex(0);
  Click(LoginForm->btn_OK);
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_EQ(boxes.Messages[0].Kind, TMessageKind::Error);
  EXPECT_TRUE(boxes.Messages[0].Text.contains(QStringLiteral("Kot.txt"))) << boxes.Messages[0].Text.toStdString();
  EXPECT_EQ(PlayerName, QStringLiteral("Kot"));
  EXPECT_EQ(VisitCount, 1);
  EXPECT_TRUE(LoginForm->Visible());
  EXPECT_FALSE(MenuStart->Visible());
}

TEST_F(SignIn, MissingBackgroundIsReportedAndThePlayersStillLoad) {
  QFile::remove(inst.ProgramDir() + QStringLiteral("/gfx/Login.bmp"));
  GameScreens game(inst.ProgramDir());
  bool reported = false;
  for (const auto& m : boxes.Messages) reported |= m.Kind == TMessageKind::Error && m.Text.contains(QStringLiteral("Login.bmp"));
  EXPECT_TRUE(reported);
  EXPECT_EQ(PlayerCount, 1);
  EXPECT_EQ(LoginForm->ListBox1->Item(0), QStringLiteral("Tester"));
}
