#include "players/FrmDiamenty.h"

#include "app/Globals.h"
#include "controls/BmpTransparent.h"
#include "controls/TransparentButton.h"
#include "platform/Picture.h"
#include "players/FrmDiamentyFiles.h"
#include "world/Rewards.h"

TDiamentyForm* DiamentyForm = nullptr;

namespace {
constexpr int kBlinkTicks = 4;
constexpr int kTogglesPerTick = 3;
}  // namespace

TDiamentyForm::TDiamentyForm() : TForm(400, 300) {
  Image1 = new TImage(this);
  Image1->SetBounds(0, 0, 400, 300);

  TBmpTransparent** slots[] = {&diam_1, &diam_2, &diam_3, &diam_4, &diam_5, &diam_6, &diam_7};
  const int lefts[] = {122, 146, 170, 194, 218, 240, 264};
  for (int i = 0; i < 7; ++i) {
    auto* d = new TBmpTransparent(this);
    d->SetTransparentColor(clOlive);
    d->SetBounds(lefts[i], 99, 24, 34);
    d->Hide();
    *slots[i] = d;
    Diamonds[i] = d;
  }

  // The design keeps this text hidden under the picture; it is shown here so
  // that a child reads what was won.
  Label1 = new TLabel(this);
  Label1->SetFont(TFont{QStringLiteral("MS Sans Serif"), -13, clYellow, fsBold});
  Label1->SetTransparent(true);
  Label1->SetAutoSize(false);
  Label1->SetWordWrap(true);
  Label1->SetBounds(4, 4, 385, 37);

  button1 = NewButton(this, 342, 250, 5, QStringLiteral("Koniec"));
  button1->OnClick = [this] { button1Click(); };

  Timer1.SetInterval(500);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer1.SetEnabled(true);
}

void TDiamentyForm::FormCreate() {}

void TDiamentyForm::FormShow() { button1->Repaint(); }

void TDiamentyForm::FormActivate() {
  BlinkShown = true;
  BlinkCount = 0;
  Repaint();
  if (Tag != 0) Timer1.SetEnabled(true);
}

void TDiamentyForm::FormDeactivate() { Close(); }

void TDiamentyForm::FormClose() { ReleaseBackground(); }

void TDiamentyForm::ReleaseBackground() { Image1->SetPicture(QImage()); }

void TDiamentyForm::Timer1Timer() {
  if (BlinkCount == kBlinkTicks - 1) Timer1.SetEnabled(false);  // this tick still blinks
  BlinkDiamond(Tag);
  ++BlinkCount;
}

void TDiamentyForm::BlinkDiamond(int n) {
  Repaint();
  if (n < 1 || n > 7) return;
  TBmpTransparent* d = Diamonds[n - 1];
  for (int i = 0; i < kTogglesPerTick; ++i) {
    d->SetVisible(!BlinkShown);
    BlinkShown = !BlinkShown;
    d->Repaint();
    Repaint();
  }
}

void TDiamentyForm::button1Click() { Close(); }

void TDiamentyForm::Layout(const QString& picture, const std::array<TSpot, 7>& spots) {
  for (TBmpTransparent* d : Diamonds) d->Hide();
  diam_1->LoadFromFile(picture);
  for (int i = 0; i < 7; ++i) {
    if (i > 0) Diamonds[i]->SetPicture(diam_1->Picture());
    const TSpot& s = spots[i];
    Diamonds[i]->SetBounds(s.Left, s.Top, s.Width, s.Height);
  }
}

void TDiamentyForm::LayoutCrownDiamonds() {
  Layout(DiamentyFiles::CrownDiamond.In(ProgramDir, DataRoot), {{{17, 88, 39, 53},
                                                                 {135, 64, 39, 53},
                                                                 {253, 61, 39, 53},
                                                                 {347, 83, 39, 53},
                                                                 {88, 156, 39, 53},
                                                                 {189, 146, 39, 53},
                                                                 {292, 153, 39, 53}}});
}

void TDiamentyForm::LayoutTimeMachineDiamonds() {
  Layout(DiamentyFiles::TimeMachineDiamond.In(ProgramDir, DataRoot), {{{122, 99, 24, 34},
                                                                       {146, 99, 24, 34},
                                                                       {170, 99, 24, 34},
                                                                       {194, 99, 24, 34},
                                                                       {218, 99, 24, 34},
                                                                       {240, 99, 24, 34},
                                                                       {264, 99, 24, 34}}});
}

void TDiamentyForm::ShowEarnedDiamonds() {
  for (int place = 1; place <= PlaceTotal; ++place)
    if (PlaceComplete(PlaceCount, place)) Diamonds[place - 1]->Show();
}

void TDiamentyForm::LoadBackground(bool crown) {
  Image1->LoadFromFile(
      (crown ? DiamentyFiles::Crown : DiamentyFiles::TimeMachine).In(ProgramDir, DataRoot));
}

void TDiamentyForm::SetText(const QString& text) { Label1->SetCaption(text); }
