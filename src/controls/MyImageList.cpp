#include "controls/MyImageList.h"

#include <QFileInfo>
#include <QtEndian>

#include "platform/Canvas.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Picture.h"
#include "platform/TextFile.h"

namespace {
constexpr int kFallback = 33;

// A 1-bit Windows bitmap: its transparent colour is white whatever its corner holds.
bool IsMonochromeBmp(const QString& path) {
  if (QFileInfo(path).suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) != 0)
    return false;
  QByteArray head;
  try {
    head = ReadFileHead(path, 30);
  } catch (const Exception&) {
    return false;
  }
  if (head.size() < 30 || !head.startsWith("BM")) return false;
  return qFromLittleEndian<quint16>(head.constData() + 28) == 1;
}
}  // namespace

int TMyImageList::Add(const QString& fileName, int frames, int left, int top) {
  auto entry = std::make_unique<TMyBitmap>();
  try {
    entry->Picture = LoadPicture(fileName);
  } catch (const std::exception&) {
    entry->Picture = QImage();
  }
  if (entry->Picture.isNull() || entry->Picture.height() == 0)
    throw EInOutError(QStringLiteral("Nie moge otworzyc pliku : \"%1\"").arg(fileName));
  const int width = entry->Picture.width();
  if (frames < 1 || width % frames != 0)
    throw EFormatError(QStringLiteral("Dlugosc obrazka nie dzieli sie przez podana liczbe klatek"));
  entry->FrameWidth = width / frames;
  const TColor key = IsMonochromeBmp(fileName)
                         ? clWhite
                         : FromPixel(entry->Picture.pixel(0, entry->Picture.height() - 1));
  entry->Keyed = KeyedImage(entry->Picture, key);
  entry->DefaultLeft = left;
  entry->DefaultTop = top;
  entries_.push_back(std::move(entry));
  return Count() - 1;
}

const TMyBitmap* TMyImageList::Entry(int index) const {
  return index >= 0 && index < Count() ? entries_[size_t(index)].get() : nullptr;
}

void TMyImageList::Draw(TCanvas& canvas, int index, int state) const {
  const TMyBitmap* e = Entry(index);
  if (!e) return;
  canvas.Brush.Style = TBrushStyle::bsClear;
  const QRect dest = canvas.ClipRect().ToQRect();
  const qint64 shift = qint64(state) * e->FrameWidth;
  if (shift > e->Keyed.width() || shift < -qint64(e->Keyed.width())) return;
  // Only what the strip holds is drawn; a frame past its end draws nothing.
  const QRect source = dest.translated(int(shift), 0).intersected(e->Keyed.rect());
  if (source.isEmpty()) return;
  canvas.CopyRect(TRect::FromQRect(source.translated(-int(shift), 0)), e->Keyed,
                  TRect::FromQRect(source));
}

int TMyImageList::GetFrameWidth(int index) const {
  const TMyBitmap* e = Entry(index);
  return e ? e->FrameWidth : kFallback;
}

int TMyImageList::GetFrameHeight(int index) const {
  const TMyBitmap* e = Entry(index);
  return e ? e->Picture.height() : kFallback;
}

int TMyImageList::GetLeft(int index) const {
  const TMyBitmap* e = Entry(index);
  return e ? e->DefaultLeft : kFallback;
}

int TMyImageList::GetTop(int index) const {
  const TMyBitmap* e = Entry(index);
  return e ? e->DefaultTop : kFallback;
}

void TMyImageList::SetPosition(int index, int left, int top) {
  if (index < 0 || index >= Count()) return;
  entries_[size_t(index)]->DefaultLeft = left;
  entries_[size_t(index)]->DefaultTop = top;
}

TMyImageList& SharedImageList() {
  static TMyImageList list;
  return list;
}
