// Mass: the code's dark letters, each turned and raised on its own, in a
// crowd of small pale letters on a light yellow ground.
#include <cmath>
#include <vector>

#include "RandomClass.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::Color;
using Gdiplus::RectF;

// Per crowd letter: face, height, width, position (2), character, angle and
// colour (3).
constexpr std::uint64_t kCrowdLetterSteps = 10;

std::uint64_t CrowdCount(int w, int h) {
  return AreaCount(w, h, 0.007f);
}

// The frame's rectangle (no font), the crowd, then per code letter its face,
// height, tilt and colour.
std::uint64_t Expected(int w, int h, const std::string& code) {
  return (kFrameSteps - 1) + kCrowdLetterSteps * CrowdCount(w, h) + 6 * code.size();
}

INSTANTIATE_TEST_SUITE_P(
    Mass, StepCounts,
    ::testing::Values(StepCase{14, 250, 50, "ABCDE", Expected(250, 50, "ABCDE")},
                      StepCase{14, 200, 50, "ABCDEF", 4 + 10 * 70 + 36},
                      StepCase{14, 250, 50, "A", Expected(250, 50, "A")},
                      StepCase{14, 173, 61, "W1IMQ7X", Expected(173, 61, "W1IMQ7X")},
                      StepCase{14, 1, 1, "ABCDE", Expected(1, 1, "ABCDE")},
                      StepCase{14, 2, 1, "AB", Expected(2, 1, "AB")},
                      StepCase{14, 250, 50, "", Expected(250, 50, "")}));

struct Letter {
  float cx, cy, radius;  // a disc holding the tilted box
  Color color;
};

// Where the code letters went, drawn again from the seed past the crowd.
std::vector<Letter> CodeLetters(std::int32_t seed, int w, int h, const std::string& code) {
  Seed(seed);
  const MirelGlyphward::RandomClass rand;
  const RectF frame = rand.NextBorders(RectF(0, 0, float(w), float(h)),
                                       RectF(0.2f * w, 0.2f * h, 0.6f * w, 0.6f * h));
  for (std::uint64_t i = 0; i < kCrowdLetterSteps * CrowdCount(w, h); ++i) rand.Next(0, 2);
  const float n = float(code.size());
  const float letterW = frame.Width / n, letterH = frame.Height / n * 2.2f;
  std::vector<Letter> letters;
  for (std::size_t i = 0; i < code.size(); ++i) {
    rand.NextFontName(14);
    const float top = rand.NextFloat(0, frame.Height - letterH);
    rand.NextFloat(-40, 40);
    const Color color = rand.NextColor(0, 120, 0, 120, 0, 120);
    const float bw = 0.8f * letterW, bh = 0.8f * letterH;
    letters.push_back(Letter{frame.X + letterW * float(i) + bw / 2, frame.Y + top + bh / 2,
                             std::hypot(bw, bh) / 2, color});
  }
  return letters;
}

bool Is(const Pixel& p, const Color& c) {
  return p[0] == c.GetR() && p[1] == c.GetG() && p[2] == c.GetB() && p[3] == 255;
}

// Each code letter shows its own dark colour, only within reach of its
// turned box. Away from the code letters every pixel is the ground or a
// crowd letter, whose channels never fall below 170.
TEST(MassStyle, DarkCodeLettersInAPaleCrowd) {
  struct Case {
    std::string code;
    int w, h;
    std::int32_t seed;
  };
  for (const Case& c :
       {Case{"ABCDE", 250, 50, 1}, Case{"W1IMQ7X", 250, 50, 2}, Case{"AB", 250, 50, 3},
        Case{"ABCDE", 173, 61, 4}, Case{"W1IMQ7X", 800, 200, 5}}) {
    SCOPED_TRACE(c.code + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
    const std::vector<Letter> letters = CodeLetters(c.seed, c.w, c.h, c.code);
    const Picture picture = Render(14, c.code, c.w, c.h, c.seed);
    std::vector<int> inside(letters.size(), 0), outside(letters.size(), 0);
    int darkAway = 0, crowd = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        bool nearLetter = false;
        for (std::size_t i = 0; i < letters.size(); ++i) {
          const Letter& l = letters[i];
          const bool within = std::hypot(float(x) - l.cx, float(y) - l.cy) < l.radius + 1;
          nearLetter = nearLetter || within;
          if (Is(p, l.color)) ++(within ? inside[i] : outside[i]);
        }
        if (nearLetter) continue;
        if (p[0] < 170 || p[1] < 170 || p[2] < 170 || p[3] != 255) ++darkAway;
        if (!(p[0] == 255 && p[1] == 255 && p[2] == 224)) ++crowd;
      }
    EXPECT_EQ(darkAway, 0);
    EXPECT_GT(crowd, c.w * c.h / 20);
    for (std::size_t i = 0; i < letters.size(); ++i) {
      EXPECT_GT(inside[i], 10) << "letter " << i;
      EXPECT_EQ(outside[i], 0) << "letter " << i;
    }
  }
}

}  // namespace
}  // namespace style_tests
