#include "lib/WordExercisePictures.h"

#include <QPainter>

#include "exercises/FrmCw1Files.h"
#include "lib/Installation.h"
#include "lib/Writers.h"

QImage CoverRectanglePicture() {
  QImage img(84, 20, QImage::Format_RGB32);
  const QColor key(255, 0, 255);
  img.fill(key);
  QPainter p(&img);
  p.setPen(QPen(QColor(90, 60, 20), 1));
  p.setBrush(QColor(255, 236, 160));
  p.drawRoundedRect(QRect(0, 0, 83, 19), 4, 4);
  p.setPen(QColor(170, 130, 60));
  for (int x = 8; x < 80; x += 8) p.drawPoint(x, 10);
  p.end();
  // Antialiasing is off, but make sure the key survives in the corner the control reads.
  img.setPixel(0, img.height() - 1, key.rgb());
  return img;
}

QImage GridRowPicture() {
  QImage img(278, 21, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setPen(QColor(190, 190, 190));
  for (int x = 0; x < 278; x += 10) p.drawLine(x, 0, x, 16);
  p.drawLine(0, 0, 277, 0);
  p.drawLine(0, 16, 277, 16);
  return img;
}

QImage SidePanelPicture() {
  QImage img(111, 233, QImage::Format_RGB32);
  img.fill(QColor(236, 222, 180));
  QPainter p(&img);
  p.setPen(QPen(QColor(120, 85, 40), 2));
  p.drawRect(QRect(1, 1, 109, 231));
  p.setPen(QColor(210, 190, 140));
  for (int y = 20; y < 230; y += 16) p.drawLine(6, y, 104, y);
  return img;
}

void WriteWordExerciseScreenPictures(const QString& programDir) {
  WriteBmp(ScreenFilePath(Cw1Files::WordCover, programDir), CoverRectanglePicture());
  WriteBmp(ScreenFilePath(Cw1Files::GridRow, programDir), GridRowPicture());
  WriteBmp(ScreenFilePath(Cw1Files::DraggingPanel, programDir), SidePanelPicture());
}
