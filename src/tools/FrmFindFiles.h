// The files the dictionary search opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace FindFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Frame{F::Program, F::Picture, "\\Gfx\\szuk.bmp", "picture of the dictionary search"};
inline constexpr F Pictures[] = {Frame};
// clang-format on
}  // namespace FindFiles
