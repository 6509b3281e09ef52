// Black letters on black, told apart by a blurred red glow around them: flat
// letters (Halo) or letters bent along the guide curves (MeltingHeat).
#include <algorithm>
#include <cstdlib>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame's draws are the styles' only ones, whatever the size.
INSTANTIATE_TEST_SUITE_P(Glow, StepCounts,
                         ::testing::Values(StepCase{19, 250, 50, "ABCDE", kFrameSteps},
                                           StepCase{19, 6, 6, "AB", kFrameSteps},
                                           StepCase{36, 173, 61, "ABCDE", kFrameSteps},
                                           StepCase{36, 250, 5, "ABCDE", kFrameSteps}));

bool Red(const Pixel& p) {
  return p[0] >= 64 && p[0] >= 3 * p[1] && p[0] >= 3 * p[2];
}

class GlowPictures : public ::testing::TestWithParam<int> {};

// Nothing but black and red is drawn; the letters are black, red shows only
// within about one and a half pixels of the small copy from them (scale 0.15
// for Halo, 0.19 for MeltingHeat), and nearly every edge of a letter has red
// within a few pixels.
TEST_P(GlowPictures, RedGlowHugsBlackLetters) {
  const int style = GetParam(), w = 250, h = 50, reach = style == 19 ? 10 : 7;
  const bool curved = style == 36;
  for (std::int32_t seed : {1, 2, 3}) {
    const LetterMask mask =
        curved ? LetterMask(seed, "ABCDE", style, 0, RectF(0, 0, w, h),
                            Part(w, h, 0, -0.1f, 0.85f, 0.8f), w, h, true, 2)
               : LetterMask(seed, "ABCDE", style, 0, Part(w, h, 0.1f, 0.1f, 0.8f, 0.7f),
                            Part(w, h, 0.2f, 0.2f, 0.6f, 0.6f), w, h, false, 2);
    const Picture picture = Render(style, "ABCDE", w, h, seed);
    auto near = [&](int x, int y, int distance, auto accept) {
      for (int py = std::max(y - distance, 0); py <= std::min(y + distance, h - 1); ++py)
        for (int px = std::max(x - distance, 0); px <= std::min(x + distance, w - 1); ++px)
          if (accept(px, py)) return true;
      return false;
    };
    int letters = 0, red = 0, notBlackOrRed = 0, darkLetters = 0, farRed = 0, edges = 0,
        glowing = 0;
    ForEachPixel(picture, [&](int x, int y, const Pixel& p) {
      notBlackOrRed += p[1] > 2 || p[2] > 2;
      const int where = mask.At(x, y);
      letters += where == 1;
      darkLetters += where == 1 && p[0] < 16;
      // The stretched copy fades out over the last few rows and columns.
      if (Red(p) && p[3] == 255) {
        ++red;
        farRed += !near(x, y, reach, [&](int px, int py) { return mask.At(px, py) != 0; });
      }
      if (where == -1 && x > 2 && y > 2 && x < w - 3 && y < h - 3) {
        ++edges;
        glowing += near(x, y, 4, [&](int px, int py) { return Red(picture.At(px, py)); });
      }
    });
    SCOPED_TRACE("seed " + std::to_string(seed));
    EXPECT_EQ(notBlackOrRed, 0);
    EXPECT_GT(letters, 150);
    EXPECT_EQ(darkLetters, letters);
    EXPECT_GT(red, w * h / 20);
    EXPECT_EQ(farRed, 0);
    EXPECT_GE(glowing * 100, edges * 90);
  }
}

INSTANTIATE_TEST_SUITE_P(Glow, GlowPictures, ::testing::Values(19, 36));

// A side under 1 / scale pixels leaves no room for the small copy: no glow,
// only black letters over the untouched, transparent picture.
TEST(GlowStyles, TooThinForTheGlowDrawsOnlyTheLetters) {
  for (const auto& [style, height] : {std::pair{19, 6}, {36, 5}}) {
    const Picture picture = Render(style, "ABCDE", 250, height, 1);
    EXPECT_EQ(Count(picture, Red), 0) << style;
    EXPECT_GT(Count(picture, [](const Pixel& p) { return p[3] >= 128 && p[0] < 48; }), 100)
        << style;
    EXPECT_GT(Count(picture, [](const Pixel& p) { return p[3] == 0; }), 100) << style;
  }
}

}  // namespace
}  // namespace style_tests
