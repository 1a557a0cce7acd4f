#include "platform/Fonts.h"

#include <QFontDatabase>

void RegisterFontSubstitutions() {
  const QString serif = QStringLiteral("Liberation Serif");
  const QString sans = QStringLiteral("Liberation Sans");
  for (const char* name : {"Times New Roman CE", "Times New Roman"})
    QFont::insertSubstitution(QString::fromLatin1(name), serif);
  for (const char* name : {"Arial CE", "Arial", "MS Sans Serif", "Tahoma", "Verdana"})
    QFont::insertSubstitution(QString::fromLatin1(name), sans);
}

int PointsToPixels(int points) { return (points * 4 + 1) / 3; }

QFont ToQFont(const TFont& font) {
  QFont f(font.Name);
  const int px = font.Size < 0 ? -font.Size : PointsToPixels(font.Size);
  f.setPixelSize(px > 0 ? px : 1);
  f.setBold(font.Style & fsBold);
  f.setItalic(font.Style & fsItalic);
  f.setUnderline(font.Style & fsUnderline);
  f.setStrikeOut(font.Style & fsStrikeOut);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}
