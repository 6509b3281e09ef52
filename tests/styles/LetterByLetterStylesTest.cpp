// Letters each in a face, colour, height and tilt of their own: dark over a
// light yellow ground with a loose grid of coloured lines (Flash), or in a
// crowd of small pale letters (Mass).
#include <algorithm>
#include <cmath>
#include <vector>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// Flash: 1.1 · ln(side) lines across a side, none for sides of one or two pixels.
int GridLines(int side) {
  return std::max(0, int(1.1f * std::log(float(side))));
}
// Mass: per crowd letter its face, height, width, position (2), character,
// angle and colour (3).
constexpr std::uint64_t kCrowdLetterSteps = 10;
std::uint64_t CrowdCount(int w, int h) {
  return AreaCount(w, h, 0.007f);
}

// The frame's rectangle (no font); Flash's gap and colour per grid line, or
// Mass's crowd; then per code letter its face, height, tilt and colour.
std::uint64_t Expected(int style, int w, int h, const std::string& code) {
  const std::uint64_t middle = style == 13 ? 4 * std::uint64_t(GridLines(w) + GridLines(h))
                                           : kCrowdLetterSteps * CrowdCount(w, h);
  return (kFrameSteps - 1) + middle + 6 * code.size();
}

INSTANTIATE_TEST_SUITE_P(
    LetterByLetter, StepCounts,
    ::testing::Values(StepCase{13, 250, 50, "ABCDE", Expected(13, 250, 50, "ABCDE")},
                      StepCase{13, 173, 61, "W1IMQ7X", Expected(13, 173, 61, "W1IMQ7X")},
                      StepCase{13, 2, 2, "A", Expected(13, 2, 2, "A")},
                      StepCase{13, 3, 3, "ABCDE", Expected(13, 3, 3, "ABCDE")},
                      StepCase{13, 250, 1, "", Expected(13, 250, 1, "")},
                      StepCase{14, 200, 50, "ABCDEF", 4 + 10 * 70 + 36},
                      StepCase{14, 173, 61, "W1IMQ7X", Expected(14, 173, 61, "W1IMQ7X")},
                      StepCase{14, 2, 1, "AB", Expected(14, 2, 1, "AB")}));

struct Letter {
  float cx, cy, radius;  // a disc holding the tilted box
  Color color;
};

// Where the grid lines and the code letters went, drawn again from the seed.
struct Scene {
  Scene(int style, std::int32_t seed, int w, int h, const std::string& code) {
    const RectF frame = SeededFrame(seed, RectF(0, 0, w, h), Part(w, h, 0.2f, 0.2f, 0.6f, 0.6f));
    const MirelGlyphward::RandomClass rand;
    if (style == 13) {
      const int nV = GridLines(w), nH = GridLines(h);
      rand.NextOffsets(0.7f * w / nV, 1.3f * w / nV, nV, xs);
      rand.NextOffsets(0.7f * h / nH, 1.3f * h / nH, nH, ys);
      for (int i = 0; i < nV + nH; ++i) rand.NextColor();
    } else {
      for (std::uint64_t i = 0; i < kCrowdLetterSteps * CrowdCount(w, h); ++i) rand.Next(0, 2);
    }
    const float n = float(code.size()), darkest = style == 13 ? 150 : 120;
    const float letterW = frame.Width / n, letterH = frame.Height / n * 2.2f;
    for (std::size_t i = 0; i < code.size(); ++i) {
      rand.NextFontName(style);
      const float top = rand.NextFloat(0, frame.Height - letterH);
      rand.NextFloat(-40, 40);
      const Color color = rand.NextColor(0, darkest, 0, darkest, 0, darkest);
      const float bw = 0.8f * letterW, bh = 0.8f * letterH;
      letters.push_back(Letter{frame.X + letterW * float(i) + bw / 2, frame.Y + top + bh / 2,
                               std::hypot(bw, bh) / 2, color});
    }
  }
  std::vector<float> xs, ys;
  std::vector<Letter> letters;
};

struct SceneCase {
  std::string code;
  int w, h;
  std::int32_t seed;
};

class LetterByLetterPictures : public ::testing::TestWithParam<int> {};

// Each code letter shows its own colour, only within reach of its tilted box.
// Away from them Flash shows the light yellow ground but on its grid lines,
// whose columns are marked from top to bottom; Mass shows its ground and a
// crowd that never darkens a channel below 170.
TEST_P(LetterByLetterPictures, LettersInTheirColoursOverTheirGround) {
  const int style = GetParam();
  const Color ground(0xFFFFFFE0);
  for (const SceneCase& c : {SceneCase{"ABCDE", 250, 50, 1}, SceneCase{"W1IMQ7X", 250, 50, 2},
                             SceneCase{"A", 250, 50, 3}, SceneCase{"W1IMQ7X", 800, 200, 5}}) {
    SCOPED_TRACE(c.code + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
    const Scene scene(style, c.seed, c.w, c.h, c.code);
    const Picture picture = Render(style, c.code, c.w, c.h, c.seed);
    auto nearLine = [](const std::vector<float>& lines, int v) {
      return std::any_of(lines.begin(), lines.end(), [&](float l) { return std::fabs(v - l) < 1; });
    };
    std::vector<int> inside(scene.letters.size(), 0), outside(scene.letters.size(), 0);
    int wrong = 0, crowd = 0;
    ForEachPixel(picture, [&](int x, int y, const Pixel& p) {
      bool nearLetter = false;
      for (std::size_t i = 0; i < scene.letters.size(); ++i) {
        const Letter& l = scene.letters[i];
        const bool within = std::hypot(float(x) - l.cx, float(y) - l.cy) < l.radius + 1;
        nearLetter = nearLetter || within;
        if (Is(p, l.color)) ++(within ? inside[i] : outside[i]);
      }
      if (nearLetter) return;
      crowd += !Is(p, ground);
      if (style == 13)
        wrong += !nearLine(scene.xs, x) && !nearLine(scene.ys, y) && !Is(p, ground);
      else
        wrong += p[0] < 170 || p[1] < 170 || p[2] < 170 || p[3] != 255;
    });
    EXPECT_EQ(wrong, 0);
    for (std::size_t i = 0; i < scene.letters.size(); ++i) {
      EXPECT_GT(inside[i], 10) << "letter " << i;
      EXPECT_EQ(outside[i], 0) << "letter " << i;
    }
    EXPECT_GT(crowd, style == 14 ? c.w * c.h / 20 : 0);
    for (const float x : scene.xs) {
      const int column = int(x + 0.5f);
      if (column >= c.w) continue;
      EXPECT_GT(
          Count(
              picture, [&](const Pixel& p) { return !Is(p, ground); }, column, 0, column + 1, c.h),
          c.h * 9 / 10)
          << "line at " << x;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(LetterByLetter, LetterByLetterPictures, ::testing::Values(13, 14));

}  // namespace
}  // namespace style_tests
