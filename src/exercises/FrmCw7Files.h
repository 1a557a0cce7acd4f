// The files the listening choice screen (the pond) opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace Cw7Files {
// clang-format off
using F = TScreenFile;
inline constexpr F Pond{F::Program, F::Picture, "\\gfx\\Pieski.bmp", "listening choice picture (the pond)"};
inline constexpr F Panel{F::Program, F::Picture, "\\gfx\\Panel_pi.bmp", "listening choice picture (the answer panel)"};
inline constexpr F Balloon{F::Program, F::Picture, "\\gfx\\Balon.bmp", "listening choice picture (the balloon)"};
inline constexpr F Fish{F::Data, F::Strip, "\\gfx\\anim\\Rybka.bmp", "listening choice picture (the fish)", 5, 219, 120};
inline constexpr F Periscope{F::Data, F::Strip, "\\gfx\\anim\\Peryskop.bmp", "listening choice picture (the periscope)", 20, 60, 70};
inline constexpr F Crying{F::Data, F::Strip, "\\gfx\\anim\\Placz.bmp", "listening choice picture (the crying puppy)", 6, 127, 117};
inline constexpr F Still{F::Data, F::Strip, "\\gfx\\anim\\Pies0.bmp", "listening choice picture (the puppy at rest)", 1, 127, 117};
inline constexpr F Bark{F::Data, F::Strip, "\\gfx\\anim\\Szczek.bmp", "listening choice picture (the barking dog)", 7, 157, 122};
inline constexpr F Run{F::Data, F::Strip, "\\gfx\\anim\\Run2.bmp", "listening choice picture (the running puppy)", 20, 350, 127};
inline constexpr F Home{F::Data, F::Strip, "\\gfx\\anim\\Pies_end.bmp", "listening choice picture (the dog at home)", 4, 174, 118};
inline constexpr F Pictures[] = {Pond, Panel, Balloon, Fish, Periscope, Crying, Still, Bark, Run, Home};

inline constexpr F Mama{F::Data, F::Sound, "\\music\\mama.wav", "listening choice sound (the barking and the dog at home)"};
inline constexpr F RunHome{F::Data, F::Sound, "\\music\\1002.wav", "listening choice sound (the puppy running home)"};
inline constexpr F Splash{F::Data, F::Sound, "\\music\\plusk3.wav", "listening choice sound (the fish)"};
inline constexpr F Bubbles{F::Data, F::Sound, "\\music\\bulgot.wav", "listening choice sound (the periscope)"};
inline constexpr F PondSound{F::Data, F::Sound, "\\music\\1005.wav", "listening choice sound (the pond)"};
inline constexpr F Instruction{F::Data, F::Sound, "\\music\\o8.wav", "listening choice sound (the spoken instruction)"};
inline constexpr F Sounds[] = {Mama, RunHome, Splash, Bubbles, PondSound, Instruction};
// clang-format on
}  // namespace Cw7Files
