// The files the start menu opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace MenuStartFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Title{F::Program, F::Picture, "\\Gfx\\tytul.bmp", "picture of the start menu (title picture)"};
inline constexpr F SongsPage{F::Program, F::Picture, "\\Gfx\\T_Songs.bmp", "picture of the start menu (songs page)"};
// The twinkling stars, in the order of their places on the title picture.
inline constexpr F Stars[] = {
    {F::Program, F::Picture, "\\gfx\\star1.bmp", "picture of the start menu (star)"},
    {F::Program, F::Picture, "\\gfx\\star2.bmp", "picture of the start menu (star)"},
    {F::Program, F::Picture, "\\gfx\\star3.bmp", "picture of the start menu (star)"},
    {F::Program, F::Picture, "\\gfx\\star4.bmp", "picture of the start menu (star)"},
    {F::Program, F::Picture, "\\gfx\\star5.bmp", "picture of the start menu (star)"},
    {F::Program, F::Picture, "\\gfx\\star6.bmp", "picture of the start menu (star)"},
    {F::Program, F::Picture, "\\gfx\\star7.bmp", "picture of the start menu (star)"},
};
// The alphabet board's picture, read by the menu before the board is shown.
inline constexpr F AlphabetBoard{F::Program, F::Picture, "\\Gfx\\Alfabet.bmp", "picture of the start menu (alphabet board)"};
inline constexpr F Pictures[] = {Title, SongsPage, Stars[0], Stars[1], Stars[2], Stars[3],
                                 Stars[4], Stars[5], Stars[6], AlphabetBoard};

inline constexpr F PigVideo{F::Data, F::Video, "\\gfx\\avi\\Swinka.avi", "video of the start menu (pig video)"};
inline constexpr F DogVideo{F::Data, F::Video, "\\gfx\\avi\\Piesek.avi", "video of the start menu (dog video)"};
inline constexpr F ParrotVideo{F::Data, F::Video, "\\gfx\\avi\\papuga.avi", "video of the start menu (parrot video)"};
inline constexpr F TimeMachineVideo{F::Data, F::Video, "\\gfx\\avi\\wehikul.avi", "video of the start menu (time machine video)"};
inline constexpr F Videos[] = {PigVideo, DogVideo, ParrotVideo, TimeMachineVideo};

inline constexpr F DogLine{F::Data, F::Sound, "\\music\\l_pies.wav", "sound of the start menu (dog's line)"};
inline constexpr F PigLine{F::Data, F::Sound, "\\music\\l_swin.wav", "sound of the start menu (pig's line)"};
inline constexpr F Music{F::Data, F::Sound, "\\music\\Music.wav", "sound of the start menu (music)"};
inline constexpr F GirlDescription{F::Data, F::Sound, "\\music\\K1.wav", "sound of the start menu (description for a girl)"};
inline constexpr F BoyDescription{F::Data, F::Sound, "\\music\\M1.wav", "sound of the start menu (description for a boy)"};
inline constexpr F Fanfare{F::Data, F::Sound, "\\music\\Fanfary.wav", "sound of the start menu (best players fanfare)"};
inline constexpr F Sounds[] = {DogLine, PigLine, Music, GirlDescription, BoyDescription, Fanfare};
// clang-format on
}  // namespace MenuStartFiles
