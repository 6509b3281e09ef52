// Sun rays: a fan of thin rays seen only through the letters, on a plain
// ground of one colour.
#include <algorithm>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame, then SunRays2's three colour draws, then the fan's centre.
INSTANTIATE_TEST_SUITE_P(SunRays, StepCounts,
                         ::testing::Values(StepCase{22, 173, 61, "ABCDE", kFrameSteps + 2},
                                           StepCase{22, 1, 1, "A", kFrameSteps + 2},
                                           StepCase{23, 250, 50, "ABCDE", kFrameSteps + 3 + 2},
                                           StepCase{23, 1, 1, "     ", kFrameSteps + 3 + 2}));

struct RaysCase {
  int style;
  std::int32_t seed;
  int width, height;
};

void PrintTo(const RaysCase& c, std::ostream* os) {
  *os << "style " << c.style << " seed " << c.seed << " " << c.width << "x" << c.height;
}

class SunRaysPixels : public ::testing::TestWithParam<RaysCase> {};

// Off the letters there is nothing but the ground; on them, rays of the
// exact ray colour, and every pixel a blend of the two.
TEST_P(SunRaysPixels, RaysShowOnlyThroughTheLetters) {
  const RaysCase& c = GetParam();
  const LetterMask mask(c.seed, "ABCDE", c.style, Gdiplus::FontStyleRegular,
                        RectF(0, 0, c.width, c.height),
                        Part(c.width, c.height, 0.2f, 0.2f, 0.6f, 0.6f), c.width, c.height);
  Color ground(0xFFADFF2F), ray(0xFFFF0000);
  if (c.style == 23) {
    ray = mask.rand.NextColor(0, 100, 0, 100, 0, 100);
    ground = Color(Gdiplus::BYTE(255 - ray.GetR()), Gdiplus::BYTE(255 - ray.GetG()),
                   Gdiplus::BYTE(255 - ray.GetB()));
  }
  const Picture picture = Render(c.style, "ABCDE", c.width, c.height, c.seed);
  int outsideWrong = 0, insideRays = 0, unblended = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
      const int letter = mask.At(x, y);
      if (letter == 0 && !Is(p, ground)) ++outsideWrong;
      if (letter == 1 && Is(p, ray)) ++insideRays;
      if (MixShare(p, Opaque(ground), Opaque(ray)) < 0) ++unblended;
    }
  EXPECT_EQ(outsideWrong, 0);
  EXPECT_GT(insideRays, 20);
  EXPECT_EQ(unblended, 0);
}

INSTANTIATE_TEST_SUITE_P(SunRays, SunRaysPixels,
                         ::testing::Values(RaysCase{22, 1, 250, 50}, RaysCase{22, 5, 400, 120},
                                           RaysCase{23, 2, 250, 50}, RaysCase{23, 31, 400, 120}));

// SunRays2's ground is the inverse of a dark colour, so always light; a
// code without letters lets no ray through.
TEST(SunRays2, GroundIsAlwaysLight) {
  for (std::int32_t seed = 1; seed <= 40; ++seed) {
    const Picture picture = Render(23, "  ", 8, 4, seed);
    const Pixel p = picture.At(0, 0);
    EXPECT_EQ(Count(picture, [&](const Pixel& q) { return q == p; }), 32) << "seed " << seed;
    EXPECT_GE(std::min({p[0], p[1], p[2]}), 156) << "seed " << seed;
  }
}

}  // namespace
}  // namespace style_tests
