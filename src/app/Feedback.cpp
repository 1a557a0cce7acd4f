#include "app/Feedback.h"

#include "app/Globals.h"
#include "platform/MediaPlayer.h"
#include "platform/Paths.h"
#include "platform/Strings.h"
#include "platform/Timers.h"
#include "world/FrmMain.h"

std::function<void(const QString& path)> OnFeedbackStarted;

QString FeedbackSoundName(const QString& name) {
  Randomize();
  QString result = UpperCase(name);
  if (result == QLatin1String("POK")) result = QStringLiteral("Pok_") + IntToStr(Random(5) + 1);
  if (result == QLatin1String("OK_CWICZ") || result == QLatin1String("OK_INNE"))
    result = QStringLiteral("Ok_") + IntToStr(Random(10) + 1);
  return result;
}

void PlayFeedback(const QString& name, int mode) {
  const QString path = DataRoot + MusicDir + FeedbackSoundName(name) + QStringLiteral(".wav");
  if (!FileExists(path)) return;
  if (!MainForm || !MainForm->MediaPlayer1) return;
  TMediaPlayer* player = MainForm->MediaPlayer1;
  player->Close();
  player->FileName = path;
  player->Open();
  if (OnFeedbackStarted) OnFeedbackStarted(path);
  player->Wait = mode == FeedbackWait;
  player->Play();
}
