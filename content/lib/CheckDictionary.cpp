#include "app/Globals.h"
#include "lib/Installation.h"
#include "lib/Check.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Strings.h"
#include "tools/WordList.h"
#include "world/Dialogues.h"

void CheckWordList(TInstallationCheck& check) {
  const QString path = check.ProgramDir() + QStringLiteral("\\Sb_all_NEW.txt");
  const TWhere file{TInstallationCheck::Shown(path), 0};
  if (!check.NeedFile(path, file, QStringLiteral("word list of the dictionary"))) return;
  TWordList list;
  try {
    list = ReadWordListFile(file.File);
  } catch (const Exception& e) {
    check.Error({}, e.Message);
    return;
  }
  if (list.LinesLeftOut > 0)
    check.Warning({file.File, MaxWordEntries + 1},
                  QStringLiteral("%1 lines past the %2 entries the dictionary holds are left out")
                      .arg(list.LinesLeftOut)
                      .arg(MaxWordEntries));
  for (size_t i = 0; i < list.Entries.size(); ++i) {
    const TWordEntry& e = list.Entries[i];
    const TWhere where{file.File, static_cast<int>(i + 1)};
    if (e.English == NoSeparatorText)
      check.Warning(where,
                    QStringLiteral("the line holds no \"=\": the dictionary shows a warning text"));
    check.WantSound(WordSoundPath(check.DataRoot(), e.Sound), where,
                    QStringLiteral("spoken word of \"%1\"").arg(e.English));
  }
}
