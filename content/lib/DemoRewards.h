// The demo's rewards: the award screen's crown and time machine with their
// diamonds, the best players background, and the feedback sounds (right,
// wrong, praise and the award sounds). Drawn with shapes only and spoken by
// espeak-ng when it is installed (tones otherwise), so the demo builds anywhere.
#pragma once

#include <QString>

struct TInstallation;

// The award screen's crown and time machine (400 x 300), their diamonds
// (39 x 53 and 24 x 34) on the diamonds' olive key colour, the best players'
// background; where those screens read them under `programDir`.
void WriteRewardPictures(const QString& programDir);
// Right, wrong, the ten praises, the five fair praises and the award's three.
// With `speech` false (or no espeak-ng) every sound is a short tone of its own.
void WriteFeedbackSounds(const QString& dataRoot, bool speech);
// Two players one first completion away from the culture park's diamond:
// "Ola" (a girl: the crown) and "Kuba" (a boy: the time machine), added to the
// player list.
void WriteRewardPlayers(const QString& programDir);
// All of the above.
void WriteDemoRewards(const TInstallation& inst);
