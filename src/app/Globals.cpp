#include "app/Globals.h"

#include <QDate>
#include <algorithm>

#include "app/InstallationChoice.h"
#include "platform/Errors.h"

QString ProgramDir, DataRoot, GfxDir, MusicDir, WordsDir, LocationsDir, LoginDir, ReadOnlyLoginDir;
TFont TextFont, SmallFont;
QString ShortDateFormat;

int PlayerCount;
std::array<QString, MaxPlayers> PlayerNames;
QString PlayerName, LastPlayDate, PlayerSex;
int VisitCount, RedCount, GreenCount;
std::array<int, PlaceTotal> PlaceCount;
std::array<TExerciseResult, MaxResults> ExerciseResults;
int ResultCount;

int ExerciseKind, RightAnswers;
bool StripArticles, FirstTry, RegenerateGaps;
std::array<TListEntry, MaxExercises> ExerciseList;
int ExerciseCount, ExerciseIndex;
std::array<TListEntry, MaxDialogues> DialogueList;
int DialogueCount, DialogueIndex;
bool DialogueFromExercise;
QString LastCompletedFile, LastExercisePicture, RememberFile;

const TListEntry* ExerciseAt(int index) {
  if (index < 1 || index > std::min(ExerciseCount, MaxExercises)) return nullptr;
  return &ExerciseList[index - 1];
}

const TListEntry* CurrentExercise() {
  return ExerciseAt(ExerciseIndex);
}

const TListEntry* CurrentDialogue() {
  if (DialogueIndex < 1 || DialogueIndex > std::min(DialogueCount, MaxDialogues)) return nullptr;
  return &DialogueList[DialogueIndex - 1];
}

bool ReadAloud;
int ReadAloudPos, ReadAloudCount;

bool InputBlocked;

void ResetSharedState() {
  ProgramDir = DataRoot = GfxDir = MusicDir = WordsDir = LocationsDir = LoginDir =
      ReadOnlyLoginDir = QString();
  SetQuotableFolders({});
  ProgramDirShared = false;
  TextFont = TFont{QStringLiteral("Times New Roman CE"), 16, clBlack, 0};
  SmallFont = TFont{QStringLiteral("Arial CE"), 10, clBlack, 0};
  ShortDateFormat = QStringLiteral("yyyy-mm-dd");
  PlayerCount = 0;
  PlayerNames.fill(QString());
  PlayerName = LastPlayDate = PlayerSex = QString();
  VisitCount = RedCount = GreenCount = 0;
  PlaceCount.fill(0);
  ExerciseResults.fill(TExerciseResult{});
  ResultCount = 0;
  ExerciseKind = RightAnswers = 0;
  StripArticles = FirstTry = RegenerateGaps = false;
  ExerciseList.fill(TListEntry{});
  ExerciseCount = ExerciseIndex = 0;
  DialogueList.fill(TListEntry{});
  DialogueCount = DialogueIndex = 0;
  DialogueFromExercise = false;
  LastCompletedFile = LastExercisePicture = RememberFile = QString();
  ReadAloud = false;
  ReadAloudPos = ReadAloudCount = 0;
  InputBlocked = false;
}

namespace {
// Static initialisation gives every variable its starting value.
const bool g_initialised = (ResetSharedState(), true);
}  // namespace

int FindFrom(int from, const QString& text, const QString& pattern) {
  if (pattern.isEmpty() || text.isEmpty() || from < 1 || from > text.size()) return -1;
  const qsizetype at = text.indexOf(pattern, from - 1);
  if (at < 0) return -1;
  const int p = static_cast<int>(at - (from - 1)) + 1;  // 1-based within the part
  return from + p;
}

QString DateToStr() {
  // ShortDateFormat uses the original's letters: yyyy, mm, dd.
  QString qtFormat = ShortDateFormat;
  qtFormat.replace(QStringLiteral("mm"), QStringLiteral("MM"));
  return QDate::currentDate().toString(qtFormat);
}
