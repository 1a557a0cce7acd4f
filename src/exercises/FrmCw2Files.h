// The files the word search screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace Cw2Files {
// clang-format off
using F = TScreenFile;
inline constexpr F Background{F::Program, F::Picture, "\\gfx\\P_Krzyrz.bmp", "word search background"};
// Its least size depends on the grid: 10 + 25 pixels a cell each way.
inline constexpr F Grid{F::Program, F::Picture, "\\gfx\\P_Krzy_S.bmp", "word search grid picture"};
inline constexpr F Peeker{F::Data, F::Strip, "\\gfx\\Anim\\Apacz.bmp", "word search strip", 10, 60, 96};
inline constexpr F Figure{F::Data, F::Strip, "\\gfx\\Anim\\Zloto2.bmp", "word search strip", 6, 223, 295};
inline constexpr F Fish{F::Data, F::Strip, "\\gfx\\Anim\\Ryba.bmp", "word search strip", 4, 196, 100};
inline constexpr F Pictures[] = {Background, Grid, Peeker, Figure, Fish};

inline constexpr F WordFound{F::Data, F::Sound, "\\music\\1009.wav", "word search sound"};
inline constexpr F FirstLetter{F::Data, F::Sound, "\\music\\1010.wav", "word search sound"};
inline constexpr F WrongWord{F::Data, F::Sound, "\\music\\1011.wav", "word search sound"};
inline constexpr F PeekerSound{F::Data, F::Sound, "\\music\\apacz.wav", "word search sound"};
inline constexpr F FishSound{F::Data, F::Sound, "\\music\\plusk2.wav", "word search sound"};
inline constexpr F TimeOut{F::Data, F::Sound, "\\music\\Pk1.wav", "word search sound"};
inline constexpr F Help{F::Data, F::Sound, "\\music\\o5.wav", "word search sound"};
inline constexpr F Sounds[] = {WordFound, FirstLetter, WrongWord, PeekerSound, FishSound, TimeOut, Help};
// clang-format on
}  // namespace Cw2Files
