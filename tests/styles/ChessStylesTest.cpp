// The chessboard and distorted styles: no engine draws at all, so no seed
// changes the picture; cells that alternate between inverted and plain
// renderings, and rows pushed sideways along a sine.
#include <algorithm>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

constexpr int kChess = 0;
constexpr int kDistortion = 1;

INSTANTIATE_TEST_SUITE_P(Chess, StepCounts,
                         ::testing::Values(StepCase{kChess, 173, 61, "ABCDE", 0},
                                           StepCase{kChess, 29, 24, "ABCDE", 0},
                                           StepCase{kDistortion, 250, 50, "ABCDE", 0},
                                           StepCase{kDistortion, 1, 1, "A", 0}));

// The renderings' grounds are filled smoothed from (0, 0), so the first row
// and column are only half covered; colours are straight, so they still tell.
bool Dark(const Pixel& p) {
  return p[3] > 0 && Luma(p) < 128;
}
bool Light(const Pixel& p) {
  return p[3] > 0 && Luma(p) >= 128;
}
bool Transparent(const Pixel& p) {
  return p[3] == 0;
}

// 250 × 50 makes 8 cells of 31 pixels placed every 31.25 pixels, and two rows
// of 25: the even cells come from the white-on-black rendering, the odd ones
// from the black-on-white one, and columns 124 and 249 are never painted.
TEST(ChessPicture, CellsAlternateAndLeaveTwoColumnsUnpainted) {
  const Picture picture = Render(kChess, "ABCDE");
  const int cellLeft[] = {0, 31, 62, 93, 125, 156, 187, 218};
  int inkOnBlack = 0, inkOnWhite = 0;
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 8; ++j) {
      const int x0 = cellLeft[j], y0 = 25 * i;
      const int dark = Count(picture, Dark, x0, y0, x0 + 31, y0 + 25);
      const int light = Count(picture, Light, x0, y0, x0 + 31, y0 + 25);
      EXPECT_EQ(dark + light, 31 * 25) << "cell " << i << "," << j;
      if ((i + j) % 2 == 0) {
        EXPECT_GT(dark, light) << "cell " << i << "," << j;
        inkOnBlack += light;
      } else {
        EXPECT_GT(light, dark) << "cell " << i << "," << j;
        inkOnWhite += dark;
      }
    }
  EXPECT_GT(inkOnBlack, 200);
  EXPECT_GT(inkOnWhite, 200);
  EXPECT_EQ(Count(picture, Transparent, 124, 0, 125, 50), 50);
  EXPECT_EQ(Count(picture, Transparent, 249, 0, 250, 50), 50);
  EXPECT_EQ(Count(picture, Transparent), 100);
}

// The vertical stem of an I is shifted by −5·sin(π·y/32): about 4.6 pixels
// left in row 20 and 5 pixels right in row 48.
TEST(DistortionPicture, StemBendsWithTheRow) {
  const Picture picture = Render(kDistortion, "I", 250, 100);
  EXPECT_EQ(Count(picture, Transparent), 0);
  auto leftmostInk = [&](int y) {
    for (int x = 0; x < 250; ++x)
      if (Dark(picture.At(std::uint32_t(x), std::uint32_t(y)))) return x;
    return -1;
  };
  const int bentLeft = leftmostInk(20), bentRight = leftmostInk(48);
  ASSERT_GT(bentLeft, 100);
  EXPECT_GE(bentRight - bentLeft, 8);
  EXPECT_LE(bentRight - bentLeft, 11);
}

}  // namespace
}  // namespace style_tests
