// Letters bent along the guide curves over a chessboard floor, inverting the
// squares beneath them.
#include <algorithm>

#include "ChessFloorFacts.h"

namespace style_tests {
namespace {

// The text's rectangle, then the x of each of the floor's four corners; the
// font is fixed and takes no draw.
constexpr std::uint64_t kWavyChessFrameSteps = kFrameSteps - 1;
constexpr std::uint64_t kWavyChessSteps = kWavyChessFrameSteps + 4;

INSTANTIATE_TEST_SUITE_P(WavyChess, StepCounts,
                         ::testing::Values(StepCase{35, 250, 50, "ABCDE", kWavyChessSteps},
                                           StepCase{35, 173, 61, "ABCDE", kWavyChessSteps},
                                           StepCase{35, 200, 50, "AB", kWavyChessSteps},
                                           StepCase{35, 1, 1, "", kWavyChessSteps}));

INSTANTIATE_TEST_SUITE_P(WavyChess, ChessFloors,
                         ::testing::Values(FloorCase{35, kWavyChessFrameSteps, 200, 50, 10, 3},
                                           FloorCase{35, kWavyChessFrameSteps, 250, 130, 12, 6},
                                           FloorCase{35, kWavyChessFrameSteps, 45, 70, 3, 3}));

TEST(WavyChessStyle, EveryPixelIsPaintedBlackOrWhite) {
  ExpectPaintedBlackAndWhite(35);
}

// Set against the bare board of the same seed, the letters only invert
// squares, both ways, and run across nearly the whole width of the picture.
TEST(WavyChessStyle, LettersOnlyInvertTheBoard) {
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 2, 3}) {
    const Picture lettered = Render(35, "ABCDE", w, h, seed);
    const Picture bare = Render(35, "     ", w, h, seed);
    const Inversion inversion = CompareWithBareBoard(lettered, bare);
    EXPECT_EQ(inversion.other, 0) << "seed " << seed;
    EXPECT_GT(inversion.blackOverWhite, 0) << "seed " << seed;
    EXPECT_GT(inversion.whiteOverBlack, 0) << "seed " << seed;
    EXPECT_GT(inversion.blackOverWhite + inversion.whiteOverBlack, w * h / 10) << "seed " << seed;
    int left = w, right = -1;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (Inverted(lettered.At(std::uint32_t(x), std::uint32_t(y)),
                     bare.At(std::uint32_t(x), std::uint32_t(y)))) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
    EXPECT_LT(left, int(0.2f * w)) << "seed " << seed;
    EXPECT_GT(right, int(0.8f * w)) << "seed " << seed;
  }
}

}  // namespace
}  // namespace style_tests
