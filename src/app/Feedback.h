// Spoken feedback from DataRoot + MusicDir: "ok" and "no" after single
// answers, praise ("Ok_Cwicz" and "ok_inne" pick one of the ten Ok_
// recordings, "POK" one of the five Pok_ ones), the award sounds ("Z1b",
// "Podlicz1", "Za") and dialogue lines ("dialogi\12").
#pragma once

#include <QString>
#include <functional>

// The mode that returns only when the sound has ended.
constexpr int FeedbackWait = 100;

// Plays `name` + ".wav" through the shared player, closing what it played
// before; the name is upper-cased first (files are found without regard to
// case). A missing file plays nothing. The end is reported to MediaPlayer1Notify
// in either mode.
void PlayFeedback(const QString& name, int mode = 0);

// The file name PlayFeedback plays for `name` (praise names resolved with a
// fresh random choice), without directory and extension.
QString FeedbackSoundName(const QString& name);

// Sees the path of every feedback sound as it starts (the tests follow the
// award sequence with it).
extern std::function<void(const QString& path)> OnFeedbackStarted;
