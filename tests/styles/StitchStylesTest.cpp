// Stitch: the letters' outlines as a row of black dots on white, aliased,
// with nothing inside the letters.
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame and nothing else, whatever the size or the code.
INSTANTIATE_TEST_SUITE_P(Stitch, StepCounts,
                         ::testing::Values(StepCase{8, 173, 61, "ABCDE", kFrameSteps},
                                           StepCase{8, 1, 1, "", kFrameSteps}));

bool Black(const Pixel& p) {
  return p == Pixel{0, 0, 0, 255};
}
bool White(const Pixel& p) {
  return p == Pixel{255, 255, 255, 255};
}

struct StitchCase {
  std::string code;
  std::int32_t seed;
  int width, height;
};

void PrintTo(const StitchCase& c, std::ostream* os) {
  *os << c.code << " seed " << c.seed << " " << c.width << "x" << c.height;
}

class StitchPixels : public ::testing::TestWithParam<StitchCase> {};

// Pure black on pure white; the black lies on the letters' edges (holes
// included), never inside or around them.
TEST_P(StitchPixels, DotsFollowTheOutlinesOnly) {
  const StitchCase& c = GetParam();
  const LetterMask mask(c.seed, c.code, 8, Gdiplus::FontStyleBold, RectF(0, 0, c.width, c.height),
                        Part(c.width, c.height, 0.2f, 0.2f, 0.6f, 0.6f), c.width, c.height);
  const Picture picture = Render(8, c.code, c.width, c.height, c.seed);
  int other = 0, edges = 0, blackOnEdges = 0, blackOffEdges = 0, alone = 0;
  auto blackAt = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < c.width && y < c.height &&
           Black(picture.At(std::uint32_t(x), std::uint32_t(y)));
  };
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
      if (!Black(p) && !White(p)) ++other;
      const bool edge = mask.At(x, y) == -1;
      edges += edge;
      if (!Black(p)) continue;
      ++(edge ? blackOnEdges : blackOffEdges);
      alone += !blackAt(x - 1, y) && !blackAt(x + 1, y) && !blackAt(x, y - 1) && !blackAt(x, y + 1);
    }
  EXPECT_EQ(other, 0);
  SCOPED_TRACE(::testing::Message()
               << "edge pixels " << edges << ", black on them " << blackOnEdges
               << ", black elsewhere " << blackOffEdges << ", alone " << alone);
  EXPECT_GT(blackOnEdges, edges / 8);
  EXPECT_LE(blackOffEdges, blackOnEdges / 50);
  // Dots, not a line: most black pixels have no black pixel beside them.
  EXPECT_GT(alone, (blackOnEdges + blackOffEdges) * 2 / 3);
}

INSTANTIATE_TEST_SUITE_P(Stitch, StitchPixels,
                         ::testing::Values(StitchCase{"ABCDE", 1, 250, 50},
                                           StitchCase{"B80QW", 4, 250, 50},
                                           StitchCase{"ABCDE", 9, 173, 61},
                                           StitchCase{"B8O", 3, 600, 200}));

// Outlines far too long to hold as separate dot shapes (about 200000
// stitches here) are still stitched, not filled.
TEST(Stitch, VeryLongOutlinesAreStillDotted) {
  const int width = 1024, height = 4096;
  const Picture picture = Render(8, std::string(32, '8'), width, height, 7);
  int black = 0, alone = 0, other = 0;
  auto blackAt = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < width && y < height &&
           Black(picture.At(std::uint32_t(x), std::uint32_t(y)));
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (!blackAt(x, y)) {
        other += !White(picture.At(std::uint32_t(x), std::uint32_t(y)));
        continue;
      }
      ++black;
      alone += !blackAt(x - 1, y) && !blackAt(x + 1, y) && !blackAt(x, y - 1) && !blackAt(x, y + 1);
    }
  EXPECT_EQ(other, 0);
  EXPECT_GT(black, 150000);
  EXPECT_GT(alone, black * 2 / 3);
}

}  // namespace
}  // namespace style_tests
