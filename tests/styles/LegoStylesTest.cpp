// The bar styles: draws that follow the letters' region rectangle by
// rectangle, a ground left bare around the letters, and bars that grow; and
// the bar filling they share, which must match filling every bar in turn.
#include <algorithm>
#include <random>
#include <set>

#include "OpaqueBars.h"
#include "SolidBrush.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using namespace Gdiplus;

constexpr std::int32_t kStepSeed = 777;

// The letters as the style's frame makes them: the text's rectangle between
// the outer and inner rectangles, then the bold font.
LetterMask Letters(int style, int w, int h, const std::string& code, std::int32_t seed) {
  return LetterMask(seed, code, style, FontStyleBold, Part(w, h, 0.1f, 0.1f, 0.8f, 0.8f),
                    Part(w, h, 0.2f, 0.2f, 0.7f, 0.7f), w, h);
}

// The number of rectangles the letters' region breaks into, from the seed
// the step-count test uses.
std::uint64_t ScanCount(int style, int w, int h, const std::string& code) {
  const INT count = Letters(style, w, h, code, kStepSeed).letters.GetRegionScansCount(nullptr);
  return std::uint64_t(count > 0 ? count : 0);
}

std::uint64_t Every(std::uint64_t n, std::uint64_t period) {
  return (n + period - 1) / period;
}

// The frame and the ground's colour; per rectangle a dark colour every 30
// and two growth draws every second one.
std::uint64_t Lego(int w, int h, const std::string& code) {
  const std::uint64_t n = ScanCount(28, w, h, code);
  return kFrameSteps + 3 + 3 * Every(n, 30) + 2 * Every(n, 2);
}

// The frame; per rectangle a colour every 40.
std::uint64_t Strippy(int w, int h, const std::string& code) {
  return kFrameSteps + 3 * Every(ScanCount(29, w, h, code), 40);
}

INSTANTIATE_TEST_SUITE_P(Lego, StepCounts,
                         ::testing::Values(StepCase{28, 250, 50, "ABCDE", Lego(250, 50, "ABCDE")},
                                           StepCase{29, 250, 50, "ABCDE",
                                                    Strippy(250, 50, "ABCDE")},
                                           StepCase{29, 173, 61, "W8", Strippy(173, 61, "W8")},
                                           StepCase{28, 250, 50, "   ", kFrameSteps + 3},
                                           StepCase{28, 1, 1, "A", Lego(1, 1, "A")}));

bool Light(const Pixel& p) {
  return p[0] >= 200 && p[1] >= 200 && p[2] >= 200;
}

struct BarCase {
  int style;
  bool (*isGround)(const Pixel&);
};

void PrintTo(const BarCase& c, std::ostream* out) {
  *out << "style " << c.style;
}

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

  const LetterMask letters = Letters(c.style, w, h, "ABCDE", seed);
  int letterPixels = 0, barsOnLetters = 0;
  ForEachPixel(picture, [&](int x, int y, const Pixel& p) {
    letterPixels += letters.Inside(x, y);
    barsOnLetters += letters.Inside(x, y) && p != ground;
  });
  const int bars = Count(picture, [&](const Pixel& p) { return p != ground; });
  EXPECT_GT(letterPixels, 1000);
  EXPECT_GT(barsOnLetters, letterPixels * 95 / 100);
  EXPECT_GT(bars, letterPixels * 3 / 2);
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
          Letters(style, w, h, "ABCDE", seed).letters.GetRegionScansCount(nullptr);
      // The colour bands only tell something when there are several.
      ASSERT_GT(n, 60u);
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
