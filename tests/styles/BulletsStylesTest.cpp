// Solid letters with round holes of the ground colour shot through them.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "LetterMask.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::Color;
using Gdiplus::RectF;

// The frame, three draws for style 49's letter colour, then a point and a
// diameter for every hole; the holes grow in number with ln(W · H).
std::uint64_t Bullets(int style, int w, int h) {
  const int count = int(8.0f * std::log(float(w) * float(h)));
  return kFrameSteps + (style == 49 ? 3 : 0) + 3 * std::uint64_t(count);
}

INSTANTIATE_TEST_SUITE_P(Bullets, StepCounts,
                         ::testing::Values(StepCase{48, 250, 50, "ABCDE", Bullets(48, 250, 50)},
                                           StepCase{49, 250, 50, "ABCDE", Bullets(49, 250, 50)},
                                           StepCase{48, 173, 61, "AB", Bullets(48, 173, 61)},
                                           StepCase{49, 400, 100, "ABCDE",
                                                    kFrameSteps + 3 + 3 * 84},
                                           StepCase{48, 3, 4, "A", Bullets(48, 3, 4)},
                                           StepCase{49, 1, 1, "A", kFrameSteps + 3}));

struct Hole {
  int x, y, d;
};

bool Is(const Pixel& p, const Color& c, int tolerance = 0) {
  return std::abs(p[0] - c.GetR()) <= tolerance && std::abs(p[1] - c.GetG()) <= tolerance &&
         std::abs(p[2] - c.GetB()) <= tolerance && p[3] == 255;
}

class BulletsStyle : public ::testing::TestWithParam<int> {};

// Off the letters the picture is all ground; on them it is the letter colour
// except where a hole went through, and a hole's middle is always ground.
TEST_P(BulletsStyle, HolesShowTheGroundThroughTheLetters) {
  const int style = GetParam(), w = 250, h = 50;
  int holesThroughLetters = 0;
  for (std::int32_t seed : {2, 13, 31}) {
    const LetterMask mask(seed, "ABCDE", style, Gdiplus::FontStyleBold,
                          RectF(0.1f * w, 0.1f * h, 0.8f * w, 0.8f * h),
                          RectF(0.2f * w, 0.2f * h, 0.6f * w, 0.6f * h));
    Color letters(0xFFFF0000), ground(0xFF008000);
    if (style == 49) {
      letters = mask.rand.NextColor(0, 100, 0, 100, 0, 100);
      ground = Color(255 - letters.GetR(), 255 - letters.GetG(), 255 - letters.GetB());
    }
    const int count = int(8.0f * std::log(float(w * h)));
    const int maxDiameter = int(0.8f * std::log(float(w * h)));
    std::vector<Hole> holes;
    for (int i = 0; i < count; ++i) {
      const Gdiplus::PointF pt = mask.rand.NextPoint(mask.rectFBorders);
      holes.push_back({int(pt.X), int(pt.Y), mask.rand.Next(0, maxDiameter)});
    }

    const Picture picture = Render(style, "ABCDE", w, h, seed);
    auto at = [&](int x, int y) { return picture.At(std::uint32_t(x), std::uint32_t(y)); };
    int wrong = 0, lettersSeen = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        bool nearHole = false;
        for (const Hole& hole : holes)
          nearHole |= hole.d > 0 && x >= hole.x - 1 && x <= hole.x + hole.d && y >= hole.y - 1 &&
                      y <= hole.y + hole.d;
        const int letter = mask.At(x, y);
        if (letter == 0 && !Is(at(x, y), ground)) ++wrong;
        if (letter == 1 && !nearHole) {
          ++lettersSeen;
          // The letters are filled with anti-aliasing: a pixel well inside
          // may still be grazed at a sharp corner.
          if (!Is(at(x, y), letters, 16)) ++wrong;
        }
      }
    for (const Hole& hole : holes) {
      const int cx = hole.x + hole.d / 2, cy = hole.y + hole.d / 2;
      if (hole.d < 4 || cx >= w || cy >= h) continue;
      if (!Is(at(cx, cy), ground)) ++wrong;
      if (mask.At(cx, cy) == 1) ++holesThroughLetters;
    }
    EXPECT_EQ(wrong, 0) << "seed " << seed;
    EXPECT_GT(lettersSeen, 500) << "seed " << seed;
  }
  EXPECT_GT(holesThroughLetters, 10);
}

INSTANTIATE_TEST_SUITE_P(Bullets, BulletsStyle, ::testing::Values(48, 49));

}  // namespace
}  // namespace style_tests
