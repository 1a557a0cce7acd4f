// The scale the stage is drawn at, settled before the application object
// exists (Qt reads its scale factor when it starts).
//
// On X11 the game owns the whole scaling: the desktop's own (Xft.dpi 120 or
// 144, QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) is switched off and Qt
// scales by the game's whole factor alone, so pixels stay crisp and the
// screens fit; fonts keep 96 dots per inch. The display is asked straight from the X server, which costs
// a fraction of a throw-away QGuiApplication. Elsewhere a short-lived Qt
// application asks the platform, whose own scaling then stays.
#pragma once

#include "app/UserSettings.h"

// The factor for this run, with the environment Qt reads set accordingly.
int SetUpDisplayScale(const TDisplayChoice& choice, int argc, char** argv);
// Closes what the probe keeps open until the application has connected.
void EndDisplayProbe();
// True when the desktop's scaling was switched off for the game's own: its
// resolution is then no text-size setting.
bool DesktopScalingReplaced();
