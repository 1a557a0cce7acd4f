// The files the new player screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace NewLoginFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Background{F::Program, F::Picture, "\\gfx\\NewLogin.bmp", "picture of the new player screen"};
inline constexpr F Pictures[] = {Background};

inline constexpr F Greeting{F::Data, F::Sound, "\\Music\\ll4.wav", "sound of the new player screen (greeting)"};
inline constexpr F Boy{F::Data, F::Sound, "\\music\\L2.wav", "sound of the new player (boy)"};
inline constexpr F Girl{F::Data, F::Sound, "\\music\\L2k.wav", "sound of the new player (girl)"};
inline constexpr F Sounds[] = {Greeting, Boy, Girl};
// clang-format on
}  // namespace NewLoginFiles
