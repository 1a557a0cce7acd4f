#include "lib/CrosswordPictures.h"

#include <QPainter>

#include "controls/ScreenArt.h"
#include "exercises/FrmCw3Files.h"
#include "lib/Writers.h"

namespace {

// `frames` frames side by side, each a shade lighter, so a frame shows which it is.
void WritePlainStrip(const TInstallation& inst, const TScreenFile& s, QColor colour) {
  QImage img(s.NeededWidth(), s.Height, QImage::Format_RGB32);
  QPainter p(&img);
  for (int f = 0; f < s.Frames; ++f) {
    p.fillRect(f * s.Width, 0, s.Width, s.Height, colour.lighter(100 + 8 * f));
    p.setPen(Qt::black);
    p.drawRect(f * s.Width, 0, s.Width - 1, s.Height - 1);
  }
  p.end();
  WriteBmp(inst.PathOf(s), img);
}

}  // namespace

void WriteCrosswordScreenPictures(const TInstallation& inst) {
  WriteSolidBmp(inst.PathOf(Cw3Files::Landscape), 570, 436, QColor(235, 242, 250));
  WritePlainStrip(inst, Cw3Files::Lift, QColor(120, 140, 170));
  WriteSolidBmp(inst.PathOf(Cw3Files::Panel), 140, 165, QColor(250, 240, 200));
  WriteBmp(inst.PathOf(Cw3Files::EmptyLine), CrosswordEmptyLine());
  WritePlainStrip(inst, Cw3Files::Yeti, QColor(200, 200, 220));
  WritePlainStrip(inst, Cw3Files::Skier, QColor(220, 80, 80));
}
