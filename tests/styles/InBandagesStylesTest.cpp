// Solid letters cut by lines in the ground colour: thick strips across the
// whole picture (InBandages), or thin lines and rings inside the letters
// (SpiderWeb).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "LetterMask.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::Color;
using Gdiplus::PointF;
using Gdiplus::RectF;

// (int)(factor · ln(W · H)) lines of four draws each (two points, y first).
std::uint64_t Lines(int w, int h, float factor) {
  return std::uint64_t(int(factor * std::log(float(w) * float(h))));
}
// Then three draws for InBandages' letter colour, two for SpiderWeb's centre.
std::uint64_t Bandages(int w, int h) {
  return kFrameSteps + 4 * Lines(w, h, 1.1f) + 3;
}
std::uint64_t Web(int w, int h) {
  return kFrameSteps + 4 * Lines(w, h, 3.6f) + 2;
}

// Doubling both sides adds ln 4 to the logarithm: 1.5 lines more in
// InBandages, 5 in SpiderWeb. One pixel has no lines; two have none in
// InBandages (1.1 · ln 2 < 1) but two in SpiderWeb.
INSTANTIATE_TEST_SUITE_P(InBandages, StepCounts,
                         ::testing::Values(StepCase{43, 250, 50, "ABCDE", kFrameSteps + 4 * 10 + 3},
                                           StepCase{41, 250, 50, "ABCDE", kFrameSteps + 4 * 33 + 2},
                                           StepCase{43, 500, 100, "ABCDE", Bandages(500, 100)},
                                           StepCase{41, 500, 100, "ABCDE", Web(500, 100)},
                                           StepCase{43, 173, 61, "XY7", Bandages(173, 61)},
                                           StepCase{41, 173, 61, "XY7", Web(173, 61)},
                                           StepCase{43, 1, 1, "ABCDE", kFrameSteps + 3},
                                           StepCase{41, 1, 1, "ABCDE", kFrameSteps + 2},
                                           StepCase{43, 2, 1, "", kFrameSteps + 3},
                                           StepCase{41, 1, 2, "A", kFrameSteps + 4 * 2 + 2}));

struct Segment {
  PointF top, bottom;
};

// The lines drawn as the style draws them, right after its frame.
std::vector<Segment> DrawLines(const LetterMask& mask, int w, int h, float factor) {
  const RectF upper(0, 0, float(w), 0.1f * float(h));
  const RectF lower(0, 0.9f * float(h), float(w), 0.1f * float(h));
  std::vector<Segment> lines(Lines(w, h, factor));
  for (Segment& line : lines) {
    line.bottom = mask.rand.NextPoint(lower);
    line.top = mask.rand.NextPoint(upper);
  }
  return lines;
}

// Distance from (x, y) to the segment, and whether the foot of the
// perpendicular lies at least `margin` inside both ends.
float Distance(const Segment& s, float x, float y, float margin, bool* inside) {
  const float dx = s.bottom.X - s.top.X, dy = s.bottom.Y - s.top.Y;
  const float length = std::sqrt(dx * dx + dy * dy);
  const float along = ((x - s.top.X) * dx + (y - s.top.Y) * dy) / length;
  *inside = along >= margin && along <= length - margin;
  const float t = std::clamp(along, 0.0f, length);
  const float px = s.top.X + dx * t / length, py = s.top.Y + dy * t / length;
  return std::hypot(x - px, y - py);
}

bool Is(const Pixel& p, const Color& c, int tolerance = 0) {
  return std::abs(p[0] - c.GetR()) <= tolerance && std::abs(p[1] - c.GetG()) <= tolerance &&
         std::abs(p[2] - c.GetB()) <= tolerance && p[3] == 255;
}

RectF Inner(int w, int h) {
  return RectF(0.2f * w, 0.2f * h, 0.6f * w, 0.6f * h);
}

// The strips are 3.1 pixels wide and not clipped: a letter pixel whose
// centre lies within 0.8 of a strip's middle takes the ground colour whole,
// one more than 2.3 away keeps the letter colour, and the ground stays
// plain, since the strips have its very colour. The colours are a dark one
// and its complement.
TEST(InBandages, StripsCutTheLettersAndVanishOnTheGround) {
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 77, 4242}) {
    const LetterMask mask(seed, "ABCDE", 43, Gdiplus::FontStyleBold, RectF(0, 0, w, h),
                          Inner(w, h));
    const std::vector<Segment> lines = DrawLines(mask, w, h, 1.1f);
    const Color letters = mask.rand.NextColor(0, 100, 0, 100, 0, 100);
    const Color ground(255 - letters.GetR(), 255 - letters.GetG(), 255 - letters.GetB());
    for (int c : {letters.GetR(), letters.GetG(), letters.GetB()}) EXPECT_LT(c, 100);

    const Picture picture = Render(43, "ABCDE", w, h, seed);
    int wrong = 0, cut = 0, kept = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        const int letter = mask.At(x, y);
        if (letter == 0) {
          wrong += !Is(p, ground);
          continue;
        }
        if (letter != 1) continue;
        float nearest = 1e9f;
        bool onStrip = false;
        for (const Segment& line : lines) {
          bool inside = false;
          const float d = Distance(line, float(x), float(y), 2.0f, &inside);
          nearest = std::min(nearest, d);
          onStrip |= inside && d < 0.8f;
        }
        if (onStrip) {
          ++cut;
          wrong += !Is(p, ground);
        } else if (nearest > 2.3f) {
          ++kept;
          // Anti-aliasing may graze a pixel well inside at a sharp corner.
          wrong += !Is(p, letters, 16);
        }
      }
    EXPECT_EQ(wrong, 0) << "seed " << seed;
    EXPECT_GT(cut, 50) << "seed " << seed;
    EXPECT_GT(kept, 1000) << "seed " << seed;
  }
}

// Every picture pixel a mix of the two colours, nothing else drawn.
bool BlendOf(const Pixel& p, const Color& a, const Color& b) {
  const double t = double(p[0] - a.GetR()) / double(b.GetR() - a.GetR());
  if (t < -0.01 || t > 1.01 || p[3] != 255) return false;
  return std::fabs(a.GetG() + t * (b.GetG() - a.GetG()) - p[1]) <= 2.5 &&
         std::fabs(a.GetB() + t * (b.GetB() - a.GetB()) - p[2]) <= 2.5;
}

// Outside the letters the ground is plain light yellow: lines and rings are
// kept inside them. Inside, rings 5 pixels apart (each square's corner
// truncated, so at most 6 apart) leave no 7 × 7 block of pure blue, yet
// thin as they are most of the blue remains.
TEST(SpiderWeb, WebCoversTheLettersAndNothingElse) {
  const int w = 500, h = 100;
  const Color blue(0xFF0000FF), lightYellow(0xFFFFFFE0);
  for (std::int32_t seed : {3, 64, 1000}) {
    const LetterMask mask(seed, "ABCDE", 41, Gdiplus::FontStyleBold, RectF(0, 0, w, h),
                          Inner(w, h));
    const Picture picture = Render(41, "ABCDE", w, h, seed);
    int wrongGround = 0, notBlend = 0, letterPixels = 0, pureBlue = 0;
    std::vector<char> blueAt(std::size_t(w) * h), letterAt(std::size_t(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        const int letter = mask.At(x, y);
        wrongGround += letter == 0 && !Is(p, lightYellow);
        notBlend += !BlendOf(p, blue, lightYellow);
        letterAt[std::size_t(y) * w + x] = letter == 1;
        blueAt[std::size_t(y) * w + x] = Is(p, blue);
        letterPixels += letter == 1;
        pureBlue += letter == 1 && Is(p, blue);
      }
    int blocks = 0, solidBlocks = 0;
    for (int y = 0; y + 7 <= h; ++y)
      for (int x = 0; x + 7 <= w; ++x) {
        bool allLetter = true, allBlue = true;
        for (int dy = 0; dy < 7; ++dy)
          for (int dx = 0; dx < 7; ++dx) {
            allLetter &= letterAt[std::size_t(y + dy) * w + x + dx] != 0;
            allBlue &= blueAt[std::size_t(y + dy) * w + x + dx] != 0;
          }
        blocks += allLetter;
        solidBlocks += allLetter && allBlue;
      }
    EXPECT_EQ(wrongGround, 0) << "seed " << seed;
    EXPECT_EQ(notBlend, 0) << "seed " << seed;
    EXPECT_GT(blocks, 100) << "seed " << seed;
    EXPECT_EQ(solidBlocks, 0) << "seed " << seed;
    EXPECT_GT(pureBlue, letterPixels / 3) << "seed " << seed;
  }
}

}  // namespace
}  // namespace style_tests
