#include "players/FrmTopTen.h"

#include <QPainter>
#include <QPolygon>

#include "app/Globals.h"
#include "app/Shared.h"
#include "controls/TransparentButton.h"
#include "menu/FrmAbout.h"
#include "menu/FrmAboutFiles.h"
#include "menu/FrmMenuStart.h"
#include "platform/PolishCount.h"
#include "platform/Strings.h"
#include "players/FrmDiamenty.h"
#include "players/FrmTopTenFiles.h"
#include "world/Rewards.h"

TTopTenForm* TopTenForm = nullptr;

namespace {
constexpr int kRows = 10;

TLabel* RowLabel(QWidget* parent, int left, int top, int tag) {
  auto* label = new TLabel(parent);
  label->SetFont(TFont{QStringLiteral("MS Sans Serif"), -13, clBlack, 0});
  label->SetTransparent(true);
  label->move(left, top);
  label->Tag = tag;
  return label;
}

// A small cut diamond over the key colour, for the column headings.
QImage DiamondPicture(QColor colour) {
  QImage img(24, 20, QImage::Format_RGB32);
  img.fill(QColor(128, 128, 0));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(colour.darker(160));
  p.setBrush(colour);
  p.drawPolygon(QPolygon({QPoint(6, 1), QPoint(17, 1), QPoint(22, 6), QPoint(11, 18), QPoint(1, 6)}));
  p.setPen(colour.lighter(150));
  p.drawLine(2, 6, 21, 6);
  p.drawLine(8, 2, 6, 6);
  p.drawLine(15, 2, 17, 6);
  return img;
}

TImage* HeadingDiamond(QWidget* parent, int left, int top, QColor colour) {
  auto* image = new TImage(parent);
  image->SetPicture(DiamondPicture(colour));
  image->SetTransparent(true);
  image->SetBounds(left, top, 24, 20);
  return image;
}
}  // namespace

TTopTenForm::TTopTenForm() {
  KeyPreview = true;
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 640, 480);

  Label1 = new TLabel(this);
  Label1->SetFont(TFont{QStringLiteral("MS Sans Serif"), -19, clBlack, fsBold});
  Label1->SetTransparent(true);
  Label1->move(244, 112);
  Label1->SetCaption(QStringLiteral("Najlepsi"));

  // Made in row order, names first, then red counts, then green counts.
  for (int k = 1; k <= kRows; ++k) lbl[k - 1] = RowLabel(this, 144, 192 + 24 * (k - 1), k);
  for (int k = 1; k <= kRows; ++k) c[k - 1] = RowLabel(this, 312, 192 + 24 * (k - 1), k);
  for (int k = 1; k <= kRows; ++k) z[k - 1] = RowLabel(this, 412, 192 + 24 * (k - 1), k);

  // Each column is headed by the diamond of its own colour, as the counters
  // are everywhere else in the game.
  img_Red = HeadingDiamond(this, 309, 156, QColor(220, 30, 40));
  img_Green = HeadingDiamond(this, 409, 156, QColor(40, 190, 60));

  TransparentButton1 = NewButton(this, 510, 329, 19, QString());
  TransparentButton1->OnClick = [this] { lbl_1Click(); };
  button3 = NewButton(this, 586, 425, 0, QStringLiteral("Koniec"));
  button3->OnClick = [this] { button3Click(); };

  lbl_About = new TLabel(this);
  lbl_About->SetTransparent(true);
  lbl_About->SetAutoSize(false);
  lbl_About->SetBounds(180, 4, 217, 85);
  lbl_About->OnClick = [this] { lbl_AboutClick(); };
}

void TTopTenForm::FormCreate() {}

void TTopTenForm::FormShow() {
  Image1->LoadFromFile(TopTenFiles::Background.In(ProgramDir, DataRoot));
  BuildTopTen();
}

void TTopTenForm::FormClose() { Image1->SetPicture(QImage()); }

void TTopTenForm::FormKeyDown(int& key, TShiftState shift) { EndOnAltF4(key, shift); }

void TTopTenForm::BuildTopTen() {
  PlayerRank = 0;
  QStringList names;
  for (int i = 0; i < std::clamp(PlayerCount, 0, MaxPlayers); ++i) names << PlayerNames[i];
  TopTenTable = BuildTopTenTable(ReadTopTenEntries(names));
  for (int k = 0; k < kRows; ++k) {
    lbl[k]->SetCaption(QString());
    c[k]->SetCaption(QString());
    z[k]->SetCaption(QString());
  }
  PlayerRank = TopTenRank(TopTenTable, PlayerName);
  for (int k = 1; k <= kRows; ++k) {
    if (k > static_cast<int>(TopTenTable.size())) break;
    const TTopTenEntry& e = TopTenTable[k - 1];
    if (Trim(e.Name).isEmpty()) continue;
    lbl[k - 1]->SetCaption(IntToStr(k) + QStringLiteral(". ") + e.Name);
    c[k - 1]->SetCaption(IntToStr(e.RedCount));
    z[k - 1]->SetCaption(IntToStr(e.GreenCount));
  }
}

void TTopTenForm::lbl_1Click() {
  // The table's entry is the player's as last saved; before any showing there is none.
  const QString sex = PlayerRank > 0 && PlayerRank <= static_cast<int>(TopTenTable.size())
                          ? TopTenTable[PlayerRank - 1].Sex
                          : PlayerSex;
  const bool crown = sex == QLatin1String("Woman");
  if (crown)
    DiamentyForm->LayoutCrownDiamonds();
  else
    DiamentyForm->LayoutTimeMachineDiamonds();
  DiamentyForm->LoadBackground(crown);
  DiamentyForm->ShowEarnedDiamonds();
  // The award screen shows this text, so it reads as Polish should, whatever the count.
  DiamentyForm->SetText(
      QStringLiteral("Udało Ci się zebrać ") +
      PolishCount(CompletePlaceCount(PlaceCount), "diament", "diamenty", "diamentów") +
      QStringLiteral("."));
  DiamentyForm->Tag = 0;
  DiamentyForm->Show();
}

void TTopTenForm::button3Click() {
  Close();
  RestartMenuIdle();
}

void TTopTenForm::lbl_AboutClick() {
  AboutForm->Image1->LoadFromFile(AboutFiles::Background.In(ProgramDir, DataRoot));
  AboutForm->ShowModal();
}
