// Snow: hatched capitals with a soft black shadow, moved to the picture's
// corner, on a speckled near-white ground under a flurry of flakes.
#include <cmath>
#include <cstdlib>

#include "RandomClass.h"
#include "RandomSource.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::RectF;

// The snow area reaches one pixel past every edge of the picture.
int AreaUnits(int w, int h) {
  return int(float(w + 2.0) * float(h + 2.0));
}

// Specks drawn behind the text: grey ones, then pattern ones.
std::uint64_t SpecksBehind(int w, int h) {
  const float n = float(AreaUnits(w, h));
  return std::uint64_t(int(0.4f * n)) + std::uint64_t(int(0.3f * n));
}

// Two hatch choices, x and y per speck behind, the text rectangle and font,
// ten warp draws, then x, y, w, h per flake and x, y per speck in front. The
// loops in front run while their index stays below 5 % and 50 % of the area.
std::uint64_t Expected(int w, int h) {
  const float n = float(AreaUnits(w, h));
  const auto flakes = std::uint64_t(std::ceil(0.05f * n));
  const auto specksInFront = std::uint64_t(std::ceil(0.5f * n));
  return 2 + 2 * SpecksBehind(w, h) + kFrameSteps + 10 + 4 * flakes + 2 * specksInFront;
}

INSTANTIATE_TEST_SUITE_P(
    Snow, StepCounts,
    ::testing::Values(
        // The worked example: 4201 grey and 3151 pattern specks, 526
        // flakes and 5252 specks in front.
        StepCase{4, 200, 50, "ABCDE", 2 + 2 * (4201 + 3151) + 15 + 4 * 526 + 2 * 5252u},
        StepCase{4, 250, 50, "", Expected(250, 50)},
        StepCase{4, 173, 61, "W1IMQ7XZ", Expected(173, 61)},
        StepCase{4, 1, 1, "ABCDE", Expected(1, 1)}, StepCase{4, 2, 1, "A", Expected(2, 1)}));

// The text rectangle, drawn again from the seed after the specks behind.
RectF TextRectangle(std::int32_t seed, int w, int h) {
  Seed(seed);
  for (std::uint64_t i = 0; i < 2 + 2 * SpecksBehind(w, h); ++i) MirelGlyphward::RandomNumber(2);
  const float aw = float(w + 2), ah = float(h + 2);
  const MirelGlyphward::RandomClass rand;
  return rand.NextBorders(RectF(0.01f * aw, 0.01f * ah, 0.99f * aw, 0.99f * ah),
                          RectF(0.1f * aw, 0.1f * ah, 0.85f * aw, 0.85f * ah));
}

struct SnowCase {
  int w, h;
  std::int32_t seed;
};

// Only greys and the ground's bluish white appear. Near-black ink (the
// hatch's black and the shadow) marks at least 1 % of the text rectangle
// moved to the picture's corner and never shows beyond it, where only specks
// lie.
TEST(SnowStyle, DarkInkOnlyInTheTextBoxAtTheCorner) {
  for (const SnowCase& c : {SnowCase{250, 50, 1}, SnowCase{250, 50, 2}, SnowCase{250, 50, 3},
                            SnowCase{173, 61, 4}, SnowCase{600, 150, 5}}) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " seed " +
                 std::to_string(c.seed));
    const RectF rectText = TextRectangle(c.seed, c.w, c.h);
    const Picture picture = Render(4, "ABCDE", c.w, c.h, c.seed);
    const int boxRight = int(rectText.Width) + 2, boxBottom = int(rectText.Height) + 2;
    int tinted = 0, darkInside = 0, darkOutside = 0, insideArea = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        if (std::abs(int(p[0]) - int(p[1])) > 1 || p[2] + 1 < p[0] || p[3] != 255) ++tinted;
        const bool inside = x < boxRight && y < boxBottom;
        insideArea += inside;
        if (Luma(p) < 40) ++(inside ? darkInside : darkOutside);
      }
    EXPECT_EQ(tinted, 0);
    EXPECT_EQ(darkOutside, 0);
    EXPECT_GT(darkInside, insideArea / 100);
    // The ground shows its blue tint somewhere.
    EXPECT_GT(Count(picture, [](const Pixel& p) { return p[2] > p[0] && Luma(p) > 200; }), 0);
  }
}

// The code is always shown in capitals: lower case draws the same picture,
// while another letter does not.
TEST(SnowStyle, CodeShownInCapitals) {
  const Picture upper = Render(4, "ABCDE", 250, 50, 7);
  const Picture lower = Render(4, "abcDe", 250, 50, 7);
  const Picture other = Render(4, "ABCDF", 250, 50, 7);
  int differ = 0, differOther = 0;
  for (std::uint32_t y = 0; y < 50; ++y)
    for (std::uint32_t x = 0; x < 250; ++x) {
      differ += upper.At(x, y) != lower.At(x, y);
      differOther += upper.At(x, y) != other.At(x, y);
    }
  EXPECT_EQ(differ, 0);
  EXPECT_GT(differOther, 50);
}

}  // namespace
}  // namespace style_tests
