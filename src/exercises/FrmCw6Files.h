// The files the songs screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace Cw6Files {
// clang-format off
using F = TScreenFile;
inline constexpr F Background{F::Program, F::Picture, "\\Gfx\\t_Song2.bmp", "picture of the songs screen"};
inline constexpr F Pictures[] = {Background};

inline constexpr F Instruction{F::Data, F::Sound, "\\music\\o11.wav", "instruction of the songs screen"};
inline constexpr F Sounds[] = {Instruction};
// clang-format on
}  // namespace Cw6Files
