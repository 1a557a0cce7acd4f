#include "lib/CrosswordPictures.h"

#include <QPainter>

#include "controls/ScreenArt.h"
#include "lib/Writers.h"

namespace {

// `frames` frames side by side, each a shade lighter, so a frame shows which it is.
QImage PlainStrip(int frames, int width, int height, QColor colour) {
  QImage img(frames * width, height, QImage::Format_RGB32);
  QPainter p(&img);
  for (int f = 0; f < frames; ++f) {
    p.fillRect(f * width, 0, width, height, colour.lighter(100 + 8 * f));
    p.setPen(Qt::black);
    p.drawRect(f * width, 0, width - 1, height - 1);
  }
  return img;
}

}  // namespace

void WriteCrosswordScreenPictures(const TInstallation& inst) {
  const QString p = inst.ProgramDir(), cd = inst.DataRoot();
  WriteSolidBmp(p + "/gfx/wyciag.bmp", 570, 436, QColor(235, 242, 250));
  WriteBmp(p + "/gfx/wyciag_l.bmp",
           PlainStrip(LiftFrames, LiftWidth, LiftHeight, QColor(120, 140, 170)));
  WriteSolidBmp(p + "/gfx/Panel_kr.bmp", 140, 165, QColor(250, 240, 200));
  WriteBmp(p + "/gfx/kr_kzyz.bmp", CrosswordEmptyLine());
  WriteBmp(cd + "/gfx/Anim/Yeti2.bmp",
           PlainStrip(YetiFrames, YetiWidth, YetiHeight, QColor(200, 200, 220)));
  WriteBmp(cd + "/gfx/Anim/nar_256.bmp",
           PlainStrip(SkierFrames, SkierWidth, SkierHeight, QColor(220, 80, 80)));
}
