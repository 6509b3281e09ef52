// WantedCircular: the picture hatched all over with tiny ink arches, dense
// inside the letters and mostly erased around them.
#include <cmath>

#include "Bitmap.h"
#include "Font.h"
#include "Graphics.h"
#include "Pen.h"
#include "Region.h"
#include "StyleTestSupport.h"
#include "Tools.h"

namespace style_tests {
namespace {

using namespace Gdiplus;

// Sixteen draws per arch (its box, seven points); n = W·H/4 black arches
// inside the letters, n/10 erasing ones, then 0.8·n black and 2·n erasing
// ones around them.
std::uint64_t ExpectedSteps(int width, int height) {
  const std::uint64_t n = AreaCount(width, height, 0.25f);
  const auto around = std::uint64_t(std::ceil(0.8 * double(n)));
  return kFrameSteps + 16 * (n + n / 10 + around + 2 * n);
}

INSTANTIATE_TEST_SUITE_P(WantedCircular, StepCounts,
                         ::testing::Values(StepCase{7, 173, 61, "ABCDE", ExpectedSteps(173, 61)},
                                           StepCase{7, 2, 2, "AB", kFrameSteps + 16 * 4},
                                           StepCase{7, 1, 1, "A", kFrameSteps},
                                           StepCase{7, 61, 17, "", ExpectedSteps(61, 17)}));

constexpr ARGB kInk = 0xFF000000;
constexpr ARGB kPaper = 0xFFF5F5F5;

bool Is(const Pixel& p, ARGB c) {
  return p == Pixel{std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c), 255};
}

struct HatchCase {
  std::int32_t seed;
  int width, height;
};

void PrintTo(const HatchCase& c, std::ostream* os) {
  *os << "seed " << c.seed << " " << c.width << "x" << c.height;
}

class WantedCircularPixels : public ::testing::TestWithParam<HatchCase> {};

// Ink and paper only, with no anti-aliased shades; the letters show only
// as far denser ink than the ground, which keeps some ink too.
TEST_P(WantedCircularPixels, LettersAreDenserInk) {
  const HatchCase& c = GetParam();
  const LetterMask mask(c.seed, "ABCDE", 7, FontStyleBold, RectF(0, 0, c.width, c.height),
                        Part(c.width, c.height, 0.2f, 0.2f, 0.6f, 0.6f), c.width, c.height);
  const Picture picture = Render(7, "ABCDE", c.width, c.height, c.seed);
  int other = 0, inside = 0, inkInside = 0, outside = 0, inkOutside = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
      other += !Is(p, kInk) && !Is(p, kPaper);
      const int letter = mask.At(x, y);
      if (letter == 1) ++inside, inkInside += Is(p, kInk);
      if (letter == 0) ++outside, inkOutside += Is(p, kInk);
    }
  EXPECT_EQ(other, 0);
  ASSERT_GT(inside, 0);
  ASSERT_GT(outside, 0);
  const double inkIn = double(inkInside) / inside, inkOut = double(inkOutside) / outside;
  EXPECT_GT(inkIn, 0.4) << inkOut;
  EXPECT_GT(inkIn, 4 * inkOut);
  EXPECT_GT(inkOutside, outside / 1000);
}

INSTANTIATE_TEST_SUITE_P(WantedCircular, WantedCircularPixels,
                         ::testing::Values(HatchCase{1, 250, 50}, HatchCase{6, 250, 50},
                                           HatchCase{2, 173, 61}, HatchCase{3, 600, 150}));

}  // namespace
}  // namespace style_tests
