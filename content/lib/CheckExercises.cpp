// What the check looks at inside each exercise and dialogue data file: the
// file must read, and the pictures and sounds it names must be there.
#include <QFileInfo>
#include <algorithm>

#include "app/Globals.h"
#include "exercises/ExerciseFiles.h"
#include "menu/NoteFile.h"
#include "lib/Check.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "world/Dialogues.h"
#include "world/ExerciseList.h"

namespace {

// The game's own name of a numbered word sound under this data root.
QString WordSoundPath(const TInstallationCheck& check, int number) {
  const QString savedRoot = DataRoot, savedWords = WordsDir;
  DataRoot = check.DataRoot();
  WordsDir = QStringLiteral("\\words\\");
  const QString path = DialogueLinePath(QString::number(number));
  DataRoot = savedRoot;
  WordsDir = savedWords;
  return path;
}

template <typename Read>
bool Readable(TInstallationCheck& check, const TWhere& where, Read read) {
  try {
    read();
    return true;
  } catch (const Exception& e) {
    check.Error(where, e.Message);
    return false;
  }
}

void CheckWordExercise(TInstallationCheck& check, const QString& path, const TListFileEntry& entry, const TWhere& where) {
  TWordExercise e;
  if (!Readable(check, where, [&] { e = ReadWordExercise(ReadWholeFile(path), TInstallationCheck::Shown(path)); })) return;
  check.NeedPicture(check.DataRoot() + QStringLiteral("\\cwicz") + e.PictureName, where, QStringLiteral("exercise picture"));
  if (entry.Key == QLatin1String("PREZ=")) {
    // The presentations the game gives a note or a dialogue button to.
    if (std::find(RememberFiles.begin(), RememberFiles.end(), entry.File) != RememberFiles.end())
      check.NeedFile(NoteFilePath(check.ProgramDir(), entry.File), where, QStringLiteral("remember note"));
    if (std::find(DialogueLinkFiles.begin(), DialogueLinkFiles.end(), entry.File) != DialogueLinkFiles.end())
      check.CheckList(QStringLiteral("\\cwicz") + entry.File.left(entry.File.size() - 4) + QStringLiteral(".fc6"),
                      TListKind::Dialogues, where);
  }
  const int used = e.UsedCount();
  if (used == 0) check.Error(where, QStringLiteral("no item of the exercise takes part"));
  if (entry.Key == QLatin1String("DDRO=") && used == 1)
    check.Warning(where, QStringLiteral("a dragging exercise with one word has nothing to shuffle"));
  for (int i = 0; i < e.ItemCount && i < WordItems; ++i) {
    const size_t k = static_cast<size_t>(i);
    if (e.ItemUsed[k] != 1) continue;
    check.WantSound(WordSoundPath(check, e.SoundNumbers[k]), where, QStringLiteral("word sound of \"%1\"").arg(e.Words[k]));
    if (entry.Key == QLatin1String("ULIT=") && StripArticle(e.Words[k]).size() > 15)
      check.Error(where, QStringLiteral("\"%1\" is longer than the letter grid's 15 cells").arg(StripArticle(e.Words[k])));
  }
}

void CheckWordSearch(TInstallationCheck& check, const QString& path, const TListFileEntry&, const TWhere& where) {
  Readable(check, where, [&] { ReadWordSearch(ReadWholeFile(path), TInstallationCheck::Shown(path)); });
}

void CheckDialogue(TInstallationCheck& check, const QString& path, const TListFileEntry&, const TWhere& where) {
  TDialogue d;
  if (!Readable(check, where, [&] { d = ReadDialogue(ReadWholeFile(path), TInstallationCheck::Shown(path)); })) return;
  for (const TDialogueLine& l : d.Lines)
    check.WantSound(check.DataRoot() + QStringLiteral("\\music\\dialogi\\%1.wav").arg(l.SoundNo), where,
                    QStringLiteral("sound of the line \"%1\" (the reading stops there)").arg(l.Text));
}

void CheckGapDialogue(TInstallationCheck& check, const QString& path, const TListFileEntry&, const TWhere& where) {
  Readable(check, where, [&] { ReadGapDialogue(ReadWholeFile(path), TInstallationCheck::Shown(path)); });
}

}  // namespace

void AddExerciseChecks(std::map<QString, TInstallationCheck::TEntryCheck>& checks) {
  for (const char* key : {"PREZ=", "DDRO=", "WRYS=", "ULIT="}) checks[QString::fromLatin1(key)] = CheckWordExercise;
  checks[QStringLiteral("PKRZ=")] = CheckWordSearch;
  checks[QStringLiteral("DIAL=")] = CheckDialogue;
  checks[QStringLiteral("DIAC=")] = CheckGapDialogue;
  checks[QStringLiteral("MOST=")] = CheckListeningChoice;
}
