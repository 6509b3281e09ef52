// The speckled styles: one engine draw per coordinate of every speck (and
// per letter), a ground that the specks turn mostly dark, white text kept
// out of the top band, and black lower-case letters.
#include <vector>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

constexpr int kNegative = 3;
constexpr int kWave = 6;

// One speck for every pixel, two draws each.
std::uint64_t Negative(int w, int h) {
  return 2 * std::uint64_t(w * h);
}
// One speck for every seven pixels, then one draw per letter.
std::uint64_t Wave(int w, int h, std::uint64_t letters) {
  return 2 * std::uint64_t(w * h / 7) + letters;
}

INSTANTIATE_TEST_SUITE_P(Negative, StepCounts,
                         ::testing::Values(StepCase{kNegative, 173, 61, "ABCDE", Negative(173, 61)},
                                           StepCase{kNegative, 1, 1, "A", Negative(1, 1)},
                                           StepCase{kWave, 250, 50, "ABCDE", Wave(250, 50, 5)},
                                           StepCase{kWave, 2, 3, "AB", Wave(2, 3, 2)},
                                           StepCase{kWave, 61, 17, "", Wave(61, 17, 0)}));

bool Dark(const Pixel& p) {
  return Luma(p) < 100;
}

// The pixels where `coded` differs from `blank` drawn from the same seed (the
// ground and the specks agree, so these are the letters), each with the
// ground it covers.
struct LetterPixel {
  Pixel letter, ground;
  int y;
};
std::vector<LetterPixel> LetterPixels(const Picture& coded, const Picture& blank) {
  std::vector<LetterPixel> letters;
  for (std::uint32_t y = 0; y < coded.height; ++y)
    for (std::uint32_t x = 0; x < coded.width; ++x)
      if (coded.At(x, y) != blank.At(x, y))
        letters.push_back({coded.At(x, y), blank.At(x, y), int(y)});
  return letters;
}

TEST(NegativePicture, DarkGroundAndWhiteLettersBelowTheTopBand) {
  const Picture blank = Render(kNegative, "     ", 250, 50, 41);
  const double dark = double(Count(blank, Dark)) / (250 * 50);
  EXPECT_GT(dark, 0.61);  // 1 − 1/e of the pixels, about 0.632
  EXPECT_LT(dark, 0.655);

  const std::vector<LetterPixel> letters =
      LetterPixels(Render(kNegative, "ABCDE", 250, 50, 41), blank);
  ASSERT_GT(letters.size(), 800u);
  int white = 0, inTopBand = 0, darkened = 0;
  for (const LetterPixel& p : letters) {
    if (p.y < 8) ++inTopBand;  // the band starts at 15 % of 50 = 7.5
    if (Luma(p.letter) < Luma(p.ground)) ++darkened;
    if (Luma(p.letter) >= 250) ++white;
  }
  EXPECT_EQ(inTopBand, 0);
  EXPECT_EQ(darkened, 0);
  EXPECT_GT(white, int(letters.size()) / 2);
}

TEST(WavePicture, LettersAreLowerCaseAndBlack) {
  const Picture upper = Render(kWave, "AB1DE", 250, 50, 9);
  const Picture lower = Render(kWave, "ab1de", 250, 50, 9);
  EXPECT_TRUE(upper.rgba == lower.rgba);

  const std::vector<LetterPixel> letters = LetterPixels(lower, Render(kWave, "     ", 250, 50, 9));
  ASSERT_GT(letters.size(), 300u);
  int black = 0, lightened = 0;
  for (const LetterPixel& p : letters) {
    if (Luma(p.letter) > Luma(p.ground)) ++lightened;
    if (Luma(p.letter) <= 5) ++black;
  }
  EXPECT_EQ(lightened, 0);
  EXPECT_GT(black, int(letters.size()) / 2);
}

}  // namespace
}  // namespace style_tests
