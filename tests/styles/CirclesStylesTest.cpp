// Black letters and black discs that cancel where they overlap.
#include <cmath>
#include <vector>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::RectF;

// The unit variate of the engine's step number `step` after seeding with
// `seed`, straight from the minimal standard generator.
double UnitAt(std::int32_t seed, int step) {
  std::uint64_t x = std::uint64_t(seed);
  for (int i = 0; i < step; ++i) x = x * 48271 % 2147483647;
  return double(x - 1) / 2147483646.0;
}

float FloatAt(std::int32_t seed, int step, float min, float max) {
  const float t = float(int(UnitAt(seed, step) * 10000)) / 10000.0f;
  return (max - min) * t + min;
}

// After the frame, one draw for the number of discs, then a gap for each
// disc and its radius and height. The step table seeds 777.
std::uint64_t Circles(int w, int h) {
  const float s = (float(w) + float(h)) / 2.0f;
  const int count = int(FloatAt(777, int(kFrameSteps) + 1, 0.04f * s, 0.12f * s));
  return kFrameSteps + 1 + 3 * std::uint64_t(count);
}

INSTANTIATE_TEST_SUITE_P(Circles, StepCounts,
                         ::testing::Values(StepCase{10, 250, 50, "ABCDE", Circles(250, 50)},
                                           StepCase{10, 173, 61, "ABCDEFGH", Circles(173, 61)},
                                           StepCase{10, 800, 200, "ABCDE", Circles(800, 200)},
                                           StepCase{10, 1, 1, "A", kFrameSteps + 1}));

struct Disc {
  float cx, cy, r;
};

// The discs as the style lays them out, from the engine position the frame
// left behind.
std::vector<Disc> Discs(const MirelGlyphward::RandomClass& rand, int w, int h) {
  const float s = (float(w) + float(h)) / 2.0f;
  const float minR = 0.05f * s, maxR = 0.15f * s;
  const int count = int(rand.NextFloat(0.04f * s, 0.12f * s));
  std::vector<float> edges{0.0f};
  rand.NextOffsets(2 * minR, 2 * maxR, count, edges);
  std::vector<Disc> discs;
  for (int i = 0; i < count; ++i) {
    const int r = int(rand.NextFloat(minR, maxR));
    const int y = int(rand.NextFloat(-maxR / 2, float(h)));
    const int x = int((edges[std::size_t(i) + 1] + edges[std::size_t(i)]) / 2);
    discs.push_back({float(x + r), float(y + r), float(r)});
  }
  return discs;
}

// A pixel is black exactly where it lies in the letters or in an odd number
// of discs, but not both: letter and disc cancel, and so do two discs.
TEST(CirclesStyle, LettersAndDiscsCancelEachOther) {
  const int w = 250, h = 50;
  int letterAndDisc = 0, twoDiscs = 0;
  for (std::int32_t seed : {3, 11, 29, 41}) {
    const LetterMask mask(seed, "ABCDE", 10, Gdiplus::FontStyleRegular, RectF(0, 0, w, h),
                          Part(w, h, 0.2f, 0.2f, 0.5f, 0.5f), w, h);
    const std::vector<Disc> discs = Discs(mask.rand, w, h);
    const Picture picture = Render(10, "ABCDE", w, h, seed);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int letter = mask.At(x, y);
        int inside = 0;
        bool edge = letter < 0;
        for (const Disc& d : discs) {
          const float dist = std::hypot(float(x) - d.cx, float(y) - d.cy);
          if (dist < d.r - 1.0f)
            ++inside;
          else if (dist <= d.r + 1.0f)
            edge = true;
        }
        if (edge) continue;
        const bool black = (letter == 1) != (inside % 2 == 1);
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        const int expected = black ? 0 : 255;
        if (p[0] != expected || p[1] != expected || p[2] != expected || p[3] != 255) ++wrong;
        if (letter == 1 && inside == 1) ++letterAndDisc;
        if (letter == 0 && inside == 2) ++twoDiscs;
      }
    EXPECT_EQ(wrong, 0) << "seed " << seed;
  }
  // The seeds are chosen so that both kinds of overlap occur.
  EXPECT_GT(letterAndDisc, 50);
  EXPECT_GT(twoDiscs, 20);
}

}  // namespace
}  // namespace style_tests
