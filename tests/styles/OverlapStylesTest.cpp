// Outline letters pushed into each other: the same slots as the solid black
// style, shown only by a band along each letter's outline.
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame's draws, then one overlap per letter.
std::uint64_t Expected(const std::string& code) {
  return kFrameSteps + code.size();
}

INSTANTIATE_TEST_SUITE_P(Overlap, StepCounts,
                         ::testing::Values(StepCase{17, 250, 50, "ABCDE", Expected("ABCDE")},
                                           StepCase{18, 250, 50, "ABCDE", Expected("ABCDE")},
                                           StepCase{17, 250, 50, "A", Expected("A")},
                                           StepCase{18, 250, 50, "W1IMQ7X", Expected("W1IMQ7X")},
                                           StepCase{17, 173, 61, "W1IMQ7X", Expected("W1IMQ7X")},
                                           StepCase{18, 173, 61, "A", Expected("A")},
                                           StepCase{17, 1, 1, "ABCDE", Expected("ABCDE")},
                                           StepCase{18, 1, 1, "A", Expected("A")}));

bool Dark(const Pixel& p) {
  return Luma(p) < 128;
}

// From one seed the solid style and both outline styles choose the same
// frame, face and overlaps. The outline styles then draw the same picture,
// whose black lies along the solid letters' edges (within the band's width
// and a pixel of anti-aliasing) and leaves their insides white, except
// where strokes are hardly wider than two bands (seven serif letters in
// 250 x 50 pixels).
TEST(OverlapStyle, OutlinesOfTheSolidLetters) {
  struct Case {
    std::string code;
    int w, h;
    std::int32_t seed;
    int whitePercent;  // of the solid letters' dark pixels, at least
  };
  for (const Case& c : {Case{"ABCDE", 250, 50, 1, 25}, Case{"W1IMQ7X", 250, 50, 2, 5},
                        Case{"H", 173, 61, 3, 25}, Case{"W1IMQ7X", 800, 200, 4, 25}}) {
    SCOPED_TRACE(c.code + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
    const Picture solid = Render(16, c.code, c.w, c.h, c.seed);
    const Picture outline = Render(17, c.code, c.w, c.h, c.seed);
    EXPECT_EQ(outline.rgba, Render(18, c.code, c.w, c.h, c.seed).rgba);
    auto dark = [&](const Picture& picture, int x, int y) {
      return Dark(picture.At(std::uint32_t(x), std::uint32_t(y)));
    };
    int solidDark = 0, outlineDark = 0, astray = 0, whiteInside = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        solidDark += dark(solid, x, y);
        if (dark(solid, x, y) && Luma(outline.At(std::uint32_t(x), std::uint32_t(y))) > 250)
          ++whiteInside;
        if (!dark(outline, x, y)) continue;
        ++outlineDark;
        if (Count(
                solid, [](const Pixel& p) { return Luma(p) < 250; }, x - 3, y - 3, x + 4, y + 4) ==
            0)
          ++astray;
      }
    EXPECT_GT(outlineDark, 0);
    EXPECT_EQ(astray, 0);
    EXPECT_GE(100 * whiteInside, c.whitePercent * solidDark);
  }
}

}  // namespace
}  // namespace style_tests
