// A drawing surface with the original toolkit's canvas operations. An image
// canvas draws into a picture that lasts (a picture control's bitmap); a paint
// canvas wraps the painter of one paint event (paint boxes, custom controls).
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <functional>

#include "platform/Fonts.h"
#include "platform/Types.h"

enum class TBrushStyle { bsSolid, bsClear };
enum class TPenStyle { psSolid, psClear, psDash, psDot };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
};

class TCanvas {
 public:
  // Draws into `image`; `changed` is called after every change (a control repaints).
  explicit TCanvas(QImage* image, std::function<void()> changed = {});
  // Draws through the painter of a paint event; `clip` is the part being repainted.
  TCanvas(QPainter* painter, const QRect& clip, const QSize& size);

  TFont Font;
  TBrush Brush;
  TPen Pen;
  QPoint PenPos;

  void TextOut(int x, int y, const QString& text);
  // Text clipped to `rect`, drawn at (x, y).
  void TextRect(const TRect& rect, int x, int y, const QString& text);
  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;
  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  // Outline with the pen, inside with the brush; right and bottom are exclusive.
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int left, int top, int right, int bottom);
  void MoveTo(int x, int y) { PenPos = {x, y}; }
  void LineTo(int x, int y);
  void Draw(int x, int y, const QImage& picture);
  void StretchDraw(const TRect& dest, const QImage& picture);
  void CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect);
  // Copies `sourceRect` of `source` to `dest`, painting pixels of colour `key` in the brush colour.
  void BrushCopy(const TRect& dest, const QImage& source, const TRect& sourceRect, TColor key);
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  // The part that may be drawn: the repainted region or the whole picture.
  TRect ClipRect() const;
  QSize Size() const;
  QImage* Image() const { return image_; }

 private:
  template <class F>
  void Paint(F&& draw);
  QImage* image_ = nullptr;
  QPainter* painter_ = nullptr;
  std::function<void()> changed_;
  QRect clip_;
  QSize size_;
};

// A copy of `source` with every pixel of colour `key` made fully transparent.
QImage KeyedImage(const QImage& source, TColor key);
