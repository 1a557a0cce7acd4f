#include <gtest/gtest.h>

#include "app/Globals.h"
#include "controls/Animate.h"
#include "exercises/CrosswordFile.h"
#include "exercises/ExerciseFiles.h"
#include "exercises/FrmCw1.h"
#include "exercises/FrmCw2.h"
#include "exercises/FrmCw3.h"
#include "exercises/FrmCw5.h"
#include "exercises/FrmCw7.h"
#include "exercises/FrmLilie.h"
#include "menu/FrmInfo.h"
#include "platform/Application.h"
#include "platform/Errors.h"
#include "platform/IdleWork.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "support/PondSupport.h"
#include "support/WordPairSupport.h"
#include "support/WordSearchSupport.h"
#include "world/DispatchFixture.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"
#include "world/LocationFile.h"

namespace {

class Dispatch : public DispatchGame {
 protected:
  // Writes the list `name` under the program directory and returns its path.
  QString List(const QString& name, const QStringList& entries) {
    QStringList lines{QStringLiteral("Cwiczenia: %1").arg(entries.size())};
    lines += entries;
    WriteTextLines(inst.ProgramDir() + "/" + name, lines);
    // The screens read the files their entries name.
    for (const QString& e : entries) {
      if (e.startsWith(QLatin1String("LILI="), Qt::CaseInsensitive))
        WriteSampleWordPairs(inst.ProgramDir() + "/cwicz" + e.mid(5).replace(u'\\', u'/'));
      if (e.endsWith(QLatin1String(".fc2"), Qt::CaseInsensitive)) {
        TWordExercise ex;
        ex.ItemCount = 1;
        ex.Words[0] = QStringLiteral("cat");
        ex.ItemUsed[0] = 1;
        const QString path = inst.ProgramDir() + "/cwicz" + e.mid(5).replace(u'\\', u'/');
        MakeParentDirs(path);
        SaveWordExerciseFile(path, ex);
      } else if (e.endsWith(QLatin1String(".fc4"), Qt::CaseInsensitive)) {
        WriteWordSearchScreenFiles(inst.Install());
        SaveWordSearch(inst.Install(), e.mid(5), MakeWordSearch(10, 8, {{1, 4, 1}}));
      } else if (e.startsWith(QLatin1String("MOST="))) {
        // Screen 7 reads its choice file and the pond's pictures.
        const QString path = inst.ProgramDir() + "/cwicz" + e.mid(5).replace(u'\\', u'/');
        MakeParentDirs(path);
        SaveListeningChoiceFile(path, SampleChoice(2));
        WritePondMedia(inst.ProgramDir(), inst.DataRoot());
      } else if (e.endsWith(QLatin1String(".fc3"), Qt::CaseInsensitive)) {
        TCrossword c;
        c.WordCount = 1;
        c.Answers[0] = QStringLiteral("CAT");
        const QString path = inst.ProgramDir() + "/cwicz" + e.mid(5).replace(u'\\', u'/');
        MakeParentDirs(path);
        SaveCrosswordFile(path, c);
      }
    }
    return ProgramDir + "\\" + name;
  }
  std::vector<TForm*> ExerciseScreens() const { return {Cw1Form, Cw2Form, Cw3Form, Cw7Form, LilieForm}; }
  TForm* OnlyVisibleScreen() const {
    TForm* shown = nullptr;
    for (TForm* f : ExerciseScreens())
      if (f->Visible()) {
        if (shown) return nullptr;
        shown = f;
      }
    return shown;
  }
};

TEST_F(Dispatch, EachKeyStartsItsScreen) {
  struct Case {
    const char* line;
    TForm* (*screen)();
    int kind;
    bool stripArticles;
  };
  const Case cases[] = {
      {"ddro=\\culture\\1A.fc2", []() -> TForm* { return Cw1Form; }, 2, true},
      {"WRYS=\\culture\\1A.fc2", []() -> TForm* { return Cw1Form; }, 4, true},
      {"ULIT=\\culture\\1A.fc2", []() -> TForm* { return Cw1Form; }, 6, true},
      {"PREZ=\\culture\\2B.fc2", []() -> TForm* { return Cw1Form; }, 3, false},
      {"KRZY=\\culture\\k.fc3", []() -> TForm* { return Cw3Form; }, 7, false},
      {"PKRZ=\\culture\\w.fc4", []() -> TForm* { return Cw2Form; }, 1, false},
      {"MOST=\\culture\\m.txt", []() -> TForm* { return Cw7Form; }, 10, false},
      {"LILI=\\culture\\p.txt", []() -> TForm* { return LilieForm; }, 12, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    FirstTry = false;
    RegenerateGaps = false;
    StripArticles = !c.stripArticles;
    ::LoadExerciseList(List("lista.txt", {c.line}));
    EXPECT_EQ(OnlyVisibleScreen(), c.screen());
    EXPECT_EQ(ExerciseKind, c.kind);
    EXPECT_TRUE(FirstTry);
    // Screen 1 uses it up when it chooses the hidden letters.
    EXPECT_EQ(RegenerateGaps, c.screen() != Cw1Form);
    if (c.kind >= 2 && c.kind <= 6) {
      EXPECT_EQ(StripArticles, c.stripArticles);
    }
  }
  EXPECT_TRUE(Cw2Form->Image1->Visible());
  EXPECT_FALSE(Cw2Form->KwillButton1->Visible());
  EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(Dispatch, ArrowsAtTheEndsOfTheListDoNothing) {
  ::LoadExerciseList(List("lista.txt", {"LILI=\\farm\\1.txt", "MOST=\\farm\\2.txt", "PKRZ=\\farm\\3.fc4"}));
  EXPECT_EQ(ExerciseCount, 3);
  FirstTry = false;  // a start would set it
  PreviousExercise();
  EXPECT_EQ(ExerciseIndex, 1);
  EXPECT_FALSE(FirstTry);
  EXPECT_TRUE(LilieForm->Visible());

  NextExercise();
  EXPECT_EQ(ExerciseIndex, 2);
  EXPECT_TRUE(Cw7Form->Visible());
  NextExercise();
  EXPECT_EQ(ExerciseIndex, 3);
  EXPECT_TRUE(Cw2Form->Visible());
  FirstTry = false;
  NextExercise();
  EXPECT_EQ(ExerciseIndex, 3);
  EXPECT_FALSE(FirstTry);
  PreviousExercise();
  EXPECT_EQ(ExerciseIndex, 2);
  EXPECT_TRUE(Cw7Form->Visible());
  EXPECT_FALSE(Cw2Form->Visible());
}

TEST_F(Dispatch, PresentationsOfferTheirDialoguesAndNotes) {
  WriteTextLines(inst.ProgramDir() + "/cwicz/school/5D.txt", {"Zapamiętaj: % to @ be"});
  struct Case {
    const char* file;
    bool dialogues;
    QPoint dialoguesAt;
    int picture;
    const char* hint;
    bool note;
  };
  const Case cases[] = {
      {"\\school\\5D.fc2", true, {587, 75}, 9, "Dialogi i ćwiczenia", true},
      {"\\liblary\\irr_plu.fc2", true, {590, 167}, 2, "Ćwiczenia", false},
      {"\\culture\\9Z.fc2", false, {}, 0, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    RememberFile.clear();
    ::LoadExerciseList(List("lista.txt", {QStringLiteral("PREZ=") + c.file}));
    EXPECT_EQ(Cw1Form->btn_dialog->Visible(), c.dialogues);
    if (c.dialogues) {
      EXPECT_EQ(Cw1Form->btn_dialog->pos(), c.dialoguesAt);
      EXPECT_EQ(Cw1Form->btn_dialog->BitmapNormal(), c.picture);
      EXPECT_EQ(Cw1Form->btn_dialog->Hint(), QString::fromUtf8(c.hint));
    }
    EXPECT_EQ(Cw1Form->button6->Visible(), c.note);
    EXPECT_EQ(RememberFile, c.note ? QString(c.file) : QString());
    EXPECT_FALSE(Cw1Form->lbl_Tlumacz->Visible());
    EXPECT_TRUE(Cw1Form->btn_prez_Show->Enabled());
  }
  EXPECT_EQ(NoteWords.first(), QStringLiteral("Zapamiętaj:"));
  // The next exercise hides both buttons again.
  ::LoadExerciseList(List("lista.txt", {"DDRO=\\school\\5D.fc2"}));
  EXPECT_FALSE(Cw1Form->btn_dialog->Visible());
  EXPECT_FALSE(Cw1Form->button6->Visible());
}

TEST_F(Dispatch, ABrokenListChangesNothing) {
  ::LoadExerciseList(List("dobra.txt", {"LILI=\\farm\\1.txt", "MOST=\\farm\\2.txt"}));
  NextExercise();
  QStringList entries;
  for (int i = 0; i < MaxExercises + 1; ++i) entries << "PREZ=\\farm\\x.fc2";
  const QString path = List("zla.txt", entries);
  try {
    ::LoadExerciseList(path);
    ADD_FAILURE() << "no error";
  } catch (const EFormatError& e) {
    EXPECT_TRUE(e.Message.contains(QStringLiteral("zla.txt:1"))) << e.Message.toStdString();
  }
  EXPECT_EQ(ExerciseCount, 2);
  EXPECT_EQ(ExerciseIndex, 2);
  EXPECT_EQ(ExerciseList[0].Key, "LILI=");
  EXPECT_TRUE(Cw7Form->Visible());
  EXPECT_THROW(::LoadExerciseList(ProgramDir + "\\brak.txt"), EInOutError);
}

TEST_F(Dispatch, ABrokenListOrFirstFileLeavesThePlaceRunning) {
  WriteSolidBmp(inst.DataRoot() + "/lokacje/p.bmp", 570, 433, QColor(0, 120, 0));
  WriteSolidBmp(inst.DataRoot() + "/lokacje/s.bmp", 120, 50, QColor(250, 0, 0));
  TLocation place;
  place.Picture = "p.bmp";
  place.BackLink = "NONE";
  place.ExerciseListLines = place.DialogueListLines = 1;
  place.ExerciseListFile = "\\cw.txt";
  place.DialogueListFile = "\\dia.txt";
  place.Sprites = {{100, 20, 30, 40, 50, 3, "\\lokacje\\s.bmp", 0, "miau", 0}};
  place.WaveEvents = {"ptaki"};
  SaveLocationFile(inst.ProgramDir() + "/lokacje/A.lok", place);
  const QString cwicz = inst.ProgramDir() + "/cwicz";
  MakeParentDirs(cwicz + "/zly.fc2");
  WriteTextLines(cwicz + "/zly.fc2", {"not a word exercise"});
  WriteTextLines(cwicz + "/zly.txt", {"not a dialogue"});
  struct Case {
    const char* what;
    QStringList list;  // the place's list file, its first line included
    bool dialogues;
  } cases[] = {
      {"exercise list count past its entries", {"Cwiczenia: 2", "DDRO=\\zly.fc2"}, false},
      {"missing word exercise", {"Cwiczenia: 1", "DDRO=\\brak.fc2"}, false},
      {"broken word exercise", {"Cwiczenia: 1", "PREZ=\\zly.fc2"}, false},
      {"broken crossword", {"Cwiczenia: 1", "KRZY=\\zly.fc2"}, false},
      {"key no screen takes", {"Cwiczenia: 1", "ABCD=\\zly.fc2"}, false},
      {"dialogue list count past its entries", {"Dialogi   =3", "DIAL=\\zly.txt"}, true},
      {"missing dialogue", {"Dialogi   =1", "DIAL=\\brak.txt"}, true},
      {"broken gap dialogue", {"Dialogi   =1", "DIAC=\\zly.txt"}, true},
  };
  for (const Case& c : cases) {
    WriteTextLines(inst.ProgramDir() + (c.dialogues ? "/dia.txt" : "/cw.txt"), c.list);
    ClearPathCache();
    ::LoadLocation("A.lok");
    MainForm->Show();
    messages.Messages.clear();
    Guarded([&] { c.dialogues ? MainForm->Btn_Dialo1Click() : MainForm->Btn_Cwicz1Click(); });
    EXPECT_EQ(messages.Messages.size(), 1u) << c.what;
    EXPECT_TRUE(MainForm->Visible()) << c.what;
    EXPECT_TRUE(MainForm->Timer1.Enabled()) << c.what;
    EXPECT_TRUE(MainForm->Ani_1->Visible() && MainForm->Ani_1->Play()) << c.what;
    EXPECT_FALSE(Cw1Form->Visible()) << c.what;
    EXPECT_FALSE(Cw5Form->Visible()) << c.what;
    EXPECT_FALSE(Cw3Form->Visible()) << c.what;
  }
}

// Every exercise screen leaves through the dispatch: an arrow onto a broken
// entry (bad file, missing file, unknown key) keeps the screen as it was, shows
// the error and leaves ExerciseIndex; "Koniec" returns to the place.
TEST_F(Dispatch, EveryScreenStaysOnABrokenEntryAndKoniecReturnsToThePlace) {
  struct Screen {
    const char* entry;
    TForm* (*form)();
    void (*left)();
    void (*right)();
    void (*koniec)();
  } const screens[] = {
      {"DDRO=\\farm\\1.fc2", [] { return static_cast<TForm*>(Cw1Form); },
       [] { Cw1Form->CW1_KWS_LeftClick(); }, [] { Cw1Form->CW1_KWS_RightClick(); },
       [] { Cw1Form->Button3Click(); }},
      {"PKRZ=\\farm\\2.fc4", [] { return static_cast<TForm*>(Cw2Form); },
       [] { Cw2Form->CW1_KWS_LeftClick(); }, [] { Cw2Form->CW1_KWS_RightClick(); },
       [] { Cw2Form->Button1Click(); }},
      {"KRZY=\\farm\\3.fc3", [] { return static_cast<TForm*>(Cw3Form); },
       [] { Cw3Form->CW1_KWS_LeftClick(); }, [] { Cw3Form->CW1_KWS_RightClick(); },
       [] { Cw3Form->Button1Click(); }},
      {"MOST=\\farm\\4.txt", [] { return static_cast<TForm*>(Cw7Form); },
       [] { Cw7Form->CW1_KWS_LeftClick(); }, [] { Cw7Form->CW1_KWS_RightClick(); },
       [] { Cw7Form->Button3Click(); }},
      {"LILI=\\farm\\5.txt", [] { return static_cast<TForm*>(LilieForm); },
       [] { LilieForm->CW1_KWS_LeftClick(); }, [] { LilieForm->CW1_KWS_RightClick(); },
       [] { LilieForm->Btn_WrocClick(); }},
  };
  struct Broken {
    const char* entry;
    const char* message;  // a part of the one message shown
    TMessageKind kind;
  } const brokens[] = {
      {"DDRO=\\zly.fc2", "zly.fc2", TMessageKind::Error},
      {"MOST=\\brak.txt", "brak.txt", TMessageKind::Error},
      {"ABCD=\\farm\\1.fc2", "Brak cwiczenia !", TMessageKind::Plain},
  };
  for (const Screen& s : screens) {
    for (const Broken& b : brokens) {
      SCOPED_TRACE(std::string(s.entry) + " then " + b.entry);
      ::LoadExerciseList(List("lista.txt", {s.entry, b.entry, s.entry}));
      WriteTextLines(inst.ProgramDir() + "/cwicz/zly.fc2", {"not a word exercise"});
      QFile::remove(inst.ProgramDir() + "/cwicz/brak.txt");
      ClearPathCache();
      for (const int from : {1, 3}) {
        if (ExerciseIndex != from) {
          ExerciseIndex = from;
          ASSERT_TRUE(StartExercise());
        }
        ASSERT_EQ(OnlyVisibleScreen(), s.form());
        const int kind = ExerciseKind;
        FirstTry = false;  // a start would set it
        messages.Messages.clear();
        Guarded(from == 1 ? s.right : s.left);
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_TRUE(messages.Messages[0].Text.contains(QString::fromUtf8(b.message)))
            << messages.Messages[0].Text.toStdString();
        EXPECT_EQ(messages.Messages[0].Kind, b.kind);
        EXPECT_EQ(OnlyVisibleScreen(), s.form());
        EXPECT_EQ(ExerciseIndex, from);
        EXPECT_EQ(ExerciseKind, kind);
        EXPECT_FALSE(FirstTry);
      }
      MainForm->Close();
      messages.Messages.clear();
      Guarded(s.koniec);
      EXPECT_TRUE(messages.Messages.empty());
      EXPECT_EQ(OnlyVisibleScreen(), nullptr);
      EXPECT_TRUE(MainForm->Visible());
    }
  }
}

TEST_F(Dispatch, TheLocationScreenLeavesForItsExercises) {
  MainForm->ExerciseListFile = "\\cwicz\\farm\\lista.txt";
  List("cwicz/farm/lista.txt", {"MOST=\\farm\\2.txt"});
  MainForm->Show();
  MainForm->Btn_Cwicz1Click();
  EXPECT_FALSE(MainForm->Visible());
  EXPECT_TRUE(Cw7Form->Visible());
  EXPECT_EQ(ExerciseKind, 10);
}

// Idle time on a screen decodes what the next one shows: the first entry of
// the place's list (behind the button and behind each exercise spot), and
// after each start the entry after it. Moving on then decodes nothing.
TEST_F(Dispatch, IdleTimeDecodesWhatTheNextScreenShows) {
  const QString cwicz = inst.ProgramDir() + "/cwicz";
  MakeParentDirs(cwicz + "/farm/4.fc2");
  for (const char* name : {"4", "5"}) {
    TWordExercise ex;
    ex.ItemCount = 1;
    ex.Words[0] = QStringLiteral("cat");
    ex.ItemUsed[0] = 1;
    ex.PictureName = QStringLiteral("\\farm\\%1.bmp").arg(name);
    SaveWordExerciseFile(cwicz + "/farm/" + name + ".fc2", ex);
    WriteSolidBmp(inst.DataRoot() + "/cwicz/farm/" + name + ".bmp", 570, 433, QColor(0, 90, 0));
  }
  List("cwicz/farm/lista.txt",
       {"MOST=\\farm\\2.txt", "LILI=\\farm\\1.txt", "PKRZ=\\farm\\3.fc4", "PREZ=\\farm\\4.fc2"});
  List("cwicz/farm/spot.txt", {"PREZ=\\farm\\5.fc2"});
  MainForm->ExerciseListFile = "\\cwicz\\farm\\lista.txt";
  MainForm->btn_Cwicz1->Show();
  MainForm->ExerciseSpots[0] = {10, 10, 50, 50, "\\cwicz\\farm\\spot.txt"};
  MainForm->ExerciseSpotCount = 1;
  MainForm->Show();

  struct Step {
    const char* what;
    bool idle;     // the game idles on the screen before
    bool decodes;  // the step decodes pictures itself
    std::function<void()> step;
  } const steps[] = {
      {"the button without idle time", false, true, [] { MainForm->Btn_Cwicz1Click(); }},
      {"on to the lily pads", true, false, [] { NextExercise(); }},
      {"on to the word search", true, false, [] { NextExercise(); }},
      {"on to the presentation", true, false, [] { NextExercise(); }},
      {"back to the place", true, false, [] { ReturnToPlace(Cw1Form); }},
      {"the spot", true, false,
       [] { MainForm->Image1MouseDown(TMouseButton::mbLeft, TShiftState{}, 30, 30); }},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.idle)
      while (IdleWork::RunNext()) {
      }
    const std::uint64_t before = PicturesDecoded();
    s.step();
    ASSERT_TRUE(messages.Messages.empty());
    EXPECT_EQ(PicturesDecoded() > before, s.decodes);
  }
  EXPECT_TRUE(Cw1Form->Visible());
  EXPECT_EQ(ExerciseKind, 3);
}

}  // namespace
