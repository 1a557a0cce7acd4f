// The animation window on real AVI clips.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "controls/Ani95.h"
#include "platform/media_test_support.h"
#include "support/Support.h"

namespace {

class AnimationTest : public ::testing::Test {
 protected:
  AnimationTest() {
    panel.SetColor(clBlack);
    panel.resize(200, 200);
    WriteAvi(clip, MakeClipFrames(6, QSize(32, 24)), 50, TVideoCodec::Raw);
    ani.OnStart = [this] { ++starts; };
    ani.OnStop = [this] { ++stops; };
  }
  MediaDir dir;
  const QString clip = dir.Path("clip.avi");
  TPanel panel{nullptr};
  TAnimation ani{&panel};
  MessageRecorder boxes;
  int starts = 0, stops = 0;
};

TEST_F(AnimationTest, StartsEmptyWithTheDefaults) {
  EXPECT_EQ(ani.AVIFile(), QString());
  EXPECT_TRUE(ani.Center());
  EXPECT_TRUE(ani.Transparent());
  EXPECT_FALSE(ani.Playing());
  EXPECT_EQ(ani.StartFrame(), 1);
  EXPECT_EQ(ani.EndFrame(), 0);
  EXPECT_EQ(ani.RepeatCount(), 0);
  EXPECT_EQ(ani.Width(), 64);
  EXPECT_EQ(ani.Height(), 64);
  EXPECT_FALSE(ani.Opened());
  EXPECT_EQ(ani.Color(), clBlack);  // the parent's colour
  EXPECT_TRUE(QRegularExpression("^Animation\\([0-9A-F]{8},[0-9A-F]{8}\\)$")
                  .match(ani.objectName())
                  .hasMatch())
      << ani.objectName().toStdString();
}

TEST_F(AnimationTest, SettersRefuseBadFramesWithTheirMessages) {
  struct Case {
    const char* name;
    std::function<void(TAnimation&)> setup, change;
    QString message;  // empty: accepted
    std::function<bool(const TAnimation&)> check;
  };
  auto none = [](TAnimation&) {};
  const Case cases[] = {
      {"start 0", none, [](TAnimation& a) { a.SetStartFrame(0); }, "StartFrame must be >= 1!",
       [](const TAnimation& a) { return a.StartFrame() == 1; }},
      {"start past end", [](TAnimation& a) { a.SetEndFrame(5); },
       [](TAnimation& a) { a.SetStartFrame(6); }, "StartFrame must be <= EndFrame!",
       [](const TAnimation& a) { return a.StartFrame() == 1; }},
      {"start with end 0", none, [](TAnimation& a) { a.SetStartFrame(6); }, "",
       [](const TAnimation& a) { return a.StartFrame() == 6; }},
      {"end below start", [](TAnimation& a) { a.SetStartFrame(4); },
       [](TAnimation& a) { a.SetEndFrame(3); }, "EndFrame must be 0 or >= StartFrame!",
       [](const TAnimation& a) { return a.EndFrame() == 0; }},
      {"end negative", none, [](TAnimation& a) { a.SetEndFrame(-1); },
       "EndFrame must be 0 or >= StartFrame!", [](const TAnimation& a) { return a.EndFrame() == 0; }},
      {"end equal start", [](TAnimation& a) { a.SetStartFrame(4); },
       [](TAnimation& a) { a.SetEndFrame(4); }, "", [](const TAnimation& a) { return a.EndFrame() == 4; }},
      {"repeat negative", none, [](TAnimation& a) { a.SetRepeatCount(-1); },
       "RepeatCount must be >= 0!", [](const TAnimation& a) { return a.RepeatCount() == 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TAnimation a(&panel);
    c.setup(a);
    boxes.Messages.clear();
    c.change(a);
    if (c.message.isEmpty()) {
      EXPECT_TRUE(boxes.Messages.empty());
    } else {
      ASSERT_EQ(boxes.Messages.size(), 1u);
      EXPECT_EQ(boxes.Messages[0].Text, c.message);
      EXPECT_EQ(boxes.Messages[0].Kind, TMessageKind::Error);
    }
    EXPECT_TRUE(c.check(a));
  }
}

TEST_F(AnimationTest, OpeningShowsTheStartFrameWithoutNotifications) {
  ani.SetStartFrame(3);
  ani.SetAVIFile(clip);
  EXPECT_TRUE(ani.Opened());
  EXPECT_EQ(ani.CurrentFrame(), 2);
  EXPECT_EQ(ani.ClipWidth(), 64);  // centred: the window keeps its size
  Settle(60);
  EXPECT_EQ(starts, 0);
  EXPECT_EQ(stops, 0);
  EXPECT_EQ(ani.CurrentFrame(), 2);
}

TEST_F(AnimationTest, RepeatCountOnePlaysTheRangeOnceAndReportsTheStop) {
  ani.SetAVIFile(clip);
  ani.SetStartFrame(2);
  ani.SetEndFrame(5);
  ani.SetRepeatCount(1);
  ani.SetPlaying(true);
  EXPECT_EQ(starts, 0);  // reported later, never inside the call
  ASSERT_TRUE(WaitUntil([&] { return stops == 1; }));
  EXPECT_EQ(starts, 1);
  EXPECT_FALSE(ani.Playing());
  EXPECT_EQ(ani.CurrentFrame(), 4);  // the last frame played stays
  Settle(60);
  EXPECT_EQ(stops, 1);
}

// A window playing on a place wakes the screen only for frames that differ:
// the first step (the start frame again) and a clip holding still paint nothing.
TEST_F(AnimationTest, FramesThatShowNothingNewPaintNothing) {
  const std::vector<QImage> f = MakeClipFrames(3, QSize(32, 24));
  const QString still = dir.Path("still.avi");
  WriteAvi(still, {f[0], f[1], f[1], f[2], f[2], f[2]}, 50, TVideoCodec::Raw);
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  ani.installEventFilter(&counter);
  panel.show();
  ani.SetRepeatCount(1);
  ani.SetAVIFile(still);
  Settle(60);
  counter.paints = 0;
  ani.SetPlaying(true);
  ASSERT_TRUE(WaitUntil([&] { return stops == 1; }));
  Settle(60);
  EXPECT_EQ(ani.CurrentFrame(), 5);
  EXPECT_GE(counter.paints, 1);
  EXPECT_LE(counter.paints, 2);  // frames 1 and 3, each once
}

TEST_F(AnimationTest, PlayingBeforeAnyClipStartsWhenOneIsAssigned) {
  ani.SetPlaying(true);
  EXPECT_TRUE(ani.Playing());
  Settle(30);
  EXPECT_EQ(starts, 0);
  ani.SetAVIFile(dir.Path("missing.avi"));  // cannot be opened: still nothing
  EXPECT_FALSE(ani.Opened());
  Settle(30);
  EXPECT_EQ(starts, 0);
  EXPECT_TRUE(boxes.Messages.empty());
  ani.SetRepeatCount(1);
  ani.SetAVIFile(clip);
  ASSERT_TRUE(WaitUntil([&] { return stops == 1; }));
  EXPECT_EQ(starts, 1);
  EXPECT_FALSE(ani.Playing());
}

TEST_F(AnimationTest, SameFileAgainDoesNothingButOtherChangesReopen) {
  ani.SetAVIFile(clip);
  ani.SetPlaying(true);  // without end
  ASSERT_TRUE(WaitUntil([&] { return starts == 1; }));
  ani.SetAVIFile(clip);
  Settle(60);
  EXPECT_EQ(starts, 1);
  EXPECT_TRUE(ani.Playing());

  // Recreating the window restarts the play; the old window's stop is dropped.
  ani.SetTransparent(false);
  ASSERT_TRUE(WaitUntil([&] { return starts == 2; }));
  EXPECT_EQ(stops, 0);
  EXPECT_TRUE(ani.Playing());

  ani.SetPlaying(false);
  ASSERT_TRUE(WaitUntil([&] { return stops == 1; }));
  EXPECT_EQ(ani.CurrentFrame(), 0);
}

TEST_F(AnimationTest, WithoutCentreTheWindowKeepsTheClipsSize) {
  ani.SetCenter(false);
  ani.SetAVIFile(clip);
  EXPECT_EQ(ani.Width(), 32);
  EXPECT_EQ(ani.Height(), 24);
  ani.SetBounds(10, 20, 200, 100);
  EXPECT_EQ(ani.Left(), 10);
  EXPECT_EQ(ani.Top(), 20);
  EXPECT_EQ(ani.Width(), 32);
  EXPECT_EQ(ani.Height(), 24);
  ani.SetCenter(true);
  ani.SetBounds(0, 0, 120, 90);
  EXPECT_EQ(ani.Width(), 120);
  EXPECT_EQ(ani.ClipWidth(), 32);  // the size when the clip was opened
}

TEST_F(AnimationTest, TransparentDrawsTheClipsBackgroundInTheWindowColour) {
  // Frame 0's top-left pixel (white) is the clip's background colour.
  ani.SetColor(clRed);
  ani.SetAVIFile(clip);
  struct Case {
    bool transparent;
    QColor corner;
  };
  for (const Case c : {Case{true, QColor(255, 0, 0)}, Case{false, QColor(255, 255, 255)}}) {
    ani.SetTransparent(c.transparent);
    const QImage shot = ani.grab().toImage();
    // The clip is centred: 32 x 24 in 64 x 64 starts at (16, 20).
    EXPECT_EQ(QColor(shot.pixel(17, 21)), c.corner);
    EXPECT_EQ(QColor(shot.pixel(30, 30)), ClipColor(0));
    EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(255, 0, 0));
  }
}

}  // namespace
