// Plain pictures for the lily-pad screen in every installation the tool
// writes: the pond (ProgramDir\Gfx\Lilie.bmp) and the stork's, frog's and
// eyes' strips (DataRoot\gfx\Anim). The demo's sources draw richer ones over
// them.
#pragma once

#include "lib/Installation.h"

void WriteLilyPondPictures(const TInstallation& inst);
