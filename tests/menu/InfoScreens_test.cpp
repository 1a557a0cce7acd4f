#include <QFile>
#include <QFontMetrics>
#include <QTimer>
#include <functional>

#include "controls/TransparentButton.h"
#include "menu/FrmAbout.h"
#include "menu/FrmInfo.h"
#include "menu/FrmInformacja.h"
#include "menu/FrmMenuStart.h"
#include "menu/NoteFile.h"
#include "MenuTestSupport.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/Win1250.h"

namespace {

using InfoScreens = SignedIn;

TEST_F(InfoScreens, MessageScreenClosesEveryWayItShould) {
  const std::vector<std::pair<const char*, std::function<void()>>> ways = {
      {"Enter", [] { PressKey(InformacjaForm, Qt::Key_Return); }},
      {"Escape", [] { PressKey(InformacjaForm, Qt::Key_Escape); }},
      {"its button", [] { Click(InformacjaForm->button1, QPoint(10, 10)); }},
      {"another screen shown", [] { AboutForm->Show(); }},
      {"a click on another screen", [] { Click(MenuStart->lbl_Opis); }},
  };
  MenuStart->Show();
  for (const auto& [name, act] : ways) {
    SCOPED_TRACE(name);
    AboutForm->Close();
    InformacjaForm->Label1->SetCaption("Nie znaleziono takiego wyrazu.");
    InformacjaForm->Show();
    ASSERT_TRUE(InformacjaForm->Visible());
    EXPECT_FALSE(InformacjaForm->Image1->Picture().isNull());
    act();
    EXPECT_FALSE(InformacjaForm->Visible());
    EXPECT_TRUE(InformacjaForm->Image1->Picture().isNull()) << "the background is let go";
  }
  EXPECT_TRUE(boxes.Messages.empty()) << boxes.Texts().join('|').toStdString();
}

TEST_F(InfoScreens, NoteScreenShowsModallyAndClosesOnEscapeEnterOrItsButton) {
  LoadNote(DemoNoteExercise);
  ASSERT_EQ(NoteWords, ParseNote(EncodeWin1250(DemoNoteText())));
  const std::vector<std::pair<const char*, std::function<void()>>> ways = {
      {"Escape", [] { PressKey(InfoForm, Qt::Key_Escape); }},
      {"Enter", [] { PressKey(InfoForm, Qt::Key_Return); }},
      {"button", [] { Click(InfoForm->btn_wroc, QPoint(10, 10)); }},
  };
  for (const auto& [name, act] : ways) {
    SCOPED_TRACE(name);
    bool shown = false;
    QTimer::singleShot(0, [&shown, act = act] {
      shown = InfoForm->Visible() && !InfoForm->Image1->Picture().isNull();
      act();
    });
    InfoForm->ShowModal();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(InfoForm->Visible());
    EXPECT_TRUE(InfoForm->Image1->Picture().isNull());
  }
}

TEST_F(InfoScreens, NoteIsDrawnWithItsSecondLineBelowTheFirst) {
  NoteWords = QStringList({"Zapamiętaj:", "%", "a", "@", "an"});
  InfoForm->Show();
  const QImage box = InfoForm->DXRamka->Widget()->grab().toImage();
  InfoForm->Close();
  // Dark pixels in a band of the box, up to `right`.
  const auto inkIn = [&](int top, int bottom, int right) {
    int ink = 0;
    for (int y = top; y < std::min(bottom, box.height()); ++y)
      for (int x = 0; x < right; ++x) ink += qGray(box.pixel(x, y)) < 100;
    return ink;
  };
  const int line = QFontMetrics(ToQFont(InfoForm->DXRamka->Font)).height() + 3;
  EXPECT_GT(inkIn(0, line, 200), 20) << "the first line";
  EXPECT_GT(inkIn(line + 4, 2 * line, 30), 5) << "\"an\" starts the second line";
  EXPECT_EQ(inkIn(2 * line + 6, box.height(), box.width()), 0) << "nothing below it";
}

TEST_F(InfoScreens, AuthorsScreenClosesAndLetsThePictureGo) {
  AboutForm->Image1->SetPicture(LoadPicture(ProgramDir + "\\Gfx\\Autorzy.bmp"));
  bool shown = false;
  QTimer::singleShot(0, [&shown] {
    shown = AboutForm->Visible();
    Click(AboutForm->button3, QPoint(10, 10));
  });
  AboutForm->ShowModal();
  EXPECT_TRUE(shown);
  EXPECT_FALSE(AboutForm->Visible());
  EXPECT_TRUE(AboutForm->Image1->Picture().isNull());

  AboutForm->Show();
  PressKey(AboutForm, Qt::Key_F4, Qt::AltModifier);
  EXPECT_TRUE(Application()->Terminated());
}

}  // namespace
