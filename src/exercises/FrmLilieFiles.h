// The files the lily-pad screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace LilieFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Pond{F::Program, F::Picture, "\\Gfx\\Lilie.bmp", "pond of the lily-pad exercise"};
inline constexpr F Stork{F::Data, F::Strip, "\\gfx\\Anim\\bociek.bmp", "stork strip of the lily-pad exercise", 7, 61, 37};
inline constexpr F Frog{F::Data, F::Strip, "\\gfx\\Anim\\Kumka.bmp", "frog strip of the lily-pad exercise", 6, 62, 74};
inline constexpr F Eyes{F::Data, F::Strip, "\\gfx\\Anim\\Oczy.bmp", "eyes strip of the lily-pad exercise", 6, 62, 74};
inline constexpr F Pictures[] = {Pond, Stork, Frog, Eyes};

inline constexpr F FrogSound{F::Data, F::Sound, "\\Music\\1003.wav", "frog's sound of the lily-pad exercise"};
inline constexpr F StorkSound{F::Data, F::Sound, "\\music\\1012.wav", "stork's sound of the lily-pad exercise"};
inline constexpr F Match{F::Data, F::Sound, "\\music\\1014.wav", "match sound of the lily-pad exercise"};
inline constexpr F NoMatch{F::Data, F::Sound, "\\music\\1013.wav", "no-match sound of the lily-pad exercise"};
inline constexpr F Instruction{F::Data, F::Sound, "\\music\\o6.wav", "spoken instruction of the lily-pad exercise"};
inline constexpr F Sounds[] = {FrogSound, StorkSound, Match, NoMatch, Instruction};
// clang-format on
}  // namespace LilieFiles
