// The files the message screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace InformacjaFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Background{F::Program, F::Picture, "\\gfx\\Informac.bmp", "picture of the message screen"};
inline constexpr F Pictures[] = {Background};
// clang-format on
}  // namespace InformacjaFiles
