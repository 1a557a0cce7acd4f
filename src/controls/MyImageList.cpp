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

// The strip of `fileName` with its frame width and keyed copy.
std::unique_ptr<TMyBitmap> DecodeStrip(const QString& fileName, int frames, int left, int top) {
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
  return entry;
}
}  // namespace

int TMyImageList::Add(const QString& fileName, int frames, int left, int top) {
  entries_.push_back(TSlot{DecodeStrip(fileName, frames, left, top), QString(), 0, false});
  return Count() - 1;
}

int TMyImageList::AddLater(const QString& fileName, int frames, int left, int top) {
  auto entry = std::make_unique<TMyBitmap>();
  entry->DefaultLeft = left;
  entry->DefaultTop = top;
  entries_.push_back(TSlot{std::move(entry), fileName, frames, false});
  return Count() - 1;
}

void TMyImageList::Decode(TSlot& slot) {
  slot.Bitmap =
      DecodeStrip(slot.Waiting, slot.Frames, slot.Bitmap->DefaultLeft, slot.Bitmap->DefaultTop);
  slot.Waiting.clear();
}

void TMyImageList::DecodeWaiting() {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].Waiting.isEmpty()) continue;
    try {
      Decode(entries_[i]);
    } catch (...) {
      entries_.erase(entries_.begin() + std::ptrdiff_t(i), entries_.end());
      throw;
    }
  }
}

const TMyBitmap* TMyImageList::Entry(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  TSlot& slot = entries_[size_t(index)];
  if (!slot.Waiting.isEmpty()) {
    if (slot.Failed) return nullptr;
    try {
      Decode(slot);
    } catch (const std::exception&) {
      slot.Failed = true;  // DecodeWaiting says why
      return nullptr;
    }
  }
  return slot.Bitmap.get();
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
  return index >= 0 && index < Count() ? entries_[size_t(index)].Bitmap->DefaultLeft : kFallback;
}

int TMyImageList::GetTop(int index) const {
  return index >= 0 && index < Count() ? entries_[size_t(index)].Bitmap->DefaultTop : kFallback;
}

void TMyImageList::SetPosition(int index, int left, int top) {
  if (index < 0 || index >= Count()) return;
  entries_[size_t(index)].Bitmap->DefaultLeft = left;
  entries_[size_t(index)].Bitmap->DefaultTop = top;
}

TMyImageList& SharedImageList() {
  static TMyImageList list;
  return list;
}
