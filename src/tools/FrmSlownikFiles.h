// The files the dictionary opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace SlownikFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Page{F::Program, F::Picture, "\\Gfx\\t_slownik.bmp", "picture of the dictionary"};
inline constexpr F Pictures[] = {Page};
// clang-format on
}  // namespace SlownikFiles
