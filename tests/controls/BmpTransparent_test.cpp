#include "controls/BmpTransparent.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>

#include "controls/KwillOnMouse.h"

namespace {

const QRgb kPanelGreen = qRgb(0, 255, 0), kOlive = qRgb(128, 128, 0);

struct BmpScene {
  TPanel parent{nullptr};
  TBmpTransparent* bmp = new TBmpTransparent(&parent);
  explicit BmpScene(int w, int h) {
    parent.SetColor(FromQColor(QColor(kPanelGreen)));
    parent.resize(200, 200);
    bmp->SetBounds(0, 0, w, h);
  }
  QImage Render() {
    QImage out(parent.size(), QImage::Format_RGB32);
    parent.render(&out);
    return out.copy(bmp->geometry());
  }
};

// Every pixel different, so that any shift shows; a few carry `key`.
QImage Picture(int w, int h, QRgb key) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(10 + x * 7, 20 + y * 5, 90));
  img.setPixel(0, 0, key);
  img.setPixel(w / 2, h / 2, key);
  img.setPixel(w - 1, h - 1, key);
  return img;
}

// The original routine, pixel by pixel: a snapshot of (0, 0, w + 2x, h + 2y),
// every source pixel that is not the key written at (x + col, y + row).
QImage Reference(const QImage& src, int cw, int ch, TColor key) {
  QImage out(cw, ch, QImage::Format_RGB32);
  out.fill(kPanelGreen);
  const int x = (cw - src.width()) / 2, y = (ch - src.height()) / 2;
  const QRect area = QRect(0, 0, src.width() + 2 * x, src.height() + 2 * y).intersected(out.rect());
  for (int col = 0; col < src.width(); ++col)
    for (int row = 0; row < src.height(); ++row) {
      const QRgb p = src.pixel(col, row);
      if (key >= 0 && FromPixel(p) == key) continue;
      if (area.contains(x + col, y + row)) out.setPixel(x + col, y + row, p);
    }
  return out;
}

}  // namespace

TEST(BmpTransparent, CentresWithTruncationTowardZero) {
  struct Case {
    int w, h;
    QPoint at;
  } cases[] = {{24, 34, {0, 0}}, {30, 40, {3, 3}}, {25, 35, {0, 0}}, {27, 34, {1, 0}}};
  const QImage diamond = Picture(24, 34, kOlive);
  for (const Case& c : cases) {
    BmpScene s(c.w, c.h);
    s.bmp->SetAuto(true);
    s.bmp->SetPicture(diamond);
    const QImage img = s.Render();
    // (1, 0) of the picture is its first drawn pixel; the key corner shows the background.
    EXPECT_EQ(img.pixel(c.at + QPoint(1, 0)), diamond.pixel(1, 0)) << c.w << "x" << c.h;
    EXPECT_EQ(img.pixel(c.at), kPanelGreen) << c.w << "x" << c.h;
    EXPECT_EQ(img.pixel(c.at + QPoint(23, 32)), diamond.pixel(23, 32)) << c.w << "x" << c.h;
    if (c.at.x() > 0) {
      EXPECT_EQ(img.pixel(c.at.x() - 1, 5), kPanelGreen);
    }
    if (c.w > 24 + c.at.x()) {
      EXPECT_EQ(img.pixel(c.at.x() + 24, 5), kPanelGreen);
    }
  }
}

TEST(BmpTransparent, MatchesThePixelByPixelRule) {
  struct Case {
    const char* name;
    bool autoKey;
    TColor colour;
    int w, h;
  } cases[] = {
      {"auto, larger control", true, clOlive, 15, 12},
      {"auto, odd margins", true, clOlive, 12, 10},
      {"olive key", false, clOlive, 12, 9},
      {"negative colour draws all", false, -1, 12, 9},
      {"picture larger than control", true, clOlive, 6, 4},
      {"larger by an odd amount", false, -1, 5, 3},
  };
  const QImage src = Picture(9, 7, kOlive);
  for (const Case& c : cases) {
    BmpScene s(c.w, c.h);
    s.bmp->SetAuto(c.autoKey);
    s.bmp->SetTransparentColor(c.colour);
    s.bmp->SetPicture(src);
    const TColor key = c.autoKey ? FromPixel(src.pixel(0, 0)) : c.colour;
    EXPECT_EQ(s.Render(), Reference(src, c.w, c.h, key)) << c.name;
  }
}

TEST(BmpTransparent, EmptyPictureDrawsNothing) {
  BmpScene s(20, 20);
  s.bmp->SetPicture(Picture(20, 20, kOlive));
  s.bmp->SetPicture(QImage());
  EXPECT_EQ(s.Render(), Reference(QImage(), 20, 20, -1));
}

TEST(KwillOnMouse, ReportsEnterAndLeaveEvenWhenDisabled) {
  TPanel parent(nullptr);
  TKwillOnMouse label(&parent);
  TLabel plain(&parent);
  label.SetCaption(QStringLiteral("żółw"));
  plain.SetCaption(QStringLiteral("żółw"));
  EXPECT_EQ(label.size(), plain.size());
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&label, &enter);  // no handlers: nothing happens
  QCoreApplication::sendEvent(&label, &leave);

  std::vector<std::string> seen;
  label.OnMouseEnter = [&] { seen.push_back("enter"); };
  label.OnMouseLeave = [&] { seen.push_back("leave"); };
  for (bool enabled : {true, false}) {
    label.SetEnabled(enabled);
    QCoreApplication::sendEvent(&label, &enter);
    QCoreApplication::sendEvent(&label, &leave);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"enter", "leave", "enter", "leave"}));
}
