#include "lib/LilyPondPictures.h"

#include "exercises/FrmLilieFiles.h"
#include "lib/Writers.h"

void WriteLilyPondPictures(const TInstallation& inst) {
  WriteSolidBmp(inst.PathOf(LilieFiles::Pond), 640, 480, QColor(120, 190, 220));
  const QColor colours[] = {QColor(240, 240, 240), QColor(60, 150, 60), QColor(90, 120, 60)};
  const TScreenFile strips[] = {LilieFiles::Stork, LilieFiles::Frog, LilieFiles::Eyes};
  for (size_t i = 0; i < std::size(strips); ++i)
    WriteSolidBmp(inst.PathOf(strips[i]), strips[i].NeededWidth(), strips[i].Height, colours[i]);
}
