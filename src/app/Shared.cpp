#include "app/Shared.h"

#include <cstdio>

#include "app/Globals.h"
#include "controls/ScreenArt.h"
#include "exercises/FrmCw1.h"
#include "exercises/FrmCw2.h"
#include "exercises/FrmCw3.h"
#include "exercises/FrmCw5.h"
#include "exercises/FrmCw7.h"
#include "exercises/FrmLilie.h"
#include "platform/Application.h"
#include "platform/Strings.h"
#include "players/PlayerFile.h"
#include "world/FrmMain.h"

TLabel* MakeCounterLabel(QWidget* parent, int left) {
  auto* label = new TLabel(parent);
  label->SetFont(TFont{QStringLiteral("Arial CE"), 12, clYellow, fsBold});
  label->SetTransparent(true);
  label->move(left, 8);
  label->SetCaption(QStringLiteral("0"));
  return label;
}

TBmpTransparent* NewHelpIcon(QWidget* parent, std::function<void()> onClick, int size) {
  auto* icon = new TBmpTransparent(parent);
  icon->SetAuto(true);
  icon->SetPicture(HelpIcon(size));
  icon->SetBounds(8, 8, size, size);
  icon->OnClick = std::move(onClick);
  return icon;
}

void EndOnAltF4(int key, TShiftState shift) {
  if (key == VK_F4 && shift == ssAlt && Application()) Application()->End();
}

void SaveSignedInPlayer() {
  if (!PlayerName.isEmpty()) SavePlayer();
}

void SaveProgressSoFar() noexcept {
  try {
    SaveSignedInPlayer();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvolin: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "tarvolin: Nieznany błąd zapisu gracza\n");
  }
}

namespace {
template <class Screen>
void WriteCounters(Screen* screen) {
  if (!screen) return;
  if (screen->lbl_Red) screen->lbl_Red->SetCaption(IntToStr(RedCount));
  if (screen->lbl_Green) screen->lbl_Green->SetCaption(IntToStr(GreenCount));
}

template <class Screen>
void ShowArrows(Screen* screen) {
  if (!screen || !screen->CW1_KWS_left || !screen->cw1_kws_right) return;
  TControl* prev = screen->CW1_KWS_left;
  TControl* next = screen->cw1_kws_right;
  if (ExerciseCount == 1) {
    prev->SetVisible(false);
    next->SetVisible(false);
  } else if (ExerciseIndex == 1) {
    prev->SetVisible(false);
    next->SetVisible(true);
  } else if (ExerciseIndex > 1 && ExerciseIndex < ExerciseCount) {
    prev->SetVisible(true);
    next->SetVisible(true);
  } else if (ExerciseIndex == ExerciseCount) {
    prev->SetVisible(true);
    next->SetVisible(false);
  }
}
}  // namespace

void UpdateCounters() {
  WriteCounters(MainForm);
  WriteCounters(Cw1Form);
  WriteCounters(Cw2Form);
  WriteCounters(Cw3Form);
  WriteCounters(Cw5Form);
  WriteCounters(Cw7Form);
  WriteCounters(LilieForm);
}

void SetArrows(int screen) {
  switch (screen) {
    case 1: ShowArrows(Cw1Form); break;
    case 2: ShowArrows(Cw2Form); break;
    case 3: ShowArrows(Cw3Form); break;
    case 7: ShowArrows(Cw7Form); break;
    case 8: ShowArrows(LilieForm); break;
    default: break;
  }
}
