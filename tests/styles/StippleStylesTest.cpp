// The stippled styles: letters made of black and white dots on white, larger
// dots along the outlines and a light noise of dots (Rough), the same bent
// along the guide curves with the large dots on an outline band (AncientMosaic).
#include <algorithm>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// Two draws per dot, n = 0.4 W H: n black and n/10 white in the letters,
// n/10 (Rough) or n/2 (AncientMosaic) black and n/7 white on the outline
// band, n/10 black and n/7 white over the picture. The code does not matter.
std::uint64_t Stipple(int w, int h, std::uint64_t outlineDivisor) {
  const std::uint64_t n = AreaCount(w, h, 0.4f);
  return kFrameSteps + 2 * (n + n / 10 + n / outlineDivisor + n / 7 + n / 10 + n / 7);
}

INSTANTIATE_TEST_SUITE_P(
    Stipple, StepCounts,
    ::testing::Values(StepCase{15, 250, 50, "ABCDE", kFrameSteps + 2 * 7928},
                      StepCase{33, 250, 50, "ABCDE", kFrameSteps + 2 * 9928},
                      StepCase{15, 173, 61, std::string(64, 'M'), Stipple(173, 61, 10)},
                      StepCase{33, 173, 61, "ABCDE", Stipple(173, 61, 2)},
                      StepCase{33, 1, 2, "ABCDE", kFrameSteps},         // n = 0
                      StepCase{33, 4, 4, "A", kFrameSteps + 2 * 9},     // n = 6: n/7 = 0
                      StepCase{15, 5, 4, "A", kFrameSteps + 2 * 10}));  // n = 8: n/7 = 1

// A pixel covered whole by black; a 1 × 1 dot never covers one whole.
bool Solid(const Pixel& p) {
  return std::max({p[0], p[1], p[2]}) < 40;
}

struct Tally {
  long pixels = 0, white = 0, solid = 0, luma = 0;
  long MeanLuma() const { return luma / std::max(pixels, 1L); }
};

struct StippleCase {
  int style;
  bool curved;
  int width, height, margin;
  long deepAtLeast, edgeSolidAtLeast;
};

void PrintTo(const StippleCase& c, std::ostream* out) {
  *out << "style " << c.style << " " << c.width << "x" << c.height;
}

class StipplePictures : public ::testing::TestWithParam<StippleCase> {};

// The ground is white but for light grain; the letters are grey stipple with
// no solid fill; whole black pixels (the larger dots) gather along the
// outlines rather than deep inside the strokes or on the ground.
TEST_P(StipplePictures, DotsMakeTheLettersAndLargerOnesTheirOutlines) {
  const StippleCase& c = GetParam();
  const int w = c.width, h = c.height;
  for (std::int32_t seed : {1, 77}) {
    const RectF inner =
        c.curved ? Part(w, h, 0.1f, 0.1f, 0.85f, 0.8f) : Part(w, h, 0.2f, 0.2f, 0.6f, 0.6f);
    const LetterMask mask(seed, "ABCDE", c.style, Gdiplus::FontStyleRegular, RectF(0, 0, w, h),
                          inner, w, h, c.curved, c.margin);
    Tally ground, deep, edge;
    ForEachPixel(Render(c.style, "ABCDE", w, h, seed), [&](int x, int y, const Pixel& p) {
      const int at = mask.At(x, y);
      Tally& t = at == 0 ? ground : at == 1 ? deep : edge;
      ++t.pixels;
      t.white += Is(p, Color(0xFFFFFFFF));
      t.solid += Solid(p);
      t.luma += Luma(p);
    });
    SCOPED_TRACE("seed " + std::to_string(seed));
    ASSERT_GT(deep.pixels, c.deepAtLeast);
    EXPECT_GT(ground.white, ground.pixels * 3 / 4);
    EXPECT_LT(deep.MeanLuma() + 40, ground.MeanLuma());
    EXPECT_GT(edge.solid, c.edgeSolidAtLeast);
    EXPECT_GT(edge.solid * deep.pixels, 10 * deep.solid * edge.pixels);
    EXPECT_GT(edge.solid * ground.pixels, 10 * ground.solid * edge.pixels);
  }
}

INSTANTIATE_TEST_SUITE_P(Stipple, StipplePictures,
                         ::testing::Values(StippleCase{15, false, 800, 200, 1, 5000, 100},
                                           StippleCase{33, true, 1000, 400, 3, 10000, 1000}));

}  // namespace
}  // namespace style_tests
