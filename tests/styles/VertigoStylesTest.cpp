// Concentric rings drawn twice, inside and outside the curved letters.
#include <algorithm>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame, the three channels of Vertigo's ring colour, and the two
// coordinates of the ring centre; nothing depends on the size or the code.
constexpr std::uint64_t kColourSteps = 3;
constexpr std::uint64_t kCentreSteps = 2;

INSTANTIATE_TEST_SUITE_P(
    Vertigo, StepCounts,
    ::testing::Values(StepCase{34, 173, 61, "ABCDE", kFrameSteps + kColourSteps + kCentreSteps},
                      StepCase{34, 1, 1, "", kFrameSteps + kColourSteps + kCentreSteps},
                      StepCase{37, 250, 50, "ABCDE", kFrameSteps + kCentreSteps},
                      StepCase{37, 1, 1, "", kFrameSteps + kCentreSteps}));

LetterMask Letters(int style, int fontStyle, std::int32_t seed, int w, int h) {
  return LetterMask(seed, "ABCDE", style, fontStyle, RectF(0, 0, w, h),
                    Part(w, h, 0.1f, 0.1f, 0.75f, 0.7f), w, h, true, 2);
}

int MinChannel(const Pixel& p) {
  return std::min({p[0], p[1], p[2]});
}

// Outside the letters only the light inverse rings lie on white; inside, the
// dark rings cover much of the letters. The outer ring colour is the
// channel-wise inverse of the inner one, so its faint blends with white keep
// the inner colour's proportions: 255 - channel is a common multiple of the
// inner colour's channels.
TEST(VertigoStyle, DarkRingsInsideLightInverseRingsOutside) {
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 2, 3}) {
    const LetterMask mask = Letters(34, 0, seed, w, h);
    const Picture picture = Render(34, "ABCDE", w, h, seed);
    int inside = 0, darkInside = 0, outside = 0, ringsOutside = 0;
    Pixel darkest{255, 255, 255, 255};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        ASSERT_EQ(p[3], 255);
        const int where = mask.At(x, y);
        if (where == 1) {
          ++inside;
          if (std::max({p[0], p[1], p[2]}) < 120) ++darkInside;
          if (Luma(p) < Luma(darkest)) darkest = p;
        } else if (where == 0) {
          ++outside;
          EXPECT_GE(MinChannel(p), 134) << "seed " << seed << " at " << x << "," << y;
          if (MinChannel(p) < 250) ++ringsOutside;
        }
      }
    EXPECT_GT(inside, 150) << "seed " << seed;
    EXPECT_GT(darkInside * 4, inside) << "seed " << seed;
    EXPECT_GT(ringsOutside * 5, outside) << "seed " << seed;

    // The darkest pixel inside is the ring colour itself.
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (mask.At(x, y) != 0) continue;
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        int strongest = 0;
        for (int c = 1; c < 3; ++c)
          if (darkest[c] > darkest[strongest]) strongest = c;
        if (255 - p[strongest] < 40 || darkest[strongest] == 0) continue;
        const double share = double(255 - p[strongest]) / darkest[strongest];
        for (int c = 0; c < 3; ++c)
          EXPECT_NEAR(255 - p[c], share * darkest[c], 4.0)
              << "seed " << seed << " at " << x << "," << y << " channel " << c;
      }
  }
}

// Inside the letters black rings lie on grey; outside, white rings lie on
// the untouched transparent picture, with no grey or black there.
TEST(SunAndWarmAirStyle, BlackOnGreyInsideWhiteOnTransparentOutside) {
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 2, 3}) {
    const LetterMask mask = Letters(37, 1, seed, w, h);
    const Picture picture = Render(37, "ABCDE", w, h, seed);
    int black = 0, grey = 0, transparent = 0, white = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        const int where = mask.At(x, y);
        if (where == 1) {
          ASSERT_EQ(p[3], 255) << "seed " << seed << " at " << x << "," << y;
          EXPECT_TRUE(p[0] == p[1] && p[1] == p[2] && p[0] <= 128)
              << "seed " << seed << " at " << x << "," << y;
          black += p[0] == 0;
          grey += p[0] >= 64;
        } else if (where == 0) {
          if (p[3] == 0) {
            ++transparent;
          } else {
            EXPECT_GE(MinChannel(p), 250) << "seed " << seed << " at " << x << "," << y;
            white += p[3] == 255;
          }
        }
      }
    EXPECT_GT(black, 200) << "seed " << seed;
    EXPECT_GT(grey, 30) << "seed " << seed;
    EXPECT_GT(transparent, w * h / 10) << "seed " << seed;
    EXPECT_GT(white, w * h / 10) << "seed " << seed;
  }
}

}  // namespace
}  // namespace style_tests
