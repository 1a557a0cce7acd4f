// Drawing the demo's pictures from their source commands: scenes made of
// shapes, signs, colour emoji and moving "actors", button strips, sprite strips
// and video frames. Colour emoji come from the "Noto Color Emoji" font when it
// is installed; without it each emoji becomes a drawn disc, so the demo still
// builds.
#pragma once

#include <QImage>
#include <QMap>
#include <QString>
#include <functional>
#include <vector>

#include "lib/DemoSource.h"
#include "lib/Scenery.h"

// Pictures for crops and pastes, by their source path ("program\gfx\x.bmp"):
// those drawn before, else those another part of the demo already wrote
// (found through `Locate`, which gives a source path's real path).
class TPictureCache {
 public:
  void Put(const QString& sourcePath, const QImage& picture);
  const QImage* Find(const QString& sourcePath) const;
  std::function<QString(const QString& sourcePath)> Locate;

 private:
  static QString Key(const QString& sourcePath);
  mutable QMap<QString, QImage> pictures_;
};

// Draws `commands` onto `image` (already sized and possibly holding a
// background), in `area` (the whole image when null) as if it were the
// picture. `at` is the frame of an animation: actors and figures move with it.
void DrawCommands(QImage& image, const std::vector<TSourceNode>& commands, TMoment at,
                  const TPictureCache& cache, QRect area = {});
// A new picture of `size` drawn from `commands` at moment 0.
QImage DrawPicture(QSize size, const std::vector<TSourceNode>& commands, const TPictureCache& cache);
// `frames` frames side by side, each `background` with the commands drawn at
// moment i / frames; the children of a "frame K [L ...]" command only in
// frames K, L, ... (counted from 0).
QImage DrawStrip(const QImage& background, int frames, const std::vector<TSourceNode>& commands,
                 const TPictureCache& cache);
std::vector<QImage> DrawFrames(const QImage& background, int frames,
                               const std::vector<TSourceNode>& commands, const TPictureCache& cache,
                               QRect area = {});

// A button strip: normal and highlighted frame of `frameSize`, on the key
// colour (magenta), which is also the bottom-left pixel.
QImage DrawButtonStrip(const TSourceNode& button, QSize frameSize);
inline const QColor ButtonKeyColor(255, 0, 255);

bool HaveEmojiFont();
