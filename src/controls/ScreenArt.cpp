#include "controls/ScreenArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cmath>

#include "platform/Fonts.h"

QImage HelpIcon(int size) {
  QImage img(size, size, QImage::Format_RGB32);
  img.fill(ScreenArtKey);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(20, 60, 120), 2));
  p.setBrush(QColor(250, 250, 210));
  const int d = size - 5;                 // bubble width
  const int h = size * 3 / 4;             // bubble height, leaving room for the tail
  p.drawEllipse(QRect(2, 2, d, h));
  p.drawPolygon(QPolygon({QPoint(size / 4, h - 2), QPoint(size / 7, size - 2),
                          QPoint(size * 4 / 9, h - 1)}));
  p.setFont(ToQFont(TFont{QStringLiteral("Arial CE"), -(size * 10 / 17), clBlack, fsBold}));
  p.drawText(QRect(2, 2, d, h), Qt::AlignCenter, QStringLiteral("?"));
  return img;
}

// Word search.

// Crossword.

// Listening choice.

// Lily pads.

namespace {

constexpr int kPadWidth = 78, kPadHeight = 64;

QImage PadCanvas() {
  QImage img(kPadWidth, kPadHeight, QImage::Format_RGB32);
  img.fill(ScreenArtKey);
  return img;
}

// A pad of width `w` centred in the picture, with the notch towards the
// bottom right and veins from the notch's point.
void DrawPad(QImage& img, int w, QColor face, QColor rim, QColor vein) {
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);  // no blending into the key colour
  const QRectF pad((kPadWidth - w) / 2.0, 4, w, kPadHeight - 10);
  const QPointF c = pad.center();
  QPainterPath shape;
  shape.moveTo(c);
  // The notch: a wedge of 40 degrees cut out of the pad.
  shape.arcTo(pad, -15, 320);
  shape.closeSubpath();
  p.setPen(QPen(rim, 2));
  p.setBrush(face);
  p.drawPath(shape);
  p.setPen(QPen(vein, 1));
  for (int angle = 10; angle < 330; angle += 40) {
    const double a = qDegreesToRadians(static_cast<double>(angle));
    p.drawLine(c, QPointF(c.x() + std::cos(a) * pad.width() * 0.42,
                          c.y() - std::sin(a) * pad.height() * 0.42));
  }
}

}  // namespace

QImage LilyPadClosed() {
  QImage img = PadCanvas();
  DrawPad(img, 74, QColor(70, 160, 60), QColor(30, 90, 30), QColor(40, 120, 40));
  return img;
}

QImage LilyPadHalfTurned() {
  QImage img = PadCanvas();
  DrawPad(img, 30, QColor(190, 215, 120), QColor(30, 90, 30), QColor(120, 160, 70));
  return img;
}

QImage LilyPadOpen() {
  QImage img = PadCanvas();
  DrawPad(img, 74, QColor(250, 240, 190), QColor(60, 130, 50), QColor(215, 200, 150));
  return img;
}

// Songs.

// Dictionary.

// Alphabet.
