#include "controls/ButtonStrips.h"

#include <QString>

#include "controls/MyImageList.h"

QString ButtonStripPath(const QString& programDir, const TButtonStrip& strip) {
  return programDir + QStringLiteral("\\buttons\\") + QLatin1String(strip.File);
}

void LoadButtonStrips(TMyImageList& list, const QString& programDir) {
  list.Clear();
  for (const TButtonStrip& strip : ButtonStrips)
    list.AddLater(ButtonStripPath(programDir, strip), strip.Frames, 0, 0);
}
