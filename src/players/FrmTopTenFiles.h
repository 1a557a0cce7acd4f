// The files the best players screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace TopTenFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Background{F::Program, F::Picture, "\\gfx\\TopTen.bmp", "picture of the best players screen"};
inline constexpr F Pictures[] = {Background};
// clang-format on
}  // namespace TopTenFiles
