// Letters pushed into each other until the word is one mass: solid black
// (BlackOverlap), or shown only by a band along each letter's outline in the
// same slots (Overlap, Overlap2).
#include <algorithm>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

// The frame's draws, then one overlap per letter, whatever the size.
INSTANTIATE_TEST_SUITE_P(Overlap, StepCounts,
                         ::testing::Values(StepCase{16, 250, 50, "ABCDE", kFrameSteps + 5},
                                           StepCase{16, 173, 61, "W1IMQ7X", kFrameSteps + 7},
                                           StepCase{16, 1, 1, "A", kFrameSteps + 1},
                                           StepCase{17, 250, 50, "ABCDE", kFrameSteps + 5},
                                           StepCase{18, 173, 61, "W1IMQ7X", kFrameSteps + 7},
                                           StepCase{18, 1, 1, "A", kFrameSteps + 1}));

bool Dark(const Pixel& p) {
  return Luma(p) < 128;
}

struct OverlapCase {
  std::string code;
  int w, h;
  std::int32_t seed;
  int whitePercent;  // of the solid letters' dark pixels left white by the outlines, at least
};

void PrintTo(const OverlapCase& c, std::ostream* out) {
  *out << c.code << " " << c.w << "x" << c.h << " seed " << c.seed;
}

class OverlapPictures : public ::testing::TestWithParam<OverlapCase> {};

// Grey only along edges; the slots run edge to edge through the frame, the
// last one ending at its right side, and as every letter spans its slot and
// the slots overlap, no column of the frame is without black. Edges may be
// off by more than a pixel where only a corner touches the frame or two
// letters' anti-aliased edges meet.
TEST_P(OverlapPictures, OneBlackMassFillsTheFrame) {
  const OverlapCase& c = GetParam();
  const Picture picture = Render(16, c.code, c.w, c.h, c.seed);
  const RectF frame =
      SeededFrame(c.seed, RectF(0, 0, c.w, c.h), Part(c.w, c.h, 0.1f, 0.1f, 0.5f, 0.5f));
  EXPECT_EQ(
      Count(picture, [](const Pixel& p) { return p[0] != p[1] || p[1] != p[2] || p[3] != 255; }),
      0);
  int left = c.w, right = -1, top = c.h, bottom = -1, emptyColumns = 0;
  ForEachPixel(picture, [&](int x, int y, const Pixel& p) {
    if (!Dark(p)) return;
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  });
  for (int x = int(frame.GetLeft()) + 2; x < frame.GetRight() - 1; ++x)
    emptyColumns += Count(picture, Dark, x, 0, x + 1, c.h) == 0;
  EXPECT_NEAR(left, frame.GetLeft(), 1.5);
  EXPECT_NEAR(right + 1, frame.GetRight(), 1.5);
  EXPECT_NEAR(top, frame.GetTop(), 1.5);
  EXPECT_NEAR(bottom + 1, frame.GetBottom(), 1.5);
  EXPECT_EQ(emptyColumns, 0);
}

// From one seed the solid style and both outline styles choose the same
// frame, face and overlaps. The outline styles then draw the same picture,
// whose black lies along the solid letters' edges (within the band's width
// and a pixel of anti-aliasing) and leaves their insides white, except
// where strokes are hardly wider than two bands.
TEST_P(OverlapPictures, OutlinesOfTheSolidLetters) {
  const OverlapCase& c = GetParam();
  const Picture solid = Render(16, c.code, c.w, c.h, c.seed);
  const Picture outline = Render(17, c.code, c.w, c.h, c.seed);
  EXPECT_EQ(outline.rgba, Render(18, c.code, c.w, c.h, c.seed).rgba);
  int solidDark = 0, astray = 0, whiteInside = 0;
  ForEachPixel(solid, [&](int x, int y, const Pixel& p) {
    const Pixel q = outline.At(std::uint32_t(x), std::uint32_t(y));
    solidDark += Dark(p);
    whiteInside += Dark(p) && Luma(q) > 250;
    astray += Dark(q) && Count(
                             solid, [](const Pixel& s) { return Luma(s) < 250; }, x - 3, y - 3,
                             x + 4, y + 4) == 0;
  });
  EXPECT_GT(Count(outline, Dark), 0);
  EXPECT_EQ(astray, 0);
  EXPECT_GE(100 * whiteInside, c.whitePercent * solidDark);
}

INSTANTIATE_TEST_SUITE_P(Overlap, OverlapPictures,
                         ::testing::Values(OverlapCase{"ABCDE", 250, 50, 1, 25},
                                           OverlapCase{"W1IMQ7X", 250, 50, 2, 5},
                                           OverlapCase{"H", 173, 61, 3, 25},
                                           OverlapCase{"W1IMQ7X", 800, 200, 4, 25}));

}  // namespace
}  // namespace style_tests
