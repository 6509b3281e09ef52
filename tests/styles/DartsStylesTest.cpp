// The ring styles: letters drawn only as concentric rings 3 pixels apart,
// fingerprint ridges inside the letters on white (25), or dartboard rings
// over the whole picture that thicken and change colour in the letters (24).
#include <cmath>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// Besides the frame, only the text colour and the ring centre are drawn,
// whatever the size and the code.
constexpr std::uint64_t kRingSteps = kFrameSteps + 3 + 2;

INSTANTIATE_TEST_SUITE_P(Darts, StepCounts,
                         ::testing::Values(StepCase{24, 173, 61, "ABCDE", kRingSteps},
                                           StepCase{24, 1, 1, "", kRingSteps},
                                           StepCase{25, 250, 50, "ABCDE", kRingSteps},
                                           StepCase{25, 1, 1, "A", kRingSteps}));

bool White(const Pixel& p) {
  return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

// How strongly p is `ink` laid over white (0 white, 1 the full ink), or -1
// when p is not such a blend.
double InkShare(const Pixel& p, const Pixel& ink) {
  return MixShare(p, Pixel{255, 255, 255, 255}, ink, 4);
}

// 5 × 5 blocks that hold no ink at all.
int WhiteBlocks(const Picture& picture) {
  int blocks = 0;
  for (int y = 0; y + 5 <= int(picture.height); y += 5)
    for (int x = 0; x + 5 <= int(picture.width); x += 5)
      if (Count(picture, White, x, y, x + 5, y + 5) == 25) ++blocks;
  return blocks;
}

constexpr int kBlocks = (250 / 5) * (50 / 5);

class RingPictures : public ::testing::TestWithParam<std::int32_t> {};

// Darts rings the whole picture: no spot of 5 × 5 pixels escapes a ring.
// FingerPrints rings only the letters and leaves the rest pure white.
TEST_P(RingPictures, DartsRingsEverywhereFingerPrintsOnlyTheLetters) {
  const Picture darts = Render(24, "ABCDE", 250, 50, GetParam());
  EXPECT_EQ(WhiteBlocks(darts), 0);
  const Picture prints = Render(25, "ABCDE", 250, 50, GetParam());
  EXPECT_GT(WhiteBlocks(prints), kBlocks / 4);
}

// FingerPrints uses one dark colour and white, nothing else: every pixel is
// a blend of white and the darkest pixel's colour.
TEST_P(RingPictures, FingerPrintsIsOneInkOnWhite) {
  const Picture prints = Render(25, "ABCDE", 250, 50, GetParam());
  const Pixel ink = Darkest(prints);
  for (int c = 0; c < 3; ++c) EXPECT_LT(ink[c], 190);
  EXPECT_EQ(Count(prints, [&](const Pixel& p) { return InkShare(p, ink) < 0; }), 0);
}

// The letters' rings are 2 pixels wide in the text colour (channels below
// 190), the rest 1 pixel wide in its complement: far more of the letters'
// ring pixels are fully inked.
TEST_P(RingPictures, DartsLettersHaveThickerRingsInTheComplementColour) {
  const Picture darts = Render(24, "ABCDE", 250, 50, GetParam());
  const Pixel ink = MostCommon(darts, [](const Pixel& p) { return !White(p); });
  const Pixel complement = Complement(ink);
  for (int c = 0; c < 3; ++c) EXPECT_LT(ink[c], 190);
  const auto inked = [&](const Pixel& ringInk, double least) {
    return Count(darts, [&](const Pixel& p) { return InkShare(p, ringInk) >= least; });
  };
  const int letters = inked(ink, 0.3), around = inked(complement, 0.3);
  EXPECT_GT(letters, 250 * 50 / 20);
  EXPECT_GT(around, 250 * 50 / 10);
  const double lettersFull = double(inked(ink, 0.9)) / letters;
  const double aroundFull = double(inked(complement, 0.9)) / around;
  EXPECT_GT(lettersFull, 1.5 * aroundFull);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RingPictures, ::testing::Values(3, 41, 977));

}  // namespace
}  // namespace style_tests
