// The files the lily-pad screen opens by name, for the screen and for the
// content tool's check.
#pragma once

#include <QString>
#include <array>

// Under ProgramDir, loaded on every show.
inline const QString LilyPondPicture = QStringLiteral("\\Gfx\\Lilie.bmp");

// The animals' frame strips under DataRoot: frames side by side.
struct TLilyStrip {
  const char* What;
  QString Path;
  int Frames, Width, Height;
};
inline const TLilyStrip StorkStrip{"stork", QStringLiteral("\\gfx\\Anim\\bociek.bmp"), 7, 61, 37};
inline const TLilyStrip FrogStrip{"frog", QStringLiteral("\\gfx\\Anim\\Kumka.bmp"), 6, 62, 74};
inline const TLilyStrip EyesStrip{"eyes", QStringLiteral("\\gfx\\Anim\\Oczy.bmp"), 6, 62, 74};
inline const std::array<TLilyStrip, 3> LilyStrips{StorkStrip, FrogStrip, EyesStrip};

// Sounds under DataRoot (the spoken instruction is a feedback sound, "o6").
struct TLilySound {
  const char* What;
  QString Path;
};
inline const TLilySound FrogSound{"frog's", QStringLiteral("\\Music\\1003.wav")};
inline const TLilySound StorkSound{"stork's", QStringLiteral("\\music\\1012.wav")};
inline const TLilySound MatchSound{"match", QStringLiteral("\\music\\1014.wav")};
inline const TLilySound NoMatchSound{"no-match", QStringLiteral("\\music\\1013.wav")};
inline const std::array<TLilySound, 4> LilySounds{FrogSound, StorkSound, MatchSound, NoMatchSound};
