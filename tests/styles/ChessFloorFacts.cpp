#include "ChessFloorFacts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "RandomClass.h"
#include "RandomSource.h"

namespace style_tests {

namespace {

bool Black(const Pixel& p) {
  return p == Pixel{0, 0, 0, 255};
}
bool White(const Pixel& p) {
  return p == Pixel{255, 255, 255, 255};
}

// The x of the floor's four corners (top-left, top-right, bottom-left,
// bottom-right) as the style draws them after its frame.
std::array<float, 4> FloorCornerXs(const FloorCase& c, std::int32_t seed) {
  Seed(seed);
  for (std::uint64_t i = 0; i < c.frameSteps; ++i) MirelGlyphward::RandomNumber(1);
  const MirelGlyphward::RandomClass rand;
  const float w = float(c.width);
  std::array<float, 4> x;
  x[0] = rand.NextFloat(-0.1f * w, -0.2f * w);
  x[1] = rand.NextFloat(w + 0.1f * w, w + 0.2f * w);
  x[2] = rand.NextFloat(-1.0f * w, -1.5f * w);
  x[3] = rand.NextFloat(w + 1.0f * w, w + 1.5f * w);
  return x;
}

// The floor's top and bottom edges are level, so every pixel row cuts the
// columns into equal spans between the floor's left and right edges. Along
// the second pixel row (inside the first row of squares) the colour must
// follow the columns, black first; pixels within a pixel of a column edge
// are not judged.
TEST_P(ChessFloors, TopRowOfSquaresFollowsTheCorners) {
  const FloorCase& c = GetParam();
  for (std::int32_t seed : {1, 2, 3}) {
    const Picture bare = Render(c.style, "", c.width, c.height, seed);
    const std::array<float, 4> x = FloorCornerXs(c, seed);
    const double y = 1.0, along = y / c.height;
    const double left = x[0] + (x[2] - x[0]) * along, right = x[1] + (x[3] - x[1]) * along;
    const double square = (right - left) / c.cols;
    int judged = 0, wrong = 0;
    for (int px = 0; px < c.width; ++px) {
      const double t = (px - left) / square;
      const double k = std::floor(t);
      if (std::min(t - k, k + 1 - t) * square < 1.0) continue;
      ++judged;
      const Pixel p = bare.At(std::uint32_t(px), std::uint32_t(y));
      if (!(std::fmod(k, 2.0) == 0 ? Black(p) : White(p))) ++wrong;
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
      if (bare.At(std::uint32_t(x), std::uint32_t(y)) !=
          bare.At(std::uint32_t(x), std::uint32_t(y - 1)))
        ++changed;
    if (changed > c.width / 2) ++flips;
  }
  EXPECT_EQ(flips, c.rows - 1);
}

}  // namespace

std::ostream& operator<<(std::ostream& os, const FloorCase& c) {
  return os << "style " << c.style << " " << c.width << "x" << c.height;
}

bool Inverted(const Pixel& lettered, const Pixel& bare) {
  return (Black(lettered) && White(bare)) || (White(lettered) && Black(bare));
}

Inversion CompareWithBareBoard(const Picture& lettered, const Picture& bare) {
  Inversion result;
  for (std::uint32_t y = 0; y < bare.height; ++y)
    for (std::uint32_t x = 0; x < bare.width; ++x) {
      const Pixel p = lettered.At(x, y), q = bare.At(x, y);
      if (p == q)
        ++result.same;
      else if (Black(p) && White(q))
        ++result.blackOverWhite;
      else if (White(p) && Black(q))
        ++result.whiteOverBlack;
      else
        ++result.other;
    }
  return result;
}

void ExpectPaintedBlackAndWhite(int style) {
  struct Size {
    int width, height;
    std::int32_t seeds;
  };
  // Thin pictures cross hundreds of square edges within one pixel row or
  // column, where a sliver between neighbouring squares would show.
  for (const Size size :
       {Size{250, 50, 3}, Size{800, 200, 3}, Size{1, 1, 3}, Size{4096, 1, 40}, Size{1, 4096, 40}})
    for (std::int32_t seed = 1; seed <= size.seeds; ++seed) {
      const Picture picture = Render(style, "ABCDE", size.width, size.height, seed);
      const int painted = Count(picture, [](const Pixel& p) { return Black(p) || White(p); });
      EXPECT_EQ(painted, size.width * size.height)
          << size.width << "x" << size.height << " seed " << seed;
    }
}

}  // namespace style_tests
