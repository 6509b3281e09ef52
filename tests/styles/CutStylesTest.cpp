// Letters seen through straight lines between the top and bottom tenths of
// the picture: red letters cut by lines in the green ground colour, and
// letters made only of light strips on white.
#include <algorithm>
#include <cmath>
#include <vector>

#include "LetterMask.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::Color;
using Gdiplus::PointF;
using Gdiplus::RectF;

constexpr int kCut = 40;
constexpr int kCollage = 42;

int Lines(int width, int height, float factor) {
  return int(factor * std::log(float(width) * float(height)));
}
// Cut: four draws per line (both ends, y first). Collage: three colour
// channels before the ends of each line.
std::uint64_t Cut(int width, int height) {
  return kFrameSteps + 4 * std::uint64_t(Lines(width, height, 2.1f));
}
std::uint64_t Collage(int width, int height) {
  return kFrameSteps + 7 * std::uint64_t(Lines(width, height, 42.1f));
}

INSTANTIATE_TEST_SUITE_P(Cut, StepCounts,
                         ::testing::Values(StepCase{kCut, 250, 50, "ABCDE", kFrameSteps + 4 * 19},
                                           StepCase{kCut, 173, 61, "ABCDE", Cut(173, 61)},
                                           StepCase{kCut, 1, 2, "AB", Cut(1, 2)},
                                           // One pixel: no lines at all.
                                           StepCase{kCut, 1, 1, "ABCDE", kFrameSteps},
                                           StepCase{kCollage, 250, 50, "ABCDE",
                                                    kFrameSteps + 7 * 397},
                                           StepCase{kCollage, 173, 61, "ABCDE", Collage(173, 61)},
                                           StepCase{kCollage, 2, 1, "", Collage(2, 1)},
                                           StepCase{kCollage, 1, 1, "ABCDE", kFrameSteps}));

struct Segment {
  Color color;
  PointF top, bottom;
};

// The lines the style draws, taken from the engine where the frame left it.
std::vector<Segment> DrawnLines(LetterMask& mask, int width, int height, float factor,
                                bool colored) {
  const float w = float(width), h = float(height);
  const RectF upper(0, 0, w, 0.1f * h), lower(0, 0.9f * h, w, 0.1f * h);
  std::vector<Segment> lines;
  for (int i = 0; i < Lines(width, height, factor); ++i) {
    Segment s{Color(0xFFFFFFFF), {}, {}};
    if (colored) s.color = mask.rand.NextColor(50, 255, 50, 255, 50, 255);
    s.bottom = mask.rand.NextPoint(lower);
    s.top = mask.rand.NextPoint(upper);
    lines.push_back(s);
  }
  return lines;
}

// Distance of pixel centre (x, y) across the line, or a large value where the
// point lies beyond or within a pixel of either end.
float Across(const Segment& s, float x, float y) {
  const float dx = s.bottom.X - s.top.X, dy = s.bottom.Y - s.top.Y;
  const float length = std::hypot(dx, dy);
  const float along = ((x - s.top.X) * dx + (y - s.top.Y) * dy) / length;
  if (along < 1.0f || along > length - 1.0f) return 1e9f;
  return std::fabs((x - s.top.X) * dy - (y - s.top.Y) * dx) / length;
}
// Distance of (x, y) to the nearest point of the line, ends included.
float Nearest(const Segment& s, float x, float y) {
  const float dx = s.bottom.X - s.top.X, dy = s.bottom.Y - s.top.Y;
  float t = ((x - s.top.X) * dx + (y - s.top.Y) * dy) / (dx * dx + dy * dy);
  t = std::fmin(1.0f, std::fmax(0.0f, t));
  return std::hypot(x - (s.top.X + t * dx), y - (s.top.Y + t * dy));
}

bool Equals(const Pixel& p, const Color& c) {
  return p[0] == c.GetR() && p[1] == c.GetG() && p[2] == c.GetB() && p[3] == 255;
}

// 1 or 0 when the mask agrees on the pixel and all its neighbours, else -1:
// a sharp corner of a letter may cover part of a pixel whose neighbours'
// centres all lie on the other side.
int Deep(const LetterMask& mask, int x, int y) {
  const int centre = mask.At(x, y);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (mask.At(x + dx, y + dy) != centre) return -1;
  return centre;
}

struct LinesCase {
  int style;
  std::int32_t seed;
  int width, height;
};
class LinePixels : public ::testing::TestWithParam<LinesCase> {};

// Half a pixel's diagonal: a pen edge this far from a pixel centre no longer
// reaches the pixel.
constexpr float kReach = 0.71f;

// Off the letters: the plain ground. On them, each pixel well inside a line
// shows that line (the last drawn, for Collage), and Cut's letters stay red
// away from every line.
TEST_P(LinePixels, LinesShowOnlyThroughTheLettersInListOrder) {
  const LinesCase& c = GetParam();
  const float w = float(c.width), h = float(c.height);
  const bool collage = c.style == kCollage;
  const RectF outer = collage ? RectF(0.05f * w, 0.05f * h, 0.9f * w, 0.9f * h) : RectF(0, 0, w, h);
  LetterMask mask(c.seed, "ABCDE", c.style, Gdiplus::FontStyleBold, outer,
                  RectF(0.2f * w, 0.2f * h, 0.6f * w, 0.6f * h));
  const std::vector<Segment> lines =
      DrawnLines(mask, c.width, c.height, collage ? 42.1f : 2.1f, collage);
  const float halfWidth = collage ? 2.5f : 1.25f;
  const Color ground(collage ? 0xFFFFFFFF : 0xFF008000), letter(0xFFFF0000);

  const Picture picture = Render(c.style, "ABCDE", c.width, c.height, c.seed);
  int groundWrong = 0, covered = 0, coveredWrong = 0, clear = 0, clearWrong = 0;
  int letterPixels = 0, letterWhite = 0, dark = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
      const int inside = Deep(mask, x, y);
      if (inside == 0 && !Equals(p, ground)) ++groundWrong;
      if (std::min({p[0], p[1], p[2]}) < 50) ++dark;
      if (inside != 1) continue;
      ++letterPixels;
      if (Equals(p, Color(0xFFFFFFFF))) ++letterWhite;
      // The last line that reaches the pixel decides it when it covers it.
      const Segment* last = nullptr;
      bool full = false;
      for (const Segment& s : lines) {
        if (Nearest(s, float(x), float(y)) < halfWidth + kReach) {
          last = &s;
          full = Across(s, float(x), float(y)) < halfWidth - kReach;
        }
      }
      if (last == nullptr) {
        ++clear;
        if (!Equals(p, collage ? ground : letter)) ++clearWrong;
      } else if (full) {
        ++covered;
        if (!Equals(p, collage ? last->color : ground)) ++coveredWrong;
      }
    }
  EXPECT_EQ(groundWrong, 0);
  EXPECT_GT(covered, 40);
  EXPECT_EQ(coveredWrong, 0);
  EXPECT_EQ(clearWrong, 0);
  if (collage) {
    // Hundreds of strips in light colours leave next to nothing of the
    // letters white.
    EXPECT_LT(letterWhite * 50, letterPixels);
    EXPECT_EQ(dark, 0);
  } else {
    EXPECT_GT(clear, letterPixels / 2);  // a few lines leave most of the letters red
  }
}

INSTANTIATE_TEST_SUITE_P(CutAndCollage, LinePixels,
                         ::testing::Values(LinesCase{kCut, 1, 250, 50},
                                           LinesCase{kCut, 77, 400, 120},
                                           LinesCase{kCollage, 3, 250, 50},
                                           LinesCase{kCollage, 2024, 400, 120}));

}  // namespace
}  // namespace style_tests
