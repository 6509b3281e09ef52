// Black letters on black, told apart by a blurred red glow around them.
#include <utility>
#include <vector>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame's draws are the style's only ones, whatever the size.
INSTANTIATE_TEST_SUITE_P(Halo, StepCounts,
                         ::testing::Values(StepCase{19, 250, 50, "ABCDE", kFrameSteps},
                                           StepCase{19, 173, 61, "ABCDE", kFrameSteps},
                                           StepCase{19, 250, 6, "ABCDE", kFrameSteps},
                                           StepCase{19, 6, 6, "AB", kFrameSteps}));

bool Dark(const Pixel& p) {
  return p[0] < 48 && p[1] < 48 && p[2] < 48;
}

bool Red(const Pixel& p) {
  return p[0] >= 64 && p[0] >= 3 * p[1] && p[0] >= 3 * p[2];
}

// Dark pixels that no dark path (through side neighbours) joins to the
// picture's border: the letters, once the glow has walled them in.
std::vector<char> EnclosedDark(const Picture& picture) {
  const int w = int(picture.width), h = int(picture.height);
  auto dark = [&](int x, int y) { return Dark(picture.At(std::uint32_t(x), std::uint32_t(y))); };
  std::vector<char> outside(std::size_t(w) * h, 0);
  std::vector<std::pair<int, int>> stack;
  auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    char& seen = outside[std::size_t(y) * w + x];
    if (seen || !dark(x, y)) return;
    seen = 1;
    stack.emplace_back(x, y);
  };
  for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
  for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    visit(x - 1, y), visit(x + 1, y), visit(x, y - 1), visit(x, y + 1);
  }
  std::vector<char> mask(outside.size(), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) mask[std::size_t(y) * w + x] = dark(x, y) && !outside[y * w + x];
  return mask;
}

// The letters are black islands in the glow: walking a few pixels out of the
// letters to the left, right, top or bottom meets red nearly everywhere.
TEST(HaloStyle, RedGlowSurroundsTheLettersOnEverySide) {
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 2, 3, 4}) {
    const Picture picture = Render(19, "ABCDE", w, h, seed);
    const std::vector<char> mask = EnclosedDark(picture);
    auto inMask = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < w && y < h && mask[std::size_t(y) * w + x];
    };
    int letterPixels = 0;
    for (char m : mask) letterPixels += m;
    // The letters fill a frame of at least 150 × 30 pixels.
    EXPECT_GT(letterPixels, 600) << "seed " << seed;

    const int directions[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& d : directions) {
      int edges = 0, glowing = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          if (!inMask(x, y) || inMask(x + d[0], y + d[1])) continue;
          ++edges;
          for (int step = 1; step <= 4; ++step) {
            const int px = x + step * d[0], py = y + step * d[1];
            if (px < 0 || py < 0 || px >= w || py >= h) break;
            if (Red(picture.At(std::uint32_t(px), std::uint32_t(py)))) {
              ++glowing;
              break;
            }
          }
        }
      EXPECT_GT(edges, 40) << "seed " << seed << " direction " << d[0] << "," << d[1];
      EXPECT_GE(glowing * 100, edges * 90)
          << "seed " << seed << " direction " << d[0] << "," << d[1];
    }
  }
}

// The glow reaches about one small-bitmap pixel beyond the letters' frame,
// which stays a tenth of the width away from the sides: the ground there is
// black.
TEST(HaloStyle, GroundAwayFromTheLettersIsBlack) {
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 2, 3, 4}) {
    const Picture picture = Render(19, "ABCDE", w, h, seed);
    auto notBlack = [](const Pixel& p) { return p[0] != 0 || p[1] != 0 || p[2] != 0; };
    EXPECT_EQ(Count(picture, notBlack, 0, 0, 8, h), 0) << "seed " << seed;
    EXPECT_EQ(Count(picture, notBlack, w - 4, 0, w, h), 0) << "seed " << seed;
    EXPECT_GT(Count(picture, Red), w * h / 20) << "seed " << seed;
  }
}

// A side under seven pixels leaves no room for the small copy: no glow, only
// black letters over the untouched, transparent picture.
TEST(HaloStyle, TooThinForTheGlowDrawsOnlyTheLetters) {
  const Picture picture = Render(19, "ABCDE", 250, 6, 1);
  EXPECT_EQ(Count(picture, Red), 0);
  EXPECT_GT(Count(picture, [](const Pixel& p) { return p[3] >= 128 && Dark(p); }), 100);
  EXPECT_GT(Count(picture, [](const Pixel& p) { return p[3] == 0; }), 100);
}

}  // namespace
}  // namespace style_tests
