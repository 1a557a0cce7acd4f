#include "app/Feedback.h"

#include <iterator>

#include "app/FeedbackFiles.h"
#include "app/Globals.h"
#include "app/Sound.h"
#include "platform/Strings.h"
#include "platform/Timers.h"

std::function<void(const QString& path)> OnFeedbackStarted;

QString FeedbackSoundName(const QString& name) {
  Randomize();
  QString result = UpperCase(name);
  if (result == QLatin1String("POK"))
    result =
        FeedbackFiles::FairPraise[Random(static_cast<int>(std::size(FeedbackFiles::FairPraise)))]
            .Name();
  if (result == QLatin1String("OK_CWICZ") || result == QLatin1String("OK_INNE"))
    result =
        FeedbackFiles::Praise[Random(static_cast<int>(std::size(FeedbackFiles::Praise)))].Name();
  return result;
}

void PlayFeedback(const TScreenFile& sound, int mode) {
  PlayFeedback(sound.Name(), mode);
}

void PlayFeedback(const QString& name, int mode) {
  PlayOnSharedPlayer(DataRoot + MusicDir + FeedbackSoundName(name) + QStringLiteral(".wav"),
                     mode == FeedbackWait, OnFeedbackStarted);
}
