// The files the background screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace PodkladFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F ExerciseBackground{F::Program, F::Picture, "\\gfx\\Tlo_cwic.bmp", "picture of the background screen (exercise background)"};
inline constexpr F Pictures[] = {ExerciseBackground};
// clang-format on
}  // namespace PodkladFiles
