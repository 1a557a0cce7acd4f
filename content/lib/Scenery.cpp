#include "lib/Scenery.h"

#include <QLinearGradient>
#include <QMap>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

void Sun(QPainter& p, QPointF c, double r) {
  QRadialGradient g(c, r * 1.8);
  g.setColorAt(0, QColor(255, 250, 200));
  g.setColorAt(0.5, QColor(255, 220, 90, 180));
  g.setColorAt(1, QColor(255, 220, 90, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(c, r * 1.8, r * 1.8);
  p.setBrush(QColor(255, 214, 60));
  p.drawEllipse(c, r, r);
}

void Cloud(QPainter& p, double x, double y, double s) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 230));
  p.drawEllipse(QPointF(x, y), 28 * s, 16 * s);
  p.drawEllipse(QPointF(x + 26 * s, y - 8 * s), 24 * s, 18 * s);
  p.drawEllipse(QPointF(x + 50 * s, y), 26 * s, 14 * s);
}

void Tree(QPainter& p, double x, double base, double h, QColor leaves = QColor(60, 140, 60)) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(110, 75, 40));
  p.drawRect(QRectF(x - h * 0.06, base - h * 0.45, h * 0.12, h * 0.45));
  p.setBrush(leaves.darker(115));
  p.drawEllipse(QPointF(x - h * 0.14, base - h * 0.55), h * 0.24, h * 0.2);
  p.setBrush(leaves);
  p.drawEllipse(QPointF(x + h * 0.1, base - h * 0.62), h * 0.24, h * 0.22);
  p.setBrush(leaves.lighter(120));
  p.drawEllipse(QPointF(x, base - h * 0.78), h * 0.2, h * 0.2);
}

void Window(QPainter& p, QRectF r) {
  p.setPen(QPen(QColor(250, 250, 240), 2));
  p.setBrush(QColor(140, 190, 230));
  p.drawRect(r);
  p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
  p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

void House(QPainter& p, QRectF body, QColor wall, QColor roof, bool door = true) {
  p.setPen(QPen(wall.darker(140), 1.5));
  p.setBrush(wall);
  p.drawRect(body);
  QPolygonF r;
  r << QPointF(body.left() - 8, body.top())
    << QPointF(body.center().x(), body.top() - body.width() * 0.45)
    << QPointF(body.right() + 8, body.top());
  p.setBrush(roof);
  p.setPen(QPen(roof.darker(140), 1.5));
  p.drawPolygon(r);
  const double ww = body.width() * 0.22, wh = body.height() * 0.2;
  Window(p, QRectF(body.left() + body.width() * 0.14, body.top() + body.height() * 0.15, ww, wh));
  Window(p, QRectF(body.right() - body.width() * 0.14 - ww, body.top() + body.height() * 0.15, ww,
                   wh));
  if (door) {
    p.setPen(QPen(QColor(80, 50, 30), 1.5));
    p.setBrush(QColor(130, 80, 45));
    p.drawRoundedRect(QRectF(body.center().x() - ww / 2, body.bottom() - body.height() * 0.38, ww,
                             body.height() * 0.38),
                      4, 4);
  }
}

void Fence(QPainter& p, double x0, double x1, double y) {
  p.setPen(QPen(QColor(120, 85, 50), 1));
  p.setBrush(QColor(200, 160, 110));
  for (double x = x0; x < x1; x += 16)
    p.drawPolygon(QPolygonF{QPointF(x, y), QPointF(x + 5, y - 30), QPointF(x + 10, y)});
  p.drawRect(QRectF(x0, y - 22, x1 - x0, 4));
  p.drawRect(QRectF(x0, y - 10, x1 - x0, 4));
}

void Arrow(QPainter& p, QPointF at, bool right, QColor c) {
  p.setPen(QPen(QColor(90, 60, 30), 3));
  p.drawLine(at + QPointF(0, 0), at + QPointF(0, 60));
  const double d = right ? 1 : -1;
  QPolygonF a{at + QPointF(-d * 22, -18), at + QPointF(d * 16, -18), at + QPointF(d * 30, -8),
              at + QPointF(d * 16, 2), at + QPointF(-d * 22, 2)};
  p.setPen(QPen(c.darker(150), 1.5));
  p.setBrush(c);
  p.drawPolygon(a);
}

// ---------------------------------------------------------------------------
// Characters (drawn into a frame of `size` over the scenery)

void Bird(QPainter& p, int f, QSize s) {
  const double cx = s.width() / 2.0, cy = s.height() / 2.0 + 2;
  const double wing = std::sin(f * std::numbers::pi / 2) * 10;
  p.setPen(QPen(QColor(40, 40, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
  QPainterPath w;
  w.moveTo(cx - 16, cy - wing);
  w.quadTo(cx - 8, cy - 6 - wing / 2, cx, cy);
  w.quadTo(cx + 8, cy - 6 - wing / 2, cx + 16, cy - wing);
  p.setBrush(Qt::NoBrush);
  p.drawPath(w);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 60));
  p.drawEllipse(QPointF(cx, cy + 1), 4, 3);
}

void Cat(QPainter& p, int f, QSize s) {
  const QColor fur(235, 140, 50);
  const double bx = 20, by = s.height() - 14;
  p.setPen(QPen(fur.darker(150), 1.2));
  p.setBrush(fur);
  // Tail swings over the frames.
  QPainterPath tail;
  tail.moveTo(bx + 12, by + 6);
  const double swing = std::sin(f * std::numbers::pi / 2) * 10;
  tail.cubicTo(bx + 28, by + 4, bx + 30 + swing, by - 14, bx + 24 + swing, by - 22);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(fur, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(tail);
  p.setPen(QPen(fur.darker(150), 1.2));
  p.setBrush(fur);
  p.drawEllipse(QPointF(bx, by), 14, 11);
  p.drawEllipse(QPointF(bx - 4, by - 15), 9, 8);
  p.drawPolygon(
      QPolygonF{QPointF(bx - 12, by - 18), QPointF(bx - 10, by - 28), QPointF(bx - 5, by - 21)});
  p.drawPolygon(
      QPolygonF{QPointF(bx + 4, by - 18), QPointF(bx + 2, by - 28), QPointF(bx - 3, by - 21)});
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 120, 40));
  p.drawEllipse(QPointF(bx - 7, by - 16), 1.6, 2);
  p.drawEllipse(QPointF(bx - 1, by - 16), 1.6, 2);
  if (f == 2) {  // mouth open: the miaow
    p.setBrush(QColor(150, 40, 40));
    p.drawEllipse(QPointF(bx - 4, by - 10), 2, 2);
  }
}

void Boy(QPainter& p, int f, QSize s) {
  const double cx = s.width() / 2.0, foot = s.height() - 2;
  p.setPen(QPen(QColor(60, 40, 30), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(cx - 4, foot - 22), QPointF(cx - 7, foot));
  p.drawLine(QPointF(cx + 4, foot - 22), QPointF(cx + 7, foot));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(50, 110, 200));
  p.drawRoundedRect(QRectF(cx - 9, foot - 46, 18, 26), 5, 5);
  p.setBrush(QColor(250, 215, 180));
  p.drawEllipse(QPointF(cx, foot - 54), 8, 8);
  p.setBrush(QColor(120, 70, 30));
  p.drawChord(QRectF(cx - 8, foot - 63, 16, 14), 0, 180 * 16);
  // One arm waves.
  const double a = (-60 - 30 * std::sin(f * std::numbers::pi / 2)) * std::numbers::pi / 180;
  p.setPen(QPen(QColor(250, 215, 180), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(cx + 8, foot - 42),
             QPointF(cx + 8 + 14 * std::cos(a), foot - 42 + 14 * std::sin(a)));
  p.drawLine(QPointF(cx - 8, foot - 42), QPointF(cx - 12, foot - 28));
}

void Duck(QPainter& p, int f, QSize s) {
  const double bob = std::sin(f * std::numbers::pi / 2) * 2;
  const double cx = s.width() / 2.0, cy = s.height() - 12 + bob;
  p.setPen(QPen(QColor(200, 170, 40), 1));
  p.setBrush(QColor(250, 215, 60));
  p.drawEllipse(QPointF(cx, cy), 16, 9);
  p.drawEllipse(QPointF(cx + 10, cy - 12), 7, 7);
  p.setBrush(QColor(240, 120, 30));
  p.drawPolygon(
      QPolygonF{QPointF(cx + 16, cy - 13), QPointF(cx + 24, cy - 11), QPointF(cx + 16, cy - 9)});
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(cx + 12, cy - 14), 1.3, 1.3);
  p.setPen(QPen(QColor(255, 255, 255, 160), 1.5));
  p.drawLine(QPointF(cx - 20 - bob, cy + 8), QPointF(cx - 8, cy + 8));
}

void Squirrel(QPainter& p, int f, QSize s) {
  const QColor fur(170, 90, 40);
  const double hop = f == 2 ? -6 : (f == 1 || f == 3 ? -3 : 0);
  const double cx = s.width() / 2.0 - 4, base = s.height() - 4 + hop;
  p.setPen(Qt::NoPen);
  p.setBrush(fur.lighter(115));
  QPainterPath tail;
  tail.moveTo(cx - 4, base - 4);
  tail.cubicTo(cx - 26, base - 10, cx - 20, base - 40, cx - 4, base - 36);
  tail.cubicTo(cx - 12, base - 28, cx - 10, base - 14, cx - 4, base - 4);
  p.drawPath(tail);
  p.setBrush(fur);
  p.drawEllipse(QPointF(cx + 4, base - 10), 9, 10);
  p.drawEllipse(QPointF(cx + 10, base - 22), 6, 6);
  p.drawEllipse(QPointF(cx + 8, base - 29), 2, 3);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(cx + 12, base - 23), 1.2, 1.2);
}

void Windmill(QPainter& p, int f, QSize s) {
  const QPointF hub(s.width() / 2.0, s.height() / 2.0);
  p.setPen(QPen(QColor(90, 70, 60), 1));
  p.setBrush(QColor(245, 240, 230));
  for (int k = 0; k < 4; ++k) {
    const double a = (f * 22.5 + k * 90) * std::numbers::pi / 180;
    const QPointF d(std::cos(a), std::sin(a)), n(-d.y(), d.x());
    p.drawPolygon(QPolygonF{hub + d * 4, hub + d * 30, hub + d * 30 + n * 9, hub + d * 8 + n * 9});
  }
  p.setBrush(QColor(90, 70, 60));
  p.drawEllipse(hub, 3.5, 3.5);
}

void Chicken(QPainter& p, int f, QSize s) {
  const double peck = f == 1 || f == 2 ? 8 : 0;
  const double cx = s.width() / 2.0 - 2, base = s.height() - 4;
  p.setPen(QPen(QColor(200, 120, 20), 2));
  p.drawLine(QPointF(cx - 3, base - 6), QPointF(cx - 4, base));
  p.drawLine(QPointF(cx + 3, base - 6), QPointF(cx + 4, base));
  p.setPen(QPen(QColor(200, 200, 190), 1));
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(cx, base - 14), 11, 9);
  p.drawEllipse(QPointF(cx + 10, base - 24 + peck), 5, 5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 30, 30));
  p.drawEllipse(QPointF(cx + 10, base - 30 + peck), 3, 2);
  p.setBrush(QColor(240, 170, 20));
  p.drawPolygon(QPolygonF{QPointF(cx + 14, base - 25 + peck), QPointF(cx + 19, base - 23 + peck),
                          QPointF(cx + 14, base - 21 + peck)});
}

void Horse(QPainter& p, int f, QSize s) {
  const QColor coat(140, 90, 50);
  const double nod = std::sin(f * std::numbers::pi / 3) * 6;
  const double base = s.height() - 2;
  p.setPen(QPen(coat.darker(140), 4, Qt::SolidLine, Qt::RoundCap));
  for (double x : {22.0, 32.0, 62.0, 72.0}) p.drawLine(QPointF(x, base - 26), QPointF(x, base));
  p.setPen(QPen(coat.darker(140), 1));
  p.setBrush(coat);
  p.drawEllipse(QRectF(14, base - 48, 66, 28));
  QPainterPath neck;
  neck.moveTo(70, base - 40);
  neck.lineTo(84, base - 66 + nod);
  neck.lineTo(96, base - 58 + nod);
  neck.lineTo(80, base - 32);
  p.drawPath(neck);
  p.drawEllipse(QRectF(82, base - 70 + nod, 22, 12));
  p.setBrush(coat.darker(160));
  p.drawRect(QRectF(74, base - 66 + nod, 6, 20));
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(94, base - 66 + nod), 1.5, 1.5);
  p.setPen(QPen(coat.darker(170), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(14, base - 38), QPointF(6, base - 20 - nod / 2));
}

void Shopkeeper(QPainter& p, int f, QSize s) {
  const double cx = s.width() / 2.0, base = s.height();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 230, 235));
  p.drawRoundedRect(QRectF(cx - 16, base - 40, 32, 40), 8, 8);
  p.setBrush(QColor(240, 200, 170));
  p.drawEllipse(QPointF(cx, base - 52), 12, 12);
  p.setBrush(QColor(70, 50, 40));
  p.drawChord(QRectF(cx - 12, base - 66, 24, 20), 0, 180 * 16);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(cx - 4, base - 53), 1.5, 1.5);
  p.drawEllipse(QPointF(cx + 4, base - 53), 1.5, 1.5);
  p.setPen(QPen(QColor(150, 60, 50), 1.5));
  p.drawArc(QRectF(cx - 5, base - 51, 10, 6), 200 * 16, 140 * 16);
  const double a = (-70 - 35 * std::sin(f * std::numbers::pi / 2)) * std::numbers::pi / 180;
  p.setPen(QPen(QColor(230, 230, 235), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(cx + 14, base - 34),
             QPointF(cx + 14 + 16 * std::cos(a), base - 34 + 16 * std::sin(a)));
}

// Idle clips.
void Balloon(QPainter& p, int f, QSize s, int frames) {
  const double t = f / double(frames - 1);
  const double cx = s.width() / 2.0 + std::sin(t * 2 * std::numbers::pi) * 8,
               cy = s.height() - 30 - t * 40;
  p.setPen(QPen(QColor(120, 90, 60), 1));
  p.drawLine(QPointF(cx - 8, cy + 14), QPointF(cx - 5, cy + 24));
  p.drawLine(QPointF(cx + 8, cy + 14), QPointF(cx + 5, cy + 24));
  p.setBrush(QColor(160, 110, 60));
  p.drawRect(QRectF(cx - 6, cy + 24, 12, 8));
  QRadialGradient g(QPointF(cx - 6, cy - 8), 26);
  g.setColorAt(0, QColor(255, 150, 150));
  g.setColorAt(1, QColor(210, 40, 60));
  p.setBrush(g);
  p.setPen(QPen(QColor(150, 30, 40), 1));
  p.drawEllipse(QPointF(cx, cy), 17, 20);
  p.setPen(QPen(QColor(255, 230, 90), 2));
  p.drawLine(QPointF(cx - 16, cy), QPointF(cx + 16, cy));
}

void Vehicle(QPainter& p, int f, QSize s, int frames, QColor body, bool tractor) {
  const double x = -70 + (s.width() + 90) * f / double(frames - 1);
  const double base = s.height() - 6;
  p.setPen(QPen(body.darker(150), 1));
  p.setBrush(body);
  if (tractor) {
    p.drawRect(QRectF(x, base - 22, 44, 14));
    p.drawRect(QRectF(x + 26, base - 40, 18, 18));
    p.setBrush(QColor(180, 220, 240));
    p.drawRect(QRectF(x + 29, base - 37, 12, 10));
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawLine(QPointF(x + 8, base - 22), QPointF(x + 8, base - 34));
  } else {
    QPainterPath car;
    car.addRoundedRect(QRectF(x, base - 22, 62, 16), 6, 6);
    car.addRoundedRect(QRectF(x + 12, base - 34, 34, 14), 6, 6);
    p.drawPath(car.simplified());
    p.setBrush(QColor(190, 225, 245));
    p.drawRect(QRectF(x + 16, base - 31, 12, 9));
    p.drawRect(QRectF(x + 31, base - 31, 12, 9));
  }
  p.setPen(QPen(QColor(30, 30, 30), 1));
  p.setBrush(QColor(40, 40, 40));
  const double rBack = tractor ? 11 : 7;
  p.drawEllipse(QPointF(x + (tractor ? 34 : 14), base - rBack + 4), rBack, rBack);
  p.drawEllipse(QPointF(x + (tractor ? 8 : 48), base - 3), 7, 7);
}

// Paving stones from row `top` to the bottom, each row half a stone along.
void Paving(QPainter& p, int top, QColor joints, QSize size) {
  p.setPen(QPen(joints, 1));
  for (int y = top; y < size.height(); y += 18) p.drawLine(0, y, size.width(), y);
  for (int y = top, row = 0; y < size.height(); y += 18, ++row)
    for (int x = (row % 2) * 14; x < size.width(); x += 28) p.drawLine(x, y, x, y + 18);
}

// A round fountain centred on (x, y) with its jets above it.
void Fountain(QPainter& p, double x, double y) {
  p.setPen(QPen(QColor(120, 120, 130), 2));
  p.setBrush(QColor(170, 170, 180));
  p.drawEllipse(QPointF(x, y), 48, 18);
  p.setBrush(QColor(90, 160, 220));
  p.drawEllipse(QPointF(x, y - 4), 40, 12);
  p.setBrush(QColor(170, 170, 180));
  p.drawRect(QRectF(x - 6, y - 40, 12, 36));
  p.setPen(QPen(QColor(150, 200, 250), 2));
  for (int k = -2; k <= 2; ++k)
    p.drawArc(QRectF(x - 15 + k * 6, y - 48, 30, 40), 30 * 16, 120 * 16);
}

// A notice board on two posts, its top-left corner at (x, y): colour dots
// on the left half, numbers on the right, so each half shows what it opens.
void NoticeBoard(QPainter& p, int x, int y) {
  p.setPen(QPen(QColor(90, 60, 30), 3));
  p.drawLine(x + 13, y + 74, x + 13, y + 94);
  p.drawLine(x + 93, y + 74, x + 93, y + 94);
  p.setBrush(QColor(160, 110, 60));
  p.drawRect(QRectF(x, y, 106, 76));
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 2; ++k) {
    p.setBrush(QColor(250, 248, 240));
    p.drawRect(QRectF(x + 8, y + 8 + k * 32, 40, 26));
    for (int c = 0; c < 3; ++c) {
      p.setBrush(QColor::fromHsv((k * 3 + c) * 60, 200, 235));
      p.drawEllipse(QPointF(x + 16 + c * 12, y + 21 + k * 32), 5, 5);
    }
    p.setBrush(QColor(250, 248, 240));
    p.drawRect(QRectF(x + 56, y + 8 + k * 32, 40, 26));
  }
  QFont digits(QStringLiteral("Liberation Sans"));
  digits.setBold(true);
  digits.setPixelSize(17);
  p.setFont(digits);
  p.setPen(QColor(40, 80, 160));
  p.drawText(QRectF(x + 56, y + 8, 40, 26), Qt::AlignCenter, QStringLiteral("1 2"));
  p.drawText(QRectF(x + 56, y + 40, 40, 26), Qt::AlignCenter, QStringLiteral("3 4"));
}

// `count` flowers of many colours scattered from (x, y).
void Flowers(QPainter& p, int x, int y, int count) {
  p.setPen(Qt::NoPen);
  for (int k = 0; k < count; ++k) {
    p.setBrush(QColor::fromHsv((k * 47) % 360, 160, 250));
    p.drawEllipse(QPointF(x + (k * 37) % 360, y + (k * 13) % 25), 5, 5);
  }
}

// A wall of wooden planks `height` pixels high across the picture.
void Planks(QPainter& p, int height, QSize size) {
  for (int x = 0; x < size.width(); x += 38) {
    p.fillRect(x, 0, 38, height, QColor(150 + (x / 38 % 3) * 10, 100 + (x / 38 % 2) * 8, 60));
    p.fillRect(x, 0, 2, height, QColor(100, 65, 35));
  }
}

// Four shop shelves full of jars and boxes.
void Shelves(QPainter& p) {
  for (int y = 40; y <= 220; y += 60) {
    p.fillRect(30, y + 40, 510, 8, QColor(150, 100, 60));
    for (int x = 40; x < 530; x += 26) {
      p.setPen(QPen(QColor(0, 0, 0, 60), 1));
      p.setBrush(QColor::fromHsv(((x / 26) * 53 + (y / 60) * 97) % 360, 150, 230));
      if ((x / 26 + y / 60) % 3 == 0)
        p.drawEllipse(QRectF(x, y + 16, 22, 24));
      else
        p.drawRoundedRect(QRectF(x, y + 4 + (x % 3) * 4, 20, 36 - (x % 3) * 4), 3, 3);
    }
  }
}

using TFigure = void (*)(QPainter&, int, QSize);

TFigure FigureNamed(const QString& name) {
  static const QMap<QString, TFigure> figures{{QStringLiteral("bird"), Bird},
                                              {QStringLiteral("cat"), Cat},
                                              {QStringLiteral("boy"), Boy},
                                              {QStringLiteral("duck"), Duck},
                                              {QStringLiteral("squirrel"), Squirrel},
                                              {QStringLiteral("windmill"), Windmill},
                                              {QStringLiteral("chicken"), Chicken},
                                              {QStringLiteral("horse"), Horse},
                                              {QStringLiteral("shopkeeper"), Shopkeeper}};
  return figures.value(name, nullptr);
}

double Percent(const TSourceNode& c, int i, const char* what) {
  return c.Int(i, what) / 100.0;
}

}  // namespace

bool DrawScenery(QPainter& p, const TSourceNode& c, TMoment at, QSize size) {
  const QString& cmd = c.Command;
  if (cmd == QLatin1String("glow-sun")) {
    Sun(p, QPointF(c.Int(0, "x"), c.Int(1, "y")), c.Int(2, "a radius"));
  } else if (cmd == QLatin1String("puff-cloud")) {
    Cloud(p, c.Int(0, "x"), c.Int(1, "y"), Percent(c, 2, "a size in per cent"));
  } else if (cmd == QLatin1String("round-tree")) {
    Tree(p, c.Int(0, "x"), c.Int(1, "y"), c.Int(2, "a height"),
         c.NamedColor(QStringLiteral("leaves"), QColor(60, 140, 60)));
  } else if (cmd == QLatin1String("cottage")) {
    House(p, QRectF(c.Int(0, "x"), c.Int(1, "y"), c.Int(2, "width"), c.Int(3, "height")),
          c.NamedColor(QStringLiteral("wall"), QColor(240, 200, 150)),
          c.NamedColor(QStringLiteral("roof"), QColor(180, 70, 50)),
          c.NamedInt(QStringLiteral("door"), 1) != 0);
  } else if (cmd == QLatin1String("window")) {
    Window(p, QRectF(c.Int(0, "x"), c.Int(1, "y"), c.Int(2, "width"), c.Int(3, "height")));
  } else if (cmd == QLatin1String("fence")) {
    Fence(p, c.Int(0, "x1"), c.Int(1, "x2"), c.Int(2, "y"));
  } else if (cmd == QLatin1String("arrow")) {
    const QString way = c.Arg(2, "left or right");
    if (way != QLatin1String("left") && way != QLatin1String("right"))
      c.Fail(QStringLiteral("an arrow points left or right"));
    Arrow(p, QPointF(c.Int(0, "x"), c.Int(1, "y")), way == QLatin1String("right"),
          c.ColorArg(3, "a colour"));
  } else if (cmd == QLatin1String("paving")) {
    Paving(p, c.Int(0, "y"), c.ColorArg(1, "a colour"), size);
  } else if (cmd == QLatin1String("fountain")) {
    Fountain(p, c.Int(0, "x"), c.Int(1, "y"));
  } else if (cmd == QLatin1String("notice-board")) {
    NoticeBoard(p, c.Int(0, "x"), c.Int(1, "y"));
  } else if (cmd == QLatin1String("flowers")) {
    Flowers(p, c.Int(0, "x"), c.Int(1, "y"), c.Int(2, "a count"));
  } else if (cmd == QLatin1String("planks")) {
    Planks(p, c.Int(0, "a height"), size);
  } else if (cmd == QLatin1String("shelves")) {
    Shelves(p);
  } else if (cmd == QLatin1String("figure")) {
    const QString name = c.Arg(0, "a figure");
    const bool moves = name == QLatin1String("car") || name == QLatin1String("tractor") ||
                       name == QLatin1String("balloon");
    if (moves && at.Frames < 2)
      c.Fail(QStringLiteral("a %1 moves across two or more frames").arg(name));
    if (name == QLatin1String("balloon")) {
      Balloon(p, at.Frame, size, at.Frames);
    } else if (name == QLatin1String("car") || name == QLatin1String("tractor")) {
      Vehicle(p, at.Frame, size, at.Frames,
              c.NamedColor(QStringLiteral("color"), QColor(40, 110, 210)),
              name == QLatin1String("tractor"));
    } else if (const TFigure figure = FigureNamed(name)) {
      figure(p, at.Frame, size);
    } else {
      c.Fail(QStringLiteral(
                 "unknown figure '%1' (bird, cat, boy, duck, squirrel, windmill, chicken, horse, "
                 "shopkeeper, balloon, car, tractor)")
                 .arg(name));
    }
  } else {
    return false;
  }
  return true;
}
