#include "app/Sound.h"

#include "app/Globals.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "world/FrmMain.h"

std::function<void(const QString& path)> OnWaveStarted;

void PlayOnSharedPlayer(const QString& path, bool wait,
                        const std::function<void(const QString& path)>& started) {
  if (!FileExists(path)) return;
  if (!MainForm || !MainForm->MediaPlayer1) return;
  TMediaPlayer* player = MainForm->MediaPlayer1;
  player->Close();
  player->FileName = path;
  player->Open();
  if (started) started(path);
  player->Wait = wait;
  player->Play();
}

void PlayWave(const QString& path) {
  PlayOnSharedPlayer(path, false, OnWaveStarted);
}

void StopWave() {
  if (MainForm && MainForm->MediaPlayer1) MainForm->MediaPlayer1->Close();
}

void StopAndClose(TMediaPlayer* player) {
  if (!player) return;
  if (player->Mode() == mpPlaying) player->Stop();
  if (player->IsOpen()) player->Close();
}

void StopSharedPlayer() {
  StopAndClose(MainForm ? MainForm->MediaPlayer1 : nullptr);
}
