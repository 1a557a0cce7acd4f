#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <csignal>
#include <functional>
#include <optional>

#include "app/FrmPodklad.h"
#include "app/Globals.h"
#include "app/Screens.h"
#include "app/Shared.h"
#include "app/StartOptions.h"
#include "exercises/FrmCw1.h"
#include "exercises/FrmCw2.h"
#include "exercises/FrmCw3.h"
#include "exercises/FrmCw5.h"
#include "exercises/FrmCw6.h"
#include "exercises/FrmCw7.h"
#include "exercises/FrmLilie.h"
#include "lib/Writers.h"
#include "menu/FrmAbout.h"
#include "menu/FrmInfo.h"
#include "menu/FrmInformacja.h"
#include "menu/FrmMenuStart.h"
#include "platform/Application.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"
#include "players/FrmDiamenty.h"
#include "players/FrmLogin.h"
#include "players/FrmNewLogin.h"
#include "players/FrmTopTen.h"
#include "players/PlayerFile.h"
#include "support/Support.h"
#include "tools/FrmAlfabet.h"
#include "tools/FrmFind.h"
#include "tools/FrmSlownik.h"
#include "world/FrmMain.h"

namespace {
const QString kNoCd = QStringLiteral("Nie mogę znaleźć płyty CD z programem \"Tarvolin\".");

class StartUp : public ::testing::Test {
 protected:
  void TearDown() override { Application()->ClearTerminated(); }
  void WriteIni(const QStringList& lines) { WriteTextLines(inst.ProgramDir() + "/tarvo.ini", lines); }
  TempInstallation inst;
  MessageRecorder boxes;
};
}  // namespace

TEST_F(StartUp, SettingsLineTwoLosesThreeCharactersAndBlanks) {
  WriteIni({"[x]", "cd=" + inst.DataRoot() + "  \t"});
  GameScreens game(inst.ProgramDir());
  EXPECT_EQ(DataRoot, inst.DataRoot());
  EXPECT_TRUE(boxes.Messages.empty()) << boxes.Texts().join('|').toStdString();
  EXPECT_FALSE(Application()->Terminated());
  EXPECT_EQ(ReadDataRoot(inst.ProgramDir()), inst.DataRoot());
}

TEST_F(StartUp, UnusableSettingsEndTheProgramWithTheDataRootMessage) {
  // After the design's text, the settings file's own problem, naming it.
  const QString ini = QDir::toNativeSeparators(inst.ProgramDir() + "/tarvo.ini");
  const struct {
    std::optional<QStringList> Lines;  // none: no settings file
    QString Problem;
  } broken[] = {
      {QStringList{"[x]", "cd="}, ini + ":2: wiersz nie podaje ścieżki do danych programu"},
      {QStringList{"[x]"}, ini + ":2: brak wiersza ze ścieżką do danych programu"},
      {QStringList{"[x]", "cd=" + inst.Root() + "/nowhere"}, {}},
      {QStringList{}, ini + ": plik jest pusty"},
      {std::nullopt, ini + " (nie ma takiego pliku ani folderu)"},
  };
  for (const auto& c : broken) {
    QFile::remove(inst.ProgramDir() + "/tarvo.ini");
    if (c.Lines) WriteIni(*c.Lines);
    boxes.Messages.clear();
    {
      GameScreens game(inst.ProgramDir());
      EXPECT_TRUE(Application()->Terminated()) << c.Problem.toStdString();
      ASSERT_EQ(boxes.Messages.size(), 1u);
      const QString& text = boxes.Messages[0].Text;
      EXPECT_TRUE(text.startsWith(kNoCd)) << text.toStdString();
      EXPECT_TRUE(c.Problem.isEmpty() ? text == kNoCd : text.contains(c.Problem))
          << text.toStdString();
      EXPECT_EQ(boxes.Messages[0].Caption, QStringLiteral("Tarvolin"));
      EXPECT_EQ(LoginForm, nullptr);  // no other screen was created
    }
    Application()->ClearTerminated();
  }
}

TEST_F(StartUp, DataRootOptionReplacesTheSettingsFile) {
  WriteIni({"[x]", "cd=/nowhere"});
  GameScreens game(inst.ProgramDir(), inst.DataRoot());
  EXPECT_EQ(DataRoot, inst.DataRoot());
  EXPECT_FALSE(Application()->Terminated());
}

TEST(ProgramDir, IsTheExecutablesDirectoryWithoutItsSeparator) {
  EXPECT_EQ(ProgramDirOf("/usr/games/tarvolin/tarvolin"), "/usr/games/tarvolin");
  EXPECT_EQ(ProgramDirOf("/tarvolin"), "");
  EXPECT_EQ(SettingsFilePath(ProgramDirOf("/tarvolin")), "/tarvo.ini");
  EXPECT_EQ(ProgramDirOf("C:\\tarvolin.exe"), "C:");
  EXPECT_EQ(ProgramDirOf("tarvolin"), "");
}

TEST_F(StartUp, CreatesTheTwentyScreensInOrderAndFixesTheSharedValues) {
  GameScreens game(inst.ProgramDir());
  const std::vector<QWidget*> expected = {
      MainForm,  Cw1Form,     Cw2Form,   Cw3Form,      Cw5Form,     cw6form,      Cw7Form,
      MenuStart, SlownikForm, InfoForm,  FindForm,     AlfabetForm, LilieForm,    NewLoginForm,
      LoginForm, InformacjaForm, TopTenForm, DiamentyForm, AboutForm};
  const auto screens = PodkladFrm->Screens();
  ASSERT_EQ(screens.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(screens[i], expected[i]) << i;
  for (TForm* s : screens) EXPECT_TRUE(s->isHidden());

  EXPECT_EQ(ProgramDir, QDir(inst.ProgramDir()).absolutePath());
  EXPECT_EQ(QDir::currentPath(), ProgramDir);
  EXPECT_EQ(GfxDir, "\\gfx\\");
  EXPECT_EQ(MusicDir, "\\music\\");
  EXPECT_EQ(WordsDir, "\\words\\");
  EXPECT_EQ(LocationsDir, "\\lokacje\\");
  EXPECT_EQ(LoginDir, ProgramDir + "\\login\\");
  EXPECT_EQ(TextFont, (TFont{"Times New Roman CE", 16, clBlack, 0}));
  EXPECT_EQ(SmallFont, (TFont{"Arial CE", 10, clBlack, 0}));
  EXPECT_EQ(ShortDateFormat, "yyyy-mm-dd");
  EXPECT_EQ(DateToStr(), QDate::currentDate().toString("yyyy-MM-dd"));
  EXPECT_EQ(PodkladFrm->Image1->Picture().size(), QSize(640, 480));
  EXPECT_TRUE(boxes.Messages.empty());
}

// The program's start: the screens the sign-in does not need come once its
// first picture is up, or sooner if the player acts first, and in the end
// the stage holds all twenty in their fixed order.
TEST_F(StartUp, ScreensTheSignInDoesNotNeedFollowItsFirstPaintOrFirstInput) {
  const auto created = [] {
    std::vector<QWidget*> out;
    for (QWidget* s : {(QWidget*)MainForm, (QWidget*)Cw1Form, (QWidget*)Cw2Form, (QWidget*)Cw3Form,
                       (QWidget*)Cw5Form, (QWidget*)cw6form, (QWidget*)Cw7Form, (QWidget*)MenuStart,
                       (QWidget*)SlownikForm, (QWidget*)InfoForm, (QWidget*)FindForm,
                       (QWidget*)AlfabetForm, (QWidget*)LilieForm, (QWidget*)NewLoginForm,
                       (QWidget*)LoginForm, (QWidget*)InformacjaForm, (QWidget*)TopTenForm,
                       (QWidget*)DiamentyForm, (QWidget*)AboutForm})
      if (s) out.push_back(s);
    return out;
  };
  const auto clickOk = [] {
    LoginForm->ListBox1->SetItemIndex(0);
    QWidget* ok = LoginForm->btn_OK;
    const QPointF at(ok->rect().center());
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent e(type, at, ok->mapToGlobal(at), Qt::LeftButton,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(ok, &e);
    }
  };
  struct Case {
    const char* first;
    std::function<void()> happen;
    bool inOrder;  // a screen shown since is raised above the others
  } cases[] = {
      {"the first paint", [] { for (int i = 0; i < 400 && !AboutForm; ++i) PumpEvents(5); }, true},
      {"a click on OK before any paint", clickOk, false},
  };
  for (const Case& c : cases) {
    const std::uint64_t decoded = PicturesDecoded();
    GameScreens game(inst.ProgramDir(), {}, true);
    EXPECT_EQ(created(), (std::vector<QWidget*>{MainForm, NewLoginForm, LoginForm})) << c.first;
    // Of the pictures, only what the sign-in shows: its own and its three buttons' strips
    // (decoded once: the second start finds them kept).
    if (&c == &cases[0]) {
      EXPECT_EQ(PicturesDecoded() - decoded, 4u);
    }
    EXPECT_TRUE(PodkladFrm->Image1->Picture().isNull()) << c.first;
    EXPECT_EQ(LoginDir, ProgramDir + "\\login\\");
    EXPECT_EQ(LoginForm->ListBox1->Count(), 1);
    PodkladFrm->ShowStage(true);
    c.happen();
    const std::vector<QWidget*> all = created();
    ASSERT_EQ(all.size(), 19u) << c.first;
    EXPECT_EQ(PodkladFrm->Image1->Picture().size(), QSize(640, 480)) << c.first;
    EXPECT_FALSE(MainForm->Image1_2->Picture().isNull()) << c.first;
    if (c.inOrder) {
      const auto screens = PodkladFrm->Screens();
      EXPECT_TRUE(std::equal(screens.begin(), screens.end(), all.begin(), all.end())) << c.first;
      for (TForm* s : screens) EXPECT_EQ(s->isHidden(), s != LoginForm) << c.first;
    } else {
      EXPECT_TRUE(MenuStart->Visible()) << c.first;  // the click was not lost
    }
  }
}

TEST_F(StartUp, MissingBackgroundPictureIsReportedAndStartUpGoesOn) {
  QFile::remove(inst.ProgramDir() + "/gfx/Tlo_cwic.bmp");
  GameScreens game(inst.ProgramDir());
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_EQ(boxes.Messages[0].Kind, TMessageKind::Error);
  EXPECT_TRUE(boxes.Messages[0].Text.contains("Tlo_cwic.bmp"));
  EXPECT_NE(AboutForm, nullptr);
  EXPECT_FALSE(Application()->Terminated());
}

TEST_F(StartUp, ShowingTheStageHandsOverToPlayerSelection) {
  GameScreens game(inst.ProgramDir());
  LastExercisePicture = "x.bmp";
  PodkladFrm->ShowStage(true);
  EXPECT_TRUE(LastExercisePicture.isEmpty());
  EXPECT_FALSE(LoginForm->isHidden());
  EXPECT_EQ(PodkladFrm->ActiveForm(), LoginForm);
}

TEST_F(StartUp, AltF4EndsTheProgramOnSixteenScreens) {
  GameScreens game(inst.ProgramDir());
  const std::vector<TForm*> ending = {PodkladFrm, MainForm, Cw1Form, Cw2Form, Cw3Form, Cw5Form,
                                      cw6form, Cw7Form, MenuStart, SlownikForm, AlfabetForm,
                                      LilieForm, NewLoginForm, LoginForm, TopTenForm, AboutForm};
  const std::vector<TForm*> staying = {InfoForm, FindForm, InformacjaForm, DiamentyForm};
  for (TForm* f : ending) {
    int key = VK_F4;
    f->FormKeyDown(key, ssAlt | ssShift);
    EXPECT_FALSE(Application()->Terminated());
    f->FormKeyDown(key, ssAlt);
    EXPECT_TRUE(Application()->Terminated()) << f->metaObject()->className();
    Application()->ClearTerminated();
  }
  for (TForm* f : staying) {
    int key = VK_F4;
    f->FormKeyDown(key, ssAlt);
    EXPECT_FALSE(Application()->Terminated());
  }
}

TEST_F(StartUp, EndingTheProgramAnyWaySavesTheSignedInPlayerFirst) {
  Application()->EndOnSignals();
  struct Way {
    const char* name;
    std::function<void()> end;
  } ways[] = {
      {"Alt+F4 on the place",
       [] {
         int key = VK_F4;
         MainForm->FormKeyDown(key, ssAlt);
       }},
      {"Alt+F4 on the menu",
       [] {
         int key = VK_F4;
         MenuStart->FormKeyDown(key, ssAlt);
       }},
      {"closing the window",
       [] {
         QCloseEvent close;
         QCoreApplication::sendEvent(PodkladFrm, &close);
         EXPECT_TRUE(close.isAccepted());
       }},
      {"SIGTERM", [] { std::raise(SIGTERM); }},
      {"SIGHUP", [] { std::raise(SIGHUP); }},
  };
  int green = 40;
  for (const Way& way : ways) {
    GameScreens game(inst.ProgramDir());
    LoadPlayer(0);
    GreenCount = ++green;
    way.end();
    for (int i = 0; i < 100 && !Application()->Terminated(); ++i) PumpEvents();
    EXPECT_TRUE(Application()->Terminated()) << way.name;
    const QString file = PlayerFilePath(PlayerName);
    EXPECT_EQ(ParsePlayerFile(ReadWholeFile(file), file).GreenCount, green) << way.name;
    Application()->ClearTerminated();
  }
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
}

// A file that cannot be written keeps the game open once, saying why and how
// to end it anyway; ending again ends it, saying nothing was saved.
TEST_F(StartUp, AFailedSaveNeverMakesTheGameUnclosable) {
  const std::function<void()> ends[] = {
      [] {
        QCloseEvent close;
        QCoreApplication::sendEvent(PodkladFrm, &close);
      },
      [] {
        int key = VK_F4;
        MainForm->FormKeyDown(key, ssAlt);
      },
      [] { MenuStart->lbl_ExitClick(); },
  };
  for (int first = 0; first < 3; ++first) {
    SCOPED_TRACE(first);
    GameScreens game(inst.ProgramDir());
    LoadPlayer(0);
    PlayerName = QStringLiteral("a/b");
    boxes.Messages.clear();
    Guarded(ends[first]);
    EXPECT_FALSE(Application()->Terminated());
    ASSERT_EQ(boxes.Messages.size(), 1u);
    EXPECT_TRUE(boxes.Messages[0].Text.contains(QStringLiteral("a/b")))
        << boxes.Messages[0].Text.toStdString();
    EXPECT_TRUE(boxes.Messages[0].Text.contains(QStringLiteral("Zamknij ją jeszcze raz")));
    Guarded(ends[(first + 1) % 3]);
    EXPECT_TRUE(Application()->Terminated());
    ASSERT_EQ(boxes.Messages.size(), 2u);
    EXPECT_TRUE(boxes.Messages[1].Text.contains(QStringLiteral("bez zapisania")));
    Application()->ClearTerminated();
  }
}

TEST(SharedState, FindFromReturnsThePositionAfterTheMatch) {
  struct Case {
    int from;
    const char* text;
    const char* pattern;
    int expected;
  } cases[] = {
      {1, "12,34,", ",", 4}, {4, "12,34,", ",", 7}, {7, "12,34,", ",", -1},
      {1, "abc", "bc", 3},   {0, "abc", "a", -1},   {1, "", ",", -1},
      {1, "abc", "", -1},    {3, "abc", "c", 4},    {2, "a,b", "x", -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindFrom(c.from, c.text, c.pattern), c.expected) << c.from << " " << c.text;
}

TEST_F(StartUp, UpdateCountersWritesEveryScreenWithCounters) {
  GameScreens game(inst.ProgramDir());
  RedCount = 12;
  GreenCount = 345;
  UpdateCounters();
  for (TLabel* red : {MainForm->lbl_Red, Cw1Form->lbl_Red, Cw2Form->lbl_Red, Cw3Form->lbl_Red,
                      Cw5Form->lbl_Red, Cw7Form->lbl_Red, LilieForm->lbl_Red})
    EXPECT_EQ(red->Caption(), "12");
  for (TLabel* green : {MainForm->lbl_Green, Cw1Form->lbl_Green, Cw2Form->lbl_Green,
                        Cw3Form->lbl_Green, Cw5Form->lbl_Green, Cw7Form->lbl_Green,
                        LilieForm->lbl_Green}) {
    EXPECT_EQ(green->Caption(), "345");
    EXPECT_EQ(green->Left(), 540);
    EXPECT_EQ(green->Top(), 8);
  }
}

TEST_F(StartUp, SetArrowsShowsWhatTheListPositionAllows) {
  GameScreens game(inst.ProgramDir());
  struct Case {
    int count, index;
    bool prev, next;
  } cases[] = {{3, 1, false, true}, {3, 2, true, true}, {3, 3, true, false}, {1, 1, false, false}};
  const std::vector<std::pair<int, std::pair<TControl*, TControl*>>> screens = {
      {1, {Cw1Form->CW1_KWS_left, Cw1Form->cw1_kws_right}},
      {2, {Cw2Form->CW1_KWS_left, Cw2Form->cw1_kws_right}},
      {3, {Cw3Form->CW1_KWS_left, Cw3Form->cw1_kws_right}},
      {7, {Cw7Form->CW1_KWS_left, Cw7Form->cw1_kws_right}},
      {8, {LilieForm->CW1_KWS_left, LilieForm->cw1_kws_right}}};
  for (const auto& [code, arrows] : screens) {
    for (const Case& c : cases) {
      ExerciseCount = c.count;
      ExerciseIndex = c.index;
      SetArrows(code);
      EXPECT_EQ(arrows.first->Visible(), c.prev) << code << ": " << c.index << "/" << c.count;
      EXPECT_EQ(arrows.second->Visible(), c.next) << code << ": " << c.index << "/" << c.count;
    }
    // An index outside the list leaves the arrows as they were.
    ExerciseCount = 3;
    ExerciseIndex = 3;
    SetArrows(code);
    ExerciseIndex = 5;
    SetArrows(code);
    EXPECT_TRUE(arrows.first->Visible());
    EXPECT_FALSE(arrows.second->Visible());
  }
  // Other codes touch nothing: screen 1's arrows keep their state.
  ExerciseCount = 3;
  ExerciseIndex = 2;
  SetArrows(5);
  EXPECT_FALSE(Cw1Form->cw1_kws_right->Visible());
}
