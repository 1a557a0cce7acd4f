#include "controls/Animate.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <vector>

#include "support/Support.h"

namespace {

// A strip of `frames` frames, each w x h and filled with its own colour.
QImage Strip(int frames, int w, int h, const std::vector<QRgb>& colours) {
  QImage img(frames * w, h, QImage::Format_RGB32);
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) img.setPixel(f * w + x, y, colours[size_t(f) % colours.size()]);
  return img;
}

struct Sprite {
  TPanel parent{nullptr};
  TAnimated* ani = new TAnimated(&parent);
  std::vector<int> changes;
  explicit Sprite(int frames, int frame = 0) {
    parent.resize(100, 100);
    ani->SetFrameCount(frames);
    ani->SetFrame(frame);
    ani->OnChangeFrame = [this] { changes.push_back(ani->Frame()); };
  }
  // Steps until the run ends (bounded, so a run that never ends fails instead of hanging).
  void RunToEnd(int limit = 100) {
    for (int i = 0; i < limit && ani->Play(); ++i) ani->Step();
  }
  QImage Render() {
    QImage out(ani->size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    ani->render(&out);
    return out;
  }
};

}  // namespace

TEST(Animated, FrameIsReducedByFrameCount) {
  struct Case {
    int set, shown;
    bool event;
  } cases[] = {{-1, 4, true}, {-1000, 4, true}, {5, 0, false}, {11, 1, true}, {3, 3, true}, {0, 0, false}};
  for (const Case& c : cases) {
    Sprite s(5);
    s.ani->SetFrame(c.set);
    EXPECT_EQ(s.ani->Frame(), c.shown) << "set " << c.set;
    EXPECT_EQ(s.changes.size(), c.event ? 1u : 0u) << "set " << c.set;
  }
}

TEST(Animated, NonLoopingRunsEndAfterTheirStep) {
  struct Case {
    const char* name;
    int frames, start;
    bool reverse;
    std::vector<int> seen;
  } cases[] = {
      {"forward from 0", 5, 0, false, {1, 2, 3, 4}},
      {"forward from the last frame plays the strip again", 5, 4, false, {0, 1, 2, 3, 4}},
      {"backward from 2", 5, 2, true, {1, 0}},
      {"backward from 0 wraps first", 5, 0, true, {4, 3, 2, 1, 0}},
      {"one frame ends at once", 1, 0, false, {}},
  };
  for (const Case& c : cases) {
    Sprite s(c.frames, c.start);
    s.changes.clear();
    s.ani->SetLoop(false);
    s.ani->SetReverse(c.reverse);
    s.ani->SetInterval(1000);
    s.ani->SetPlay(true);
    ASSERT_TRUE(s.ani->TimerActive()) << c.name;
    s.RunToEnd();
    EXPECT_EQ(s.changes, c.seen) << c.name;
    EXPECT_FALSE(s.ani->Play()) << c.name;
    EXPECT_FALSE(s.ani->TimerActive()) << c.name;
    EXPECT_EQ(s.ani->Frame(), c.seen.empty() ? c.start : c.seen.back()) << c.name;
  }
}

TEST(Animated, LoopingRunsWrapForEver) {
  for (bool reverse : {false, true}) {
    Sprite s(3);
    s.ani->SetReverse(reverse);
    s.ani->SetInterval(1000);
    s.ani->SetPlay(true);
    for (int i = 0; i < 7; ++i) s.ani->Step();
    const std::vector<int> want =
        reverse ? std::vector<int>{2, 1, 0, 2, 1, 0, 2} : std::vector<int>{1, 2, 0, 1, 2, 0, 1};
    EXPECT_EQ(s.changes, want);
    EXPECT_TRUE(s.ani->Play());
    EXPECT_TRUE(s.ani->TimerActive());
  }
}

TEST(Animated, TimerExistsOnlyWhilePlayingWithAnInterval) {
  Sprite s(4);
  s.ani->SetInterval(50);  // stopped: only stored
  EXPECT_FALSE(s.ani->TimerActive());
  EXPECT_EQ(s.ani->Interval(), 50);
  s.ani->SetPlay(true);
  EXPECT_TRUE(s.ani->TimerActive());
  s.ani->SetInterval(0);  // armed: playing, nothing steps
  EXPECT_TRUE(s.ani->Play());
  EXPECT_FALSE(s.ani->TimerActive());
  s.ani->SetInterval(-5);
  EXPECT_FALSE(s.ani->TimerActive());
  s.ani->SetInterval(70);
  EXPECT_TRUE(s.ani->TimerActive());
  s.ani->SetPlay(false);
  EXPECT_FALSE(s.ani->TimerActive());
  EXPECT_EQ(s.ani->Interval(), 70);
}

TEST(Animated, ArmedSpriteStartsSteppingWhenAnIntervalIsSet) {
  Sprite s(4);
  s.ani->SetPlay(true);
  PumpEvents(40);
  EXPECT_TRUE(s.changes.empty());
  s.ani->SetInterval(5);
  QElapsedTimer t;
  t.start();
  while (s.changes.size() < 3 && t.elapsed() < 10000) PumpEvents(5);
  ASSERT_GE(s.changes.size(), 3u);
  EXPECT_EQ((std::vector<int>{s.changes[0], s.changes[1], s.changes[2]}), (std::vector<int>{1, 2, 3}));
}

TEST(Animated, RealTimerEndsANonLoopingRun) {
  Sprite s(3);
  s.ani->SetLoop(false);
  s.ani->SetInterval(5);
  s.ani->SetPlay(true);
  QElapsedTimer t;
  t.start();
  while (s.ani->Play() && t.elapsed() < 10000) PumpEvents(5);
  EXPECT_FALSE(s.ani->Play());
  EXPECT_EQ(s.changes, (std::vector<int>{1, 2}));
  PumpEvents(30);  // no timer left behind
  EXPECT_EQ(s.changes.size(), 2u);
}

TEST(Animated, BitMapSetterTakesTheStripHeightButDirectLoadsDoNot) {
  Sprite s(2);
  s.ani->resize(25, 50);
  s.ani->SetBitMap(Strip(2, 10, 40, {qRgb(1, 2, 3)}));
  EXPECT_EQ(s.ani->Height(), 40);
  EXPECT_EQ(s.ani->Width(), 25);
  s.ani->SetBitMap(QImage());
  EXPECT_EQ(s.ani->Height(), 30);

  QTemporaryDir dir;
  const QString path = dir.path() + "/strip.bmp";
  ASSERT_TRUE(Strip(2, 10, 40, {qRgb(9, 9, 9)}).save(path, "BMP"));
  s.ani->resize(10, 12);
  s.ani->LoadBitMap(path);
  EXPECT_EQ(s.ani->size(), QSize(10, 12));
  EXPECT_EQ(s.ani->BitMap().size(), QSize(20, 40));
  s.ani->ClearBitMap();
  EXPECT_EQ(s.ani->size(), QSize(10, 12));
  EXPECT_TRUE(s.ani->BitMap().isNull());
}

TEST(Animated, PaintsTheFrameOrWhite) {
  Sprite s(3);
  s.parent.SetColor(clNavy);
  const QRgb red = qRgb(200, 0, 0), green = qRgb(0, 200, 0), key = qRgb(255, 0, 255);
  // Frame 1 is green with a key-coloured column at x = 2.
  QImage strip = Strip(3, 6, 4, {red, green, red});
  for (int y = 0; y < 4; ++y) strip.setPixel(6 + 2, y, key);
  s.ani->resize(6, 4);

  QImage img = s.Render();
  for (QPoint p : {QPoint(0, 0), QPoint(5, 3)}) EXPECT_EQ(img.pixel(p), qRgb(255, 255, 255));

  s.ani->SetBitMap(strip);
  s.ani->SetFrame(1);
  img = s.Render();  // TransparentColor -1: the frame exactly, key pixels included
  EXPECT_EQ(img.pixel(0, 0), green);
  EXPECT_EQ(img.pixel(2, 1), key);
  EXPECT_EQ(img.pixel(5, 3), green);

  s.ani->SetTransparentColor(RGBColor(255, 0, 255));
  img = s.Render();  // the key shows the parent's colour, not what lies beneath
  EXPECT_EQ(img.pixel(2, 1), ToQColor(clNavy).rgb());
  EXPECT_EQ(img.pixel(1, 1), green);

  s.parent.SetColor(clTeal);
  img = s.Render();
  EXPECT_EQ(img.pixel(2, 3), ToQColor(clTeal).rgb());

  // A frame index past the strip (frame count larger than the strip holds).
  s.ani->SetFrameCount(10);
  s.ani->SetFrame(7);
  img = s.Render();
  EXPECT_EQ(img.pixel(0, 0), ToQColor(clTeal).rgb());
}

TEST(Animated, FrameCountBelowOneDoesNotCrash) {
  Sprite s(0);
  s.ani->SetFrame(3);
  EXPECT_EQ(s.ani->Frame(), 0);
  s.ani->SetInterval(10);
  s.ani->SetLoop(false);
  s.ani->SetPlay(true);
  s.RunToEnd();
  EXPECT_FALSE(s.ani->Play());
}
