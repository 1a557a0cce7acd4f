// Small routines many screens share.
#pragma once

#include <functional>

#include "controls/BmpTransparent.h"
#include "platform/Controls.h"

// A red or green counter label at the top of a screen (left 484 or 540, top 8).
TLabel* MakeCounterLabel(QWidget* parent, int left);
// The instruction icon of an exercise screen: the shared picture, `size`
// pixels square, at (8, 8), calling `onClick`.
TBmpTransparent* NewHelpIcon(QWidget* parent, std::function<void()> onClick, int size = 34);
// Alt+F4 (Alt alone) ends the program at once, after saving the signed-in
// player (a child's session is never lost to the way the game was closed).
void EndOnAltF4(int key, TShiftState shift);
// The program's last act however it ends: the signed-in player's file is written.
void SaveSignedInPlayer();
// The same after every finished exercise, so a crash or a lost display costs
// nothing earned. A failure is only printed (the save on leaving reports it);
// nothing escapes, so a destructor may call it.
void SaveProgressSoFar() noexcept;
// Writes RedCount and GreenCount into the counters of every screen that shows them.
void UpdateCounters();
// Shows or hides the previous/next arrows of exercise screen `screen` (1, 2, 3, 7, 8).
void SetArrows(int screen);
