#include "platform/Canvas.h"

#include <QFontMetrics>

TCanvas::TCanvas(QImage* image, std::function<void()> changed)
    : image_(image), changed_(std::move(changed)) {}

TCanvas::TCanvas(QPainter* painter, const QRect& clip, const QSize& size)
    : painter_(painter), clip_(clip), size_(size) {}

template <class F>
void TCanvas::Paint(F&& draw) {
  if (painter_) {
    painter_->save();
    draw(*painter_);
    painter_->restore();
    return;
  }
  if (!image_ || image_->isNull()) return;
  {
    QPainter p(image_);
    draw(p);
  }
  if (changed_) changed_();
}

QSize TCanvas::Size() const { return image_ ? image_->size() : size_; }

TRect TCanvas::ClipRect() const {
  if (painter_) return TRect::FromQRect(clip_);
  return Bounds(0, 0, Size().width(), Size().height());
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  const QFont font = ToQFont(Font);
  const bool opaque = Brush.Style == TBrushStyle::bsSolid;
  const TColor back = Brush.Color, fore = Font.Color;
  Paint([&](QPainter& p) {
    p.setFont(font);
    QFontMetrics fm(font);
    if (opaque) p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), ToQColor(back));
    p.setPen(ToQColor(fore));
    p.drawText(x, y + fm.ascent(), text);
  });
  PenPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const QString& text) {
  const QFont font = ToQFont(Font);
  const bool opaque = Brush.Style == TBrushStyle::bsSolid;
  const TColor back = Brush.Color, fore = Font.Color;
  Paint([&](QPainter& p) {
    p.setClipRect(rect.ToQRect(), Qt::IntersectClip);
    if (opaque) p.fillRect(rect.ToQRect(), ToQColor(back));
    p.setFont(font);
    p.setPen(ToQColor(fore));
    p.drawText(x, y + QFontMetrics(font).ascent(), text);
  });
}

int TCanvas::TextWidth(const QString& text) const {
  return QFontMetrics(ToQFont(Font)).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const { return QFontMetrics(ToQFont(Font)).height(); }

void TCanvas::FillRect(const TRect& rect) {
  if (Brush.Style == TBrushStyle::bsClear) return;
  const QColor c = ToQColor(Brush.Color);
  Paint([&](QPainter& p) { p.fillRect(rect.ToQRect(), c); });
}

void TCanvas::FrameRect(const TRect& rect) {
  const QColor c = ToQColor(Brush.Color);
  Paint([&](QPainter& p) {
    const QRect r = rect.ToQRect();
    if (r.width() <= 0 || r.height() <= 0) return;
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
  });
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  const TBrush brush = Brush;
  const TPen pen = Pen;
  Paint([&](QPainter& p) {
    const QRect r(left, top, right - left, bottom - top);
    if (r.width() <= 0 || r.height() <= 0) return;
    if (brush.Style == TBrushStyle::bsSolid) p.fillRect(r, ToQColor(brush.Color));
    if (pen.Style == TPenStyle::psClear || pen.Width <= 0) return;
    const QColor c = ToQColor(pen.Color);
    const int w = std::min({pen.Width, r.width(), r.height()});
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), c);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
    p.fillRect(QRect(r.left(), r.top(), w, r.height()), c);
    p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), c);
  });
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  const TBrush brush = Brush;
  const TPen pen = Pen;
  Paint([&](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(brush.Style == TBrushStyle::bsSolid ? QBrush(ToQColor(brush.Color)) : QBrush());
    if (pen.Style == TPenStyle::psClear)
      p.setPen(Qt::NoPen);
    else
      p.setPen(QPen(ToQColor(pen.Color), pen.Width));
    p.drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
  });
}

void TCanvas::LineTo(int x, int y) {
  const TPen pen = Pen;
  const QPoint from = PenPos;
  if (pen.Style != TPenStyle::psClear) {
    Paint([&](QPainter& p) {
      QPen qp(ToQColor(pen.Color), pen.Width);
      if (pen.Style == TPenStyle::psDash) qp.setStyle(Qt::DashLine);
      if (pen.Style == TPenStyle::psDot) qp.setStyle(Qt::DotLine);
      p.setPen(qp);
      p.drawLine(from, QPoint(x, y));
    });
  }
  PenPos = {x, y};
}

void TCanvas::Draw(int x, int y, const QImage& picture) {
  Paint([&](QPainter& p) { p.drawImage(x, y, picture); });
}

void TCanvas::StretchDraw(const TRect& dest, const QImage& picture) {
  Paint([&](QPainter& p) { p.drawImage(dest.ToQRect(), picture); });
}

void TCanvas::CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect) {
  Paint([&](QPainter& p) { p.drawImage(dest.ToQRect(), source, sourceRect.ToQRect()); });
}

void TCanvas::BrushCopy(const TRect& dest, const QImage& source, const TRect& sourceRect,
                        TColor key) {
  QImage part = source.copy(sourceRect.ToQRect()).convertToFormat(QImage::Format_RGB32);
  const std::uint32_t from = ToPixel(key) & 0xFFFFFF, to = ToPixel(Brush.Color);
  for (int y = 0; y < part.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(part.scanLine(y));
    for (int x = 0; x < part.width(); ++x)
      if ((row[x] & 0xFFFFFF) == from) row[x] = to;
  }
  Paint([&](QPainter& p) { p.drawImage(dest.ToQRect(), part); });
}

TColor TCanvas::Pixel(int x, int y) const {
  if (!image_ || !image_->valid(x, y)) return -1;
  return FromPixel(image_->pixel(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (image_) {
    if (!image_->valid(x, y)) return;
    image_->setPixel(x, y, ToPixel(color));
    if (changed_) changed_();
    return;
  }
  Paint([&](QPainter& p) { p.fillRect(QRect(x, y, 1, 1), ToQColor(color)); });
}

QImage KeyedImage(const QImage& source, TColor key) {
  QImage out = source.convertToFormat(QImage::Format_ARGB32);
  const std::uint32_t k = ToPixel(key) & 0xFFFFFF;
  for (int y = 0; y < out.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((row[x] & 0xFFFFFF) == k) row[x] = 0;
  }
  return out;
}
