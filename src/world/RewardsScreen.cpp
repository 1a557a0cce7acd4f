#include "world/Rewards.h"

#include <algorithm>

#include "app/Feedback.h"
#include "app/Shared.h"
#include "platform/Errors.h"
#include "platform/Picture.h"
#include "players/FrmDiamenty.h"
#include "players/FrmDiamentyFiles.h"

namespace {

void Praise() {
  PlayFeedback(FirstTry ? QStringLiteral("Ok_Cwicz") : QStringLiteral("POK"), FeedbackWait);
}

// Counters stay true on every screen even when the praise or the award screen fails.
struct TCountersRefresh {
  ~TCountersRefresh() { UpdateCounters(); }
};

// What was earned is on disk before the next thing can fail or end the game.
struct TSaveAfter {
  ~TSaveAfter() { SaveProgressSoFar(); }
};

void AwardPlace(int place) {
  const bool girl = PlayerSex == QLatin1String("Woman");
  if (!DiamentyForm) throw EInvalidOperation(QStringLiteral("Ekran nagrody nie istnieje."));
  if (girl)
    DiamentyForm->LayoutCrownDiamonds();
  else
    DiamentyForm->LayoutTimeMachineDiamonds();
  DiamentyForm->ShowEarnedDiamonds();
  PlayFeedback(DiamentyFiles::BigDiamond, FeedbackWait);
  DiamentyForm->LoadBackground(girl);
  // Shown to the child, so spelt right.
  DiamentyForm->SetText(QStringLiteral("Moje gratulacje, udało Ci się zebrać kolejny duży diament do ") +
                        (girl ? QStringLiteral("twojej korony.") : QStringLiteral("twojego wehikułu czasu.")));
  DiamentyForm->Tag = place;
  DiamentyForm->Show();
  if (!AllPlacesComplete()) PlayFeedback(DiamentyFiles::MoreToCollect, FeedbackWait);
}

void RecordDone(const TListEntry& entry, bool playSound) {
  TCountersRefresh refresh;
  TSaveAfter save;
  const TCompletion completion = CountCompletion(entry, FirstTry);
  // The child sees the new points before a praise or fanfare holds the game.
  UpdateCounters();
  switch (completion) {
    case TCompletion::First:
      AwardDiamond(playSound);
      break;
    case TCompletion::Repeat:
    case TCompletion::Unrecorded:
      if (playSound) Praise();
      break;
  }
}

}  // namespace

void RecordExerciseDone(bool playSound) {
  const TListEntry* entry = CurrentExercise();
  if (!entry)
    throw EInvalidOperation(QStringLiteral("Nie ma bieżącego ćwiczenia (pozycja %1 z %2).").arg(ExerciseIndex).arg(ExerciseCount));
  RecordDone(*entry, playSound);
}

void RecordDialogueDone(bool playSound) {
  const TListEntry* entry = CurrentDialogue();
  if (!entry)
    throw EInvalidOperation(QStringLiteral("Nie ma bieżącego dialogu (pozycja %1 z %2).").arg(DialogueIndex).arg(DialogueCount));
  RecordDone(*entry, playSound);
}

void AwardDiamond(bool playSound) {
  const int place = AdvancePlaceCounters(LastCompletedFile);
  if (place != 0)
    AwardPlace(place);
  else if (playSound)
    Praise();
}

bool AllPlacesComplete() {
  if (CompletePlaceCount(PlaceCount) < PlaceTotal) return false;
  PlayFeedback(DiamentyFiles::AllCollected, FeedbackWait);
  return true;
}
