// The files the award screen opens by name, and the sounds it is shown with.
#pragma once

#include "controls/ScreenFiles.h"

namespace DiamentyFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Crown{F::Program, F::Picture, "\\gfx\\_korona.bmp", "picture of the award screen (crown)"};
inline constexpr F TimeMachine{F::Program, F::Picture, "\\gfx\\_wehikul.bmp", "picture of the award screen (time machine)"};
inline constexpr F CrownDiamond{F::Program, F::Picture, "\\gfx\\di_kor.bmp", "picture of the award screen (crown's diamond)"};
inline constexpr F TimeMachineDiamond{F::Program, F::Picture, "\\gfx\\di_weh.bmp", "picture of the award screen (time machine's diamond)"};
inline constexpr F Pictures[] = {Crown, TimeMachine, CrownDiamond, TimeMachineDiamond};

// Played through PlayFeedback, which takes their names.
inline constexpr F BigDiamond{F::Data, F::Sound, "\\music\\Z1b.wav", "sound of the award (a big diamond)"};
inline constexpr F MoreToCollect{F::Data, F::Sound, "\\music\\Podlicz1.wav", "sound of the award (more diamonds to collect)"};
inline constexpr F AllCollected{F::Data, F::Sound, "\\music\\Za.wav", "sound of the award (every diamond collected)"};
inline constexpr F Sounds[] = {BigDiamond, MoreToCollect, AllCollected};
// clang-format on
}  // namespace DiamentyFiles
