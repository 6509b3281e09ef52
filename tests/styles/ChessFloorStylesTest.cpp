// The chessboard floor of Chess3D (flat letters) and WavyChess (letters bent
// along the guide curves): only opaque black and white; squares laid out from
// the floor's corners as drawn from the seed; letters in the colour opposite
// to the square beneath them.
#include <algorithm>
#include <array>
#include <cmath>

#include "RandomSource.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame, then the x of each of the floor's four corners; WavyChess's
// font is fixed and takes no draw.
INSTANTIATE_TEST_SUITE_P(ChessFloor, StepCounts,
                         ::testing::Values(StepCase{9, 250, 50, "ABCDE", kFrameSteps + 4},
                                           StepCase{9, 1, 1, "", kFrameSteps + 4},
                                           StepCase{35, 173, 61, "ABCDE", kFrameSteps - 1 + 4},
                                           StepCase{35, 1, 1, "", kFrameSteps - 1 + 4}));

bool Black(const Pixel& p) {
  return p == Pixel{0, 0, 0, 255};
}
bool White(const Pixel& p) {
  return p == Pixel{255, 255, 255, 255};
}
bool Inverted(const Pixel& lettered, const Pixel& bare) {
  return (Black(lettered) && White(bare)) || (White(lettered) && Black(bare));
}

// One picture size of a chess style and the board it must get. frameSteps:
// the engine steps the style takes before it draws the floor's corners.
struct FloorCase {
  int style;
  std::uint64_t frameSteps;
  int width, height, cols, rows;
};
void PrintTo(const FloorCase& c, std::ostream* out) {
  *out << "style " << c.style << " " << c.width << "x" << c.height;
}
class ChessFloors : public ::testing::TestWithParam<FloorCase> {};

// The floor's top and bottom edges are level, so every pixel row cuts the
// columns into equal spans between the floor's left and right edges. Along
// the second pixel row (inside the first row of squares) the colour must
// follow the columns, black first; pixels within a pixel of a column edge
// are not judged.
TEST_P(ChessFloors, TopRowOfSquaresFollowsTheCorners) {
  const FloorCase& c = GetParam();
  for (std::int32_t seed : {1, 2, 3}) {
    const Picture bare = Render(c.style, "", c.width, c.height, seed);
    Seed(seed);
    for (std::uint64_t i = 0; i < c.frameSteps; ++i) MirelGlyphward::RandomNumber(1);
    const MirelGlyphward::RandomClass rand;
    const float w = float(c.width);
    const float x0 = rand.NextFloat(-0.1f * w, -0.2f * w), x1 = rand.NextFloat(1.1f * w, 1.2f * w);
    const float x2 = rand.NextFloat(-1.0f * w, -1.5f * w), x3 = rand.NextFloat(2.0f * w, 2.5f * w);
    const double y = 1.0, along = y / c.height;
    const double left = x0 + (x2 - x0) * along, right = x1 + (x3 - x1) * along;
    const double square = (right - left) / c.cols;
    int judged = 0, wrong = 0;
    for (int px = 0; px < c.width; ++px) {
      const double t = (px - left) / square, k = std::floor(t);
      if (std::min(t - k, k + 1 - t) * square < 1.0) continue;
      ++judged;
      const Pixel p = bare.At(std::uint32_t(px), std::uint32_t(y));
      wrong += !(std::fmod(k, 2.0) == 0 ? Black(p) : White(p));
    }
    EXPECT_GT(judged, c.width / 2) << "seed " << seed;
    EXPECT_EQ(wrong, 0) << "seed " << seed;
  }
}

// Rows of squares are bounded by level lines: from one pixel row to the next
// the whole width flips colour exactly rows - 1 times, while the slanted
// column edges move only a few pixels per row.
TEST_P(ChessFloors, RowsOfSquaresFlipWholePixelRows) {
  const FloorCase& c = GetParam();
  const Picture bare = Render(c.style, "", c.width, c.height, 5);
  int flips = 0;
  for (int y = 1; y < c.height; ++y) {
    int changed = 0;
    for (int x = 0; x < c.width; ++x)
      changed += bare.At(std::uint32_t(x), std::uint32_t(y)) !=
                 bare.At(std::uint32_t(x), std::uint32_t(y - 1));
    flips += changed > c.width / 2;
  }
  EXPECT_EQ(flips, c.rows - 1);
}

// A square per 20 pixels, never fewer than three a side.
INSTANTIATE_TEST_SUITE_P(ChessFloor, ChessFloors,
                         ::testing::Values(FloorCase{9, kFrameSteps, 250, 50, 12, 3},
                                           FloorCase{9, kFrameSteps, 59, 59, 3, 3},
                                           FloorCase{35, kFrameSteps - 1, 250, 130, 12, 6},
                                           FloorCase{35, kFrameSteps - 1, 45, 70, 3, 3}));

class ChessLetters : public ::testing::TestWithParam<int> {};

// Every pixel, at sizes down to one pixel, is opaque black or white. Thin
// pictures cross hundreds of square edges within one pixel row or column,
// where a sliver between neighbouring squares would show.
TEST_P(ChessLetters, EveryPixelIsPaintedBlackOrWhite) {
  struct Size {
    int width, height;
    std::int32_t seeds;
  };
  for (const Size size :
       {Size{250, 50, 3}, Size{800, 200, 3}, Size{4096, 1, 40}, Size{1, 4096, 40}})
    for (std::int32_t seed = 1; seed <= size.seeds; ++seed)
      EXPECT_EQ(Count(Render(GetParam(), "ABCDE", size.width, size.height, seed),
                      [](const Pixel& p) { return Black(p) || White(p); }),
                size.width * size.height)
          << size.width << "x" << size.height << " seed " << seed;
}

// Set against the bare board of the same seed (a blank code makes the same
// draws and no letters), the letters only invert squares, both ways.
TEST_P(ChessLetters, LettersOnlyInvertTheBoard) {
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 2, 3}) {
    const Picture lettered = Render(GetParam(), "ABCDE", w, h, seed);
    const Picture bare = Render(GetParam(), "     ", w, h, seed);
    int other = 0, blackOverWhite = 0, whiteOverBlack = 0;
    ForEachPixel(lettered, [&](int x, int y, const Pixel& p) {
      const Pixel q = bare.At(std::uint32_t(x), std::uint32_t(y));
      blackOverWhite += Black(p) && White(q);
      whiteOverBlack += White(p) && Black(q);
      other += p != q && !Inverted(p, q);
    });
    EXPECT_EQ(other, 0) << "seed " << seed;
    EXPECT_GT(blackOverWhite, 0) << "seed " << seed;
    EXPECT_GT(whiteOverBlack, 0) << "seed " << seed;
    EXPECT_GT(blackOverWhite + whiteOverBlack, w * h / 20) << "seed " << seed;
  }
}

// Chess3D lays the letters flat: wherever the fitted outline lies the board
// shows inverted, and nowhere else.
TEST(Chess3DStyle, LettersInvertTheBoardExactlyWhereTheyLie) {
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 2, 3}) {
    const LetterMask mask(seed, "ABCDE", 9, Gdiplus::FontStyleBold,
                          Part(w, h, 0.05f, 0.05f, 0.8f, 0.8f), Part(w, h, 0.2f, 0.2f, 0.5f, 0.5f),
                          w, h);
    const Picture lettered = Render(9, "ABCDE", w, h, seed);
    const Picture bare = Render(9, "     ", w, h, seed);
    int inside = 0, insideInverted = 0, outsideChanged = 0;
    ForEachPixel(lettered, [&](int x, int y, const Pixel& p) {
      const Pixel q = bare.At(std::uint32_t(x), std::uint32_t(y));
      inside += mask.At(x, y) == 1;
      insideInverted += mask.At(x, y) == 1 && Inverted(p, q);
      outsideChanged += mask.At(x, y) == 0 && p != q;
    });
    EXPECT_GT(inside, w * h / 20) << "seed " << seed;
    EXPECT_EQ(insideInverted, inside) << "seed " << seed;
    EXPECT_EQ(outsideChanged, 0) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(ChessFloor, ChessLetters, ::testing::Values(9, 35));

}  // namespace
}  // namespace style_tests
