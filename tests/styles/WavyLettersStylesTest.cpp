// Outlines of bent letters alone: thin green-yellow on the untouched
// picture, or thick and dark on the inverse colour.
#include <cstdlib>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame only, then the outline colour of the coloured style.
INSTANTIATE_TEST_SUITE_P(WavyLetters, StepCounts,
                         ::testing::Values(StepCase{30, 250, 50, "ABCDE", kFrameSteps},
                                           StepCase{30, 1, 1, "ABCDE", kFrameSteps},
                                           StepCase{32, 173, 61, "Q", kFrameSteps + 3},
                                           StepCase{32, 1, 1, "ABCDE", kFrameSteps + 3}));

class WavyPictures : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(WavyPictures, ThinOutlineOnTransparentGround) {
  const Picture picture = Render(30, "ABCDE", 250, 50, GetParam());
  const int total = int(picture.width * picture.height);
  const int transparent = Count(picture, [](const Pixel& p) { return p == Pixel{0, 0, 0, 0}; });
  // Green-yellow, more or less covered at the anti-aliased edges.
  const int outline = Count(picture, [](const Pixel& p) {
    return p[3] > 0 && std::abs(p[0] - 173) <= 2 && p[1] >= 253 && std::abs(p[2] - 47) <= 2;
  });
  EXPECT_EQ(transparent + outline, total);
  EXPECT_GT(outline, total / 50);
  // An outline, not filled letters.
  EXPECT_GT(transparent, total * 3 / 4);
}

TEST_P(WavyPictures, DarkOutlineOnItsInverse) {
  const Picture picture = Render(32, "ABCDE", 250, 50, GetParam());
  const Pixel ground = picture.At(picture.width - 1, picture.height - 1);
  const Pixel outline = Complement(ground);
  for (int channel = 0; channel < 3; ++channel) {
    EXPECT_GE(ground[channel], 136);
    EXPECT_LE(outline[channel], 119);
  }
  const int total = int(picture.width * picture.height);
  EXPECT_GT(Count(picture, [&](const Pixel& p) { return p == outline; }), total / 50);
  EXPECT_GT(Count(picture, [&](const Pixel& p) { return p == ground; }), total / 2);
}

INSTANTIATE_TEST_SUITE_P(WavyLetters, WavyPictures, ::testing::Values(1, 77, 31337));

}  // namespace
}  // namespace style_tests
