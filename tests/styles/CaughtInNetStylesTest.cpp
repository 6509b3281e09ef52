// Letters caught in a net: solid letters crossed by lines and rings in the
// ground colour, clipped to the letters.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "LetterCuts.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// Lines from the bottom to the top tenth: three per unit of ln(W · H), four
// draws each; then the centre of the rings.
std::uint64_t Net(int width, int height, std::uint64_t colorSteps) {
  const std::uint64_t lines = std::uint64_t(int(3.0f * std::log(float(width) * float(height))));
  return kFrameSteps + 4 * lines + colorSteps + 2;
}

INSTANTIATE_TEST_SUITE_P(CaughtInNet, StepCounts,
                         ::testing::Values(StepCase{46, 250, 50, "ABCDE", kFrameSteps + 4 * 28 + 2},
                                           StepCase{47, 250, 50, "ABCDE", Net(250, 50, 3)},
                                           StepCase{46, 173, 61, "ABCDE", Net(173, 61, 0)},
                                           StepCase{47, 173, 61, "XY7", Net(173, 61, 3)},
                                           // No lines at one pixel; the rings' centre is drawn.
                                           StepCase{46, 1, 1, "ABCDE", kFrameSteps + 2},
                                           StepCase{47, 1, 1, "ABCDE", kFrameSteps + 3 + 2}));

// The lines run between the outer tenths of the whole picture, bottom end
// drawn first; coloured lines draw their colour before their ends.
TEST(LetterCuts, LinesJoinTheBottomAndTopTenthsOfThePicture) {
  Gdiplus::Bitmap bitmap(300, 100);
  std::vector<MirelGlyphward::ColoredLine> lines;
  Seed(12);
  MirelGlyphward::CreateLines(bitmap, 3.0f, 0xFFFFFFFF, lines);
  EXPECT_EQ(Steps(), 4u * 30);  // (int)(3 · ln 30000) = 30
  MirelGlyphward::CreateColoredLines(bitmap, 2.1f, 50, 255, lines);
  EXPECT_EQ(Steps(), 4u * 30 + 7u * 21);  // (int)(2.1 · ln 30000) = 21
  ASSERT_EQ(lines.size(), 51u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const MirelGlyphward::ColoredLine& line = lines[i];
    EXPECT_GE(line.ptBottom.Y, 90.0f);
    EXPECT_LT(line.ptBottom.Y, 100.0f);
    EXPECT_GE(line.ptTop.Y, 0.0f);
    EXPECT_LT(line.ptTop.Y, 10.0f);
    for (float x : {line.ptBottom.X, line.ptTop.X}) {
      EXPECT_GE(x, 0.0f);
      EXPECT_LT(x, 300.0f);
    }
    const Gdiplus::Color color(line.color);
    if (i < 30) {
      EXPECT_EQ(line.color, 0xFFFFFFFFu);
    } else {
      EXPECT_EQ(color.GetA(), 255);
      for (int channel : {color.GetR(), color.GetG(), color.GetB()}) {
        EXPECT_GE(channel, 50);
        EXPECT_LT(channel, 255);
      }
    }
  }
}

Pixel Complement(const Pixel& p) {
  return Pixel{std::uint8_t(255 - p[0]), std::uint8_t(255 - p[1]), std::uint8_t(255 - p[2]), 255};
}

Pixel MostCommon(const Picture& picture) {
  std::map<Pixel, int> counts;
  for (std::uint32_t y = 0; y < picture.height; ++y)
    for (std::uint32_t x = 0; x < picture.width; ++x) ++counts[picture.At(x, y)];
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// Rings 5 pixels apart reach every point of the letters within 2.5 pixels,
// so no 6 × 6 block of letter colour survives them untouched.
int SolidLetterBlocks(const Picture& picture, const Pixel& letter) {
  int blocks = 0;
  for (int y = 0; y + 6 <= int(picture.height); ++y)
    for (int x = 0; x + 6 <= int(picture.width); ++x)
      if (Count(
              picture, [&](const Pixel& p) { return p == letter; }, x, y, x + 6, y + 6) == 36)
        ++blocks;
  return blocks;
}

// Every pixel a mix of the letter and ground colours: nothing else is drawn.
bool BlendOf(const Pixel& p, const Pixel& a, const Pixel& b) {
  int widest = 0;
  for (int c = 1; c < 3; ++c)
    if (std::abs(b[c] - a[c]) > std::abs(b[widest] - a[widest])) widest = c;
  if (a[widest] == b[widest]) return p == a;
  const double t = double(p[widest] - a[widest]) / double(b[widest] - a[widest]);
  if (t < -0.01 || t > 1.01 || p[3] != 255) return false;
  for (int c = 0; c < 3; ++c)
    if (std::fabs(a[c] + t * (b[c] - a[c]) - p[c]) > 2.5) return false;
  return true;
}

struct NetCase {
  int style;
  std::int32_t seed;
};

class NetPictures : public ::testing::TestWithParam<NetCase> {};

TEST_P(NetPictures, LettersAreCutByTheNetInTheGroundColour) {
  const NetCase c = GetParam();
  const Picture picture = Render(c.style, "ABCDE", 250, 50, c.seed);
  const Pixel ground = MostCommon(picture);
  const Pixel letter = Complement(ground);
  if (c.style == 46) {
    EXPECT_EQ(ground, (Pixel{0, 0, 150, 255}));
  } else {
    for (int channel = 0; channel < 3; ++channel) EXPECT_GE(ground[channel], 156);
  }
  const int total = int(picture.width * picture.height);
  EXPECT_GT(Count(picture, [&](const Pixel& p) { return p == letter; }), total / 40);
  EXPECT_EQ(Count(picture, [&](const Pixel& p) { return BlendOf(p, ground, letter); }), total);
  EXPECT_EQ(SolidLetterBlocks(picture, letter), 0);
}

INSTANTIATE_TEST_SUITE_P(CaughtInNet, NetPictures,
                         ::testing::Values(NetCase{46, 1}, NetCase{46, 99}, NetCase{47, 5},
                                           NetCase{47, 2024}));

}  // namespace
}  // namespace style_tests
