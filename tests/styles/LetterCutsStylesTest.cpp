// Letters cut by straight lines between the bottom and top tenths of the
// picture: in the ground colour through red letters (Cut), light strips that
// alone make the letters (Collage), thick strips (InBandages), thin lines and
// rings (SpiderWeb, CaughtInNet).
#include <algorithm>
#include <cmath>
#include <vector>

#include "Bitmap.h"
#include "LetterCuts.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using MirelGlyphward::ColoredLine;

std::uint64_t Lines(int w, int h, float factor) {
  return std::uint64_t(int(factor * std::log(float(w) * float(h))));
}

// Four draws per line (both ends, y first); Collage draws three colour
// channels first. Then InBandages and CaughtInNet 47 draw their colour,
// SpiderWeb and CaughtInNet the centre of their rings.
INSTANTIATE_TEST_SUITE_P(
    LetterCuts, StepCounts,
    ::testing::Values(StepCase{40, 250, 50, "ABCDE", kFrameSteps + 4 * 19},
                      StepCase{40, 1, 1, "ABCDE", kFrameSteps},  // one pixel: no lines at all
                      StepCase{42, 250, 50, "ABCDE", kFrameSteps + 7 * 397},
                      StepCase{42, 2, 1, "", kFrameSteps + 7 * Lines(2, 1, 42.1f)},
                      StepCase{43, 250, 50, "ABCDE", kFrameSteps + 4 * 10 + 3},
                      StepCase{43, 173, 61, "XY7", kFrameSteps + 4 * Lines(173, 61, 1.1f) + 3},
                      StepCase{43, 2, 1, "", kFrameSteps + 3},  // 1.1 ln 2 < 1
                      StepCase{41, 250, 50, "ABCDE", kFrameSteps + 4 * 33 + 2},
                      StepCase{41, 1, 2, "A", kFrameSteps + 4 * 2 + 2},
                      StepCase{46, 250, 50, "ABCDE", kFrameSteps + 4 * 28 + 2},
                      StepCase{47, 173, 61, "XY7", kFrameSteps + 4 * Lines(173, 61, 3.0f) + 3 + 2},
                      StepCase{47, 1, 1, "ABCDE", kFrameSteps + 3 + 2}));

// The lines run between the outer tenths of the whole picture, bottom end
// drawn first; coloured lines draw their colour before their ends.
TEST(LetterCuts, LinesJoinTheBottomAndTopTenthsOfThePicture) {
  Gdiplus::Bitmap bitmap(300, 100);
  std::vector<ColoredLine> lines;
  Seed(12);
  MirelGlyphward::CreateLines(bitmap, 3.0f, 0xFFFFFFFF, lines);
  EXPECT_EQ(Steps(), 4u * 30);  // (int)(3 · ln 30000) = 30
  MirelGlyphward::CreateColoredLines(bitmap, 2.1f, 50, 255, lines);
  EXPECT_EQ(Steps(), 4u * 30 + 7u * 21);  // (int)(2.1 · ln 30000) = 21
  ASSERT_EQ(lines.size(), 51u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ColoredLine& line = lines[i];
    EXPECT_TRUE(line.ptBottom.Y >= 90 && line.ptBottom.Y < 100 && line.ptTop.Y >= 0 &&
                line.ptTop.Y < 10 && line.ptBottom.X >= 0 && line.ptBottom.X < 300 &&
                line.ptTop.X >= 0 && line.ptTop.X < 300)
        << "line " << i;
    const Pixel color = Opaque(Color(line.color));
    if (i < 30) {
      EXPECT_EQ(line.color, 0xFFFFFFFFu);
    } else {
      EXPECT_TRUE(std::min({color[0], color[1], color[2]}) >= 50 && (line.color >> 24) == 255 &&
                  std::max({color[0], color[1], color[2]}) < 255)
          << "line " << i;
    }
  }
}

// The lines a style makes after its frame, from where the frame left the engine.
std::vector<ColoredLine> LinesAfterFrame(int w, int h, float factor, bool colored) {
  Gdiplus::Bitmap bitmap(w, h);
  std::vector<ColoredLine> lines;
  if (colored)
    MirelGlyphward::CreateColoredLines(bitmap, factor, 50, 255, lines);
  else
    MirelGlyphward::CreateLines(bitmap, factor, 0xFFFFFFFF, lines);
  return lines;
}

// Distance of pixel centre (x, y) across the line, or a large value where it
// lies beyond either end or within `margin` of it.
float Across(const ColoredLine& s, float x, float y, float margin) {
  const float dx = s.ptBottom.X - s.ptTop.X, dy = s.ptBottom.Y - s.ptTop.Y;
  const float length = std::hypot(dx, dy);
  const float along = ((x - s.ptTop.X) * dx + (y - s.ptTop.Y) * dy) / length;
  if (along < margin || along > length - margin) return 1e9f;
  return std::fabs((x - s.ptTop.X) * dy - (y - s.ptTop.Y) * dx) / length;
}
// Distance of (x, y) to the nearest point of the line, ends included.
float Nearest(const ColoredLine& s, float x, float y) {
  const float dx = s.ptBottom.X - s.ptTop.X, dy = s.ptBottom.Y - s.ptTop.Y;
  const float t =
      std::clamp(((x - s.ptTop.X) * dx + (y - s.ptTop.Y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
  return std::hypot(x - (s.ptTop.X + t * dx), y - (s.ptTop.Y + t * dy));
}

struct LinesCase {
  int style;
  std::int32_t seed;
  int width, height;
};
void PrintTo(const LinesCase& c, std::ostream* out) {
  *out << "style " << c.style << " " << c.width << "x" << c.height << " seed " << c.seed;
}
class LinePixels : public ::testing::TestWithParam<LinesCase> {};

// Half a pixel's diagonal: a pen edge this far from a pixel centre no longer
// reaches the pixel.
constexpr float kReach = 0.71f;

// Off the letters: the plain ground. On them, each pixel well inside a line
// shows that line (the last drawn, for Collage), and Cut's letters stay red
// away from every line. A sharp corner of a letter may cover part of a pixel
// whose neighbours' centres all lie on the other side: a margin of two.
TEST_P(LinePixels, LinesShowOnlyThroughTheLettersInListOrder) {
  const LinesCase& c = GetParam();
  const int w = c.width, h = c.height;
  const bool collage = c.style == 42;
  const LetterMask mask(c.seed, "ABCDE", c.style, Gdiplus::FontStyleBold,
                        collage ? Part(w, h, 0.05f, 0.05f, 0.9f, 0.9f) : RectF(0, 0, w, h),
                        Part(w, h, 0.2f, 0.2f, 0.6f, 0.6f), w, h, false, 2);
  const std::vector<ColoredLine> lines = LinesAfterFrame(w, h, collage ? 42.1f : 2.1f, collage);
  const float halfWidth = collage ? 2.5f : 1.25f;
  const Color ground(collage ? 0xFFFFFFFF : 0xFF008000), letter(0xFFFF0000);
  int groundWrong = 0, covered = 0, coveredWrong = 0, clear = 0, clearWrong = 0;
  int letterPixels = 0, letterWhite = 0, dark = 0;
  ForEachPixel(Render(c.style, "ABCDE", w, h, c.seed), [&](int x, int y, const Pixel& p) {
    const int inside = mask.At(x, y);
    groundWrong += inside == 0 && !Is(p, ground);
    dark += std::min({p[0], p[1], p[2]}) < 50;
    if (inside != 1) return;
    ++letterPixels;
    letterWhite += Is(p, Color(0xFFFFFFFF));
    // The last line that reaches the pixel decides it when it covers it.
    const ColoredLine* last = nullptr;
    bool full = false;
    for (const ColoredLine& s : lines)
      if (Nearest(s, float(x), float(y)) < halfWidth + kReach)
        last = &s, full = Across(s, float(x), float(y), 1.0f) < halfWidth - kReach;
    if (last == nullptr) {
      ++clear;
      clearWrong += !Is(p, collage ? ground : letter);
    } else if (full) {
      ++covered;
      coveredWrong += !Is(p, collage ? Color(last->color) : ground);
    }
  });
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
                         ::testing::Values(LinesCase{40, 1, 250, 50}, LinesCase{40, 77, 400, 120},
                                           LinesCase{42, 3, 250, 50},
                                           LinesCase{42, 2024, 400, 120}));

// The strips are 3.1 pixels wide and not clipped: a letter pixel whose
// centre lies within 0.8 of a strip's middle takes the ground colour whole,
// one more than 2.3 away keeps the letter colour, and the ground stays
// plain, since the strips have its very colour. The colours are a dark one
// and its complement.
TEST(InBandages, StripsCutTheLettersAndVanishOnTheGround) {
  const int w = 250, h = 50;
  for (std::int32_t seed : {1, 77, 4242}) {
    const LetterMask mask(seed, "ABCDE", 43, Gdiplus::FontStyleBold, RectF(0, 0, w, h),
                          Part(w, h, 0.2f, 0.2f, 0.6f, 0.6f), w, h);
    const std::vector<ColoredLine> lines = LinesAfterFrame(w, h, 1.1f, false);
    const Color letters = mask.rand.NextColor(0, 100, 0, 100, 0, 100);
    const Color ground(255 - letters.GetR(), 255 - letters.GetG(), 255 - letters.GetB());
    int wrong = 0, cut = 0, kept = 0;
    ForEachPixel(Render(43, "ABCDE", w, h, seed), [&](int x, int y, const Pixel& p) {
      const int letter = mask.At(x, y);
      if (letter == 0) wrong += !Is(p, ground);
      if (letter != 1) return;
      float nearest = 1e9f;
      bool onStrip = false;
      for (const ColoredLine& line : lines) {
        nearest = std::min(nearest, Nearest(line, float(x), float(y)));
        onStrip |= Across(line, float(x), float(y), 2.0f) < 0.8f;
      }
      if (onStrip) {
        ++cut;
        wrong += !Is(p, ground);
      } else if (nearest > 2.3f) {
        ++kept;
        wrong += !Is(p, letters, 16);  // anti-aliasing may graze a sharp corner
      }
    });
    EXPECT_EQ(wrong, 0) << "seed " << seed;
    EXPECT_GT(cut, 50) << "seed " << seed;
    EXPECT_GT(kept, 1000) << "seed " << seed;
  }
}

// No 6 × 6 (SpiderWeb: 7 × 7) block of pure letter colour survives rings 5
// pixels apart (each square's corner truncated, so at most 6 apart).
int SolidLetterBlocks(const Picture& picture, const LetterMask* mask, const Pixel& letter,
                      int side) {
  int blocks = 0;
  for (int y = 0; y + side <= int(picture.height); ++y)
    for (int x = 0; x + side <= int(picture.width); ++x) {
      bool all = true;
      for (int dy = 0; dy < side && all; ++dy)
        for (int dx = 0; dx < side && all; ++dx)
          all = picture.At(x + dx, y + dy) == letter && (!mask || mask->At(x + dx, y + dy) == 1);
      blocks += all;
    }
  return blocks;
}

// Outside the letters the ground is plain light yellow: lines and rings are
// kept inside them. Every pixel is a mix of blue and light yellow, and thin
// as the web is, most of the blue remains.
TEST(SpiderWeb, WebCoversTheLettersAndNothingElse) {
  const int w = 500, h = 100;
  const Pixel blue{0, 0, 255, 255}, lightYellow{255, 255, 224, 255};
  for (std::int32_t seed : {3, 64, 1000}) {
    const LetterMask mask(seed, "ABCDE", 41, Gdiplus::FontStyleBold, RectF(0, 0, w, h),
                          Part(w, h, 0.2f, 0.2f, 0.6f, 0.6f), w, h);
    const Picture picture = Render(41, "ABCDE", w, h, seed);
    int wrongGround = 0, notMixed = 0, letterPixels = 0, pureBlue = 0;
    ForEachPixel(picture, [&](int x, int y, const Pixel& p) {
      wrongGround += mask.At(x, y) == 0 && p != lightYellow;
      notMixed += MixShare(p, blue, lightYellow) < 0;
      letterPixels += mask.At(x, y) == 1;
      pureBlue += mask.At(x, y) == 1 && p == blue;
    });
    EXPECT_EQ(wrongGround, 0) << "seed " << seed;
    EXPECT_EQ(notMixed, 0) << "seed " << seed;
    EXPECT_EQ(SolidLetterBlocks(picture, &mask, blue, 7), 0) << "seed " << seed;
    EXPECT_GT(pureBlue, letterPixels / 3) << "seed " << seed;
  }
}

class NetPictures : public ::testing::TestWithParam<std::pair<int, std::int32_t>> {};

// The most common colour is the ground (style 46: dark blue; 47: light), the
// letters its complement; every pixel is a mix of the two, and the net cuts
// every part of the letters.
TEST_P(NetPictures, LettersAreCutByTheNetInTheGroundColour) {
  const auto [style, seed] = GetParam();
  const Picture picture = Render(style, "ABCDE", 250, 50, seed);
  const Pixel ground = MostCommon(picture), letter = Complement(ground);
  if (style == 46) {
    EXPECT_EQ(ground, (Pixel{0, 0, 150, 255}));
  } else {
    for (int channel = 0; channel < 3; ++channel) EXPECT_GE(ground[channel], 156);
  }
  const int total = int(picture.width * picture.height);
  EXPECT_GT(Count(picture, [&](const Pixel& p) { return p == letter; }), total / 40);
  EXPECT_EQ(Count(picture, [&](const Pixel& p) { return MixShare(p, ground, letter) < 0; }), 0);
  EXPECT_EQ(SolidLetterBlocks(picture, nullptr, letter, 6), 0);
}

INSTANTIATE_TEST_SUITE_P(CaughtInNet, NetPictures,
                         ::testing::Values(std::pair{46, 1}, std::pair{46, 99}, std::pair{47, 5},
                                           std::pair{47, 2024}));

}  // namespace
}  // namespace style_tests
