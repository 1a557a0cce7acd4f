#include "lib/PlayerWriters.h"

#include <QDate>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "lib/Installation.h"
#include "lib/Writers.h"
#include "platform/TextFile.h"
#include "players/FrmLoginFiles.h"
#include "players/FrmNewLoginFiles.h"
#include "players/PlayerFile.h"

namespace {

void Star(QPainter& p, QPointF centre, double outer, QColor colour) {
  QPainterPath path;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? outer * 0.45 : outer;
    const double a = -M_PI / 2 + i * M_PI / 5;
    const QPointF pt = centre + QPointF(r * std::cos(a), r * std::sin(a));
    i ? path.lineTo(pt) : path.moveTo(pt);
  }
  path.closeSubpath();
  p.setPen(QPen(colour.darker(130), 1));
  p.setBrush(colour);
  p.drawPath(path);
}

QImage SignInBackground(int width, int height, bool wide) {
  QImage img(width, height, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0.0, QColor(168, 212, 246));
  sky.setColorAt(0.65, QColor(222, 238, 250));
  sky.setColorAt(1.0, QColor(248, 232, 190));
  p.fillRect(img.rect(), sky);
  // Gentle hills along the bottom edge.
  QPainterPath hills;
  hills.moveTo(0, height);
  hills.cubicTo(width * 0.25, height - 22, width * 0.45, height - 4, width * 0.7, height - 16);
  hills.cubicTo(width * 0.85, height - 24, width * 0.95, height - 10, width, height - 14);
  hills.lineTo(width, height);
  hills.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 200, 120));
  p.drawPath(hills);
  // Stars only where no control sits.
  if (wide) {
    Star(p, QPointF(318, 22), 7, QColor(255, 214, 64));
    Star(p, QPointF(304, 58), 5, QColor(255, 170, 190));
    Star(p, QPointF(322, 110), 6, QColor(255, 214, 64));
    Star(p, QPointF(372, 124), 4, QColor(190, 160, 255));
  } else {
    Star(p, QPointF(150, 11), 6, QColor(255, 214, 64));
    Star(p, QPointF(172, 8), 4, QColor(255, 170, 190));
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(40, 70, 130), 2));
  p.drawRect(QRectF(1, 1, width - 2, height - 2));
  p.setPen(QPen(QColor(255, 255, 255, 160), 1));
  p.drawRect(QRect(3, 3, width - 7, height - 7));
  return img;
}

}  // namespace

void WriteSignInBackgrounds(const QString& programDir) {
  WriteBmp(ScreenFilePath(LoginFiles::Background, programDir), SignInBackground(253, 136, false));
  WriteBmp(ScreenFilePath(NewLoginFiles::Background, programDir), SignInBackground(393, 136, true));
}

void WritePlayers(const QString& programDir, const QStringList& names) {
  const QString login = programDir + QStringLiteral("/login/");
  MakeParentDirs(login + QStringLiteral("_Lista_Logowania.txt"));
  const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
  TPlayerList list;
  for (const QString& name : names) {
    WriteFileAtomic(login + name + QStringLiteral(".txt"), FormatPlayerFile(NewPlayerFile(name, today, true)), true);
    list.Names << name;
  }
  WriteFileAtomic(login + QStringLiteral("_Lista_Logowania.txt"), FormatPlayerList(list));
}
