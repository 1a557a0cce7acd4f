// The files the dialogue screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace Cw5Files {
// clang-format off
using F = TScreenFile;
inline constexpr F Background{F::Program, F::Picture, "\\gfx\\Dialogi1.bmp", "picture of the dialogue screen"};
inline constexpr F Pictures[] = {Background};

// The spoken instructions behind the question mark.
inline constexpr F Listening{F::Data, F::Sound, "\\music\\D1.wav", "instruction of the dialogue screen (a dialogue to hear)"};
inline constexpr F Gaps{F::Data, F::Sound, "\\music\\D2.wav", "instruction of the dialogue screen (a gap dialogue)"};
inline constexpr F TenseGaps{F::Data, F::Sound, "\\music\\D3.wav", "instruction of the dialogue screen (a gap dialogue of tenses)"};
inline constexpr F Sounds[] = {Listening, Gaps, TenseGaps};
// clang-format on
}  // namespace Cw5Files
