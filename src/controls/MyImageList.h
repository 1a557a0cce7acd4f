// The button pictures: strips of equal-width frames side by side, addressed
// by the index they were added under. Frame s of an entry covers columns
// s*FrameWidth .. (s+1)*FrameWidth. The colour of a strip's bottom-left pixel
// (white for a monochrome bitmap) is never drawn.
#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

class TCanvas;

struct TMyBitmap {
  int FrameWidth = 0;
  QImage Picture;
  int DefaultTop = 0;
  int DefaultLeft = 0;
  // Picture with the transparent colour cleared, made once when added.
  QImage Keyed;
};

class TMyImageList {
 public:
  // Loads a strip and returns its index. Errors: the file cannot be loaded
  // ("Nie moge otworzyc pliku : "<name>"") or its width does not divide by
  // `frames` (frames below 1 count as not dividing).
  int Add(const QString& fileName, int frames, int left, int top);
  // Adds a strip that is decoded when it is first drawn or measured, or by
  // DecodeWaiting; until then it costs nothing. A strip that cannot be
  // decoded draws nothing and measures as a missing entry meanwhile; its
  // error waits for DecodeWaiting.
  int AddLater(const QString& fileName, int frames, int left, int top);
  // Decodes every strip still waiting, in order. The first that fails is
  // taken off the list with every entry after it, and its error (Add's)
  // thrown: the list ends as adding them one by one would have left it.
  void DecodeWaiting();
  // Draws frame `state` of entry `index` into the part of the canvas being
  // repainted (its clip rectangle); nothing for an index past the end.
  void Draw(TCanvas& canvas, int index, int state) const;
  // An index past the end gives 33.
  int GetFrameWidth(int index) const;
  int GetFrameHeight(int index) const;
  int GetLeft(int index) const;
  int GetTop(int index) const;
  void SetPosition(int index, int left, int top);

  int Count() const { return int(entries_.size()); }
  // Null past the end, and for a strip that cannot be decoded.
  const TMyBitmap* Entry(int index) const;
  void Clear() { entries_.clear(); }

 private:
  struct TSlot {
    std::unique_ptr<TMyBitmap> Bitmap;
    QString Waiting;  // the file of a strip not decoded yet
    int Frames = 0;
    bool Failed = false;  // decoding it on demand failed once
  };
  static void Decode(TSlot& slot);
  // Entries are decoded on demand from const readers.
  mutable std::vector<TSlot> entries_;
};

// The program's one list of button pictures (the location screen's
// MyImageList1); every picture button draws from it.
TMyImageList& SharedImageList();
