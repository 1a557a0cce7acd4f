// What the check looks at behind a "MOST=" entry: the choice file must read,
// its word sounds should be there, and the pond's pictures and strips (read
// when the exercise loads) must be, with strips wide and high enough for
// their frames.
#include "app/Globals.h"
#include "exercises/FrmCw7Files.h"
#include "exercises/ListeningChoiceFile.h"
#include "lib/Check.h"
#include "lib/Installation.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "world/Dialogues.h"

void CheckListeningChoice(TInstallationCheck& check, const QString& path, const TListFileEntry&,
                          const TWhere& where) {
  TListeningChoice c;
  try {
    c = ReadListeningChoice(ReadWholeFile(path), TInstallationCheck::Shown(path));
  } catch (const Exception& e) {
    check.Error(where, e.Message);
    return;
  }
  for (const TChoiceQuestion& q : c.Questions)
    check.WantSound(
        WordSoundPath(check.DataRoot(), q.WordSound), where,
        QStringLiteral("word sound of \"%1\" (the game beeps)").arg(q.Texts[q.RightChoice - 1]));
  check.NeedScreenFiles(Cw7Files::Pictures, where);
  check.NeedScreenFiles(Cw7Files::Sounds, where);
}
