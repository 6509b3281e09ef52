// The bar styles: draws that follow the letters' region rectangle by
// rectangle, a ground left bare around the letters, and bars that grow; and
// the bar filling they share, which must match filling every bar in turn.
#include <algorithm>
#include <random>
#include <set>

#include "Font.h"
#include "GraphicsPath.h"
#include "MirelGlyphward.h"
#include "OpaqueBars.h"
#include "RandomClass.h"
#include "Region.h"
#include "SolidBrush.h"
#include "StyleTestSupport.h"
#include "Tools.h"

namespace style_tests {
namespace {

using namespace Gdiplus;

constexpr std::int32_t kStepSeed = 777;

// The letters' region as the style's frame makes it from the engine seeded
// as the step-count test seeds it: the text's rectangle between the outer and
// inner rectangles, then the bold font.
Region LetterRegion(int style, int w, int h, const std::u16string& code, std::int32_t seed) {
  GlyphwardSetSeed(seed);
  const MirelGlyphward::RandomClass rand;
  const float fw = float(w), fh = float(h);
  const RectF borders = rand.NextBorders(RectF(fw * 0.1f, fh * 0.1f, fw * 0.8f, fh * 0.8f),
                                         RectF(fw * 0.2f, fh * 0.2f, fw * 0.7f, fh * 0.7f));
  const Font font(rand.NextFontName(style).c_str(), 200.0f, FontStyleBold, UnitPoint);
  GraphicsPath path(FillModeAlternate);
  MirelGlyphward::Tools::AddFittedString(code, font, borders, &path);
  return Region(&path);
}

std::uint64_t ScanCount(int style, int w, int h, const std::u16string& code) {
  const INT count = LetterRegion(style, w, h, code, kStepSeed).GetRegionScansCount(nullptr);
  return std::uint64_t(count > 0 ? count : 0);
}

std::uint64_t Every(std::uint64_t n, std::uint64_t period) {
  return (n + period - 1) / period;
}

// The frame and the ground's colour; per rectangle a dark colour every 30
// and two growth draws every second one.
std::uint64_t Lego(int w, int h, const std::u16string& code) {
  const std::uint64_t n = ScanCount(28, w, h, code);
  return kFrameSteps + 3 + 3 * Every(n, 30) + 2 * Every(n, 2);
}

// The frame; per rectangle a colour every 40.
std::uint64_t Strippy(int w, int h, const std::u16string& code) {
  return kFrameSteps + 3 * Every(ScanCount(29, w, h, code), 40);
}

INSTANTIATE_TEST_SUITE_P(Lego, StepCounts,
                         ::testing::Values(StepCase{28, 250, 50, "ABCDE", Lego(250, 50, u"ABCDE")},
                                           StepCase{29, 250, 50, "ABCDE",
                                                    Strippy(250, 50, u"ABCDE")},
                                           StepCase{28, 173, 61, "ABCDE", Lego(173, 61, u"ABCDE")},
                                           StepCase{29, 173, 61, "W8", Strippy(173, 61, u"W8")},
                                           StepCase{28, 250, 50, "   ", kFrameSteps + 3},
                                           StepCase{29, 250, 50, "", kFrameSteps},
                                           StepCase{28, 1, 1, "A", Lego(1, 1, u"A")},
                                           StepCase{29, 1, 1, "A", Strippy(1, 1, u"A")}));

// The draws above only test something when the letters break into many
// rectangles, several colour periods' worth.
TEST(LegoSteps, LettersBreakIntoSeveralColourBands) {
  EXPECT_GT(ScanCount(28, 250, 50, u"ABCDE"), 60u);
  EXPECT_GT(ScanCount(29, 250, 50, u"ABCDE"), 80u);
}

bool Light(const Pixel& p) {
  return p[0] >= 200 && p[1] >= 200 && p[2] >= 200;
}

struct BarCase {
  int style;
  bool (*isGround)(const Pixel&);
};

class LegoPixels : public ::testing::TestWithParam<BarCase> {};

// Around the letters only the ground shows, one colour; the bars cover the
// letters' own pixels and, grown, some more around them.
TEST_P(LegoPixels, BarsCoverTheLettersAndSpillAroundThem) {
  const BarCase& c = GetParam();
  const int w = 400, h = 100, seed = 12;
  const Picture picture = Render(c.style, "ABCDE", w, h, seed);
  const Pixel ground = picture.At(0, 0);
  EXPECT_TRUE(c.isGround(ground));
  // The text lies inside the outer tenth on every side; grown bars reach up
  // to 9 pixels above it and 4 to its left.
  EXPECT_EQ(Count(
                picture, [&](const Pixel& p) { return p != ground; }, 0, 0, w, 1),
            0);
  EXPECT_EQ(Count(
                picture, [&](const Pixel& p) { return p != ground; }, 0, 0, 30, h),
            0);

  const Region letters = LetterRegion(c.style, w, h, u"ABCDE", seed);
  int letterPixels = 0, barsOnLetters = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (letters.IsVisible(x, y)) {
        ++letterPixels;
        if (picture.At(x, y) != ground) ++barsOnLetters;
      }
  const int bars = Count(picture, [&](const Pixel& p) { return p != ground; });
  EXPECT_GT(letterPixels, 1000);
  EXPECT_GT(barsOnLetters, letterPixels * 95 / 100);
  EXPECT_GT(bars, letterPixels * 3 / 2);
}

// Letters without a region leave nothing but the ground.
TEST_P(LegoPixels, BlankCodeLeavesOnlyTheGround) {
  const BarCase& c = GetParam();
  const Picture picture = Render(c.style, "   ", 250, 50, 3);
  const Pixel ground = picture.At(0, 0);
  EXPECT_TRUE(c.isGround(ground));
  EXPECT_EQ(Count(picture, [&](const Pixel& p) { return p != ground; }), 0);
}

bool White(const Pixel& p) {
  return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

INSTANTIATE_TEST_SUITE_P(Lego, LegoPixels,
                         ::testing::Values(BarCase{28, Light}, BarCase{29, White}));

// A new colour every 30 (Lego) or 40 (Strippy) rectangles. Bars whose edges
// are half covered blend into a few more even colours, so the solid colours
// of the picture are about as many as the colour bands.
TEST(LegoColours, ColoursChangeInBands) {
  for (const int style : {28, 29})
    for (const int seed : {1, 2, 3, 4, 5, 6, 7}) {
      const int w = 250, h = 50;
      const Picture picture = Render(style, "ABCDE", w, h, seed);
      const std::uint64_t n =
          LetterRegion(style, w, h, u"ABCDE", seed).GetRegionScansCount(nullptr);
      std::set<Pixel> solid;
      for (int y = 1; y + 1 < h; ++y)
        for (int x = 1; x + 1 < w; ++x) {
          const Pixel p = picture.At(x, y);
          if (p == picture.At(x - 1, y) && p == picture.At(x + 1, y) && p == picture.At(x, y - 1) &&
              p == picture.At(x, y + 1) && p != picture.At(0, 0))
            solid.insert(p);
        }
      const std::uint64_t bands = Every(n, style == 28 ? 30 : 40);
      EXPECT_GE(solid.size(), bands / 2) << style << " seed " << seed;
      EXPECT_LE(solid.size(), 2 * bands) << style << " seed " << seed;
    }
}

// The bars are painted skipping what later bars cover completely; every pixel
// must still be the one that filling each bar in turn gives, for bars in
// scan order as the styles make them and in any order.
TEST(OpaqueBars, SamePixelsAsFillingEveryBar) {
  std::mt19937 random(5);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int w = 97, h = 61;
  for (int round = 0; round < 24; ++round) {
    std::vector<MirelGlyphward::OpaqueBar> bars(std::size_t(pick(1, 400)));
    for (auto& bar : bars)
      bar = {Rect(pick(-40, w), pick(-40, h), pick(0, 90), pick(0, 70)),
             Color(ARGB(0xFF000000u | random()))};
    if (round % 2 == 0)
      std::stable_sort(bars.begin(), bars.end(),
                       [](const auto& a, const auto& b) { return a.rect.Y < b.rect.Y; });
    Bitmap cut(w, h), plain(w, h);
    Graphics cutGraphics(&cut), plainGraphics(&plain);
    for (Graphics* g : {&cutGraphics, &plainGraphics}) {
      g->SetSmoothingMode(SmoothingModeAntiAlias);
      g->Clear(Color(0xFFE0D0C0));
    }
    MirelGlyphward::FillOpaqueBars(cutGraphics, bars, w, h);
    for (const auto& bar : bars) {
      const SolidBrush brush(bar.color);
      plainGraphics.FillRectangle(&brush, bar.rect);
    }
    int different = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        Color a, b;
        cut.GetPixel(x, y, &a);
        plain.GetPixel(x, y, &b);
        if (a.GetValue() != b.GetValue()) ++different;
      }
    EXPECT_EQ(different, 0) << "round " << round << ", " << bars.size() << " bars";
  }
}

}  // namespace
}  // namespace style_tests
