// The files exercise screen 3 opens by name, drawn plain: the landscape, the
// ski-lift, Yeti and skier strips, the clue panel and the empty line. Every
// installation gets these; the demo's sources draw nicer ones over them.
#pragma once

#include <QString>

#include "lib/Installation.h"

void WriteCrosswordScreenPictures(const TInstallation& inst);
