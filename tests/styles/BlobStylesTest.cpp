// Solid letters with round blobs thrown over their frame: holes of the ground
// colour shot through the letters (Bullets), or splashes of the letter colour
// on letters and ground alike (PaintMess).
#include <cmath>
#include <vector>

#include "StyleTestSupport.h"

namespace style_tests {
namespace {

int LogCount(float factor, int w, int h) {
  return int(factor * std::log(float(w) * float(h)));
}

// The frame, three draws for style 49's letter colour, then a point and a
// diameter for each of 8 ln(W H) holes; PaintMess: a point, a width and a
// height for each of 12 ln(W H) blobs.
std::uint64_t Bullets(int style, int w, int h) {
  return kFrameSteps + (style == 49 ? 3 : 0) + 3 * std::uint64_t(LogCount(8, w, h));
}
std::uint64_t PaintMess(int w, int h) {
  return kFrameSteps + 4 * std::uint64_t(LogCount(12, w, h));
}

INSTANTIATE_TEST_SUITE_P(
    Blobs, StepCounts,
    ::testing::Values(StepCase{48, 173, 61, "AB", Bullets(48, 173, 61)},
                      StepCase{49, 400, 100, "ABCDE", kFrameSteps + 3 + 3 * 84},
                      StepCase{49, 1, 1, "A", kFrameSteps + 3},
                      StepCase{45, 250, 50, "ABCDE", kFrameSteps + 4 * 113},
                      StepCase{45, 173, 61, "XY7", PaintMess(173, 61)},
                      StepCase{45, 1, 1, "ABCDE", kFrameSteps},        // no blobs
                      StepCase{45, 2, 1, "A", kFrameSteps + 4 * 8}));  // 8 blobs of size 0

struct Blob {
  int x, y, w, h;
};

class BlobPictures : public ::testing::TestWithParam<int> {};

// Away from the blobs, the ground and the letters each show their colour;
// the middle of a blob shows the blob's colour, which tells on the letters
// for holes and on the ground for splashes.
TEST_P(BlobPictures, BlobsShowTheirColourOverLettersAndGround) {
  const int style = GetParam(), w = 250, h = 50;
  int showing = 0;
  for (std::int32_t seed : {2, 13, 31}) {
    const LetterMask mask(seed, "ABCDE", style, Gdiplus::FontStyleBold,
                          Part(w, h, 0.1f, 0.1f, 0.8f, 0.8f), Part(w, h, 0.2f, 0.2f, 0.6f, 0.6f), w,
                          h);
    Color letters(0xFFFF0000), ground(0xFF008000);
    if (style == 49) {
      letters = mask.rand.NextColor(0, 100, 0, 100, 0, 100);
      ground = Color(255 - letters.GetR(), 255 - letters.GetG(), 255 - letters.GetB());
    }
    if (style == 45) letters = Color(0xFFADFF2F), ground = Color(0xFFFF6347);
    const bool holes = style != 45;
    std::vector<Blob> blobs(LogCount(holes ? 8.0f : 12.0f, w, h));
    const int bound = LogCount(0.8f, w, h);
    for (Blob& b : blobs) {
      const Gdiplus::PointF pt = mask.rand.NextPoint(mask.rectFBorders);
      b = {int(pt.X), int(pt.Y), mask.rand.Next(0, bound), 0};
      b.h = holes ? b.w : mask.rand.Next(0, bound);
    }

    const Picture picture = Render(style, "ABCDE", w, h, seed);
    int wrong = 0, lettersSeen = 0;
    ForEachPixel(picture, [&](int x, int y, const Pixel& p) {
      bool nearBlob = false;
      for (const Blob& b : blobs)
        nearBlob |=
            b.w > 0 && b.h > 0 && x >= b.x - 1 && x <= b.x + b.w && y >= b.y - 1 && y <= b.y + b.h;
      const int letter = mask.At(x, y);
      if (nearBlob || letter < 0) return;
      lettersSeen += letter;
      // The letters are filled with anti-aliasing: a pixel well inside may
      // still be grazed at a sharp corner.
      wrong += letter == 1 ? !Is(p, letters, 16) : !Is(p, ground);
    });
    for (const Blob& b : blobs) {
      const int cx = b.x + b.w / 2, cy = b.y + b.h / 2;
      if (b.w < 4 || b.h < 4 || cx >= w || cy >= h) continue;
      wrong += !Is(picture.At(cx, cy), holes ? ground : letters);
      showing += mask.At(cx, cy) == (holes ? 1 : 0);
    }
    EXPECT_EQ(wrong, 0) << "seed " << seed;
    EXPECT_GT(lettersSeen, 500) << "seed " << seed;
  }
  EXPECT_GT(showing, 10);
}

INSTANTIATE_TEST_SUITE_P(Blobs, BlobPictures, ::testing::Values(48, 49, 45));

}  // namespace
}  // namespace style_tests
