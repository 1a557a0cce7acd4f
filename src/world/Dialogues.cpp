#include "world/Dialogues.h"

#include <algorithm>

#include "app/Feedback.h"
#include "app/Sound.h"
#include "exercises/FrmCw5.h"
#include "menu/FrmMenuStart.h"
#include "platform/Beep.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"
#include "platform/Timers.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"

bool ReadAllLines = false;
bool ChildReadsEven = false;
bool ChildReadsOdd = false;
int ReadLinePos = 0;
int ReadingRun = 0;
std::function<void()> AdvancePresentation;

namespace {

constexpr int kSoundsPerFolder = 200;
// The child's line stays green this long per character of its English text.
constexpr int kChildMsPerChar = 89;

// Reads and checks the file a dialogue entry names, as the dialogue screen
// will, before anything changes: a broken one shows only its error.
void CheckDialogueFile(const TListEntry& entry) {
  const QString path = ProgramDir + QStringLiteral("\\cwicz") + entry.File;
  if (entry.Key == QLatin1String("DIAL="))
    LoadDialogueFile(path);
  else if (entry.Key == QLatin1String("DIAC="))
    LoadGapDialogueFile(path);
}

int LineCount() { return Cw5Form ? Cw5Form->LineCount : 0; }

void Colour(int line, TColor colour) {
  if (Cw5Form) Cw5Form->SetLineColour(line, colour);
}

void Say(int line) {
  if (Cw5Form) Cw5Form->SayLine(line);
}

void EndReading() {
  ReadAloud = false;
  ReadAllLines = ChildReadsEven = ChildReadsOdd = false;
  StopWave();
}

// Role play: the line just said goes black; the child's line after it is
// green for a while, then the line after that is said.
void RolePlayStep() {
  const int n = LineCount();
  Colour(ReadLinePos, clBlack);
  if (ReadLinePos + 2 > n) {
    EndReading();
    return;
  }
  const int childLine = ++ReadLinePos;
  const int run = ReadingRun;
  Colour(childLine, LineGreen);
  Delay(kChildMsPerChar * static_cast<int>(Cw5Form->DialogueLines[childLine - 1].Text.size()));
  // A reading started during the pause owns the lines now.
  if (run != ReadingRun) return;
  Colour(childLine, clBlack);
  if (!ReadAloud) return;
  ++ReadLinePos;
  Say(ReadLinePos);
  Colour(ReadLinePos, LineRed);
}

void WholeDialogueStep() {
  ++ReadLinePos;
  Colour(ReadLinePos - 1, clBlack);
  if (ReadLinePos > LineCount()) {
    EndReading();
    return;
  }
  Colour(ReadLinePos, LineRed);
  Say(ReadLinePos);
}

}  // namespace

std::vector<TListEntry> ParseDialogueList(const QByteArray& bytes, const QString& fileName) {
  TTextReader reader(bytes, fileName);
  const int count = StrToInt(reader.ReadLine().mid(ListLabelLength), fileName, 1);
  if (count < 1 || count > MaxDialogues)
    throw EFormatError(Located(fileName, 1,
                               QStringLiteral("liczba dialogów %1 poza zakresem 1 … %2").arg(count).arg(MaxDialogues)));
  std::vector<TListEntry> entries;
  entries.reserve(count);
  for (int i = 1; i <= count; ++i) {
    if (reader.Eof())
      throw EFormatError(Located(fileName, i + 1,
                                 QStringLiteral("brak dialogu %1 z %2 zapowiedzianych").arg(i).arg(count)));
    const QString line = reader.ReadLine();
    const QString file = line.mid(ListKeyLength);
    if (const QString problem = ClimbingNameProblem(file, fileName); !problem.isEmpty())
      throw EFormatError(Located(fileName, reader.LineNo(), problem));
    entries.push_back(TListEntry{line.left(ListKeyLength), file});
  }
  return entries;
}

QByteArray FormatDialogueList(const std::vector<TListEntry>& entries) {
  TTextWriter w;
  w.WriteLine(QStringLiteral("Dialogi   =") + IntToStr(static_cast<long long>(entries.size())));
  for (const TListEntry& e : entries) w.WriteLine(e.Key + e.File);
  return w.Bytes();
}

void Dialogues::LoadDialogueList(const QString& path) {
  const std::vector<TListEntry> entries = ParseDialogueList(ReadWholeFile(path), path);
  CheckDialogueFile(entries.front());
  if (Cw5Form) Cw5Form->Edit_1->Hide();
  DialogueList.fill(TListEntry{});
  std::copy(entries.begin(), entries.end(), DialogueList.begin());
  DialogueCount = static_cast<int>(entries.size());
  DialogueIndex = 1;
  if (Cw5Form) {
    Cw5Form->CW5_KWS_left->Hide();
    Cw5Form->cw5_kws_right->SetVisible(DialogueCount >= 2);
  }
  StartDialogue();
}

void StartDialogue() {
  const TListEntry* current = CurrentDialogue();
  if (current) CheckDialogueFile(*current);
  CloseExerciseScreens(Cw5Form);
  if (!Cw5Form || !current) return;
  const TListEntry& entry = *current;
  const QString path = ProgramDir + QStringLiteral("\\cwicz") + entry.File;
  if (entry.Key == QLatin1String("DIAL="))
    Cw5Form->LoadDialogue(path);
  else if (entry.Key == QLatin1String("DIAC="))
    Cw5Form->LoadGapDialogue(path);
}

QString NumberedSoundPath(const QString& dataRoot, const QString& wordsDir, const QString& number) {
  const int n = StrToInt(number);
  const int folder = n / kSoundsPerFolder + 1;
  const QString f = (folder < 10 ? QStringLiteral("0") : QString()) + IntToStr(folder);
  QString m = number;
  if (m.size() < 5) m = QString(5 - m.size(), u'0') + m;
  return dataRoot + wordsDir + QStringLiteral("D_") + f + QStringLiteral(".cdr\\") + m + QStringLiteral(".wav");
}

QString DialogueLinePath(const QString& number) { return NumberedSoundPath(DataRoot, WordsDir, number); }

void PlayDialogueLine(const QString& number) {
  const QString path = DialogueLinePath(number);
  if (!FileExists(path) || !MainForm || !MainForm->MediaPlayer1) {
    Beep();
    return;
  }
  TMediaPlayer* player = MainForm->MediaPlayer1;
  player->Close();
  player->FileName = path;
  player->Open();
  player->Play();
}

void MainMediaPlayerNotify(TMPNotifyValues result) {
  MenuIdleSoundEnded(result);
  if (result != nvSuccessful || !ReadAloud) return;
  if (ChildReadsOdd || ChildReadsEven)
    RolePlayStep();
  else if (ReadAllLines)
    WholeDialogueStep();
  else if (AdvancePresentation)
    AdvancePresentation();
}

void InstallDialogues() { ::LoadDialogueList = &Dialogues::LoadDialogueList; }
