#include "controls/ScreenArt.h"

#include <QPainter>

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

// Songs.

// Dictionary.

// Alphabet.
