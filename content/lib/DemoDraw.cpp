#include "lib/DemoDraw.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>
#include <numbers>

#include "lib/LessonMedia.h"
#include "lib/Scenery.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Picture.h"

namespace {

QString FontFamily(const QString& kind) {
  if (kind == QLatin1String("serif")) return QStringLiteral("DejaVu Serif");
  if (kind == QLatin1String("plain")) return QStringLiteral("Liberation Sans");
  return QStringLiteral("DejaVu Sans");
}

QFont TextFont(const TSourceNode& c, int fallbackSize) {
  QFont f(FontFamily(c.Text(QStringLiteral("font"))));
  f.setPixelSize(c.NamedInt(QStringLiteral("size"), fallbackSize));
  f.setBold(c.Text(QStringLiteral("weight"), QStringLiteral("bold")) == QLatin1String("bold"));
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

// Text centred (or aligned) at a point, with an optional outline so it reads
// on any background.
void DrawText(QPainter& p, QPointF at, const QString& text, const QFont& font, QColor color, QColor outline,
              Qt::Alignment align, int wrapWidth = 0) {
  p.save();
  p.setFont(font);
  const QFontMetricsF fm(font);
  const double w = wrapWidth > 0 ? wrapWidth : fm.horizontalAdvance(text) + 4;
  const QRectF measured = fm.boundingRect(QRectF(0, 0, w, 10000), Qt::TextWordWrap | align, text);
  const double h = measured.height();
  double left = at.x();
  if (align & Qt::AlignHCenter) left -= w / 2;
  if (align & Qt::AlignRight) left -= w;
  const QRectF box(left, at.y() - h / 2, w, h);
  const int flags = static_cast<int>(align | Qt::AlignVCenter) | Qt::TextWordWrap;
  if (outline.isValid()) {
    p.setPen(outline);
    for (int dx = -2; dx <= 2; ++dx)
      for (int dy = -2; dy <= 2; ++dy)
        if (dx * dx + dy * dy <= 5 && (dx || dy)) p.drawText(box.translated(dx, dy), flags, text);
  }
  p.setPen(color);
  p.drawText(box, flags, text);
  p.restore();
}

Qt::Alignment AlignOf(const TSourceNode& c, Qt::Alignment fallback) {
  const QString a = c.Text(QStringLiteral("align"));
  if (a == QLatin1String("left")) return Qt::AlignLeft;
  if (a == QLatin1String("right")) return Qt::AlignRight;
  if (a == QLatin1String("center")) return Qt::AlignHCenter;
  if (!a.isEmpty()) c.Fail(QStringLiteral("align must be left, center or right"));
  return fallback;
}

Qt::PenCapStyle CapOf(const TSourceNode& c) {
  const QString cap = c.Text(QStringLiteral("cap"), QStringLiteral("round"));
  if (cap == QLatin1String("round")) return Qt::RoundCap;
  if (cap == QLatin1String("square")) return Qt::SquareCap;
  if (cap == QLatin1String("flat")) return Qt::FlatCap;
  c.Fail(QStringLiteral("cap must be round, square or flat"));
}

Qt::PenJoinStyle JoinOf(const TSourceNode& c) {
  const QString join = c.Text(QStringLiteral("join"), QStringLiteral("round"));
  if (join == QLatin1String("round")) return Qt::RoundJoin;
  if (join == QLatin1String("bevel")) return Qt::BevelJoin;
  if (join == QLatin1String("miter")) return Qt::MiterJoin;
  c.Fail(QStringLiteral("join must be round, bevel or miter"));
}

QPen BorderPen(const TSourceNode& c) {
  const QColor border = c.NamedColor(QStringLiteral("border"), QColor());
  if (!border.isValid()) return Qt::NoPen;
  return QPen(border, c.NamedReal(QStringLiteral("width"), 2), Qt::SolidLine, Qt::RoundCap,
              JoinOf(c));
}

// "M x y", "L x y" and "C x1 y1 x2 y2 x y" steps from argument `from` on.
QPainterPath PathOf(const TSourceNode& c, int from) {
  QPainterPath path;
  int i = from;
  const auto point = [&] {
    const QPointF at(c.Int(i, "x"), c.Int(i + 1, "y"));
    i += 2;
    return at;
  };
  while (i < c.Count()) {
    const QString step = c.Args[i++];
    if (step == QLatin1String("M")) {
      path.moveTo(point());
    } else if (step == QLatin1String("L")) {
      path.lineTo(point());
    } else if (step == QLatin1String("C")) {
      const QPointF a = point(), b = point(), end = point();
      path.cubicTo(a, b, end);
    } else {
      c.Fail(QStringLiteral("'%1' is no path step (M x y, L x y, C x1 y1 x2 y2 x y)").arg(step));
    }
  }
  if (path.elementCount() < 3)
    c.Fail(QStringLiteral("a path needs M and at least two more points"));
  return path;
}

// A stand-in for an emoji when no colour emoji font is installed: a friendly
// face in a colour of its own.
void DrawEmojiFallback(QPainter& p, double size, const QString& emoji) {
  const QColor base = QColor::fromHsv(static_cast<int>(qHash(emoji) % 360), 150, 235);
  const double r = size * 0.42;
  p.setPen(QPen(base.darker(170), std::max(1.0, size / 24)));
  p.setBrush(base);
  p.drawEllipse(QPointF(0, 0), r, r);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 30, 30));
  p.drawEllipse(QPointF(-r * 0.35, -r * 0.2), r * 0.12, r * 0.12);
  p.drawEllipse(QPointF(r * 0.35, -r * 0.2), r * 0.12, r * 0.12);
  p.setPen(QPen(QColor(40, 30, 30), std::max(1.0, size / 20), Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(-r * 0.45, -r * 0.2, r * 0.9, r * 0.8), 200 * 16, 140 * 16);
}

// A keycap ("1️⃣"): the colour font's renderer draws its digit beside an
// empty key, so the key is drawn here, a bold digit on a blue tile.
bool DrawKeycap(QPainter& p, double size, const QString& emoji) {
  const QList<uint> code = emoji.toUcs4();
  if (code.size() < 2 || code.back() != 0x20E3) return false;
  const double half = size * 0.42;
  p.save();
  p.setPen(QPen(QColor(40, 80, 150), std::max(1.0, size / 30)));
  p.setBrush(QColor(90, 150, 230));
  p.drawRoundedRect(QRectF(-half, -half, 2 * half, 2 * half), size / 8, size / 8);
  QFont f(QStringLiteral("Liberation Sans"));
  f.setBold(true);
  f.setPixelSize(static_cast<int>(size * 0.62));
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(-half, -half, 2 * half, 2 * half), Qt::AlignCenter,
             QString(QChar(char16_t(code.front()))));
  p.restore();
  return true;
}

// An emoji centred on the painter's origin, `size` pixels high.
void DrawEmojiAtOrigin(QPainter& p, double size, const QString& emoji) {
  if (DrawKeycap(p, size, emoji)) return;
  if (!HaveEmojiFont()) {
    DrawEmojiFallback(p, size, emoji);
    return;
  }
  // The colour font is a bitmap font: draw it large and scale it down, which
  // keeps its edges smooth at every size.
  constexpr double kDrawn = 109;
  QFont f(QStringLiteral("Noto Color Emoji"));
  f.setPixelSize(static_cast<int>(kDrawn));
  p.save();
  p.scale(size / kDrawn / 1.17, size / kDrawn / 1.17);
  p.setFont(f);
  p.setPen(Qt::black);
  const QRectF box(-kDrawn, -kDrawn, 2 * kDrawn, 2 * kDrawn);
  p.drawText(box, Qt::AlignCenter, emoji);
  p.restore();
}

// Where an actor is and how it is turned at moment t.
struct TPose {
  QPointF At;
  double Angle = 0, ScaleX = 1, ScaleY = 1, Opacity = 1;
};

TPose ActorPose(const TSourceNode& c, double t, double size) {
  TPose pose;
  const double phase = c.NamedReal(QStringLiteral("phase"), 0);
  const double tt = t + phase;
  const double dx = c.NamedReal(QStringLiteral("dx"), 0), dy = c.NamedReal(QStringLiteral("dy"), 0);
  const double amp = c.NamedReal(QStringLiteral("amp"), size / 6);
  const double wave = std::sin(2 * std::numbers::pi * tt);
  pose.At = QPointF(c.Int(1, "x") + dx * t, c.Int(2, "y") + dy * t);
  const QString motion = c.Text(QStringLiteral("motion"), QStringLiteral("none"));
  if (motion == QLatin1String("none")) {
  } else if (motion == QLatin1String("bounce")) {
    pose.At.ry() -= std::abs(std::sin(2 * std::numbers::pi * tt)) * amp;
    pose.ScaleY = 1 - 0.06 * std::abs(std::cos(2 * std::numbers::pi * tt));
  } else if (motion == QLatin1String("hop")) {
    pose.At.ry() -= std::sin(std::numbers::pi * std::fmod(tt, 1.0)) * amp * 2;
  } else if (motion == QLatin1String("sway")) {
    pose.Angle = wave * c.NamedReal(QStringLiteral("angle"), 12);
  } else if (motion == QLatin1String("spin")) {
    pose.Angle = 360 * tt;
  } else if (motion == QLatin1String("pulse")) {
    pose.ScaleX = pose.ScaleY = 1 + 0.12 * wave;
  } else if (motion == QLatin1String("fly")) {
    pose.At.ry() += wave * amp;
    pose.ScaleY = 1 - 0.25 * std::abs(std::sin(4 * std::numbers::pi * tt * 2));
  } else if (motion == QLatin1String("walk")) {
    pose.At.ry() -= std::abs(std::sin(4 * std::numbers::pi * tt)) * amp * 0.5;
    pose.Angle = std::sin(4 * std::numbers::pi * tt) * 5;
  } else if (motion == QLatin1String("shake")) {
    pose.At.rx() += std::sin(6 * std::numbers::pi * tt) * amp * 0.4;
  } else if (motion == QLatin1String("float")) {
    pose.At.rx() += wave * amp * 0.5;
    pose.Angle = wave * 6;
  } else if (motion == QLatin1String("peck")) {
    pose.Angle = std::max(0.0, std::sin(4 * std::numbers::pi * tt)) * 35;
  } else if (motion == QLatin1String("twinkle")) {
    pose.ScaleX = pose.ScaleY = 0.6 + 0.5 * std::abs(wave);
    pose.Angle = 45 * tt;
  } else {
    c.Fail(QStringLiteral("unknown motion '%1' (none, bounce, hop, sway, spin, pulse, fly, walk, shake, float, peck, twinkle)").arg(motion));
  }
  if (c.NamedInt(QStringLiteral("flip"), 0)) pose.ScaleX = -pose.ScaleX;
  return pose;
}

void DrawSun(QPainter& p, QPointF at, double r) {
  p.save();
  p.setPen(QPen(QColor(255, 200, 40), r / 7, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 12; ++i) {
    const double a = i * std::numbers::pi / 6;
    p.drawLine(at + QPointF(std::cos(a), std::sin(a)) * r * 1.25, at + QPointF(std::cos(a), std::sin(a)) * r * 1.6);
  }
  QRadialGradient g(at, r);
  g.setColorAt(0, QColor(255, 250, 180));
  g.setColorAt(1, QColor(255, 205, 50));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(at, r, r);
  p.restore();
}

void DrawCloud(QPainter& p, QPointF at, double w, QColor color) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  const double h = w * 0.35;
  p.drawEllipse(QRectF(at.x(), at.y() + h * 0.3, w * 0.45, h * 0.7));
  p.drawEllipse(QRectF(at.x() + w * 0.2, at.y(), w * 0.45, h * 0.9));
  p.drawEllipse(QRectF(at.x() + w * 0.45, at.y() + h * 0.15, w * 0.4, h * 0.8));
  p.drawEllipse(QRectF(at.x() + w * 0.6, at.y() + h * 0.4, w * 0.4, h * 0.6));
  p.drawRoundedRect(QRectF(at.x() + w * 0.1, at.y() + h * 0.5, w * 0.8, h * 0.5), h * 0.25, h * 0.25);
  p.restore();
}

void DrawTree(QPainter& p, QPointF base, double h, const QString& kind) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(130, 85, 45));
  p.drawRect(QRectF(base.x() - h * 0.06, base.y() - h * 0.45, h * 0.12, h * 0.45));
  if (kind == QLatin1String("pine")) {
    p.setBrush(QColor(40, 130, 70));
    for (int i = 0; i < 3; ++i) {
      const double top = base.y() - h + i * h * 0.22, bottom = top + h * 0.45, half = h * (0.22 + i * 0.06);
      p.drawPolygon(QPolygonF({QPointF(base.x(), top), QPointF(base.x() + half, bottom), QPointF(base.x() - half, bottom)}));
    }
  } else {
    const QColor leaf(70, 160, 70);
    p.setBrush(leaf);
    const double r = h * 0.28;
    const QPointF c(base.x(), base.y() - h * 0.62);
    p.drawEllipse(c + QPointF(-r * 0.6, 0), r, r);
    p.drawEllipse(c + QPointF(r * 0.6, 0), r, r);
    p.setBrush(leaf.lighter(112));
    p.drawEllipse(c + QPointF(0, -r * 0.55), r * 1.05, r * 1.05);
    if (kind == QLatin1String("apple")) {
      p.setBrush(QColor(220, 40, 40));
      const QPointF apples[] = {{-0.7, -0.2}, {0.5, -0.6}, {0.8, 0.3}, {-0.2, 0.4}, {0.1, -1.0}};
      for (const QPointF& a : apples) p.drawEllipse(c + a * r, r * 0.13, r * 0.13);
    }
  }
  p.restore();
}

void DrawHouse(QPainter& p, const TSourceNode& c) {
  const QRectF r(c.Int(0, "x"), c.Int(1, "y"), c.Int(2, "width"), c.Int(3, "height"));
  const QColor wall = c.NamedColor(QStringLiteral("wall"), QColor(250, 225, 180));
  const QColor roof = c.NamedColor(QStringLiteral("roof"), QColor(200, 70, 50));
  const QColor door = c.NamedColor(QStringLiteral("door"), QColor(140, 80, 40));
  p.save();
  p.setPen(QPen(wall.darker(150), 2));
  p.setBrush(wall);
  const double roofH = r.height() * 0.4;
  const QRectF body(r.left(), r.top() + roofH, r.width(), r.height() - roofH);
  p.drawRect(body);
  p.setPen(QPen(roof.darker(140), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(roof);
  p.drawPolygon(QPolygonF({QPointF(r.left() - r.width() * 0.08, body.top()), QPointF(r.center().x(), r.top()),
                           QPointF(r.right() + r.width() * 0.08, body.top())}));
  // Door in the middle, a window on each side.
  const double dw = body.width() * 0.22, dh = body.height() * 0.55;
  p.setPen(QPen(door.darker(150), 2));
  p.setBrush(door);
  p.drawRoundedRect(QRectF(body.center().x() - dw / 2, body.bottom() - dh, dw, dh), 4, 4);
  p.setBrush(QColor(255, 215, 80));
  p.drawEllipse(QPointF(body.center().x() + dw * 0.3, body.bottom() - dh * 0.45), 2.5, 2.5);
  if (body.width() > 70) {
    const double ww = body.width() * 0.18;
    p.setPen(QPen(QColor(255, 255, 255), 3));
    p.setBrush(QColor(150, 210, 250));
    for (double x : {body.left() + body.width() * 0.1, body.right() - body.width() * 0.1 - ww}) {
      const QRectF win(x, body.top() + body.height() * 0.2, ww, ww);
      p.drawRect(win);
      p.drawLine(QPointF(win.center().x(), win.top()), QPointF(win.center().x(), win.bottom()));
      p.drawLine(QPointF(win.left(), win.center().y()), QPointF(win.right(), win.center().y()));
    }
  }
  p.restore();
}

// A wooden sign board with text; with post=N a post of N pixels under it.
void DrawSign(QPainter& p, const TSourceNode& c) {
  const QPointF at(c.Int(0, "x"), c.Int(1, "y"));
  const QString text = c.Arg(2, "a text");
  const QFont font = TextFont(c, 16);
  const QFontMetricsF fm(font);
  const double w = fm.horizontalAdvance(text) + 18, h = fm.height() + 8;
  const QColor board = c.NamedColor(QStringLiteral("board"), QColor(222, 170, 100));
  const QColor ink = c.NamedColor(QStringLiteral("color"), QColor(70, 40, 20));
  p.save();
  const int post = c.NamedInt(QStringLiteral("post"), 0);
  if (post > 0) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 80, 45));
    p.drawRect(QRectF(at.x() - 4, at.y(), 8, post));
  }
  p.setPen(QPen(board.darker(160), 2));
  p.setBrush(board);
  p.drawRoundedRect(QRectF(at.x() - w / 2, at.y() - h / 2, w, h), 6, 6);
  p.restore();
  DrawText(p, at, text, font, ink, QColor(), Qt::AlignHCenter);
}

QPolygonF StarPolygon(QPointF c, double r) {
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5, rr = i % 2 ? r * 0.45 : r;
    star << c + QPointF(std::cos(a), std::sin(a)) * rr;
  }
  return star;
}

QPolygonF Points(const TSourceNode& c, int from) {
  QPolygonF poly;
  if ((c.Count() - from) % 2 != 0 || c.Count() - from < 6) c.Fail(QStringLiteral("a polygon needs three or more x y pairs"));
  for (int i = from; i + 1 < c.Count(); i += 2) poly << QPointF(c.Int(i, "x"), c.Int(i + 1, "y"));
  return poly;
}

// photo FILE X Y W H [fit=crop|letterbox|scale] [fill=C]
void DrawPhoto(QPainter& p, const TSourceNode& c) {
  c.Allow({"fit", "fill"});
  const QRect r(c.Int(1, "x"), c.Int(2, "y"), c.Int(3, "a width"), c.Int(4, "a height"));
  const auto fit = ParsePhotoFit(c.Text(QStringLiteral("fit"), QStringLiteral("crop")));
  if (!fit) c.Fail(QStringLiteral("fit must be crop, letterbox or scale"));
  QString error;
  const auto photo = FitPhoto(c.InputFile(c.Arg(0, "a photo")), r.size(), *fit, &error,
                              c.NamedColor(QStringLiteral("fill"), Qt::white));
  if (!photo) c.Fail(error);
  p.drawImage(r.topLeft(), *photo);
}

void DrawCommand(QPainter& p, const TSourceNode& c, TMoment at, const TPictureCache& cache,
                 QSize size) {
  const double t = static_cast<double>(at.Frame) / at.Frames;
  const QString& cmd = c.Command;
  p.save();
  if (cmd == QLatin1String("fill")) {
    p.fillRect(QRect(QPoint(0, 0), size), c.ColorArg(0, "a colour"));
  } else if (cmd == QLatin1String("gradient")) {
    QRectF r(0, 0, size.width(), size.height());
    if (c.Count() >= 6) r = QRectF(c.Int(2, "x"), c.Int(3, "y"), c.Int(4, "width"), c.Int(5, "height"));
    const bool across = c.Text(QStringLiteral("dir")) == QLatin1String("right");
    QLinearGradient g(r.topLeft(), across ? r.topRight() : r.bottomLeft());
    g.setColorAt(0, c.ColorArg(0, "a first colour"));
    g.setColorAt(1, c.ColorArg(1, "a second colour"));
    p.fillRect(r, g);
  } else if (cmd == QLatin1String("rect")) {
    const QRectF r(c.Int(0, "x"), c.Int(1, "y"), c.Int(2, "width"), c.Int(3, "height"));
    p.setPen(BorderPen(c));
    p.setBrush(c.ColorArg(4, "a colour"));
    const double radius = c.NamedReal(QStringLiteral("radius"), 0);
    if (radius > 0) p.drawRoundedRect(r, radius, radius);
    else p.drawRect(r);
  } else if (cmd == QLatin1String("ellipse")) {
    p.setPen(BorderPen(c));
    p.setBrush(c.ColorArg(4, "a colour"));
    p.drawEllipse(QRectF(c.Int(0, "x"), c.Int(1, "y"), c.Int(2, "width"), c.Int(3, "height")));
  } else if (cmd == QLatin1String("polygon")) {
    p.setPen(BorderPen(c));
    p.setBrush(c.ColorArg(0, "a colour"));
    p.drawPolygon(Points(c, 1));
  } else if (cmd == QLatin1String("path")) {
    p.setPen(BorderPen(c));
    p.setBrush(c.ColorArg(0, "a colour"));
    p.drawPath(PathOf(c, 1));
  } else if (cmd == QLatin1String("line")) {
    p.setPen(QPen(c.ColorArg(4, "a colour"), c.NamedReal(QStringLiteral("width"), 2), Qt::SolidLine,
                  CapOf(c)));
    p.drawLine(QPointF(c.Int(0, "x1"), c.Int(1, "y1")), QPointF(c.Int(2, "x2"), c.Int(3, "y2")));
  } else if (cmd == QLatin1String("text")) {
    DrawText(p, QPointF(c.Int(0, "x"), c.Int(1, "y")), c.Arg(2, "a text"), TextFont(c, 16),
             c.NamedColor(QStringLiteral("color"), QColor(40, 30, 20)), c.NamedColor(QStringLiteral("outline"), QColor()),
             AlignOf(c, Qt::AlignHCenter), c.NamedInt(QStringLiteral("wrap"), 0));
  } else if (cmd == QLatin1String("emoji")) {
    p.translate(c.Int(0, "x"), c.Int(1, "y"));
    p.rotate(c.NamedReal(QStringLiteral("angle"), 0));
    if (c.NamedInt(QStringLiteral("flip"), 0)) p.scale(-1, 1);
    DrawEmojiAtOrigin(p, c.Int(2, "a size"), c.Arg(3, "an emoji"));
  } else if (cmd == QLatin1String("actor")) {
    const double s = c.Int(3, "a size");
    const TPose pose = ActorPose(c, t, s);
    p.translate(pose.At);
    p.rotate(pose.Angle + c.NamedReal(QStringLiteral("tilt"), 0));
    p.scale(pose.ScaleX, pose.ScaleY);
    DrawEmojiAtOrigin(p, s, c.Arg(0, "an emoji"));
  } else if (cmd == QLatin1String("sun")) {
    DrawSun(p, QPointF(c.Int(0, "x"), c.Int(1, "y")), c.Int(2, "a radius"));
  } else if (cmd == QLatin1String("cloud")) {
    DrawCloud(p, QPointF(c.Int(0, "x"), c.Int(1, "y")), c.Int(2, "a width"),
              c.NamedColor(QStringLiteral("color"), QColor(255, 255, 255, 235)));
  } else if (cmd == QLatin1String("hill")) {
    p.setPen(Qt::NoPen);
    p.setBrush(c.ColorArg(4, "a colour"));
    const QRectF r(c.Int(0, "x"), c.Int(1, "y"), c.Int(2, "width"), c.Int(3, "height"));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), r.height() * 2));
  } else if (cmd == QLatin1String("tree")) {
    DrawTree(p, QPointF(c.Int(0, "x"), c.Int(1, "y")), c.Int(2, "a height"), c.Text(QStringLiteral("kind"), QStringLiteral("leaf")));
  } else if (cmd == QLatin1String("house")) {
    DrawHouse(p, c);
  } else if (cmd == QLatin1String("sign")) {
    DrawSign(p, c);
  } else if (cmd == QLatin1String("grass")) {
    const int y = c.Int(0, "y");
    const QColor green = c.ColorArg(1, "a colour");
    QLinearGradient g(0, y, 0, size.height());
    g.setColorAt(0, green.lighter(110));
    g.setColorAt(1, green.darker(115));
    p.fillRect(QRectF(0, y, size.width(), size.height() - y), g);
    p.setPen(QPen(green.darker(130), 2, Qt::SolidLine, Qt::RoundCap));
    QRandomGenerator rng(static_cast<quint32>(c.NamedInt(QStringLiteral("seed"), 7)));
    const int tufts = c.NamedInt(QStringLiteral("tufts"), size.width() / 12);
    for (int i = 0; i < tufts; ++i) {
      const double x = rng.bounded(size.width()), yy = y + 6 + rng.bounded(std::max(1, size.height() - y - 6));
      p.drawLine(QPointF(x, yy), QPointF(x - 3, yy - 7));
      p.drawLine(QPointF(x, yy), QPointF(x + 3, yy - 8));
    }
  } else if (cmd == QLatin1String("star")) {
    p.setPen(BorderPen(c));
    p.setBrush(c.ColorArg(3, "a colour"));
    p.drawPolygon(StarPolygon(QPointF(c.Int(0, "x"), c.Int(1, "y")), c.Int(2, "a radius")));
  } else if (cmd == QLatin1String("sparkles")) {
    const QColor color = c.ColorArg(1, "a colour");
    QRectF area(0, 0, size.width(), size.height());
    if (c.Count() >= 6) area = QRectF(c.Int(2, "x"), c.Int(3, "y"), c.Int(4, "width"), c.Int(5, "height"));
    QRandomGenerator rng(static_cast<quint32>(c.NamedInt(QStringLiteral("seed"), 3)));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (int i = 0; i < c.Int(0, "a count"); ++i) {
      const QPointF at(area.left() + rng.generateDouble() * area.width(), area.top() + rng.generateDouble() * area.height());
      p.drawPolygon(StarPolygon(at, 2 + rng.bounded(4)));
    }
  } else if (cmd == QLatin1String("crop") || cmd == QLatin1String("paste")) {
    const QString from = c.Arg(0, "a picture");
    const QImage* picture = cache.Find(from);
    if (!picture) c.Fail(QStringLiteral("picture %1 is neither drawn before this line nor in the installation").arg(from));
    if (cmd == QLatin1String("crop"))
      p.drawImage(QPointF(0, 0), *picture, QRectF(c.Int(1, "x"), c.Int(2, "y"), size.width(), size.height()));
    else
      p.drawImage(QPointF(c.Int(1, "x"), c.Int(2, "y")), *picture);
  } else if (cmd == QLatin1String("photo")) {
    DrawPhoto(p, c);
  } else if (!DrawScenery(p, c, at, size)) {
    c.Fail(QStringLiteral("unknown drawing command '%1'").arg(cmd));
  }
  p.restore();
}

}  // namespace

QString TPictureCache::Key(const QString& sourcePath) { return QString(sourcePath).replace(u'/', u'\\').toLower(); }

void TPictureCache::Put(const QString& sourcePath, const QImage& picture) { pictures_[Key(sourcePath)] = picture; }

const QImage* TPictureCache::Find(const QString& sourcePath) const {
  const QString key = Key(sourcePath);
  auto it = pictures_.find(key);
  if (it != pictures_.end()) return &*it;
  if (!Locate) return nullptr;
  const QString real = Locate(sourcePath);
  if (real.isEmpty() || !FileExists(real)) return nullptr;
  try {
    return &*pictures_.insert(key, LoadPicture(real));
  } catch (const Exception&) {
    return nullptr;
  }
}

bool HaveEmojiFont() {
  static const bool have = QFontDatabase::families().contains(QStringLiteral("Noto Color Emoji"));
  return have;
}

void DrawCommands(QImage& image, const std::vector<TSourceNode>& commands, TMoment at,
                  const TPictureCache& cache, QRect area) {
  if (area.isNull()) area = image.rect();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (area.topLeft() != QPoint(0, 0)) p.translate(area.topLeft());
  for (const TSourceNode& c : commands) DrawCommand(p, c, at, cache, area.size());
}

QImage DrawPicture(QSize size, const std::vector<TSourceNode>& commands, const TPictureCache& cache) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(Qt::white);
  DrawCommands(img, commands, {}, cache);
  return img;
}

std::vector<QImage> DrawFrames(const QImage& background, int frames,
                               const std::vector<TSourceNode>& commands, const TPictureCache& cache,
                               QRect area) {
  std::vector<QImage> out;
  for (int i = 0; i < frames; ++i) {
    QImage frame = background.convertToFormat(QImage::Format_RGB32);
    // "frame N [M ...]" keeps the lines under it to those frames alone.
    std::vector<TSourceNode> drawn;
    for (const TSourceNode& c : commands) {
      if (c.Command != QLatin1String("frame")) {
        drawn.push_back(c);
        continue;
      }
      c.Allow({});
      if (c.Count() == 0) c.Fail(QStringLiteral("'frame' needs the numbers of the frames it draws in"));
      for (int k = 0; k < c.Count(); ++k)
        if (c.Int(k, "a frame number") == i) drawn.insert(drawn.end(), c.Children.begin(), c.Children.end());
    }
    DrawCommands(frame, drawn, {i, frames}, cache, area);
    out.push_back(frame);
  }
  return out;
}

QImage DrawStrip(const QImage& background, int frames, const std::vector<TSourceNode>& commands,
                 const TPictureCache& cache) {
  const std::vector<QImage> each = DrawFrames(background, frames, commands, cache);
  QImage strip(background.width() * frames, background.height(), QImage::Format_RGB32);
  QPainter p(&strip);
  for (int i = 0; i < frames; ++i) p.drawImage(i * background.width(), 0, each[static_cast<size_t>(i)]);
  return strip;
}

namespace {

// The glyph of a button, white on its disc, centred on the origin in a box of `s`.
void DrawGlyph(QPainter& p, const QString& glyph, double s) {
  const QPen pen(Qt::white, s * 0.13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::white);
  const double a = s * 0.26;
  auto arrow = [&](double angle) {
    p.save();
    p.rotate(angle);
    p.drawLine(QPointF(-a, 0), QPointF(a * 0.5, 0));
    p.drawPolygon(QPolygonF({QPointF(a, 0), QPointF(a * 0.1, -a * 0.75), QPointF(a * 0.1, a * 0.75)}));
    p.restore();
  };
  if (glyph == QLatin1String("right")) arrow(0);
  else if (glyph == QLatin1String("left")) arrow(180);
  else if (glyph == QLatin1String("up")) arrow(-90);
  else if (glyph == QLatin1String("down")) arrow(90);
  else if (glyph == QLatin1String("play")) {
    p.setPen(QPen(Qt::white, s * 0.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(QPolygonF({QPointF(-a * 0.7, -a), QPointF(a, 0), QPointF(-a * 0.7, a)}));
  } else if (glyph == QLatin1String("cross")) {
    p.drawLine(QPointF(-a, -a), QPointF(a, a));
    p.drawLine(QPointF(a, -a), QPointF(-a, a));
  } else if (glyph == QLatin1String("check")) {
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(-a, 0), QPointF(-a * 0.25, a * 0.75), QPointF(a, -a * 0.8)}));
  } else if (glyph == QLatin1String("back")) {
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(-a * 0.6, -a * 0.45);
    path.lineTo(a * 0.3, -a * 0.45);
    path.arcTo(QRectF(-a * 0.3, -a * 0.45, a * 1.2, a * 1.1), 90, -180);
    path.lineTo(-a * 0.5, a * 0.65);
    p.drawPath(path);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(-a, -a * 0.45), QPointF(-a * 0.35, -a), QPointF(-a * 0.35, a * 0.1)}));
  } else if (glyph == QLatin1String("record")) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 30, 30));
    p.drawEllipse(QPointF(0, 0), a * 0.9, a * 0.9);
  } else {
    throw std::invalid_argument("glyph");
  }
}

}  // namespace

QImage DrawButtonStrip(const TSourceNode& b, QSize frameSize) {
  const QColor color = b.ColorArg(1, "a colour");
  const QString glyph = b.Text(QStringLiteral("glyph")), emoji = b.Text(QStringLiteral("emoji")),
                label = b.Text(QStringLiteral("text"));
  if (glyph.isEmpty() + emoji.isEmpty() + label.isEmpty() != 2)
    b.Fail(QStringLiteral("a button needs exactly one of glyph=, emoji= and text="));
  const int w = frameSize.width(), h = frameSize.height();
  QImage art(w * 2, h, QImage::Format_ARGB32_Premultiplied);
  art.fill(Qt::transparent);
  {
    QPainter p(&art);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int frame = 0; frame < 2; ++frame) {
      const bool lit = frame == 1;
      p.save();
      p.translate(frame * w + w / 2.0, h / 2.0);
      const double r = std::min(w, h) / 2.0 - 1.5;
      // Shadow, rim and a glossy disc; the highlighted frame glows.
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(60, 30, 10, 110));
      p.drawEllipse(QPointF(1, 1.5), r, r);
      QRadialGradient g(QPointF(-r * 0.35, -r * 0.45), r * 1.6);
      const QColor face = lit ? color.lighter(135) : color;
      g.setColorAt(0, face.lighter(150));
      g.setColorAt(0.6, face);
      g.setColorAt(1, face.darker(130));
      p.setPen(QPen(lit ? QColor(255, 236, 120) : face.darker(160), lit ? 2.4 : 1.6));
      p.setBrush(g);
      p.drawEllipse(QPointF(0, 0), r - 1, r - 1);
      if (!glyph.isEmpty()) {
        try {
          DrawGlyph(p, glyph, r * 2);
        } catch (const std::invalid_argument&) {
          b.Fail(QStringLiteral("unknown glyph '%1' (left, right, up, down, play, cross, check, back, record)").arg(glyph));
        }
      } else if (!emoji.isEmpty()) {
        DrawEmojiAtOrigin(p, r * 1.3, emoji);
      } else {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(true);
        f.setPixelSize(static_cast<int>(r * (label.size() > 2 ? 0.7 : 1.0)));
        DrawText(p, QPointF(0, 0), label, f, Qt::white, face.darker(170), Qt::AlignHCenter);
      }
      p.restore();
    }
  }
  // Hard edges against the key colour: a soft edge would blend into magenta
  // and show a pink fringe wherever the key colour is left out.
  art = art.convertToFormat(QImage::Format_ARGB32);
  QImage strip(w * 2, h, QImage::Format_RGB32);
  const QRgb key = ButtonKeyColor.rgb();
  const QColor edge(70, 40, 20);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w * 2; ++x) {
      const QColor c = QColor::fromRgba(art.pixel(x, y));
      if (c.alpha() < 110) {
        strip.setPixel(x, y, key);
      } else {
        const double a = c.alphaF();
        strip.setPixel(x, y, qRgb(static_cast<int>(c.red() * a + edge.red() * (1 - a)),
                                  static_cast<int>(c.green() * a + edge.green() * (1 - a)),
                                  static_cast<int>(c.blue() * a + edge.blue() * (1 - a))));
      }
    }
  strip.setPixel(0, h - 1, key);
  return strip;
}
