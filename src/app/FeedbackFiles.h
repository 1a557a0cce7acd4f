// The spoken feedback after answers. PlayFeedback takes their names
// (TScreenFile::Name), as the screens' calls always did.
#pragma once

#include "controls/ScreenFiles.h"

namespace FeedbackFiles {
// clang-format off
using F = TScreenFile;
inline constexpr F Right{F::Data, F::Sound, "\\music\\ok.wav", "feedback sound (a right answer)"};
inline constexpr F Wrong{F::Data, F::Sound, "\\music\\no.wav", "feedback sound (a wrong answer)"};
inline constexpr F Sounds[] = {Right, Wrong};
// Praise for an exercise done at the first try ("Ok_Cwicz", "ok_inne")...
inline constexpr F Praise[] = {
    {F::Data, F::Sound, "\\music\\Ok_1.wav", "feedback sound (praise)"},
    {F::Data, F::Sound, "\\music\\Ok_2.wav", "feedback sound (praise)"},
    {F::Data, F::Sound, "\\music\\Ok_3.wav", "feedback sound (praise)"},
    {F::Data, F::Sound, "\\music\\Ok_4.wav", "feedback sound (praise)"},
    {F::Data, F::Sound, "\\music\\Ok_5.wav", "feedback sound (praise)"},
    {F::Data, F::Sound, "\\music\\Ok_6.wav", "feedback sound (praise)"},
    {F::Data, F::Sound, "\\music\\Ok_7.wav", "feedback sound (praise)"},
    {F::Data, F::Sound, "\\music\\Ok_8.wav", "feedback sound (praise)"},
    {F::Data, F::Sound, "\\music\\Ok_9.wav", "feedback sound (praise)"},
    {F::Data, F::Sound, "\\music\\Ok_10.wav", "feedback sound (praise)"},
};
// ... and for one done after mistakes ("POK").
inline constexpr F FairPraise[] = {
    {F::Data, F::Sound, "\\music\\Pok_1.wav", "feedback sound (praise after mistakes)"},
    {F::Data, F::Sound, "\\music\\Pok_2.wav", "feedback sound (praise after mistakes)"},
    {F::Data, F::Sound, "\\music\\Pok_3.wav", "feedback sound (praise after mistakes)"},
    {F::Data, F::Sound, "\\music\\Pok_4.wav", "feedback sound (praise after mistakes)"},
    {F::Data, F::Sound, "\\music\\Pok_5.wav", "feedback sound (praise after mistakes)"},
};
// clang-format on
}  // namespace FeedbackFiles
