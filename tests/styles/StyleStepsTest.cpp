// The step-count table's test, and the rows of the chalk and graffiti styles;
// the other families add their rows in their own test files.
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

TEST_P(StepCounts, DrawTakesExactlyItsEngineSteps) {
  const StepCase& c = GetParam();
  Seed(777);
  picture_tests::Draw(c.style, c.code, c.width, c.height);
  EXPECT_EQ(Steps(), c.expected);
}

// Chalk draws only its frame; graffiti sprays a dot (two draws) for every two pixels.
std::uint64_t Graffiti(int w, int h) {
  return kFrameSteps + 2 * AreaCount(w, h, 0.5f);
}

INSTANTIATE_TEST_SUITE_P(Graffiti, StepCounts,
                         ::testing::Values(StepCase{31, 173, 61, "ABCDE", kFrameSteps},
                                           StepCase{38, 173, 61, "AB", Graffiti(173, 61)},
                                           StepCase{39, 250, 50, "ABCDE", kFrameSteps + 2 * 6250},
                                           StepCase{39, 1, 1, "A", Graffiti(1, 1)}));

}  // namespace
}  // namespace style_tests
