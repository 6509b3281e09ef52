// Flat letters over a chessboard floor, inverting the squares beneath them.
#include "ChessFloorFacts.h"
#include "LetterMask.h"

namespace style_tests {
namespace {

// The frame, then the x of each of the floor's four corners.
constexpr std::uint64_t kChess3DSteps = kFrameSteps + 4;

INSTANTIATE_TEST_SUITE_P(Chess3D, StepCounts,
                         ::testing::Values(StepCase{9, 250, 50, "ABCDE", kChess3DSteps},
                                           StepCase{9, 173, 61, "ABCDE", kChess3DSteps},
                                           StepCase{9, 59, 59, "AB", kChess3DSteps},
                                           StepCase{9, 1, 1, "", kChess3DSteps}));

// A square per 20 pixels, never fewer than three a side.
INSTANTIATE_TEST_SUITE_P(Chess3D, ChessFloors,
                         ::testing::Values(FloorCase{9, kFrameSteps, 250, 50, 12, 3},
                                           FloorCase{9, kFrameSteps, 173, 61, 8, 3},
                                           FloorCase{9, kFrameSteps, 59, 59, 3, 3}));

TEST(Chess3DStyle, EveryPixelIsPaintedBlackOrWhite) {
  ExpectPaintedBlackAndWhite(9);
}

// The letters are laid flat: wherever the fitted outline of the code lies the
// board shows inverted, and nowhere else.
TEST(Chess3DStyle, LettersInvertTheBoardExactlyWhereTheyLie) {
  const int w = 250, h = 50;
  const Gdiplus::RectF rectOuter(0.05f * w, 0.05f * h, 0.8f * w, 0.8f * h);
  const Gdiplus::RectF rectInner(0.2f * w, 0.2f * h, 0.5f * w, 0.5f * h);
  for (std::int32_t seed : {1, 2, 3}) {
    const LetterMask mask(seed, "ABCDE", 9, Gdiplus::FontStyleBold, rectOuter, rectInner);
    const Picture lettered = Render(9, "ABCDE", w, h, seed);
    const Picture bare = Render(9, "     ", w, h, seed);
    int inside = 0, insideInverted = 0, outsideChanged = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Pixel p = lettered.At(std::uint32_t(x), std::uint32_t(y));
        const Pixel q = bare.At(std::uint32_t(x), std::uint32_t(y));
        const int m = mask.At(x, y);
        if (m == 1) {
          ++inside;
          if (Inverted(p, q)) ++insideInverted;
        } else if (m == 0 && p != q) {
          ++outsideChanged;
        }
      }
    EXPECT_GT(inside, int(0.1f * rectInner.Width * rectInner.Height)) << "seed " << seed;
    EXPECT_EQ(insideInverted, inside) << "seed " << seed;
    EXPECT_EQ(outsideChanged, 0) << "seed " << seed;
    const Inversion inversion = CompareWithBareBoard(lettered, bare);
    EXPECT_GT(inversion.blackOverWhite, 0) << "seed " << seed;
    EXPECT_GT(inversion.whiteOverBlack, 0) << "seed " << seed;
  }
}

}  // namespace
}  // namespace style_tests
