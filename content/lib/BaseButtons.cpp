#include "lib/BaseButtons.h"

#include <QPainter>

#include "controls/ButtonStrips.h"
#include "lib/Writers.h"

void WriteBaseButtonStrips(const QString& programDir) {
  constexpr int kSide = 33;
  const QColor key(255, 0, 255);  // the bottom-left pixel is the key colour
  int index = 0;
  for (const TButtonStrip& strip : ButtonStrips) {
    QImage img(kSide * strip.Frames, kSide, QImage::Format_RGB32);
    img.fill(key);
    QPainter p(&img);
    for (int f = 0; f < strip.Frames; ++f) {
      // A disc in a colour of its own per strip, lighter when highlighted.
      const QColor c = QColor::fromHsv((index * 37) % 360, 160, f == 0 ? 190 : 250);
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawEllipse(QRect(f * kSide + 3, 3, kSide - 6, kSide - 6));
    }
    p.end();
    WriteBmp(ButtonStripPath(programDir, strip), img);
    ++index;
  }
}
