// Ghostly: pale curved letters on the complementary dark ground, wrapped in
// a glow stroked in steps from the ground colour to the letter colour.
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// Besides the frame only the letter colour is drawn; the glow draws nothing.
constexpr std::uint64_t kGhostlySteps = kFrameSteps + 3;

INSTANTIATE_TEST_SUITE_P(Ghostly, StepCounts,
                         ::testing::Values(StepCase{44, 173, 61, "ABCDE", kGhostlySteps},
                                           StepCase{44, 1, 1, "", kGhostlySteps}));

class GhostlyPictures : public ::testing::TestWithParam<std::int32_t> {};

// The ground is dark (channels up to 85) and the letters light; the
// brightest stroke is at most a few glow steps from the complement of the
// ground. The glow's colour steps are truncated toward zero, so no stroke
// overshoots the ground: no channel anywhere is darker than the ground's.
TEST_P(GhostlyPictures, LightLettersOnTheComplementaryDarkGround) {
  const Picture picture = Render(44, "ABCDE", 250, 50, GetParam());
  const Pixel ground = MostCommon(picture);
  const Pixel letters = Lightest(picture);
  for (int c = 0; c < 3; ++c) {
    EXPECT_LE(ground[c], 85);
    EXPECT_GT(ground[c], 5);
    EXPECT_GE(letters[c], 150);
    EXPECT_NEAR(ground[c] + letters[c], 255, 30);
  }
  EXPECT_EQ(Count(picture,
                  [&](const Pixel& p) {
                    return p[0] < ground[0] || p[1] < ground[1] || p[2] < ground[2];
                  }),
            0);
}

// The glow grades the colour over several pixels on both sides of every
// letter edge, so a large share of the picture lies between ground and
// letters; anti-aliased edges alone would give a thin fringe.
TEST_P(GhostlyPictures, GlowFillsTheSpaceBetweenGroundAndLetters) {
  const Picture picture = Render(44, "ABCDE", 250, 50, GetParam());
  const int dark = Luma(MostCommon(picture)), light = Luma(Lightest(picture));
  const int low = dark + (light - dark) / 5, high = light - (light - dark) / 5;
  const int between = Count(picture, [&](const Pixel& p) {
    const int y = Luma(p);
    return y > low && y < high;
  });
  EXPECT_GT(between, 250 * 50 / 4);
}

INSTANTIATE_TEST_SUITE_P(Seeds, GhostlyPictures, ::testing::Values(3, 41, 977));

}  // namespace
}  // namespace style_tests
