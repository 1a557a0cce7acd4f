// The files the player selection screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace LoginFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Background{F::Program, F::Picture, "\\gfx\\Login.bmp", "picture of the player selection screen"};
inline constexpr F Pictures[] = {Background};

inline constexpr F Greeting{F::Data, F::Sound, "\\Music\\ll2.wav", "sound of the player selection screen (greeting)"};
inline constexpr F FirstGreeting{F::Data, F::Sound, "\\Music\\ll3.wav", "sound of the player selection screen (first greeting)"};
inline constexpr F AfterAWeek{F::Data, F::Sound, "\\music\\L1.wav", "sound of the sign-in (after a week away)"};
inline constexpr F OddVisit{F::Data, F::Sound, "\\music\\L3.wav", "sound of the sign-in (odd visit)"};
inline constexpr F EvenVisit{F::Data, F::Sound, "\\music\\L4.wav", "sound of the sign-in (even visit)"};
inline constexpr F Sounds[] = {Greeting, FirstGreeting, AfterAWeek, OddVisit, EvenVisit};
// clang-format on
}  // namespace LoginFiles
