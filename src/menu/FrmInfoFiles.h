// The files the note screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace InfoFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Background{F::Program, F::Picture, "\\gfx\\remember.bmp", "picture of the note screen"};
inline constexpr F Pictures[] = {Background};
// clang-format on
}  // namespace InfoFiles
