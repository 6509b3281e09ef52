// Typeset styles without random choices: black text behind a grid of bars,
// and text on a half-tone cut into tiles spread apart on white.
#include <algorithm>
#include <cstdlib>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

constexpr int kJail = 2;
constexpr int kSplit = 5;

// Neither style draws from the engine, whatever the size or the code, so no
// seed changes the picture.
INSTANTIATE_TEST_SUITE_P(Jail, StepCounts,
                         ::testing::Values(StepCase{kJail, 173, 61, "ABCDE", 0},
                                           StepCase{kJail, 1, 1, "ABCDE", 0},
                                           StepCase{kSplit, 250, 50, "ABCDE", 0},
                                           StepCase{kSplit, 1, 1, "ABCDE", 0}));

bool White(const Pixel& p) {
  return p == Pixel{255, 255, 255, 255};
}
bool Black(const Pixel& p) {
  return p == Pixel{0, 0, 0, 255};
}

// Bar k of n across a side of `side` pixels lies at ⌊k · side / n⌋.
std::vector<bool> Bars(int side) {
  std::vector<bool> bars(std::size_t(side), false);
  const int n = side / 7;
  for (int k = 0; k < n; ++k) bars[std::size_t(k * side / n)] = true;
  return bars;
}

struct Size {
  int width, height;
};
void PrintTo(const Size& s, std::ostream* out) {
  *out << s.width << "x" << s.height;
}
class JailBars : public ::testing::TestWithParam<Size> {};

// With no text, the picture is the bars on white. The pixels of the top row
// and left column off the bars are left out: the ground's edge only half
// covers them, as do the bars' flat starts.
TEST_P(JailBars, BarsAboutSevenPixelsApartOnWhite) {
  const Size s = GetParam();
  const Picture picture = Render(kJail, "", s.width, s.height);
  const std::vector<bool> rows = Bars(s.height), columns = Bars(s.width);
  int wrong = 0, bars = 0;
  for (int y = 1; y < s.height; ++y)
    for (int x = 1; x < s.width; ++x) {
      const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
      const bool bar = rows[std::size_t(y)] || columns[std::size_t(x)];
      bars += bar;
      if (bar ? !Black(p) : !White(p)) ++wrong;
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(bars, 0);
}

// Below seven pixels a side has no bars across it.
INSTANTIATE_TEST_SUITE_P(Jail, JailBars,
                         ::testing::Values(Size{250, 50}, Size{173, 61}, Size{250, 6},
                                           Size{6, 50}));

// Off the bars, the text is the only dark ink: black, centred across the
// picture, below its top 15 %.
TEST(JailText, BlackTextCentredInTheLowerBand) {
  const Picture picture = Render(kJail, "ABCDE", 250, 50);
  const std::vector<bool> rows = Bars(50), columns = Bars(250);
  int ink = 0, black = 0, high = 0;
  long sumX = 0;
  for (int y = 1; y < 50; ++y)
    for (int x = 1; x < 250; ++x) {
      const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
      if (rows[std::size_t(y)] || columns[std::size_t(x)] || Luma(p) > 128) continue;
      ++ink;
      sumX += x;
      black += Black(p);
      high += y < 7;  // the band starts at 7.5
    }
  ASSERT_GT(ink, 500);
  EXPECT_GT(black, ink / 2);
  EXPECT_EQ(high, 0);
  EXPECT_NEAR(double(sumX) / ink, 125.0, 6.0);
}

// The tile grid as the style lays it out from the picture's size: for
// 200 × 50, gaps of 5, two parts, cells of 18, 11 columns, pieces of 13.
struct Grid {
  explicit Grid(int width, int height) {
    gap = std::min(10, height / 10);
    parts = std::max(2, height / 25);
    textHeight = height - parts * gap;
    cell = (height + gap) / (parts + 1);
    columns = cell > 0 ? (width + gap) / cell : 0;
    textWidth = width - columns * gap;
    piece = textHeight / (parts + 1);
    textTop = 15 * textHeight / 100;
  }
  int gap, parts, textHeight, cell, columns, textWidth, piece, textTop;
};

struct TilesCase {
  int width, height;
  std::string code;
  int darkAtLeast;
};
void PrintTo(const TilesCase& c, std::ostream* out) {
  *out << c.width << "x" << c.height << " " << c.code;
}
class SplitTiles : public ::testing::TestWithParam<TilesCase> {};

// Every pixel is white in the gaps and past the grid; inside a tile it is
// the work picture's pixel at the tile's source square: the white and light
// grey half-tone (in the source's phase, not the destination's), or darker
// where the text covers it, and the text came from the text rectangle.
TEST_P(SplitTiles, TilesCopyTheirSourceSquaresAGapApart) {
  const TilesCase& c = GetParam();
  const Grid g(c.width, c.height);
  const Picture picture = Render(kSplit, c.code, c.width, c.height);
  int wrong = 0, plain = 0, dark = 0, strayInk = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
      bool tile = g.cell > 0 && g.piece > 0;
      int sx = 0, sy = 0;
      if (tile) {
        const int i = x / g.cell, j = y / g.cell, dx = x % g.cell, dy = y % g.cell;
        sx = i * g.piece + dx;
        sy = j * g.piece + dy;
        tile = i <= g.columns && j <= g.parts && dx < g.piece && dy < g.piece && sx < c.width &&
               sy < c.height;
      }
      if (!tile) {
        wrong += !White(p);
        continue;
      }
      if (sx == 0 || sy == 0) continue;  // the half-tone's half-covered edge
      const int hatch = (sx + sy) % 2 == 0 ? 255 : 0xD3;
      const bool grey = std::abs(p[0] - p[1]) <= 1 && std::abs(p[1] - p[2]) <= 1 && p[3] == 255;
      if (!grey || p[0] > hatch) ++wrong;
      plain += p[0] == hatch;
      if (p[0] < 64) {
        ++dark;
        if (sx > g.textWidth || sy < g.textTop - 1) ++strayInk;
      }
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(strayInk, 0);
  EXPECT_GE(dark, c.darkAtLeast);
  if (g.piece > 0) {
    EXPECT_GT(plain, dark);
  }
}

// A low picture keeps three rows of tiles; a tall one keeps gaps of ten
// pixels; below three pixels of height the tiles are empty and the picture
// stays white.
INSTANTIATE_TEST_SUITE_P(Split, SplitTiles,
                         ::testing::Values(TilesCase{200, 50, "ABCDE", 150},
                                           TilesCase{250, 30, "AB12", 50},
                                           TilesCase{400, 300, "XYZ", 2000},
                                           TilesCase{50, 2, "ABCDE", 0}));

}  // namespace
}  // namespace style_tests
