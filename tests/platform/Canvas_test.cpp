#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include "platform/Controls.h"
#include "platform/Fonts.h"
#include "support/Support.h"

namespace {
QImage Blank(int w, int h, QColor c = Qt::white) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  return img;
}
}  // namespace

TEST(Canvas, RectanglesFillInsideAndOutlineWithThePen) {
  QImage img = Blank(20, 20);
  int changes = 0;
  TCanvas c(&img, [&] { ++changes; });
  c.Brush.Color = clYellow;
  c.Pen.Color = clRed;
  c.Rectangle(2, 2, 8, 8);  // right and bottom exclusive
  EXPECT_EQ(c.Pixel(2, 2), clRed);
  EXPECT_EQ(c.Pixel(7, 7), clRed);
  EXPECT_EQ(c.Pixel(8, 8), clWhite);
  EXPECT_EQ(c.Pixel(4, 4), clYellow);
  c.Brush.Color = clBlue;
  c.FillRect(Rect(10, 10, 12, 12));
  EXPECT_EQ(c.Pixel(11, 11), clBlue);
  EXPECT_EQ(c.Pixel(12, 12), clWhite);
  c.Brush.Style = TBrushStyle::bsClear;
  c.FillRect(Rect(0, 0, 20, 20));  // a clear brush fills nothing
  EXPECT_EQ(c.Pixel(0, 0), clWhite);
  c.Brush = TBrush{clGreen};
  c.FrameRect(Rect(14, 0, 18, 4));
  EXPECT_EQ(c.Pixel(14, 0), clGreen);
  EXPECT_EQ(c.Pixel(17, 3), clGreen);
  EXPECT_EQ(c.Pixel(15, 1), clWhite);
  EXPECT_EQ(changes, 3);  // the clear fill changed nothing
  c.SetPixel(19, 19, clOlive);
  EXPECT_EQ(c.Pixel(19, 19), clOlive);
  EXPECT_EQ(FromPixel(img.pixel(19, 19)), clOlive);
  c.SetPixel(25, 25, clOlive);  // outside: ignored
  EXPECT_EQ(c.Pixel(25, 25), -1);
}

TEST(Canvas, BrushCopyPaintsTheKeyColourInTheBrushColour) {
  QImage source = Blank(4, 2, QColor(0x80, 0x80, 0x00));  // olive key
  source.setPixel(1, 0, qRgb(255, 0, 0));
  QImage dest = Blank(10, 10);
  TCanvas c(&dest);
  c.Brush.Color = clBlue;
  c.BrushCopy(Bounds(3, 3, 4, 2), source, Bounds(0, 0, 4, 2), clOlive);
  EXPECT_EQ(c.Pixel(3, 3), clBlue);
  EXPECT_EQ(c.Pixel(4, 3), clRed);
  EXPECT_EQ(c.Pixel(6, 4), clBlue);
  EXPECT_EQ(c.Pixel(7, 4), clWhite);
  const QImage keyed = KeyedImage(source, clOlive);
  EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
  EXPECT_EQ(keyed.pixel(1, 0), qRgb(255, 0, 0));
}

TEST(Canvas, TextIsDrawnAtItsCellAndMeasuredConsistently) {
  QImage img = Blank(200, 40);
  TCanvas c(&img);
  c.Font = TFont{QStringLiteral("Arial CE"), 10, clBlack, fsBold};
  const int w = c.TextWidth(QStringLiteral("Żółw"));
  EXPECT_GT(w, 20);
  EXPECT_LT(w, 60);
  EXPECT_EQ(c.TextWidth(QStringLiteral("ab")) + c.TextWidth(QStringLiteral("cd")),
            c.TextWidth(QStringLiteral("abcd")));
  c.Brush.Color = clYellow;
  c.TextOut(10, 5, QStringLiteral("Żółw"));
  EXPECT_EQ(c.PenPos, QPoint(10 + w, 5));
  // The opaque brush fills the text cell; ink lies inside it.
  EXPECT_EQ(c.Pixel(10, 5), clYellow);
  EXPECT_EQ(c.Pixel(9, 5), clWhite);
  bool ink = false;
  for (int y = 5; y < 5 + c.TextHeight("Ż"); ++y)
    for (int x = 10; x < 10 + w; ++x)
      ink |= c.Pixel(x, y) == clBlack || qGray(img.pixel(x, y)) < 80;
  EXPECT_TRUE(ink);
}

TEST(Fonts, PointsBecomePixelsAtNinetySixDpiAndFacesAreSubstituted) {
  EXPECT_EQ(PointsToPixels(8), 11);
  EXPECT_EQ(PointsToPixels(10), 13);
  EXPECT_EQ(PointsToPixels(12), 16);
  EXPECT_EQ(PointsToPixels(16), 21);
  EXPECT_EQ(ToQFont(TFont{"Arial CE", 10}).pixelSize(), 13);
  EXPECT_EQ(ToQFont(TFont{"Arial CE", -20}).pixelSize(), 20);
  // Asked for by the installed face itself, so no fallback search runs first.
  const struct {
    const char* asked;
    const char* face;
  } faces[] = {{"Times New Roman CE", "Liberation Serif"},
               {"times new roman", "Liberation Serif"},
               {"Arial CE", "Liberation Sans"},
               {"MS Sans Serif", "Liberation Sans"},
               {"Verdana", "Liberation Sans"},
               {"Liberation Mono", "Liberation Mono"}};
  for (const auto& f : faces) {
    const QFont font = ToQFont(TFont{f.asked, 8});
    EXPECT_EQ(font.families(), QStringList{f.face}) << f.asked;
    EXPECT_EQ(QFontInfo(font).family(), f.face) << f.asked;
  }
}

TEST(PictureControl, AutoSizeTransparencyAndCanvasDrawing) {
  TImage image(nullptr);
  image.SetAutoSize(true);
  QImage pic = Blank(30, 20, QColor(255, 0, 255));
  pic.setPixel(5, 5, qRgb(0, 0, 0));
  image.SetPicture(pic);
  EXPECT_EQ(image.size(), QSize(30, 20));
  image.SetTransparent(true);  // the bottom-left pixel's colour shows what lies beneath
  QImage shot(30, 20, QImage::Format_ARGB32);
  shot.fill(Qt::green);
  image.render(&shot, QPoint(), QRegion(), QWidget::RenderFlags());
  EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 255, 0));
  EXPECT_EQ(shot.pixel(5, 5), qRgb(0, 0, 0));
  image.Canvas().Brush.Color = clRed;
  image.Canvas().FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(FromPixel(image.Picture().pixel(1, 1)), clRed);
}
