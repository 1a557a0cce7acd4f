#include "controls/TransparentButton.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "controls/ButtonStrips.h"
#include "lib/Writers.h"
#include "platform/Canvas.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Picture.h"

namespace {

const QRgb kKey = qRgb(255, 0, 255), kNormal = qRgb(200, 0, 0), kLit = qRgb(0, 0, 200),
           kPressed = qRgb(0, 150, 0), kBack = qRgb(10, 120, 10);

// A strip of `frames` w x h frames: frame 0 kNormal, 1 kLit, 2 kPressed; the
// bottom-left pixel and a key column at x = 1 of each frame let the background through.
QImage ButtonStrip(int frames, int w, int h) {
  const QRgb colours[] = {kNormal, kLit, kPressed};
  QImage img(frames * w, h, QImage::Format_RGB32);
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) img.setPixel(f * w + x, y, x == 1 ? kKey : colours[f % 3]);
  img.setPixel(0, h - 1, kKey);
  return img;
}

std::string Thrown(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message.toStdString();
  }
  return "(nothing thrown)";
}

// A button over a background picture on a panel, the way the screens have them.
struct ButtonScene {
  QTemporaryDir dir;
  TMyImageList list;
  TPanel parent{nullptr};
  TImage* background = new TImage(&parent);
  TTransparentButton* button = new TTransparentButton(&parent);

  explicit ButtonScene(int frames = 2) {
    WriteBmp(dir.path() + "/b.bmp", ButtonStrip(frames, 8, 6));
    list.Add(dir.path() + "/b.bmp", frames, 0, 0);
    parent.resize(40, 30);
    QImage back(40, 30, QImage::Format_RGB32);
    back.fill(kBack);
    background->SetBounds(0, 0, 40, 30);
    background->SetPicture(back);
    button->move(10, 10);
    button->SetImageList(&list);
    button->SetBitmapNormal(0);
    button->raise();
  }
  // The colour of the button's pixel (x, y) as the screen shows it.
  QRgb At(int x, int y) {
    QImage out(parent.size(), QImage::Format_RGB32);
    parent.render(&out);
    return out.pixel(button->x() + x, button->y() + y);
  }
  void Enter() {
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(button, &e);
  }
  void Leave() {
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(button, &e);
  }
  void Mouse(QEvent::Type type) {
    QMouseEvent e(type, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &e);
  }
};

}  // namespace

TEST(MyImageList, AddChecksTheFileAndTheFrameWidth) {
  QTemporaryDir dir;
  WriteSolidBmp(dir.path() + "/66.bmp", 66, 33, Qt::red);
  WriteSolidBmp(dir.path() + "/65.bmp", 65, 33, Qt::red);
  QFile(dir.path() + "/broken.bmp").open(QIODevice::WriteOnly);
  TMyImageList list;
  list.SetPosition(0, 5, 5);  // nothing to place yet

  EXPECT_EQ(list.Add(dir.path() + "/66.bmp", 2, 7, 9), 0);
  EXPECT_EQ(list.GetFrameWidth(0), 33);
  EXPECT_EQ(list.GetFrameHeight(0), 33);
  EXPECT_EQ(list.GetLeft(0), 7);
  EXPECT_EQ(list.GetTop(0), 9);
  list.SetPosition(0, 1, 2);
  EXPECT_EQ(list.GetLeft(0), 1);
  EXPECT_EQ(list.GetTop(0), 2);

  const std::string split = "Dlugosc obrazka nie dzieli sie przez podana liczbe klatek";
  EXPECT_EQ(Thrown([&] { list.Add(dir.path() + "/65.bmp", 2, 0, 0); }), split);
  EXPECT_EQ(Thrown([&] { list.Add(dir.path() + "/66.bmp", 0, 0, 0); }), split);
  EXPECT_EQ(Thrown([&] { list.Add(dir.path() + "/66.bmp", -3, 0, 0); }), split);
  for (const char* name : {"/missing.bmp", "/broken.bmp"}) {
    const QString path = dir.path() + name;
    EXPECT_EQ(Thrown([&] { list.Add(path, 2, 0, 0); }),
              ("Nie moge otworzyc pliku : \"" + path + "\"").toStdString());
  }
  EXPECT_EQ(list.Count(), 1);
}

TEST(MyImageList, DrawsOnlyTheClippedPartWithTheBottomLeftColourLeftOut) {
  QTemporaryDir dir;
  WriteBmp(dir.path() + "/b.bmp", ButtonStrip(2, 8, 6));
  TMyImageList list;
  list.Add(dir.path() + "/b.bmp", 2, 0, 0);

  QImage target(8, 6, QImage::Format_RGB32);
  target.fill(kBack);
  {
    QPainter p(&target);
    TCanvas canvas(&p, QRect(4, 0, 4, 6), QSize(8, 6));  // only the right half needs repainting
    list.Draw(canvas, 0, 1);
    list.Draw(canvas, 1, 0);  // past the end: nothing
  }
  EXPECT_EQ(target.pixel(2, 2), kBack);  // outside the clip
  EXPECT_EQ(target.pixel(5, 2), kLit);
  EXPECT_EQ(target.pixel(7, 5), kLit);

  QImage whole(8, 6, QImage::Format_RGB32);
  whole.fill(kBack);
  TCanvas canvas(&whole);
  list.Draw(canvas, 0, 0);
  EXPECT_EQ(whole.pixel(1, 3), kBack);  // key column
  EXPECT_EQ(whole.pixel(0, 5), kBack);  // the corner itself
  EXPECT_EQ(whole.pixel(0, 4), kNormal);
  list.Draw(canvas, 0, 5);  // a frame past the strip draws nothing
  EXPECT_EQ(whole.pixel(1, 3), kBack);
}

TEST(MyImageList, MonochromeStripsLeaveWhiteOut) {
  QTemporaryDir dir;
  QImage mono(4, 2, QImage::Format_Mono);
  mono.setColor(0, qRgb(255, 255, 255));
  mono.setColor(1, qRgb(0, 0, 0));
  mono.fill(1);                 // black everywhere, the bottom-left corner too
  mono.setPixel(2, 0, 0);       // one white pixel
  const QString path = dir.path() + "/mono.bmp";
  ASSERT_TRUE(mono.save(path, "BMP"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  ASSERT_EQ(f.read(30).at(28), 1) << "Qt wrote no 1-bit bitmap";

  TMyImageList list;
  list.Add(path, 1, 0, 0);
  QImage target(4, 2, QImage::Format_RGB32);
  target.fill(kBack);
  TCanvas canvas(&target);
  list.Draw(canvas, 0, 0);
  EXPECT_EQ(target.pixel(2, 0), kBack);
  EXPECT_EQ(target.pixel(0, 1), qRgb(0, 0, 0));
}

TEST(MyImageList, ButtonStripsDecodeWhenFirstUsedAndStopAtTheFirstFailure) {
  QTemporaryDir dir;
  const QString program = dir.path();
  for (size_t i = 0; i < ButtonStrips.size(); ++i)
    WriteSolidBmp(ButtonStripPath(program, ButtonStrips[i]).replace('\\', '/'),
                  2 * (10 + int(i)), 20, Qt::gray);
  TMyImageList list;
  list.Add(ButtonStripPath(program, ButtonStrips[0]), 2, 0, 0);  // filling starts afresh
  const std::uint64_t before = PicturesDecoded();
  LoadButtonStrips(list, program);
  ASSERT_EQ(list.Count(), 30);
  EXPECT_EQ(PicturesDecoded(), before);  // nothing until a strip is needed
  EXPECT_EQ(list.GetFrameWidth(26), 36);
  EXPECT_EQ(list.GetFrameHeight(26), 20);
  EXPECT_EQ(PicturesDecoded(), before + 1);
  list.DecodeWaiting();
  EXPECT_EQ(PicturesDecoded(), before + 29);  // the first strip is still decoded from Add
  for (int i = 0; i < 30; ++i) EXPECT_EQ(list.GetFrameWidth(i), 10 + i);
  for (int index : {30, 1000}) {  // past the end
    EXPECT_EQ(list.GetFrameWidth(index), 33);
    EXPECT_EQ(list.GetFrameHeight(index), 33);
    EXPECT_EQ(list.GetLeft(index), 33);
    EXPECT_EQ(list.GetTop(index), 33);
  }

  // A broken strip drawn before the rest are decoded draws nothing; decoding
  // the rest names it and leaves the list as filling one by one would.
  const QString missing = ButtonStripPath(program, ButtonStrips[5]);
  QFile::remove(QString(missing).replace('\\', '/'));
  ClearPathCache();
  LoadButtonStrips(list, program);
  EXPECT_EQ(list.GetFrameWidth(5), 33);
  EXPECT_EQ(list.GetLeft(5), 0);
  QImage target(8, 8, QImage::Format_RGB32);
  target.fill(kBack);
  TCanvas canvas(&target);
  list.Draw(canvas, 5, 0);
  EXPECT_EQ(target.pixel(0, 0), kBack);
  EXPECT_EQ(Thrown([&] { list.DecodeWaiting(); }),
            ("Nie moge otworzyc pliku : \"" + missing + "\"").toStdString());
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.GetFrameWidth(4), 14);
}

TEST(TransparentButton, ShowsTheBackgroundThroughItsKeyColour) {
  ButtonScene s;
  EXPECT_EQ(s.button->size(), QSize(8, 6));
  EXPECT_EQ(s.At(0, 0), kNormal);
  EXPECT_EQ(s.At(1, 2), kBack);
  EXPECT_EQ(s.At(0, 5), kBack);
  s.button->SetHideNormal(true);
  EXPECT_EQ(s.At(0, 0), kBack);
  s.button->SetStan(1);
  EXPECT_EQ(s.At(0, 0), kLit);
}

TEST(TransparentButton, StatesFollowTheMouse) {
  struct Case {
    const char* name;
    TStyls style;
    bool enabled;
    QRgb entered, pressed, released, left;
    int enters, leaves;
  } cases[] = {
      {"highlighted", tbs_Highlighted, true, kLit, kLit, kLit, kNormal, 1, 1},
      {"disabled", tbs_Highlighted, false, kNormal, kNormal, kNormal, kNormal, 0, 1},
      {"pressed only", tbs_Pressed, true, kNormal, kLit, kNormal, kNormal, 1, 1},
      {"no style", 0, true, kNormal, kNormal, kNormal, kNormal, 1, 1},
  };
  for (const Case& c : cases) {
    ButtonScene s;
    int enters = 0, leaves = 0, clicks = 0;
    s.button->OnMouseEnter = [&] { ++enters; };
    s.button->OnMouseLeave = [&] { ++leaves; };
    s.button->OnClick = [&] { ++clicks; };
    s.button->SetStyle(c.style);
    s.button->SetEnabled(c.enabled);
    s.Enter();
    EXPECT_EQ(s.At(0, 0), c.entered) << c.name;
    s.Mouse(QEvent::MouseButtonPress);
    EXPECT_EQ(s.At(0, 0), c.pressed) << c.name;
    s.Mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(s.At(0, 0), c.released) << c.name;
    s.Leave();
    EXPECT_EQ(s.At(0, 0), c.left) << c.name;
    EXPECT_EQ(enters, c.enters) << c.name;
    EXPECT_EQ(leaves, c.leaves) << c.name;
    EXPECT_EQ(clicks, c.enabled ? 1 : 0) << c.name;
  }
}

TEST(TransparentButton, HighlightedAndPressedDrawsThePressedFrame) {
  ButtonScene s(3);
  s.button->SetStyle(tbs_Highlighted | tbs_Pressed);
  s.Enter();
  s.Mouse(QEvent::MouseButtonPress);
  EXPECT_EQ(s.button->Stan(), 2);
  EXPECT_EQ(s.At(0, 0), kPressed);
  s.Mouse(QEvent::MouseButtonRelease);
  EXPECT_EQ(s.button->Stan(), 0);  // even though the mouse is still over it
}

TEST(TransparentButton, SizeAndPlaceComeFromTheList) {
  ButtonScene s;
  s.button->SetBitmapNormal(7);  // past the end
  EXPECT_EQ(s.button->size(), QSize(33, 33));
  EXPECT_EQ(s.At(0, 0), kBack);
  s.button->SetBitmapNormal(0);
  EXPECT_EQ(s.button->size(), QSize(8, 6));

  TTransparentButton loose(&s.parent);  // no list yet: stays 33 x 33 and draws nothing
  loose.SetBitmapNormal(0);
  EXPECT_EQ(loose.size(), QSize(33, 33));

  s.list.SetPosition(0, 20, 12);
  s.button->SetStyle(tbs_Highlighted | tbs_DefPos);
  s.button->repaint();
  QImage out(s.parent.size(), QImage::Format_RGB32);
  s.parent.render(&out);
  EXPECT_EQ(s.button->pos(), QPoint(20, 12));
}
