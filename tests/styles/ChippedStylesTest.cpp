// Letters of dense scribbles in a main colour over a plain ground colour.
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// Ten draws per scribble: two for its box, eight for its four points.
constexpr std::uint64_t kScribbleSteps = 10;

// Passes: 2n in the letters, n/10 chips, n/10 along the outlines, n/20 and
// n/4 over the whole picture.
std::uint64_t Chipped(int w, int h) {
  const std::uint64_t n = AreaCount(w, h, 0.07f);
  return kFrameSteps + kScribbleSteps * (2 * n + n / 10 + n / 10 + n / 20 + n / 4);
}

// Passes: n in the letters, n/10 chips, n along the outlines, n/10 and n/2
// over the whole picture.
std::uint64_t Corrosion(int w, int h) {
  const std::uint64_t n = AreaCount(w, h, 0.2f);
  return kFrameSteps + kScribbleSteps * (n + n / 10 + n + n / 10 + n / 2);
}

INSTANTIATE_TEST_SUITE_P(Chipped, StepCounts,
                         ::testing::Values(StepCase{12, 250, 50, "ABCDE", Chipped(250, 50)},
                                           // The budget ignores the code.
                                           StepCase{12, 173, 61, std::string(64, 'W'),
                                                    Chipped(173, 61)},
                                           // n = 9: chips and outline pass are empty.
                                           StepCase{12, 10, 14, "AB", Chipped(10, 14)},
                                           StepCase{12, 3, 4, "AB", kFrameSteps},
                                           StepCase{11, 173, 61, "ABCDE", Corrosion(173, 61)},
                                           StepCase{11, 7, 7, "AB", Corrosion(7, 7)},
                                           StepCase{11, 2, 2, "AB", kFrameSteps}));

struct Colours {
  int style;
  Pixel main;
  Pixel back;
};

const Colours kChipped{12, {0x00, 0x80, 0x00, 0xFF}, {0xFF, 0xFF, 0xE0, 0xFF}};
const Colours kCorrosion{11, {0xFF, 0x45, 0x00, 0xFF}, {0xC0, 0xC0, 0xC0, 0xFF}};

double MainShare(const Colours& c, const Pixel& p) {
  return MixShare(p, c.back, c.main, 3);
}

void PrintTo(const Colours& c, std::ostream* out) {
  *out << "style " << c.style;
}

class ScribbleColours : public ::testing::TestWithParam<Colours> {};

// Every pixel is the ground, the main colour, or an anti-aliased blend of
// the two; inside the inner box, which the letters always cover, scribbles
// are far denser than in the same box of a picture without letters.
TEST_P(ScribbleColours, LettersAreDenseScribblesOfTheMainColour) {
  const Colours& c = GetParam();
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 2, 3}) {
    const Picture letters = Render(c.style, "ABCDE", w, h, seed);
    const Picture blank = Render(c.style, "     ", w, h, seed);
    auto foreign = [&](const Pixel& p) { return MainShare(c, p) < 0; };
    EXPECT_EQ(Count(letters, foreign), 0) << "seed " << seed;
    EXPECT_EQ(Count(blank, foreign), 0) << "seed " << seed;
    auto main = [&](const Pixel& p) { return MainShare(c, p) > 0.5; };
    const int inLetters = Count(letters, main, w / 5, h / 5, 4 * w / 5, 4 * h / 5);
    const int inBlank = Count(blank, main, w / 5, h / 5, 4 * w / 5, 4 * h / 5);
    EXPECT_GT(inLetters, w * h / 20) << "seed " << seed;
    EXPECT_GT(2 * inLetters, 5 * inBlank) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Chipped, ScribbleColours, ::testing::Values(kChipped, kCorrosion),
                         [](const auto& info) {
                           return "Style" + std::to_string(info.param.style);
                         });

}  // namespace
}  // namespace style_tests
