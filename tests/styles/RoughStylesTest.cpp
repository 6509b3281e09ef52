// Letters spattered with dots: stippled black and white on white (Rough),
// or green-yellow letters splashed with blobs of their colour (PaintMess).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "Bitmap.h"
#include "Graphics.h"
#include "GraphicsPath.h"
#include "LetterMask.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::Color;
using Gdiplus::RectF;

// Two draws per dot: n black and n/10 white in the letters, n/10 black and
// n/7 white on the outline band, n/10 black and n/7 white over the picture,
// with n = 0.4 W H. The code's length does not matter.
std::uint64_t Rough(int w, int h) {
  const std::uint64_t n = AreaCount(w, h, 0.4f);
  return kFrameSteps + 2 * (n + n / 10 + n / 10 + n / 7 + n / 10 + n / 7);
}

// (int)(12 · ln(W · H)) blobs of four draws each: the point, then width and
// height.
std::uint64_t PaintMess(int w, int h) {
  return kFrameSteps + 4 * std::uint64_t(int(12.0f * std::log(float(w) * float(h))));
}

INSTANTIATE_TEST_SUITE_P(
    Rough, StepCounts,
    ::testing::Values(StepCase{15, 250, 50, "ABCDE", kFrameSteps + 2 * 7928},
                      StepCase{45, 250, 50, "ABCDE", kFrameSteps + 4 * 113},
                      StepCase{15, 173, 61, "ABCDE", Rough(173, 61)},
                      StepCase{45, 173, 61, "XY7", PaintMess(173, 61)},
                      StepCase{15, 250, 50, std::string(64, 'M'), Rough(250, 50)},
                      StepCase{15, 1, 2, "ABCDE", kFrameSteps},        // n = 0
                      StepCase{15, 5, 4, "A", kFrameSteps + 2 * 10},   // n = 8: n/7 = 1
                      StepCase{45, 1, 1, "ABCDE", kFrameSteps},        // no blobs
                      StepCase{45, 2, 1, "A", kFrameSteps + 4 * 8}));  // 8 blobs of size 0

RectF Inner(int w, int h) {
  return RectF(0.2f * w, 0.2f * h, 0.6f * w, 0.6f * h);
}

bool Is(const Pixel& p, const Color& c, int tolerance = 0) {
  return std::abs(p[0] - c.GetR()) <= tolerance && std::abs(p[1] - c.GetG()) <= tolerance &&
         std::abs(p[2] - c.GetB()) <= tolerance && p[3] == 255;
}

bool White(const Pixel& p) {
  return p[0] == 255 && p[1] == 255 && p[2] == 255 && p[3] == 255;
}
// A pixel covered whole by black; a 1 × 1 dot never covers one whole, the
// centre pixel of a 2 × 2 dot always is.
bool Solid(const Pixel& p) {
  return std::max({p[0], p[1], p[2]}) < 40;
}

struct Tally {
  int pixels = 0, white = 0, solid = 0;
  long luma = 0;
  int MeanLuma() const { return int(luma / std::max(pixels, 1)); }
};

// The ground is white but for light grain, the letters are grey stipple with
// no solid fill, and whole black pixels (the larger dots) gather along the
// outlines rather than deep inside the strokes.
TEST(Rough, DotsMakeTheLettersAndLargerOnesRoughenTheirEdges) {
  const int w = 800, h = 200;
  for (std::int32_t seed : {1, 77, 4242}) {
    const LetterMask mask(seed, "ABCDE", 15, Gdiplus::FontStyleRegular, RectF(0, 0, w, h),
                          Inner(w, h));
    const Picture picture = Render(15, "ABCDE", w, h, seed);
    Tally ground, deep, edge;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        const int at = mask.At(x, y);
        Tally& t = at == 0 ? ground : at == 1 ? deep : edge;
        ++t.pixels;
        t.white += White(p);
        t.solid += Solid(p);
        t.luma += Luma(p);
      }
    ASSERT_GT(deep.pixels, 5000) << "seed " << seed;
    EXPECT_GT(ground.white, ground.pixels * 3 / 4) << "seed " << seed;
    EXPECT_LT(deep.MeanLuma() + 40, ground.MeanLuma()) << "seed " << seed;
    EXPECT_LT(deep.solid, deep.pixels / 100) << "seed " << seed;
    EXPECT_GT(edge.solid, 100) << "seed " << seed;
    EXPECT_GT(edge.solid * deep.pixels, 10 * deep.solid * edge.pixels) << "seed " << seed;
  }
}

struct Blob {
  int x, y, w, h;
};

// Off the letters and blobs the ground is plain tomato red; deep in the
// letters it is plain green-yellow, blobs or not, since they share the
// colour; a blob's middle shows the letter colour even on the ground.
TEST(PaintMess, BlobsOfTheLetterColourSplashLettersAndGround) {
  const int w = 250, h = 50;
  const Color ground(0xFFFF6347), letters(0xFFADFF2F);
  int blobsOnGround = 0;
  for (std::int32_t seed : {2, 13, 31}) {
    const LetterMask mask(seed, "ABCDE", 45, Gdiplus::FontStyleBold,
                          RectF(0.1f * w, 0.1f * h, 0.8f * w, 0.8f * h), Inner(w, h));
    const float logArea = std::log(float(w * h));
    const int count = int(12.0f * logArea), bound = int(0.8f * logArea);
    std::vector<Blob> blobs;
    for (int i = 0; i < count; ++i) {
      const Gdiplus::PointF pt = mask.rand.NextPoint(mask.rectFBorders);
      const int bw = mask.rand.Next(0, bound);
      blobs.push_back({int(pt.X), int(pt.Y), bw, mask.rand.Next(0, bound)});
    }

    const Picture picture = Render(45, "ABCDE", w, h, seed);
    auto at = [&](int x, int y) { return picture.At(std::uint32_t(x), std::uint32_t(y)); };
    int wrong = 0, groundSeen = 0, lettersSeen = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        bool nearBlob = false;
        for (const Blob& b : blobs)
          nearBlob |= b.w > 0 && b.h > 0 && x >= b.x - 1 && x <= b.x + b.w && y >= b.y - 1 &&
                      y <= b.y + b.h;
        const int letter = mask.At(x, y);
        if (letter == 1) {
          ++lettersSeen;
          // The letters are filled with anti-aliasing: a pixel well inside
          // may still be grazed at a sharp corner.
          wrong += !Is(at(x, y), letters, 16);
        } else if (letter == 0 && !nearBlob) {
          ++groundSeen;
          wrong += !Is(at(x, y), ground);
        }
      }
    for (const Blob& b : blobs) {
      const int cx = b.x + b.w / 2, cy = b.y + b.h / 2;
      if (b.w < 4 || b.h < 4 || cx >= w || cy >= h || mask.At(cx, cy) != 0) continue;
      ++blobsOnGround;
      wrong += !Is(at(cx, cy), letters);
    }
    EXPECT_EQ(wrong, 0) << "seed " << seed;
    EXPECT_GT(lettersSeen, 500) << "seed " << seed;
    EXPECT_GT(groundSeen, 5000) << "seed " << seed;
  }
  EXPECT_GT(blobsOnGround, 10);
}

// Pictures whose drawing leaves nothing but the ground: Rough without a
// single dot, and PaintMess without letters, its blobs all of size 0.
struct PlainCase {
  int style, width, height;
  std::string code;
  Color color;
};

class PlainPictures : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainPictures, OnlyTheGroundShows) {
  const PlainCase c = GetParam();
  EXPECT_EQ(Count(Render(c.style, c.code, c.width, c.height),
                  [&](const Pixel& p) { return Is(p, c.color); }),
            c.width * c.height);
}

INSTANTIATE_TEST_SUITE_P(Rough, PlainPictures,
                         ::testing::Values(PlainCase{15, 1, 2, "ABCDE", Color(0xFFFFFFFF)},
                                           // 16 blobs, each at most 0 pixels across.
                                           PlainCase{45, 2, 2, "     ", Color(0xFFFF6347)}));

}  // namespace
}  // namespace style_tests
