// Spoken feedback from DataRoot + MusicDir: right and wrong after single
// answers, praise ("Ok_Cwicz" and "ok_inne" pick one of the ten praises,
// "POK" one of the five fair ones; FeedbackFiles.h), the award sounds and
// dialogue lines ("dialogi\12").
#pragma once

#include <QString>
#include <functional>

#include "controls/ScreenFiles.h"

// The mode that returns only when the sound has ended.
constexpr int FeedbackWait = 100;

// Plays `name` + ".wav" through the shared player, closing what it played
// before; the name is upper-cased first (files are found without regard to
// case). A missing file plays nothing. The end is reported to MediaPlayer1Notify
// in either mode.
void PlayFeedback(const QString& name, int mode = 0);
// The same for a declared sound of the music folder, by its name.
void PlayFeedback(const TScreenFile& sound, int mode = 0);

// The file name PlayFeedback plays for `name` (praise names resolved with a
// fresh random choice), without directory and extension.
QString FeedbackSoundName(const QString& name);

// Sees the path of every feedback sound as it starts (the tests follow the
// award sequence with it).
extern std::function<void(const QString& path)> OnFeedbackStarted;
