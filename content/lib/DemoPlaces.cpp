#include "lib/DemoPlaces.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "lib/DemoSound.h"
#include "lib/Installation.h"
#include "lib/MediaWriters.h"
#include "lib/Writers.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "world/LocationFile.h"

namespace {

constexpr int kW = 570, kH = 433;  // the place picture
constexpr int kPictureLeft = 8, kPictureTop = 37;
// Top-left pixel of every idle clip: the animation window paints this colour
// in its own, so it must appear nowhere else in the clip. The clip is one
// pixel larger than its window on every side and the window centres it, so
// the key pixel itself is never seen.
const QColor kClipKey(7, 3, 251);

using Drawer = std::function<void(QPainter&, int frame, QSize size)>;

// ---------------------------------------------------------------------------
// Scenery

void Sky(QPainter& p, int horizon, QColor top, QColor bottom) {
  QLinearGradient g(0, 0, 0, horizon);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(0, 0, kW, horizon, g);
}

void Ground(QPainter& p, int from, QColor top, QColor bottom) {
  QLinearGradient g(0, from, 0, kH);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(0, from, kW, kH - from, g);
}

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
  r << QPointF(body.left() - 8, body.top()) << QPointF(body.center().x(), body.top() - body.width() * 0.45)
    << QPointF(body.right() + 8, body.top());
  p.setBrush(roof);
  p.setPen(QPen(roof.darker(140), 1.5));
  p.drawPolygon(r);
  const double ww = body.width() * 0.22, wh = body.height() * 0.2;
  Window(p, QRectF(body.left() + body.width() * 0.14, body.top() + body.height() * 0.15, ww, wh));
  Window(p, QRectF(body.right() - body.width() * 0.14 - ww, body.top() + body.height() * 0.15, ww, wh));
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
              at + QPointF(d * 16, 2),    at + QPointF(-d * 22, 2)};
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
  p.drawPolygon(QPolygonF{QPointF(bx - 12, by - 18), QPointF(bx - 10, by - 28), QPointF(bx - 5, by - 21)});
  p.drawPolygon(QPolygonF{QPointF(bx + 4, by - 18), QPointF(bx + 2, by - 28), QPointF(bx - 3, by - 21)});
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
  p.drawLine(QPointF(cx + 8, foot - 42), QPointF(cx + 8 + 14 * std::cos(a), foot - 42 + 14 * std::sin(a)));
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
  p.drawPolygon(QPolygonF{QPointF(cx + 16, cy - 13), QPointF(cx + 24, cy - 11), QPointF(cx + 16, cy - 9)});
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
  p.drawLine(QPointF(cx + 14, base - 34), QPointF(cx + 14 + 16 * std::cos(a), base - 34 + 16 * std::sin(a)));
}

// Idle clips.
void Balloon(QPainter& p, int f, QSize s) {
  const double t = f / 23.0;
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

// Frames of a character over the scenery at `at` (place picture coordinates).
QImage Strip(const QImage& scene, QRect at, int frames, const Drawer& draw) {
  QImage strip(at.width() * frames, at.height(), QImage::Format_RGB32);
  QPainter p(&strip);
  for (int f = 0; f < frames; ++f) {
    p.save();
    p.translate(f * at.width(), 0);
    p.setClipRect(0, 0, at.width(), at.height());
    p.drawImage(0, 0, scene, at.x(), at.y(), at.width(), at.height());
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, f, at.size());
    p.restore();
  }
  return strip;
}

std::vector<QImage> Clip(const QImage& scene, QRect at, int frames, const Drawer& draw) {
  std::vector<QImage> out;
  for (int f = 0; f < frames; ++f) {
    QImage img = scene.copy(at.adjusted(-1, -1, 1, 1)).convertToFormat(QImage::Format_RGB32);
    {
      QPainter p(&img);
      p.setRenderHint(QPainter::Antialiasing);
      p.translate(1, 1);
      draw(p, f, at.size());
    }
    img.setPixelColor(0, 0, kClipKey);
    out.push_back(img);
  }
  return out;
}

// ---------------------------------------------------------------------------
// Sounds, synthesised at 22050 Hz.

struct Synth {
  std::vector<double> s;
  explicit Synth(int ms) : s(static_cast<size_t>(ms) * DemoSampleRate / 1000, 0.0) {}
  size_t At(double sec) const {
    return std::min(s.size(), static_cast<size_t>(sec * DemoSampleRate));
  }
  // A tone from t0 to t1 whose frequency and loudness follow the given curves (u: 0..1).
  void Tone(double t0, double t1, const std::function<double(double)>& hz,
            const std::function<double(double)>& amp, int harmonics = 1) {
    double phase = 0;
    const size_t a = At(t0), b = At(t1);
    for (size_t i = a; i < b; ++i) {
      const double u = double(i - a) / double(std::max<size_t>(1, b - a));
      phase += 2 * std::numbers::pi * hz(u) / DemoSampleRate;
      double v = 0;
      for (int h = 1; h <= harmonics; ++h) v += std::sin(phase * h) / h;
      s[i] += v * amp(u);
    }
  }
  void Noise(double t0, double t1, const std::function<double(double)>& amp, double smooth) {
    std::uint32_t seed = 12345;
    double low = 0;
    const size_t a = At(t0), b = At(t1);
    for (size_t i = a; i < b; ++i) {
      seed = seed * 1664525u + 1013904223u;
      const double white = (seed >> 8) / double(1 << 24) * 2 - 1;
      low += (white - low) * smooth;
      s[i] += low * amp(double(i - a) / double(std::max<size_t>(1, b - a)));
    }
  }
  TSoundData Data() const {
    TSoundData d;
    d.Rate = DemoSampleRate;
    for (double v : s) d.Samples.push_back(static_cast<std::int16_t>(std::clamp(v, -1.0, 1.0) * 26000));
    return d;
  }
};

double Fade(double u) { return std::min({1.0, u * 20, (1 - u) * 8}); }

TSoundData SoundNamed(const QString& name) {
  if (name == "miau") {
    Synth s(700);
    s.Tone(
        0, 0.7,
        [](double u) { return 520 + 380 * std::sin(u * std::numbers::pi) + 20 * std::sin(u * 60); },
        [](double u) { return 0.5 * Fade(u); }, 4);
    return s.Data();
  }
  if (name == "ptaki") {
    Synth s(1600);
    for (int k = 0; k < 7; ++k) {
      const double t = 0.05 + k * 0.21 + (k % 2) * 0.04;
      s.Tone(
          t, t + 0.09, [k](double u) { return 2600 + 900 * u + 200 * (k % 3); },
          [](double u) { return 0.4 * std::sin(u * std::numbers::pi); });
    }
    return s.Data();
  }
  if (name == "wiatr") {
    Synth s(2000);
    s.Noise(
        0, 2.0,
        [](double u) {
          return 1.6 * std::sin(u * std::numbers::pi) * (0.6 + 0.4 * std::sin(u * 9));
        },
        0.02);
    return s.Data();
  }
  if (name == "dzwon" || name == "dzwonek") {
    const bool small = name == "dzwonek";
    Synth s(small ? 700 : 1800);
    const double f0 = small ? 1320 : 392, len = small ? 0.7 : 1.8;
    for (double ratio : {1.0, 2.0, 2.76, 5.4}) {
      s.Tone(0, len, [=](double) { return f0 * ratio; },
             [=](double u) { return 0.3 / ratio * std::exp(-u * 5) * std::min(1.0, u * 200); });
    }
    return s.Data();
  }
  if (name == "krowa") {
    Synth s(1300);
    s.Tone(0, 1.3, [](double u) { return 150 - 40 * u + 8 * std::sin(u * 30); },
           [](double u) { return 0.5 * Fade(u); }, 8);
    return s.Data();
  }
  if (name == "kura") {
    Synth s(800);
    for (int k = 0; k < 4; ++k)
      s.Tone(
          k * 0.18, k * 0.18 + 0.1, [k](double u) { return 700 + 300 * u + 80 * k; },
          [](double u) { return 0.4 * std::sin(u * std::numbers::pi); }, 5);
    return s.Data();
  }
  if (name == "kaczka") {
    Synth s(600);
    for (int k = 0; k < 2; ++k)
      s.Tone(
          k * 0.3, k * 0.3 + 0.22, [](double u) { return 420 - 120 * u; },
          [](double u) { return 0.45 * std::sin(u * std::numbers::pi); }, 9);
    return s.Data();
  }
  if (name == "zaba") {
    Synth s(700);
    for (int k = 0; k < 2; ++k)
      s.Tone(
          k * 0.28, k * 0.28 + 0.16,
          [](double u) { return 180 + 60 * std::sin(u * std::numbers::pi * 12); },
          [](double u) { return 0.5 * std::sin(u * std::numbers::pi); }, 6);
    return s.Data();
  }
  if (name == "plusk") {
    Synth s(900);
    s.Noise(0, 0.9, [](double u) { return 2.2 * std::exp(-u * 4) * std::min(1.0, u * 50); }, 0.3);
    s.Tone(
        0.05, 0.4, [](double u) { return 500 + 900 * u; },
        [](double u) { return 0.2 * std::sin(u * std::numbers::pi); });
    return s.Data();
  }
  if (name == "skrzyp") {
    Synth s(900);
    s.Tone(
        0, 0.9, [](double u) { return 240 + 180 * std::sin(u * std::numbers::pi * 1.5); },
        [](double u) { return 0.3 * Fade(u) * (0.6 + 0.4 * std::sin(u * 90)); }, 10);
    return s.Data();
  }
  if (name == "kroki") {
    Synth s(1000);
    for (int k = 0; k < 4; ++k)
      s.Noise(k * 0.25, k * 0.25 + 0.09, [](double u) { return 3.0 * std::exp(-u * 6); }, 0.08);
    return s.Data();
  }
  if (name == "gwar" || name == "kasa") {
    const bool till = name == "kasa";
    Synth s(till ? 700 : 1500);
    if (till) {
      s.Tone(0, 0.08, [](double) { return 1800; }, [](double u) { return 0.3 * (1 - u); });
      s.Tone(0.1, 0.7, [](double) { return 2640; }, [](double u) { return 0.3 * std::exp(-u * 5); }, 2);
    } else {
      for (int k = 0; k < 6; ++k)
        s.Tone(
            k * 0.22, k * 0.22 + 0.2,
            [k](double u) { return 180 + 40 * (k % 3) + 50 * std::sin(u * std::numbers::pi); },
            [](double u) { return 0.2 * std::sin(u * std::numbers::pi); }, 6);
    }
    return s.Data();
  }
  // Engines: "auto" and "silnik".
  Synth s(2000);
  const double base = name == "auto" ? 90 : 55;
  s.Tone(0, 2.0, [=](double u) { return base + 20 * u; },
         [](double u) { return 0.35 * Fade(u) * (0.7 + 0.3 * std::sin(u * 80)); }, 7);
  return s.Data();
}

// ---------------------------------------------------------------------------
// The places

struct Place {
  QString file;
  QImage picture;
  TLocation loc;
};

struct Writer {
  const TInstallation& inst;
  QString Data(const QString& rel) const { return inst.DataRoot() + rel; }

  void Sprite(Place& pl, QRect at, int frames, int interval, const QString& name, int action,
              const QString& sound, int still, const Drawer& draw) {
    const QString rel = "\\lokacje\\postacie\\" + name + ".bmp";
    WriteBmp(Data(rel), Strip(pl.picture, at, frames, draw));
    pl.loc.Sprites.push_back({interval, at.x(), at.y(), at.width(), at.height(), frames, rel, action,
                              sound.isEmpty() ? QStringLiteral("0") : sound, still});
  }
  void Video(Place& pl, QRect at, int frames, const QString& name, const QString& sound, const Drawer& draw) {
    const QString rel = "\\lokacje\\filmy\\" + name + ".avi";
    WriteAvi(Data(rel), Clip(pl.picture, at, frames, draw), 12);
    pl.loc.AniEvents.push_back(
        {kPictureLeft + at.x() - 1, kPictureTop + at.y(), at.height(), at.width(), 0, rel, sound});
  }
  void Save(const Place& pl) {
    WriteBmp(Data("\\lokacje\\" + pl.loc.Picture), pl.picture);
    const QString path = inst.ProgramDir() + "/lokacje/" + pl.file;
    MakeParentDirs(path);
    SaveLocationFile(path, pl.loc);
  }
};

QImage Canvas() {
  QImage img(kW, kH, QImage::Format_RGB32);
  img.fill(Qt::white);
  return img;
}

Place TownSquare() {
  Place pl{"Start.lok", Canvas(), {}};
  QPainter p(&pl.picture);
  p.setRenderHint(QPainter::Antialiasing);
  Sky(p, 250, QColor(110, 170, 235), QColor(200, 230, 250));
  Sun(p, {500, 50}, 24);
  Cloud(p, 60, 60, 1.0);
  Cloud(p, 300, 40, 0.8);
  // Houses and the bell tower.
  House(p, QRectF(20, 150, 90, 110), QColor(240, 200, 150), QColor(180, 70, 50));
  p.setPen(QPen(QColor(150, 140, 130), 1.5));
  p.setBrush(QColor(220, 215, 200));
  p.drawRect(QRectF(205, 70, 50, 190));
  p.setBrush(QColor(90, 120, 90));
  p.drawPolygon(QPolygonF{QPointF(198, 70), QPointF(230, 20), QPointF(262, 70)});
  p.setBrush(QColor(230, 190, 60));
  p.drawEllipse(QPointF(230, 100), 12, 14);
  House(p, QRectF(270, 160, 90, 100), QColor(180, 210, 230), QColor(120, 80, 140));
  // The shop with a striped awning.
  p.setPen(QPen(QColor(120, 100, 80), 1.5));
  p.setBrush(QColor(250, 240, 220));
  p.drawRect(QRectF(380, 140, 120, 120));
  for (int k = 0; k < 8; ++k) {
    p.setBrush(k % 2 ? QColor(250, 250, 250) : QColor(210, 50, 50));
    p.drawRect(QRectF(380 + k * 15, 170, 15, 18));
  }
  Window(p, QRectF(388, 198, 26, 40));
  Window(p, QRectF(466, 198, 26, 40));
  p.setBrush(QColor(100, 140, 170));
  p.drawRect(QRectF(420, 200, 36, 60));
  // The square, the fountain and the notice board.
  Ground(p, 260, QColor(215, 200, 170), QColor(185, 165, 130));
  p.setPen(QPen(QColor(170, 150, 120), 1));
  for (int y = 270; y < kH; y += 18) p.drawLine(0, y, kW, y);
  for (int y = 270, row = 0; y < kH; y += 18, ++row)
    for (int x = (row % 2) * 14; x < kW; x += 28) p.drawLine(x, y, x, y + 18);
  p.setPen(QPen(QColor(120, 120, 130), 2));
  p.setBrush(QColor(170, 170, 180));
  p.drawEllipse(QPointF(265, 330), 48, 18);
  p.setBrush(QColor(90, 160, 220));
  p.drawEllipse(QPointF(265, 326), 40, 12);
  p.setBrush(QColor(170, 170, 180));
  p.drawRect(QRectF(259, 290, 12, 36));
  p.setPen(QPen(QColor(150, 200, 250), 2));
  for (int k = -2; k <= 2; ++k) p.drawArc(QRectF(250 + k * 6, 282, 30, 40), 30 * 16, 120 * 16);
  p.setPen(QPen(QColor(90, 60, 30), 3));
  p.drawLine(135, 300, 135, 320);
  p.drawLine(215, 300, 215, 320);
  p.setBrush(QColor(160, 110, 60));
  p.drawRect(QRectF(122, 226, 106, 76));
  // Its left half opens the colours, its right half the numbers: each shows what it opens.
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 2; ++k) {
    p.setBrush(QColor(250, 248, 240));
    p.drawRect(QRectF(130, 234 + k * 32, 40, 26));
    for (int c = 0; c < 3; ++c) {
      p.setBrush(QColor::fromHsv((k * 3 + c) * 60, 200, 235));
      p.drawEllipse(QPointF(138 + c * 12, 247 + k * 32), 5, 5);
    }
    p.setBrush(QColor(250, 248, 240));
    p.drawRect(QRectF(178, 234 + k * 32, 40, 26));
  }
  QFont digits(QStringLiteral("Liberation Sans"));
  digits.setBold(true);
  digits.setPixelSize(17);
  p.setFont(digits);
  p.setPen(QColor(40, 80, 160));
  p.drawText(QRectF(178, 234, 40, 26), Qt::AlignCenter, QStringLiteral("1 2"));
  p.drawText(QRectF(178, 266, 40, 26), Qt::AlignCenter, QStringLiteral("3 4"));
  // Ways out: the park on the left, the farm on the right.
  Tree(p, 30, 420, 120, QColor(70, 150, 70));
  Arrow(p, {70, 330}, false, QColor(120, 200, 110));
  Arrow(p, {520, 330}, true, QColor(240, 200, 90));
  p.end();

  TLocation& l = pl.loc;
  l.Picture = "rynek.bmp";
  l.BackLink = "NONE";
  l.WalkSpots = {{0, 280, 100, 432, "Park.lok", "kroki"},
                 {480, 290, 569, 432, "Farma.lok", "0"},
                 {420, 200, 456, 260, "Sklep.lok", "dzwonek"}};
  // The shop front sounds; its door (a walk spot inside it) walks.
  l.SoundSpots = {{225, 290, 313, 350, "plusk"}, {380, 140, 500, 260, "gwar"}};
  l.ExerciseListLines = 1;
  l.ExerciseListFile = "\\cwicz\\town\\lista.txt";
  l.DialogueListLines = 1;
  l.DialogueListFile = "\\cwicz\\town\\dialogi.txt";
  // Two overlapping spots on the notice board: the right one wins where they meet.
  l.ExerciseSpots = {{122, 226, 190, 302, "\\cwicz\\town\\tablica1.txt"},
                     {170, 226, 228, 302, "\\cwicz\\town\\tablica2.txt"}};
  l.WaveEvents = {"dzwon"};
  return pl;
}

Place Park() {
  Place pl{"Park.lok", Canvas(), {}};
  QPainter p(&pl.picture);
  p.setRenderHint(QPainter::Antialiasing);
  Sky(p, 200, QColor(120, 190, 240), QColor(215, 240, 250));
  Cloud(p, 380, 50, 1.1);
  Ground(p, 200, QColor(130, 200, 100), QColor(80, 150, 60));
  for (int k = 0; k < 6; ++k) Tree(p, 30 + k * 100 + (k % 2) * 20, 215 + (k % 2) * 8, 150 + (k % 3) * 20);
  // The pond.
  p.setPen(QPen(QColor(60, 110, 60), 2));
  p.setBrush(QColor(80, 150, 210));
  p.drawEllipse(QRectF(250, 280, 250, 110));
  p.setPen(QPen(QColor(160, 210, 240), 2));
  p.drawLine(300, 320, 340, 320);
  p.drawLine(390, 350, 440, 350);
  // A path and a bench.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 200, 150));
  QPainterPath path;
  path.moveTo(0, 433);
  path.cubicTo(80, 330, 150, 300, 240, 250);
  path.lineTo(270, 255);
  path.cubicTo(190, 310, 140, 360, 90, 433);
  p.drawPath(path);
  p.setBrush(QColor(140, 90, 50));
  p.drawRect(QRectF(60, 270, 80, 8));
  p.drawRect(QRectF(60, 252, 80, 8));
  p.drawRect(QRectF(66, 278, 6, 18));
  p.drawRect(QRectF(128, 278, 6, 18));
  for (int k = 0; k < 14; ++k) {
    p.setBrush(QColor::fromHsv((k * 47) % 360, 160, 250));
    p.drawEllipse(QPointF(180 + (k * 37) % 360, 400 + (k * 13) % 25), 5, 5);
  }
  p.end();

  TLocation& l = pl.loc;
  l.Picture = "park.bmp";
  l.BackLink = "Start.lok";
  l.WalkSpots = {{0, 380, 80, 432, "Start.lok", "kroki"}};
  l.SoundSpots = {{250, 280, 500, 390, "zaba"}};
  // Three list lines: the last one is the park's list.
  l.ExerciseListLines = 3;
  l.ExerciseListFile = "\\cwicz\\culture\\lista.txt";
  l.WaveEvents = {"ptaki", "wiatr", "zaba"};
  return pl;
}

Place Farm() {
  Place pl{"Farma.lok", Canvas(), {}};
  QPainter p(&pl.picture);
  p.setRenderHint(QPainter::Antialiasing);
  Sky(p, 210, QColor(100, 170, 235), QColor(230, 240, 250));
  Sun(p, {80, 60}, 26);
  Cloud(p, 260, 70, 0.9);
  // Hills and a field.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 200, 110));
  p.drawEllipse(QRectF(-100, 150, 420, 160));
  p.drawEllipse(QRectF(250, 160, 450, 140));
  Ground(p, 230, QColor(170, 210, 110), QColor(120, 170, 70));
  p.setPen(QPen(QColor(140, 110, 60), 3));
  for (int k = 0; k < 8; ++k) p.drawLine(QPointF(0, 300 + k * 17), QPointF(230, 280 + k * 19));
  // The barn.
  p.setPen(QPen(QColor(110, 30, 30), 2));
  p.setBrush(QColor(190, 50, 45));
  p.drawRect(QRectF(300, 130, 160, 130));
  p.setBrush(QColor(120, 60, 50));
  p.drawPolygon(QPolygonF{QPointF(290, 130), QPointF(380, 70), QPointF(470, 130)});
  p.setPen(QPen(Qt::white, 4));
  p.setBrush(QColor(120, 35, 30));
  p.drawRect(QRectF(350, 180, 60, 80));
  p.drawLine(350, 180, 410, 260);
  p.drawLine(410, 180, 350, 260);
  // The windmill tower (its sails are a sprite).
  p.setPen(QPen(QColor(120, 110, 100), 1.5));
  p.setBrush(QColor(230, 220, 200));
  p.drawPolygon(QPolygonF{QPointF(500, 240), QPointF(510, 120), QPointF(530, 120), QPointF(540, 240)});
  Fence(p, 0, 280, 290);
  // A cow in the meadow.
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(150, 330, 80, 42));
  p.drawEllipse(QRectF(215, 322, 30, 22));
  p.setBrush(Qt::black);
  p.drawEllipse(QRectF(170, 338, 20, 14));
  p.drawEllipse(QRectF(200, 350, 16, 12));
  for (double x : {160.0, 175.0, 205.0, 218.0}) p.drawRect(QRectF(x, 366, 5, 20));
  p.end();

  TLocation& l = pl.loc;
  l.Picture = "farma.bmp";
  l.BackLink = "Start.lok";
  l.WalkSpots = {{350, 180, 410, 260, "Stodola.lok", "skrzyp"}};
  l.SoundSpots = {{150, 320, 245, 390, "krowa"}};
  l.ExerciseListLines = 1;
  l.ExerciseListFile = "\\cwicz\\farm\\lista.txt";
  l.WaveEvents = {"krowa"};
  return pl;
}

Place Barn() {
  Place pl{"Stodola.lok", Canvas(), {}};
  QPainter p(&pl.picture);
  p.setRenderHint(QPainter::Antialiasing);
  for (int x = 0; x < kW; x += 38) {
    p.fillRect(x, 0, 38, 300, QColor(150 + (x / 38 % 3) * 10, 100 + (x / 38 % 2) * 8, 60));
    p.fillRect(x, 0, 2, 300, QColor(100, 65, 35));
  }
  Ground(p, 300, QColor(200, 170, 100), QColor(170, 140, 80));
  // Hay and an open door with daylight.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(235, 205, 90));
  p.drawEllipse(QRectF(20, 260, 170, 110));
  p.drawEllipse(QRectF(90, 230, 140, 100));
  p.setBrush(QColor(240, 245, 220));
  p.drawRect(QRectF(440, 120, 100, 180));
  p.setBrush(QColor(150, 210, 110));
  p.drawRect(QRectF(440, 240, 100, 60));
  p.setPen(QPen(QColor(90, 55, 25), 8));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(440, 120, 100, 180));
  p.end();

  TLocation& l = pl.loc;
  l.Picture = "stodola.bmp";
  l.BackLink = "Farma.lok";
  // The way out plays nothing first.
  l.WalkSpots = {{440, 120, 540, 300, "Farma.lok", "0"}};
  return pl;
}

Place Shop() {
  Place pl{"Sklep.lok", Canvas(), {}};
  QPainter p(&pl.picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(0, 0, kW, kH, QColor(250, 235, 200));
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
  Ground(p, 330, QColor(190, 150, 110), QColor(160, 120, 90));
  p.setPen(QPen(QColor(110, 70, 40), 2));
  p.setBrush(QColor(170, 110, 70));
  p.drawRect(QRectF(60, 300, 300, 70));
  p.setBrush(QColor(120, 120, 130));
  p.drawRoundedRect(QRectF(90, 270, 60, 32), 4, 4);
  p.setBrush(QColor(60, 200, 120));
  p.drawRect(QRectF(98, 276, 30, 10));
  p.end();

  TLocation& l = pl.loc;
  l.Picture = "sklep.bmp";
  l.BackLink = "Start.lok";
  l.SoundSpots = {{90, 270, 150, 302, "kasa"}};
  l.ExerciseListLines = 1;
  l.ExerciseListFile = "\\cwicz\\shops\\lista.txt";
  l.DialogueListLines = 1;
  l.DialogueListFile = "\\cwicz\\shops\\dialogi.txt";
  l.ExerciseSpots = {{30, 40, 540, 88, "\\cwicz\\shops\\owoce.txt"},
                     {30, 100, 540, 148, "\\cwicz\\shops\\warzywa.txt"},
                     {30, 160, 540, 208, "\\cwicz\\shops\\napoje.txt"}};
  return pl;
}

// The location screen's frame: dark wood with the picture's window and a
// column for the buttons on the right.
QImage Frame() {
  QImage img(640, 480, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 640, 480);
  g.setColorAt(0, QColor(120, 80, 45));
  g.setColorAt(1, QColor(80, 50, 28));
  p.fillRect(img.rect(), g);
  p.setPen(QPen(QColor(60, 35, 20, 90), 1));
  for (int y = 3; y < 480; y += 7) p.drawLine(0, y, 640, y + (y % 3));
  p.setPen(QPen(QColor(230, 190, 110), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(4, 33, 578, 441), 4, 4);
  // A red and a green gem beside the counters.
  const auto gem = [&](double x, QColor c) {
    p.setPen(QPen(c.darker(160), 1));
    p.setBrush(c);
    p.drawPolygon(QPolygonF{QPointF(x, 12), QPointF(x + 12, 12), QPointF(x + 16, 17), QPointF(x + 6, 28),
                            QPointF(x - 4, 17)});
  };
  gem(464, QColor(220, 40, 50));
  gem(520, QColor(40, 200, 80));
  // Little stars along the top.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 220, 120));
  for (int k = 0; k < 12; ++k) p.drawEllipse(QPointF(20 + k * 34, 18 + (k % 2) * 4), 2.5, 2.5);
  return img;
}

}  // namespace

namespace {
void RenderDemoPlaces(const TInstallation& inst) {
  Writer w{inst};
  WriteBmp(inst.ProgramDir() + "/gfx/tlo_main.bmp", Frame());

  Place town = TownSquare();
  w.Sprite(town, {60, 20, 40, 30}, 4, 150, "ptak", 0, "", 0, Bird);
  w.Sprite(town, {300, 372, 48, 44}, 4, 140, "kot", 1, "miau", 1, Cat);
  // The boy and the squirrel announce the jumps of the game's own places
  // ("Skok do ..."): they stand aside, not where a child taps first.
  w.Sprite(town, {520, 225, 40, 70}, 4, 220, "chlopiec", 2, "", 0, Boy);
  w.Video(town, {120, 20, 80, 100}, 24, "balon", "wiatr", Balloon);
  w.Video(town, {130, 362, 150, 56}, 30, "auto", "auto",
          [](QPainter& p, int f, QSize s) { Vehicle(p, f, s, 30, QColor(40, 110, 210), false); });
  w.Save(town);

  Place park = Park();
  w.Sprite(park, {330, 300, 56, 40}, 4, 250, "kaczka", 1, "kaczka", 0, Duck);
  w.Sprite(park, {2, 150, 50, 50}, 4, 120, "wiewiorka", 3, "", 1, Squirrel);
  w.Save(park);

  Place farm = Farm();
  w.Sprite(farm, {488, 88, 64, 64}, 4, 120, "wiatrak", 0, "", 0, Windmill);
  w.Sprite(farm, {260, 380, 44, 40}, 4, 130, "kura", 1, "kura", 1, Chicken);
  w.Video(farm, {20, 225, 220, 55}, 30, "traktor", "silnik",
          [](QPainter& p, int f, QSize s) { Vehicle(p, f, s, 30, QColor(40, 150, 60), true); });
  w.Save(farm);

  Place barn = Barn();
  w.Sprite(barn, {230, 230, 110, 90}, 6, 160, "kon", 0, "", 1, Horse);
  w.Save(barn);

  Place shop = Shop();
  w.Sprite(shop, {190, 236, 60, 66}, 4, 260, "sprzedawca", 1, "dzwonek", 0, Shopkeeper);
  w.Save(shop);

  for (const char* name : {"miau", "ptaki", "wiatr", "dzwon", "dzwonek", "krowa", "kura", "kaczka", "zaba",
                           "plusk", "skrzyp", "kroki", "gwar", "kasa", "auto", "silnik"})
    WriteWave(w.Data("\\lokacje\\Fx\\") + name + ".wav", SoundNamed(name));
}

struct CachedFile {
  QString Path;  // relative to the installation's root
  QByteArray Bytes;
};

// Drawing and synthesising takes a while; the tests build an installation
// per test, so the files are made once per process and copied after that.
std::vector<CachedFile> RenderOnce() {
  QTemporaryDir dir;
  if (!dir.isValid()) throw EInOutError(QStringLiteral("Nie można utworzyć katalogu tymczasowego"));
  RenderDemoPlaces(TInstallation{dir.path()});
  std::vector<CachedFile> files;
  QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    // Our own files of every kind: the largest kind's cap.
    files.push_back(
        {QDir(dir.path()).relativeFilePath(path), ReadWholeFile(path, TFileKind::Video)});
  }
  return files;
}
}  // namespace

void WriteDemoPlaces(const TInstallation& inst) {
  static const std::vector<CachedFile> files = RenderOnce();
  // A fresh installation has nothing to lose, so the copies skip the
  // flush-and-rename of WriteFileAtomic (a test builds one per test).
  for (const CachedFile& f : files) {
    const QString path = inst.Root + QLatin1Char('/') + f.Path;
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(f.Bytes) != f.Bytes.size())
      throw EInOutError(QStringLiteral("Nie można zapisać pliku %1").arg(path));
    out.close();
    NotePathWritten(path);
  }
}
