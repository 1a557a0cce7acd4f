#include "controls/ScreenArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
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

namespace {
QImage Keyed(int width, int height) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(ScreenArtKey);
  return img;
}

// A wooden board with a lighter edge, for the frame pieces.
QImage Board(int width, int height, bool across) {
  QImage img(width, height, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, across ? 0 : width, across ? height : 0);
  g.setColorAt(0, QColor(120, 170, 220));
  g.setColorAt(1, QColor(60, 105, 165));
  p.fillRect(img.rect(), g);
  p.setPen(QColor(230, 240, 255));
  // Snow lying on the board.
  for (int x = 3; x < width; x += 11) p.drawPoint(x, (x * 7) % std::max(1, height));
  p.setPen(QColor(35, 60, 100));
  p.drawRect(0, 0, width - 1, height - 1);
  return img;
}
}  // namespace

QImage CrosswordHelicopter() {
  QImage img = Keyed(73, 65);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QColor body(200, 40, 40), dark(60, 20, 20), glass(170, 220, 250);
  p.setPen(QPen(dark, 1));
  // Rotor and its mast.
  p.setBrush(QColor(50, 50, 50));
  p.drawRect(6, 8, 50, 2);
  p.drawRect(30, 10, 3, 8);
  // Tail boom and tail rotor.
  p.setBrush(body);
  p.drawRect(44, 27, 22, 5);
  p.drawEllipse(QRect(62, 19, 9, 18));
  // Cabin with its window.
  p.drawEllipse(QRect(8, 17, 42, 28));
  p.setBrush(glass);
  p.drawChord(QRect(11, 20, 22, 20), 90 * 16, 180 * 16);
  // Skids.
  p.setPen(QPen(QColor(40, 40, 40), 2));
  p.drawLine(18, 45, 16, 53);
  p.drawLine(38, 45, 40, 53);
  p.drawLine(8, 54, 48, 54);
  p.drawLine(8, 54, 5, 51);
  return img;
}

QImage CrosswordFigure() {
  QImage img = Keyed(70, 84);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Balloons on strings, held above the child.
  const QColor balloons[] = {QColor(230, 50, 50), QColor(250, 200, 30), QColor(60, 140, 230)};
  const QPoint tops[] = {QPoint(10, 2), QPoint(27, 0), QPoint(44, 4)};
  p.setPen(QPen(QColor(80, 80, 80), 1));
  for (const QPoint& t : tops) p.drawLine(t.x() + 8, t.y() + 20, 35, 44);
  for (int i = 0; i < 3; ++i) {
    p.setBrush(balloons[i]);
    p.drawEllipse(QRect(tops[i], QSize(16, 20)));
  }
  // The child: head, cap, jacket, legs.
  p.setPen(QPen(QColor(40, 30, 30), 1));
  p.setBrush(QColor(250, 215, 180));
  p.drawEllipse(QRect(28, 44, 14, 14));
  p.setBrush(QColor(40, 160, 90));
  p.drawChord(QRect(27, 41, 16, 12), 0, 180 * 16);
  p.setBrush(QColor(230, 120, 30));
  p.drawRect(27, 58, 16, 14);
  p.drawLine(27, 60, 22, 50);  // the arm holding the strings
  p.setBrush(QColor(50, 60, 140));
  p.drawRect(28, 72, 5, 10);
  p.drawRect(37, 72, 5, 10);
  // The key stays where the picture control reads it.
  p.end();
  img.setPixel(0, img.height() - 1, ScreenArtKey);
  return img;
}

QImage CrosswordTopBar() {
  QImage img = Board(640, 37, true);
  // The red and green marks before the counters, as on the other exercise screens.
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(0x8e, 0x00, 0x00));
  p.setBrush(QColor(0xe5, 0x39, 0x35));
  p.drawEllipse(462, 9, 18, 18);
  p.setPen(QColor(0x1b, 0x5e, 0x20));
  p.setBrush(QColor(0x43, 0xa0, 0x47));
  p.drawEllipse(518, 9, 18, 18);
  return img;
}
QImage CrosswordSideBar() {
  return Board(62, 152, false);
}
QImage CrosswordStrip() {
  return Board(8, 169, false);
}

QImage CrosswordEmptyLine() {
  QImage img(389, 27, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setPen(Qt::black);
  for (int c = 0; c < 15; ++c) p.drawRect(c * 21, 0, 21, 21);
  p.fillRect(0, 22, 389, 5, QColor(225, 235, 245));
  return img;
}

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

namespace {
// A round lamp on the key colour, lit in `fill`, with a light rim and a
// white mark drawn by `mark`.
QImage SongLamp(int width, int height, QColor fill, void (*mark)(QPainter&)) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(ScreenArtKey);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(fill.darker(160), 2));
  p.setBrush(fill);
  p.drawEllipse(QRect(2, 1, width - 5, height - 4));
  p.setPen(QPen(fill.lighter(150), 1));
  p.drawArc(QRect(6, 4, width - 13, height - 10), 60 * 16, 70 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  mark(p);
  return img;
}
}  // namespace

QImage SongPlayingPicture() {
  return SongLamp(37, 33, QColor(40, 170, 60), [](QPainter& p) {
    p.drawPolygon(QPolygon({QPoint(14, 9), QPoint(14, 23), QPoint(26, 16)}));
  });
}

QImage SongPausedPicture() {
  return SongLamp(36, 33, QColor(240, 160, 20), [](QPainter& p) {
    p.drawRect(QRect(12, 9, 4, 14));
    p.drawRect(QRect(20, 9, 4, 14));
  });
}

// Dictionary.

namespace {
QFont DictionaryFont(int px, bool bold, bool serif = false) {
  return ToQFont(TFont{serif ? QStringLiteral("Times New Roman CE") : QStringLiteral("Arial CE"),
                       -px, clBlack, bold ? static_cast<unsigned>(fsBold) : 0u});
}
}  // namespace

QImage DictionaryPage() {
  QImage img(640, 480, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 480);
  sky.setColorAt(0, QColor(70, 120, 170));
  sky.setColorAt(1, QColor(40, 70, 120));
  p.fillRect(img.rect(), sky);
  // The button column on the right.
  p.fillRect(QRect(572, 0, 68, 480), QColor(30, 50, 90));
  p.setPen(QPen(QColor(200, 170, 90), 2));
  p.drawLine(572, 0, 572, 480);

  // Title: a book and the word, over the authors' hot area (32, 16, 217 x 85).
  p.setPen(QPen(QColor(90, 40, 20), 2));
  p.setBrush(QColor(200, 60, 50));
  p.drawRoundedRect(QRectF(40, 26, 54, 66), 5, 5);
  p.setBrush(QColor(250, 245, 225));
  p.drawRect(QRectF(46, 30, 44, 58));
  p.setPen(QPen(QColor(90, 40, 20), 1));
  for (int y = 40; y <= 80; y += 8) p.drawLine(52, y, 84, y);
  p.setFont(DictionaryFont(34, true, true));
  p.setPen(QColor(255, 225, 120));
  p.drawText(QRect(102, 24, 150, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Słownik"));
  p.setFont(DictionaryFont(12, false));
  p.setPen(QColor(220, 230, 245));
  p.drawText(QRect(104, 70, 150, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("angielsko-polski"));

  // The page of fourteen rows: English from x 36, Polish from x 228, rows from y 115, 21 apart.
  const QRectF sheet(26, 92, 466, 320);
  p.setPen(QPen(QColor(150, 120, 70), 3));
  p.setBrush(QColor(255, 250, 232));
  p.drawRoundedRect(sheet, 8, 8);
  p.setFont(DictionaryFont(12, true));
  p.setPen(QColor(120, 80, 30));
  p.drawText(QRect(36, 96, 180, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("angielski"));
  p.drawText(QRect(228, 96, 200, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("polski"));
  p.setPen(QPen(QColor(225, 210, 175), 1));
  for (int k = 1; k < 14; ++k)
    p.drawLine(QPointF(30, 115 + 21 * k - 0.5), QPointF(488, 115 + 21 * k - 0.5));
  p.setPen(QPen(QColor(200, 170, 120), 1));
  p.drawLine(QPointF(225.5, 98), QPointF(225.5, 408));

  // The rail between the page arrows (498, 121) and (498, 373).
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 60));
  p.drawRoundedRect(QRectF(505, 156, 22, 214), 10, 10);
  return img;
}

QImage DictionarySearchBox() {
  QImage img(393, 136, QImage::Format_RGB32);
  img.fill(QColor(40, 70, 120));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, 116);
  g.setColorAt(0, QColor(235, 243, 255));
  g.setColorAt(1, QColor(200, 218, 245));
  p.setBrush(g);
  p.setPen(QPen(QColor(40, 70, 120), 3));
  p.drawRect(QRectF(1.5, 1.5, 367, 113));
  // Boxes behind the column marks (23, 84) and (163, 84).
  p.setPen(QPen(QColor(60, 90, 140), 1.5));
  p.setBrush(Qt::white);
  for (int x : {19, 159}) p.drawRoundedRect(QRectF(x, 84, 17, 20), 3, 3);
  return img;
}

// Alphabet.
