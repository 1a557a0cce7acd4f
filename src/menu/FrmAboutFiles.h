// The files the authors screen shows by name (the screens that open it load them).
#pragma once

#include "controls/ScreenFiles.h"

namespace AboutFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Background{F::Program, F::Picture, "\\Gfx\\Autorzy.bmp", "picture of the authors screen"};
inline constexpr F Pictures[] = {Background};
// clang-format on
}  // namespace AboutFiles
