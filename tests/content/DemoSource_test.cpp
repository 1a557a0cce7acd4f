// The demo's source format: words, quotes, named values, nesting, and errors
// that name the source file and line.
#include "lib/DemoSource.h"

#include <gtest/gtest.h>

#include "lib/DemoDraw.h"
#include "lib/DemoSound.h"
#include "platform/Errors.h"

namespace {

TEST(DemoSource, ReadsWordsQuotesNamesAndNesting) {
  const auto nodes = ParseSource(
      "# a comment\n"
      "location Start.lok\n"
      "  walk 1 2 3 4 Sklep.lok sound=drzwi   # trailing comment\n"
      "  picture rynek.bmp\n"
      "    text 10 20 \"Dzień \\\"dobry\\\"\" color=#ff8800 size=12\n"
      "    label=\"a b\" \"c=d\"\n"
      "entry PREZ= \\town\\a.fc2\r\n",
      "s.txt");
  ASSERT_EQ(nodes.size(), 2u);
  const TSourceNode& loc = nodes[0];
  EXPECT_EQ(loc.Command, "location");
  EXPECT_EQ(loc.Args, QStringList{"Start.lok"});
  ASSERT_EQ(loc.Children.size(), 2u);
  EXPECT_EQ(loc.Children[0].Args, (QStringList{"1", "2", "3", "4", "Sklep.lok"}));
  EXPECT_EQ(loc.Children[0].Text("sound"), "drzwi");
  EXPECT_EQ(loc.Children[0].Line, 3);
  const TSourceNode& picture = loc.Children[1];
  ASSERT_EQ(picture.Children.size(), 2u);
  EXPECT_EQ(picture.Children[0].Args, (QStringList{"10", "20", "Dzień \"dobry\""}));
  EXPECT_EQ(picture.Children[0].NamedColor("color", Qt::black), QColor(255, 136, 0));
  EXPECT_EQ(picture.Children[0].NamedInt("size", 0), 12);
  // Quotes may hold a named value's blanks; a word that starts with a quote is never a named one.
  EXPECT_EQ(picture.Children[1].Command, "label=a b");
  EXPECT_EQ(picture.Children[1].Args, QStringList{"c=d"});
  // A list key ends with "=" and stays positional.
  EXPECT_EQ(nodes[1].Args, (QStringList{"PREZ=", "\\town\\a.fc2"}));
}

struct TBadSource {
  const char* Text;
  int Line;
  const char* Says;
};

class BadSource : public ::testing::TestWithParam<TBadSource> {};

TEST_P(BadSource, FailsNamingFileAndLine) {
  try {
    const auto nodes = ParseSource(QString::fromUtf8(GetParam().Text), "demo.txt");
    // Some errors only show when a value is used.
    for (const auto& n : nodes)
      for (const auto& c : n.Children) {
        c.SizeArg(0, "a size");
        c.NamedInt("size", 0);
        c.NamedColor("color", Qt::black);
        SynthesiseTune(c.Text("tune"), c);
      }
    FAIL() << "no error";
  } catch (const EFormatError& e) {
    EXPECT_TRUE(e.Message.startsWith(QStringLiteral("demo.txt:%1: ").arg(GetParam().Line))) << e.Message.toStdString();
    EXPECT_TRUE(e.Message.contains(QString::fromUtf8(GetParam().Says))) << e.Message.toStdString();
  }
}

const TBadSource kBad[] = {
    {"a\n  b \"open\n", 2, "quote"},
    {"a\n  b 10x10 size=1 size=2\n", 2, "twice"},
    {"a\n\n  b 10x\n", 3, "whole number"},
    {"a\n  b 10\n", 2, "WIDTHxHEIGHT"},
    {"a\n  b 0x10\n", 2, "sensible size"},
    {"a\n  b 5x5 size=big\n", 2, "whole number"},
    {"a\n  b 5x5 color=#12\n", 2, "not a colour"},
    {"a\n  b 5x5 tune=\"C5:100 H9:5\"\n", 2, "no note"},
    {"a\n  b 5x5 tune=C5\n", 2, "NOTE:MS"},
};
INSTANTIATE_TEST_SUITE_P(Errors, BadSource, ::testing::ValuesIn(kBad));

TEST(DemoDraw, ButtonStripsHaveTwoFramesOnTheKeyColour) {
  const auto nodes = ParseSource("button _left.bmp #3b8fd9 glyph=left\n", "b.txt");
  const QImage strip = DrawButtonStrip(nodes[0], QSize(36, 36));
  ASSERT_EQ(strip.size(), QSize(72, 36));
  const QRgb key = ButtonKeyColor.rgb();
  // The game takes its key from the bottom-left pixel; the corners around the
  // round button show through, its middle does not.
  EXPECT_EQ(strip.pixel(0, 35), key);
  EXPECT_EQ(strip.pixel(35, 0), key);
  EXPECT_NE(strip.pixel(18, 18), key);
  EXPECT_NE(strip.pixel(4, 18), strip.pixel(36 + 4, 18)) << "the highlighted frame looks the same";
  // No soft edge blends into the key colour: no pinkish pixels.
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 72; ++x) {
      const QColor c = QColor::fromRgb(strip.pixel(x, y));
      if (c.rgb() == key) continue;
      EXPECT_FALSE(c.red() > 200 && c.blue() > 200 && c.green() < 80) << x << "," << y;
    }
  EXPECT_THROW(DrawButtonStrip(ParseSource("button _left.bmp #fff glyph=wave\n", "b.txt")[0], QSize(36, 36)), EFormatError);
  EXPECT_THROW(DrawButtonStrip(ParseSource("button _left.bmp #fff\n", "b.txt")[0], QSize(36, 36)), EFormatError);
}

TEST(DemoDraw, ActorsMoveOverTheFramesOfAStrip) {
  const auto nodes = ParseSource("s\n  actor \"X\" 10 20 16 motion=walk dx=40\n", "s.txt");
  QImage background(60, 40, QImage::Format_RGB32);
  background.fill(Qt::white);
  const QImage strip = DrawStrip(background, 4, nodes[0].Children, {});
  ASSERT_EQ(strip.size(), QSize(240, 40));
  // Where the actor stands differs from frame to frame; the background stays.
  auto leftmostInk = [&](int frame) {
    for (int x = 0; x < 60; ++x)
      for (int y = 0; y < 40; ++y)
        if (strip.pixel(frame * 60 + x, y) != qRgb(255, 255, 255)) return x;
    return -1;
  };
  EXPECT_LT(leftmostInk(0), leftmostInk(3));
  EXPECT_THROW(DrawStrip(background, 2, ParseSource("s\n  actor \"X\" 1 1 5 motion=dance\n", "s.txt")[0].Children, {}),
               EFormatError);
}

}  // namespace
