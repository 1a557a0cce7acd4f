#include <gtest/gtest.h>

#include <QFile>

#include "app/Globals.h"
#include "controls/BmpTransparent.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "players/FrmDiamenty.h"
#include "players/FrmTopTen.h"
#include "world/DispatchFixture.h"

namespace {

class TopTenScreen : public DispatchGame {
 protected:
  QStringList Row(int k) const {
    return {TopTenForm->lbl[k - 1]->Caption(), TopTenForm->c[k - 1]->Caption(), TopTenForm->z[k - 1]->Caption()};
  }
};

TEST_F(TopTenScreen, RivalsThenPlayersInListOrder) {
  PlayerName = "Kuba";
  TopTenForm->Show();
  EXPECT_FALSE(TopTenForm->Image1->Picture().isNull());
  EXPECT_EQ(Row(1), QStringList({"1. rovel", "200", "50"}));
  EXPECT_EQ(Row(5), QStringList({"5. Ko Ko", "50", "10"}));
  EXPECT_EQ(Row(6), QStringList({"6. Ola", "14", "28"}));  // a tie: the list's order
  EXPECT_EQ(Row(7), QStringList({"7. Kuba", "14", "28"}));
  // Rows past the players and rivals stay empty.
  ASSERT_LT(5 + PlayerCount, 10);
  EXPECT_NE(Row(5 + PlayerCount)[0], "");
  for (int k = 6 + PlayerCount; k <= 10; ++k) EXPECT_EQ(Row(k), QStringList({"", "", ""})) << k;
  EXPECT_EQ(TopTenForm->PlayerRank, 7);
  EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(TopTenScreen, ABrokenPlayerFileKeepsTheRowsOfTheLastShowing) {
  TopTenForm->Show();
  TopTenForm->Close();
  QFile f(inst.ProgramDir() + "/login/Kuba.txt");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("Kuba=2026-12-01=21x=150=320=Man=\r\n");
  f.close();
  ClearPathCache();
  TopTenForm->Show();
  ASSERT_EQ(messages.Messages.size(), 1u);
  EXPECT_TRUE(messages.Messages[0].Text.contains("Kuba.txt")) << messages.Messages[0].Text.toStdString();
  EXPECT_EQ(Row(7), QStringList({"7. Kuba", "14", "28"}));
}

TEST_F(TopTenScreen, OwnDiamondsOfAGirlAndABoy) {
  struct Case {
    const char* name;
    std::array<int, PlaceTotal> places;
    const char* picture;
    std::array<bool, 7> shown;
    const char* text;
  };
  const Case cases[] = {
      {"Ola", {15, 0, 0, 0, 0, 0, 0}, "_korona.bmp", {true, false, false, false, false, false, false},
       "Udało Ci się zebrać 1 diament."},
      {"Kuba", {14, 42, 0, 0, 0, 0, 30}, "_wehikul.bmp", {false, true, false, false, false, false, true},
       "Udało Ci się zebrać 2 diamenty."},
      {"Ola", {15, 42, 34, 27, 25, 0, 0}, "_korona.bmp", {true, true, true, true, true, false, false},
       "Udało Ci się zebrać 5 diamentów."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DiamentyForm->Close();
    PlayerName = c.name;
    PlaceCount = c.places;
    TopTenForm->Close();
    TopTenForm->Show();
    TopTenForm->lbl_1Click();
    ASSERT_TRUE(DiamentyForm->Visible());
    EXPECT_EQ(DiamentyForm->Tag, 0);
    EXPECT_EQ(DiamentyForm->Image1->Picture(), LoadPicture(ProgramDir + "\\gfx\\" + c.picture));
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(DiamentyForm->Diamonds[k - 1]->Visible(), c.shown[k - 1]) << k;
    EXPECT_EQ(DiamentyForm->Label1->Caption(), c.text);
    EXPECT_TRUE(DiamentyForm->Label1->Visible());
    // Nothing blinks: a tick only repaints.
    DiamentyForm->BlinkCount = 0;
    DiamentyForm->Timer1Timer();
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(DiamentyForm->Diamonds[k - 1]->Visible(), c.shown[k - 1]) << k;
  }
  // Going back to the table closes the award screen.
  TopTenForm->BringToFront();
  EXPECT_FALSE(DiamentyForm->Visible());
}

}  // namespace
