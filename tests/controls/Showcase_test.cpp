// The controls together over a picture. With TARVOLIN_CONTROLS_SHOT=file.png
// the scene is also written out; with TARVOLIN_CONTROLS_HOLD_MS=n it stays on
// screen n ms (for a screenshot of a real display).
#include <gtest/gtest.h>

#include <QPainter>
#include <QPolygon>
#include <QTemporaryDir>

#include "controls/Animate.h"
#include "controls/BmpTransparent.h"
#include "controls/TransparentButton.h"
#include "lib/Writers.h"
#include "support/Support.h"

namespace {

const QColor kTransparentKey(255, 0, 255);

// Two 33 x 33 frames of an arrow: yellow, then orange for the highlight.
QImage ArrowStrip() {
  QImage img(66, 33, QImage::Format_RGB32);
  img.fill(kTransparentKey);
  QPainter p(&img);
  const QPolygon arrow({QPoint(4, 16), QPoint(18, 3), QPoint(18, 10), QPoint(29, 10),
                        QPoint(29, 22), QPoint(18, 22), QPoint(18, 29)});
  for (int f = 0; f < 2; ++f) {
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(f == 0 ? QColor(250, 220, 40) : QColor(255, 120, 0));
    p.drawPolygon(arrow.translated(33 * f, 0));
  }
  return img;
}

QImage Sky() {
  QImage img(320, 160, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, 160);
  g.setColorAt(0, QColor(90, 150, 230));
  g.setColorAt(1, QColor(230, 240, 255));
  p.fillRect(img.rect(), g);
  p.fillRect(QRect(0, 120, 320, 40), QColor(70, 160, 60));
  return img;
}

// A 24 x 34 diamond on olive, the award screen's kind of picture.
QImage Diamond() {
  QImage img(24, 34, QImage::Format_RGB32);
  img.fill(QColor(128, 128, 0));
  QPainter p(&img);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(80, 220, 255));
  p.drawPolygon(QPolygon({QPoint(12, 0), QPoint(23, 12), QPoint(12, 33), QPoint(0, 12)}));
  return img;
}

// Three frames of a ball bouncing; white is its transparent colour.
QImage BallStrip() {
  QImage img(120, 40, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 40, 40));
  for (int f = 0; f < 3; ++f) p.drawEllipse(QRect(40 * f + 8, 4 + 8 * f, 24, 24));
  return img;
}

}  // namespace

TEST(Showcase, ControlsOverAPicture) {
  QTemporaryDir dir;
  WriteBmp(dir.path() + "/_left.bmp", ArrowStrip());
  TMyImageList list;
  list.Add(dir.path() + "/_left.bmp", 2, 0, 0);

  TPanel stage(nullptr);
  stage.SetColor(RGBColor(40, 40, 60));
  stage.resize(320, 160);
  auto* back = new TImage(&stage);
  back->SetBounds(0, 0, 320, 160);
  back->SetPicture(Sky());

  auto* normal = new TTransparentButton(&stage);
  normal->SetImageList(&list);
  normal->SetBitmapNormal(0);
  normal->move(20, 20);
  auto* lit = new TTransparentButton(&stage);
  lit->SetImageList(&list);
  lit->SetBitmapNormal(0);
  lit->move(20, 70);
  lit->SetStan(1);

  auto* ball = new TAnimated(&stage);
  ball->move(120, 40);
  ball->SetWidth(40);
  ball->SetBitMap(BallStrip());
  ball->SetFrameCount(3);
  ball->SetFrame(1);
  ball->SetTransparentColor(clWhite);

  auto* diamond = new TBmpTransparent(&stage);
  diamond->SetBounds(220, 40, 30, 40);
  diamond->SetAuto(true);
  diamond->SetPicture(Diamond());

  QImage shot(stage.size(), QImage::Format_RGB32);
  stage.render(&shot);
  const QRgb sky = Sky().pixel(21, 21);
  EXPECT_EQ(shot.pixel(20 + 20, 20 + 16), qRgb(250, 220, 40));  // normal frame
  EXPECT_EQ(shot.pixel(20 + 20, 70 + 16), qRgb(255, 120, 0));   // highlighted frame
  EXPECT_EQ(shot.pixel(21, 21), sky);                           // key shows the picture
  EXPECT_EQ(shot.pixel(120 + 20, 40 + 28), qRgb(220, 40, 40));  // the ball, frame 1
  EXPECT_EQ(shot.pixel(120 + 1, 40 + 1), ToQColor(stage.Color()).rgb());
  EXPECT_EQ(shot.pixel(220 + 15, 40 + 18), qRgb(80, 220, 255));
  EXPECT_EQ(shot.pixel(220 + 3, 40 + 3), Sky().pixel(223, 43));  // olive left out

  const QString out = qEnvironmentVariable("TARVOLIN_CONTROLS_SHOT");
  if (!out.isEmpty()) {
    EXPECT_TRUE(shot.save(out, "PNG")) << out.toStdString();
  }
  const int hold = qEnvironmentVariableIntValue("TARVOLIN_CONTROLS_HOLD_MS");
  if (hold > 0) {
    stage.move(0, 0);
    stage.show();
    ball->SetInterval(300);
    ball->SetPlay(true);
    PumpEvents(hold);
  }
}
