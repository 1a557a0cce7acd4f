// The files the word exercise screen opens by name.
#pragma once

#include "controls/ScreenFiles.h"

namespace Cw1Files {
// clang-format off
using F = TScreenFile;
inline constexpr F WordCover{F::Program, F::Picture, "\\Gfx\\Prostok.bmp", "picture of the word exercise screen (word cover)"};
inline constexpr F GridRow{F::Program, F::Picture, "\\Gfx\\Kratkownica2.bmp", "picture of the word exercise screen (letter grid row)"};
inline constexpr F DraggingPanel{F::Program, F::Picture, "\\Gfx\\panel_dd.bmp", "picture of the word exercise screen (dragging panel)"};
inline constexpr F Pictures[] = {WordCover, GridRow, DraggingPanel};

// The spoken instructions behind the question mark, one a kind of exercise.
inline constexpr F Presentation{F::Data, F::Sound, "\\music\\o1.wav", "instruction of the word exercise screen (a presentation)"};
inline constexpr F GrammarPresentation{F::Data, F::Sound, "\\music\\o1b.wav", "instruction of the word exercise screen (a grammar presentation)"};
inline constexpr F Pointing{F::Data, F::Sound, "\\music\\o2.wav", "instruction of the word exercise screen (pointing at heard words)"};
inline constexpr F Dragging{F::Data, F::Sound, "\\music\\o3.wav", "instruction of the word exercise screen (dragging words)"};
inline constexpr F Letters{F::Data, F::Sound, "\\music\\o4.wav", "instruction of the word exercise screen (missing letters)"};
inline constexpr F Sounds[] = {Presentation, GrammarPresentation, Pointing, Dragging, Letters};
// clang-format on
}  // namespace Cw1Files
