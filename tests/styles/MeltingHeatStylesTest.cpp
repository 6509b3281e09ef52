// Black curved letters on black, told apart by a blurred red glow.
#include <algorithm>
#include <cstdlib>

#include "CurvedLetterMask.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::RectF;

// The frame's draws are the style's only ones, whatever the size; a side of
// five pixels leaves no small copy to draw.
INSTANTIATE_TEST_SUITE_P(MeltingHeat, StepCounts,
                         ::testing::Values(StepCase{36, 250, 50, "ABCDE", kFrameSteps},
                                           StepCase{36, 173, 61, "ABCDE", kFrameSteps},
                                           StepCase{36, 250, 5, "ABCDE", kFrameSteps},
                                           StepCase{36, 5, 50, "AB", kFrameSteps},
                                           StepCase{36, 6, 6, "AB", kFrameSteps}));

bool Red(const Pixel& p) {
  return p[0] >= 64 && p[0] >= 3 * p[1] && p[0] >= 3 * p[2];
}

CurvedLetterMask Letters(std::int32_t seed, int w, int h) {
  return CurvedLetterMask(seed, "ABCDE", 36, 0, RectF(0, 0, float(w), float(h)),
                          RectF(0, -0.1f * h, 0.85f * w, 0.8f * h));
}

// The letters are black; red shows only near them, and nearly every edge of
// a letter has red within a few pixels. Nothing but black and red is drawn.
TEST(MeltingHeatStyle, RedGlowHugsBlackLetters) {
  const int w = 250, h = 50, reach = 7;
  for (std::int32_t seed : {1, 2, 3}) {
    const CurvedLetterMask mask = Letters(seed, w, h);
    const Picture picture = Render(36, "ABCDE", w, h, seed);
    auto pixel = [&](int x, int y) { return picture.At(std::uint32_t(x), std::uint32_t(y)); };
    auto nearLetters = [&](int x, int y, auto accept) {
      for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
          const int px = x + dx, py = y + dy;
          if (px >= 0 && py >= 0 && px < w && py < h && accept(px, py)) return true;
        }
      return false;
    };
    int letters = 0, red = 0, edges = 0, glowingEdges = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Pixel p = pixel(x, y);
        EXPECT_TRUE(p[1] <= 2 && p[2] <= 2) << "seed " << seed << " at " << x << "," << y;
        const int where = mask.At(x, y);
        if (where == 1) {
          ++letters;
          EXPECT_LT(p[0], 16) << "seed " << seed << " at " << x << "," << y;
        }
        // The stretched copy fades out over the last few rows and columns.
        if (Red(p) && p[3] == 255) {
          ++red;
          EXPECT_TRUE(nearLetters(x, y, [&](int px, int py) { return mask.At(px, py) != 0; }))
              << "seed " << seed << " at " << x << "," << y;
        }
        if (where == -1 && x > 2 && y > 2 && x < w - 3 && y < h - 3) {
          ++edges;
          glowingEdges += nearLetters(x, y, [&](int px, int py) {
            return std::abs(px - x) <= 4 && std::abs(py - y) <= 4 && Red(pixel(px, py));
          });
        }
      }
    EXPECT_GT(letters, 150) << "seed " << seed;
    EXPECT_GT(red, w * h / 20) << "seed " << seed;
    EXPECT_GE(glowingEdges * 100, edges * 90) << "seed " << seed;
  }
}

// A side under six pixels leaves no room for the small copy: no glow, only
// black letters over the untouched, transparent picture.
TEST(MeltingHeatStyle, TooThinForTheGlowDrawsOnlyTheLetters) {
  const Picture picture = Render(36, "ABCDE", 250, 5, 1);
  EXPECT_EQ(Count(picture, Red), 0);
  EXPECT_GT(Count(picture, [](const Pixel& p) { return p[3] >= 128 && p[0] < 48; }), 100);
  EXPECT_GT(Count(picture, [](const Pixel& p) { return p[3] == 0; }), 100);
}

}  // namespace
}  // namespace style_tests
