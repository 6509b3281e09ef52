// Solid black letters pushed into each other until the word is one mass.
#include <algorithm>
#include <cmath>

#include "RandomClass.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::RectF;

// The frame's draws, then one overlap per letter.
std::uint64_t Expected(const std::string& code) {
  return kFrameSteps + code.size();
}

INSTANTIATE_TEST_SUITE_P(BlackOverlap, StepCounts,
                         ::testing::Values(StepCase{16, 250, 50, "ABCDE", Expected("ABCDE")},
                                           StepCase{16, 250, 50, "A", Expected("A")},
                                           StepCase{16, 250, 50, "W1IMQ7X", Expected("W1IMQ7X")},
                                           StepCase{16, 173, 61, "ABCDE", Expected("ABCDE")},
                                           StepCase{16, 173, 61, "W1IMQ7X", Expected("W1IMQ7X")},
                                           StepCase{16, 1, 1, "ABCDE", Expected("ABCDE")},
                                           StepCase{16, 1, 1, "A", Expected("A")}));

// The random frame the letters fill, drawn again from the seed.
RectF Frame(std::int32_t seed, int w, int h) {
  Seed(seed);
  const MirelGlyphward::RandomClass rand;
  return rand.NextBorders(RectF(0, 0, float(w), float(h)),
                          RectF(0.1f * w, 0.1f * h, 0.5f * w, 0.5f * h));
}

bool Dark(const Pixel& p) {
  return Luma(p) < 128;
}

// Black on white with grey only along edges; the slots run edge to edge
// through the frame, the last one ending at its right side, and as every
// letter spans its slot and the slots overlap, no column of the frame is
// without black. Edges may be off by more than a pixel where only a corner
// touches the frame or two letters' anti-aliased edges meet.
TEST(BlackOverlapStyle, OneBlackMassFillsTheFrame) {
  struct Case {
    std::string code;
    int w, h;
    std::int32_t seed;
  };
  for (const Case& c :
       {Case{"ABCDE", 250, 50, 1}, Case{"W1IMQ7X", 250, 50, 2}, Case{"H", 250, 50, 3},
        Case{"ABCDE", 173, 61, 4}, Case{"W1IMQ7X", 800, 200, 5}}) {
    const Picture picture = Render(16, c.code, c.w, c.h, c.seed);
    const RectF frame = Frame(c.seed, c.w, c.h);
    EXPECT_EQ(
        Count(picture, [](const Pixel& p) { return p[0] != p[1] || p[1] != p[2] || p[3] != 255; }),
        0);
    int left = c.w, right = -1, top = c.h, bottom = -1, emptyColumns = 0;
    for (int x = 0; x < c.w; ++x) {
      const int dark = Count(picture, Dark, x, 0, x + 1, c.h);
      if (dark == 0) {
        if (x > frame.GetLeft() + 1 && x < frame.GetRight() - 1) ++emptyColumns;
        continue;
      }
      left = std::min(left, x), right = std::max(right, x);
      for (int y = 0; y < c.h; ++y)
        if (Dark(picture.At(std::uint32_t(x), std::uint32_t(y))))
          top = std::min(top, y), bottom = std::max(bottom, y);
    }
    SCOPED_TRACE(c.code + " " + std::to_string(c.w) + "x" + std::to_string(c.h));
    EXPECT_NEAR(left, frame.GetLeft(), 1.5);
    EXPECT_NEAR(right + 1, frame.GetRight(), 1.5);
    EXPECT_NEAR(top, frame.GetTop(), 1.5);
    EXPECT_NEAR(bottom + 1, frame.GetBottom(), 1.5);
    EXPECT_EQ(emptyColumns, 0);
  }
}

}  // namespace
}  // namespace style_tests
