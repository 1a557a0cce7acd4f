#include "platform/Fonts.h"

namespace {
// The Windows faces the screens name and the metric-compatible faces installed in their place.
struct TFace {
  const char* Asked;
  const char* Installed;
};
constexpr TFace kFaces[] = {
    {"Times New Roman CE", "Liberation Serif"},
    {"Times New Roman", "Liberation Serif"},
    {"Arial CE", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},
    {"Verdana", "Liberation Sans"},
};
}  // namespace

void RegisterFontSubstitutions() {
  for (const TFace& face : kFaces)
    QFont::insertSubstitution(QString::fromLatin1(face.Asked), QString::fromLatin1(face.Installed));
}

QString InstalledFace(const QString& name) {
  for (const TFace& face : kFaces)
    if (name.compare(QLatin1String(face.Asked), Qt::CaseInsensitive) == 0)
      return QString::fromLatin1(face.Installed);
  return name;
}

int PointsToPixels(int points) {
  return (points * 4 + 1) / 3;
}

QFont ToQFont(const TFont& font) {
  // Asked for by the face that is installed: a face that is not sends the
  // font database through fontconfig's whole list for a fallback first.
  QFont f(InstalledFace(font.Name));
  const int px = font.Size < 0 ? -font.Size : PointsToPixels(font.Size);
  f.setPixelSize(px > 0 ? px : 1);
  f.setBold(font.Style & fsBold);
  f.setItalic(font.Style & fsItalic);
  f.setUnderline(font.Style & fsUnderline);
  f.setStrikeOut(font.Style & fsStrikeOut);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}
