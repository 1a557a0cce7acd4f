// Playing the game's wave sounds through the location screen's shared player.
#pragma once

#include <QString>
#include <functional>

// Plays one wave file without waiting; the end goes to MainForm's
// MediaPlayer1Notify. A missing file is skipped silently and leaves whatever
// is playing untouched.
void PlayWave(const QString& path);
// What PlayWave and PlayFeedback share: `started` sees the path once the file
// is open; with `wait` it returns only when the sound has ended.
void PlayOnSharedPlayer(const QString& path, bool wait,
                        const std::function<void(const QString& path)>& started);

// Stops at once whatever PlayWave started: the shared player is closed, so its
// end notification reports the sound aborted.
void StopWave();

class TMediaPlayer;
// Stops `player` if it plays, then closes it if it is open (null: nothing).
void StopAndClose(TMediaPlayer* player);
// The same for the shared player, as a screen does when it leaves.
void StopSharedPlayer();

// Sees the path of every wave PlayWave starts (the tests follow the screens' sounds with it).
extern std::function<void(const QString& path)> OnWaveStarted;
