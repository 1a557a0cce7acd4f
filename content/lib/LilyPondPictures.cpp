#include "lib/LilyPondPictures.h"

#include "exercises/LilyPondFiles.h"
#include "lib/Writers.h"
#include "platform/Paths.h"

void WriteLilyPondPictures(const TInstallation& inst) {
  WriteSolidBmp(inst.ProgramDir() + NormalizeSeparators(LilyPondPicture), 640, 480,
                QColor(120, 190, 220));
  const QColor colours[] = {QColor(240, 240, 240), QColor(60, 150, 60), QColor(90, 120, 60)};
  for (size_t i = 0; i < LilyStrips.size(); ++i) {
    const TLilyStrip& s = LilyStrips[i];
    WriteSolidBmp(inst.DataRoot() + NormalizeSeparators(s.Path), s.Frames * s.Width, s.Height,
                  colours[i]);
  }
}
