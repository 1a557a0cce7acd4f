// The demo's rewards: the award screen's crown and time machine with their
// diamonds, the best players background, and the feedback sounds (right,
// wrong, praise and the award sounds). Drawn with shapes only and spoken by
// espeak-ng when it is installed (tones otherwise), so the demo builds anywhere.
#pragma once

#include <QString>

struct TInstallation;

// ProgramDir\gfx\: _korona.bmp and _wehikul.bmp (400 x 300), di_kor.bmp
// (39 x 53) and di_weh.bmp (24 x 34) on the diamonds' olive key colour, TopTen.bmp.
void WriteRewardPictures(const QString& programDir);
// DataRoot\music\: ok, no, Ok_1 .. Ok_10, Pok_1 .. Pok_5, Z1b, Podlicz1, Za.
// With `speech` false (or no espeak-ng) every sound is a short tone of its own.
void WriteFeedbackSounds(const QString& dataRoot, bool speech);
// Two players one first completion away from the culture park's diamond:
// "Ola" (a girl: the crown) and "Kuba" (a boy: the time machine), added to the
// player list.
void WriteRewardPlayers(const QString& programDir);
// All of the above.
void WriteDemoRewards(const TInstallation& inst);
