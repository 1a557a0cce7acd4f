// What the check looks at behind a "MOST=" entry: the choice file must read,
// its word sounds should be there, and the pond's pictures and strips (read
// when the exercise loads) must be, with strips wide and high enough for
// their frames.
#include "app/Globals.h"
#include "exercises/ListeningChoiceFile.h"
#include "lib/Installation.h"
#include "lib/Check.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "world/Dialogues.h"

namespace {

QString PondPath(const TInstallationCheck& check, const TPondFile& f) {
  return (f.UnderProgram ? check.ProgramDir() : check.DataRoot()) + QString::fromLatin1(f.Path);
}

}  // namespace

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
  for (const TPondFile& f : PondFiles::Pictures) {
    QSize size;
    const QString what =
        QStringLiteral("listening choice picture (%1)").arg(QString::fromLatin1(f.What));
    if (!check.NeedPicture(PondPath(check, f), where, what, &size) || f.Frames == 0) continue;
    if (size.width() < f.Frames * f.FrameWidth || size.height() < f.FrameHeight)
      check.Warning(where, QStringLiteral("%1 is %2 x %3, its %4 frames need %5 x %6")
                               .arg(what)
                               .arg(size.width())
                               .arg(size.height())
                               .arg(f.Frames)
                               .arg(f.Frames * f.FrameWidth)
                               .arg(f.FrameHeight));
  }
  for (const TPondFile& f : PondFiles::Sounds)
    check.WantSound(PondPath(check, f), where,
                    QStringLiteral("listening choice sound (%1)").arg(QString::fromLatin1(f.What)));
}
