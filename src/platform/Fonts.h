// Fonts as the screens name them. Sizes are points at a fixed 96 pixels per
// inch (px = pt * 4 / 3) whatever the display, so every measured text width
// stays what the layouts expect; the Windows face names map to the metric-
// compatible Liberation faces.
#pragma once

#include <QFont>
#include <QString>

#include "platform/Types.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFont {
  QString Name = QStringLiteral("MS Sans Serif");
  int Size = 8;  // points; a negative value is a height in pixels
  TColor Color = clBlack;
  unsigned Style = 0;
  bool operator==(const TFont&) const = default;
};

// The plain face names the screens ask for.
inline const QString SerifFace = QStringLiteral("Times New Roman");
inline const QString SansFace = QStringLiteral("Arial");

// Registers the face substitutions; call once after the application exists.
void RegisterFontSubstitutions();
// The installed face that stands for `name` ("Arial CE" -> "Liberation Sans"); other names as
// given.
QString InstalledFace(const QString& name);
int PointsToPixels(int points);
QFont ToQFont(const TFont& font);
