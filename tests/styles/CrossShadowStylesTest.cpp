// Letters cut by their own shadow: only the parts where one lies without the
// other keep a colour of their own.
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame's draws and, for style 27, the three channels of its colour;
// nothing depends on the size or the code.
INSTANTIATE_TEST_SUITE_P(CrossShadow, StepCounts,
                         ::testing::Values(StepCase{26, 250, 50, "ABCDE", kFrameSteps},
                                           StepCase{26, 1, 1, "A", kFrameSteps},
                                           StepCase{27, 173, 61, "ABCDEFGH", kFrameSteps + 3},
                                           StepCase{27, 1, 1, "", kFrameSteps + 3}));

class CrossShadowStyle : public ::testing::TestWithParam<int> {};

// The shadow lies 4 % of the picture's size down and to the right. Letters
// without shadow keep the letter colour, shadow without letters the shadow
// colour; their overlap is the ground.
TEST_P(CrossShadowStyle, LettersAndShadowCutEachOther) {
  const int style = GetParam();
  struct Case {
    int w, h, dx, dy;
    std::int32_t seed;
  };
  for (const Case c :
       {Case{250, 50, 10, 2, 5}, Case{250, 50, 10, 2, 17}, Case{500, 150, 20, 6, 8}}) {
    const LetterMask mask(c.seed, "ABCDE", style, Gdiplus::FontStyleBold,
                          Part(c.w, c.h, 0, 0, 0.9f, 0.9f), Part(c.w, c.h, 0.2f, 0.2f, 0.6f, 0.6f),
                          c.w, c.h);
    Color letters(0xFF008000), shadow(0xFF90EE90), ground(0xFFFF0000);
    if (style == 27) {
      letters = mask.rand.NextColor(1, 136, 1, 136, 1, 136);
      const int r = letters.GetR(), g = letters.GetG(), b = letters.GetB();
      shadow = Color(r * 3 / 2, g * 3 / 2, b * 3 / 2);
      ground = Color(256 - r, 256 - g, 256 - b);
    }
    const Picture picture = Render(style, "ABCDE", c.w, c.h, c.seed);
    int wrong = 0, lettersOnly = 0, shadowOnly = 0, both = 0;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const int inLetters = mask.At(x, y), inShadow = mask.At(x - c.dx, y - c.dy);
        if (inLetters < 0 || inShadow < 0) continue;
        const Color* expected = &ground;
        if (inLetters && inShadow)
          ++both;
        else if (inLetters)
          ++lettersOnly, expected = &letters;
        else if (inShadow)
          ++shadowOnly, expected = &shadow;
        if (!Is(picture.At(std::uint32_t(x), std::uint32_t(y)), *expected)) ++wrong;
      }
    EXPECT_EQ(wrong, 0) << c.w << "x" << c.h << " seed " << c.seed;
    EXPECT_GT(lettersOnly, 100);
    EXPECT_GT(shadowOnly, 100);
    EXPECT_GT(both, 30);
  }
}

INSTANTIATE_TEST_SUITE_P(CrossShadow, CrossShadowStyle, ::testing::Values(26, 27));

}  // namespace
}  // namespace style_tests
