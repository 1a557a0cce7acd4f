// The files the crossword screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace Cw3Files {
// clang-format off
using F = TScreenFile;
inline constexpr F Landscape{F::Program, F::Picture, "\\gfx\\wyciag.bmp", "crossword screen (landscape)"};
inline constexpr F Panel{F::Program, F::Picture, "\\Gfx\\Panel_kr.bmp", "crossword screen (clue panel)"};
inline constexpr F EmptyLine{F::Program, F::Picture, "\\gfx\\kr_kzyz.bmp", "crossword screen (empty line)"};
inline constexpr F Lift{F::Program, F::Strip, "\\gfx\\wyciag_l.bmp", "crossword screen (ski-lift strip)", 10, 165, 155};
inline constexpr F Yeti{F::Data, F::Strip, "\\gfx\\Anim\\Yeti2.bmp", "crossword screen (Yeti strip)", 10, 64, 94};
inline constexpr F Skier{F::Data, F::Strip, "\\gfx\\Anim\\nar_256.bmp", "crossword screen (skier strip)", 6, 60, 109};
inline constexpr F Pictures[] = {Landscape, Panel, EmptyLine, Lift, Yeti, Skier};

inline constexpr F WordSolved{F::Data, F::Sound, "\\Music\\Drzwi.wav", "crossword screen (a word solved)"};
inline constexpr F YetiSound{F::Data, F::Sound, "\\music\\Yeti.wav", "crossword screen (the Yeti)"};
inline constexpr F SkierSound{F::Data, F::Sound, "\\Music\\narty.wav", "crossword screen (the skier)"};
inline constexpr F Complete{F::Data, F::Sound, "\\music\\1007.wav", "crossword screen (crossword complete)"};
inline constexpr F Wind{F::Program, F::Sound, "\\gfx\\Wyciag\\Wiatr.wav", "crossword screen (wind)"};
inline constexpr F Instruction{F::Data, F::Sound, "\\music\\o7.wav", "crossword screen (the spoken instruction)"};
inline constexpr F Sounds[] = {WordSolved, YetiSound, SkierSound, Complete, Wind, Instruction};
// clang-format on
}  // namespace Cw3Files
