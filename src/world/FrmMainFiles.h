// The files the location screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace MainFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Frame{F::Program, F::Picture, "\\gfx\\tlo_main.bmp", "picture of the location screen (frame)"};
inline constexpr F Pictures[] = {Frame};
// clang-format on
}  // namespace MainFiles
