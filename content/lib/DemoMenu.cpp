#include "lib/DemoMenu.h"

#include <QLinearGradient>
#include <QPainter>

#include "lib/Installation.h"
#include "lib/Writers.h"
#include "menu/FrmAboutFiles.h"
#include "menu/FrmInfoFiles.h"
#include "menu/FrmInformacjaFiles.h"

namespace {

QFont Face(int px, bool bold, bool serif = false) {
  QFont f(serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"));
  f.setPixelSize(px);
  f.setBold(bold);
  return f;
}

QImage Frame(QSize size, QColor fill, QColor border) {
  QImage img(size, QImage::Format_RGB32);
  QPainter p(&img);
  p.fillRect(img.rect(), fill);
  p.setPen(QPen(border, 3));
  p.drawRect(QRectF(1.5, 1.5, size.width() - 3, size.height() - 3));
  return img;
}

QImage RememberPicture() { return Frame(QSize(393, 136), QColor(255, 244, 170), QColor(200, 140, 40)); }

QImage MessagePicture() {
  QImage img = Frame(QSize(360, 90), QColor(225, 240, 255), QColor(60, 110, 180));
  return img;
}

QImage AuthorsPicture() {
  QImage img(640, 480, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, 480);
  g.setColorAt(0, QColor(30, 40, 90));
  g.setColorAt(1, QColor(80, 50, 110));
  p.fillRect(img.rect(), g);
  p.setPen(QColor(255, 215, 90));
  p.setFont(Face(40, true, true));
  p.drawText(QRectF(0, 50, 640, 60), Qt::AlignCenter, QStringLiteral("Autorzy"));
  p.setPen(Qt::white);
  p.setFont(Face(20, false));
  const QStringList lines = {
      QStringLiteral("Tarvolin – wersja demonstracyjna"),
      QString(),
      QStringLiteral("Program: zespół Tarvolin"),
      QStringLiteral("Obrazy, filmy i dźwięki: narysowane i zagrane przez program"),
      QStringLiteral("Głosy: syntezator mowy"),
  };
  p.drawText(QRectF(40, 150, 560, 250), Qt::AlignHCenter | Qt::AlignTop, lines.join(u'\n'));
  return img;
}

}  // namespace

QString DemoNoteText() {
  return QStringLiteral(
      "Zapamiętaj: kolor stawiamy przed rzeczownikiem: a % red car, a % blue bus. @ "
      "O kolor pytamy: % What * colour is it? @ "
      "Odpowiadamy: It is % green. * It is % yellow.");
}

TDemoMenuReport WriteDemoMenu(const TInstallation& inst) {
  TDemoMenuReport report;
  WriteBmp(inst.PathOf(InfoFiles::Background), RememberPicture());
  WriteBmp(inst.PathOf(InformacjaFiles::Background), MessagePicture());
  WriteBmp(inst.PathOf(AboutFiles::Background), AuthorsPicture());
  report.Pictures = 3;
  WriteTextLines(inst.ProgramDir() + QStringLiteral("/cwicz/town/4Cb.txt"), {DemoNoteText()});
  report.Notes = 1;
  return report;
}
