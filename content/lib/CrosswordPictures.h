// The files exercise screen 3 opens by name, drawn plain: the landscape, the
// ski-lift, Yeti and skier strips, the clue panel and the empty line. Every
// installation gets these; the demo's sources draw nicer ones over them.
#pragma once

#include <QString>

#include "lib/Installation.h"

// Frame counts and sizes the screen shows the strips with.
constexpr int LiftFrames = 10, LiftWidth = 165, LiftHeight = 155;
constexpr int YetiFrames = 10, YetiWidth = 64, YetiHeight = 94;
constexpr int SkierFrames = 6, SkierWidth = 60, SkierHeight = 109;

void WriteCrosswordScreenPictures(const TInstallation& inst);
