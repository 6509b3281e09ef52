// Letters each in a face, colour, height and tilt of their own over a light
// yellow ground with a loose grid of coloured lines.
#include <algorithm>
#include <cmath>
#include <vector>

#include "RandomClass.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::Color;
using Gdiplus::RectF;

// 1.1 · ln(side) lines across a side, none for sides of one or two pixels.
int Lines(int side) {
  return std::max(0, int(1.1f * std::log(float(side))));
}

// The frame's rectangle (no font), a gap and a colour per grid line, then
// per letter its face, height, tilt and colour.
std::uint64_t Expected(int w, int h, const std::string& code) {
  return (kFrameSteps - 1) + 4 * std::uint64_t(Lines(w) + Lines(h)) + 6 * code.size();
}

INSTANTIATE_TEST_SUITE_P(
    Flash, StepCounts,
    ::testing::Values(StepCase{13, 250, 50, "ABCDE", Expected(250, 50, "ABCDE")},
                      StepCase{13, 250, 50, "A", Expected(250, 50, "A")},
                      StepCase{13, 250, 50, "W1IMQ7X", Expected(250, 50, "W1IMQ7X")},
                      StepCase{13, 173, 61, "ABCDE", Expected(173, 61, "ABCDE")},
                      StepCase{13, 173, 61, "W1IMQ7X", Expected(173, 61, "W1IMQ7X")},
                      StepCase{13, 1, 1, "ABCDE", Expected(1, 1, "ABCDE")},
                      StepCase{13, 2, 2, "A", Expected(2, 2, "A")},
                      StepCase{13, 3, 3, "ABCDE", Expected(3, 3, "ABCDE")},
                      StepCase{13, 2, 250, "W1IMQ7X", Expected(2, 250, "W1IMQ7X")},
                      StepCase{13, 250, 1, "", Expected(250, 1, "")}));

struct Letter {
  float cx, cy, radius;  // a disc holding the tilted box
  Color color;
};

// Where the grid lines and the letters went, drawn again from the seed.
struct Scene {
  Scene(std::int32_t seed, int w, int h, const std::string& code) {
    Seed(seed);
    const MirelGlyphward::RandomClass rand;
    const RectF frame = rand.NextBorders(RectF(0, 0, float(w), float(h)),
                                         RectF(0.2f * w, 0.2f * h, 0.6f * w, 0.6f * h));
    const int nV = Lines(w), nH = Lines(h);
    rand.NextOffsets(0.7f * w / nV, 1.3f * w / nV, nV, xs);
    rand.NextOffsets(0.7f * h / nH, 1.3f * h / nH, nH, ys);
    for (int i = 0; i < nV + nH; ++i) rand.NextColor();
    const float n = float(code.size());
    const float letterW = frame.Width / n, letterH = frame.Height / n * 2.2f;
    for (std::size_t i = 0; i < code.size(); ++i) {
      rand.NextFontName(13);
      const float top = rand.NextFloat(0, frame.Height - letterH);
      rand.NextFloat(-40, 40);
      const Color color = rand.NextColor(0, 150, 0, 150, 0, 150);
      const float bw = 0.8f * letterW, bh = 0.8f * letterH;
      letters.push_back(Letter{frame.X + letterW * float(i) + bw / 2, frame.Y + top + bh / 2,
                               std::hypot(bw, bh) / 2, color});
    }
  }
  std::vector<float> xs, ys;
  std::vector<Letter> letters;
};

bool Is(const Pixel& p, const Color& c) {
  return p[0] == c.GetR() && p[1] == c.GetG() && p[2] == c.GetB() && p[3] == 255;
}

// Each letter shows its own colour, only within reach of its tilted box;
// away from letters and grid lines the picture is the light yellow ground.
TEST(FlashStyle, LettersInTheirColoursOverGridAndGround) {
  struct Case {
    std::string code;
    int w, h;
    std::int32_t seed;
  };
  const Color ground(0xFFFFFFE0);
  for (const Case& c :
       {Case{"ABCDE", 250, 50, 1}, Case{"W1IMQ7X", 250, 50, 2}, Case{"A", 250, 50, 3},
        Case{"ABCDE", 173, 61, 4}, Case{"W1IMQ7X", 800, 200, 5}}) {
    SCOPED_TRACE(c.code + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
    const Scene scene(c.seed, c.w, c.h, c.code);
    const Picture picture = Render(13, c.code, c.w, c.h, c.seed);
    auto nearLine = [](const std::vector<float>& lines, int v) {
      for (const float line : lines)
        if (std::fabs(float(v) - line) < 1.0f) return true;
      return false;
    };
    std::vector<int> inside(scene.letters.size(), 0), outside(scene.letters.size(), 0);
    int notGround = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        bool nearLetter = false;
        for (std::size_t i = 0; i < scene.letters.size(); ++i) {
          const Letter& l = scene.letters[i];
          const bool within = std::hypot(float(x) - l.cx, float(y) - l.cy) < l.radius + 1;
          nearLetter = nearLetter || within;
          if (Is(p, l.color)) ++(within ? inside[i] : outside[i]);
        }
        if (!nearLetter && !nearLine(scene.xs, x) && !nearLine(scene.ys, y) && !Is(p, ground))
          ++notGround;
      }
    EXPECT_EQ(notGround, 0);
    for (std::size_t i = 0; i < scene.letters.size(); ++i) {
      EXPECT_GT(inside[i], 10) << "letter " << i;
      EXPECT_EQ(outside[i], 0) << "letter " << i;
    }
    // The vertical lines inside the picture mark their columns from top to bottom.
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

}  // namespace
}  // namespace style_tests
