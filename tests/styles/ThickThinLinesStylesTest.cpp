// The thick-and-thin grid styles: the draws of the grid, lines that widen
// only inside the letters, and the colours of each style's lines.
#include <algorithm>
#include <cmath>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// About four lines per doubling of a side; none for a side of one pixel.
std::uint64_t GridLines(int side) {
  return std::uint64_t(int(4.1f * std::log(float(side))));
}

// The frame, one hue draw for style 20, then a gap and a colour (three draws)
// for every line.
std::uint64_t ThickThin(int style, int w, int h) {
  const std::uint64_t hue = style == 20 ? 1 : 0;
  return kFrameSteps + hue + 4 * (GridLines(w) + GridLines(h));
}

INSTANTIATE_TEST_SUITE_P(ThickThinLines, StepCounts,
                         ::testing::Values(StepCase{20, 250, 50, "ABCDE", ThickThin(20, 250, 50)},
                                           StepCase{21, 173, 61, "Q7", ThickThin(21, 173, 61)},
                                           // 21 vertical and 16 horizontal lines.
                                           StepCase{21, 200, 50, "AB", kFrameSteps + 4 * (21 + 16)},
                                           StepCase{20, 1, 1, "A", kFrameSteps + 1},
                                           StepCase{21, 2, 1, "A", kFrameSteps + 4 * 2},
                                           StepCase{20, 1, 2, "A", kFrameSteps + 1 + 4 * 2}));

// How much colour a pixel holds over white: coverage times the line's depth.
int Ink(const Pixel& p) {
  return 3 * 255 - p[0] - p[1] - p[2];
}

class ThickThinLinesPixels : public ::testing::TestWithParam<int> {};

// A blank code has no letters, so the same seed draws the same grid all thin.
// With letters the lines widen inside the letters and nowhere outside the
// text's frame.
TEST_P(ThickThinLinesPixels, LinesWidenOnlyInsideTheLetters) {
  const int style = GetParam(), w = 250, h = 50, seed = 31;
  const Picture letters = Render(style, "ABCDE", w, h, seed);
  const Picture grid = Render(style, "     ", w, h, seed);
  const RectF frame = SeededFrame(seed, RectF(0, 0, w, h), Part(w, h, 0.2f, 0.2f, 0.6f, 0.6f));
  const int left = int(frame.GetLeft()) - 1, top = int(frame.GetTop()) - 1;
  const int right = int(frame.GetRight()) + 2, bottom = int(frame.GetBottom()) + 2;

  int differentOutside = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool inside = x >= left && x < right && y >= top && y < bottom;
      if (!inside && letters.At(x, y) != grid.At(x, y)) ++differentOutside;
    }
  EXPECT_EQ(differentOutside, 0);
  long inkLetters = 0, inkGrid = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, h); ++y)
    for (int x = std::max(left, 0); x < std::min(right, w); ++x) {
      inkLetters += Ink(letters.At(x, y));
      inkGrid += Ink(grid.At(x, y));
    }
  EXPECT_GT(inkGrid, 0);
  EXPECT_GT(inkLetters, inkGrid * 13 / 10) << "thin " << inkGrid;
}

INSTANTIATE_TEST_SUITE_P(ThickThinLines, ThickThinLinesPixels, ::testing::Values(20, 21));

// Over white, shades of one primary keep the other two channels equal, and
// at full coverage those two are 0.
TEST(ThickThinLinesColours, Style20DrawsShadesOfOnePrimary) {
  for (const int seed : {3, 4, 5, 6}) {
    const Picture picture = Render(20, "ABCDE", 250, 50, seed);
    int hue = -1;
    for (int c = 0; c < 3 && hue < 0; ++c) {
      const int other1 = (c + 1) % 3, other2 = (c + 2) % 3;
      if (Count(picture,
                [&](const Pixel& p) { return p[other1] == 0 && p[other2] == 0 && p[c] > 0; }) > 0)
        hue = c;
    }
    ASSERT_GE(hue, 0) << "seed " << seed;
    const int other1 = (hue + 1) % 3, other2 = (hue + 2) % 3;
    EXPECT_EQ(Count(picture,
                    [&](const Pixel& p) { return p[other1] != p[other2] || p[hue] < p[other1]; }),
              0)
        << "seed " << seed;
  }
}

// Every line colour has all channels of at least 50, and blending with white
// or with another line cannot go below that.
TEST(ThickThinLinesColours, Style21NeverDarkerThan50InAnyChannel) {
  const Picture picture = Render(21, "ABCDE", 250, 50, 8);
  EXPECT_EQ(Count(picture, [](const Pixel& p) { return p[0] < 50 || p[1] < 50 || p[2] < 50; }), 0);
  EXPECT_GT(Count(picture, [](const Pixel& p) { return std::min({p[0], p[1], p[2]}) < 150; }), 100);
}

}  // namespace
}  // namespace style_tests
