// Ancient mosaic: curved letters made of black and white dots on a white
// ground, larger dots along the letter outlines, and a light noise of dots.
#include <algorithm>
#include <vector>

#include "CurvedText.h"
#include "Font.h"
#include "RandomClass.h"
#include "Region.h"
#include "StyleTestSupport.h"

namespace style_tests {
namespace {

using Gdiplus::RectF;

// Two draws per dot: n small black and n/10 white in the letters, n/2 black
// and n/7 white large ones on the outline band, n/10 black and n/7 white of
// noise, with n = 0.4 W H. The code's length does not matter.
std::uint64_t Mosaic(int w, int h) {
  const std::uint64_t n = AreaCount(w, h, 0.4f);
  return kFrameSteps + 2 * (n + n / 10 + n / 2 + n / 7 + n / 10 + n / 7);
}

INSTANTIATE_TEST_SUITE_P(
    AncientMosaic, StepCounts,
    ::testing::Values(StepCase{33, 250, 50, "ABCDE", kFrameSteps + 2 * 9928},
                      StepCase{33, 173, 61, "ABCDE", Mosaic(173, 61)},
                      StepCase{33, 250, 50, std::string(64, 'M'), Mosaic(250, 50)},
                      StepCase{33, 1, 2, "ABCDE", kFrameSteps},         // n = 0
                      StepCase{33, 4, 4, "A", kFrameSteps + 2 * 9},     // n = 6: n/7 = 0
                      StepCase{33, 5, 4, "A", kFrameSteps + 2 * 14}));  // n = 8: n/7 = 1

// Where the bent letters of ABCDE lie, worked out again from the seed: the
// frame and font draws, then the letters bent into the frame. Each pixel is
// deep inside (+1: every pixel within three of it is on a letter), well
// outside (0: none is) or near an outline (-1).
class MosaicLetters {
 public:
  MosaicLetters(std::int32_t seed, int w, int h) : width_(w), height_(h) {
    Seed(seed);
    const MirelGlyphward::RandomClass rand;
    rectFBorders = rand.NextBorders(RectF(0, 0, float(w), float(h)),
                                    RectF(0.1f * w, 0.1f * h, 0.85f * w, 0.8f * h));
    const std::u16string fontName = rand.NextFontName(33);
    const Gdiplus::Font font(fontName.c_str(), 200.0f, Gdiplus::FontStyleRegular,
                             Gdiplus::UnitPoint);
    std::vector<Gdiplus::PointF> arrTop, arrBottom;
    MirelGlyphward::CurvedText::LoadCurves(1, arrTop, arrBottom);
    MirelGlyphward::CurvedText objCurvedText(arrTop, arrBottom);
    const Gdiplus::Region letters(objCurvedText.CreatePath(rectFBorders, u"ABCDE", font).get());
    on_.resize(std::size_t(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) on_[std::size_t(y) * w + x] = letters.IsVisible(x, y);
  }

  int At(int x, int y) const {
    int on = 0, all = 0;
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) {
        const int px = std::clamp(x + dx, 0, width_ - 1), py = std::clamp(y + dy, 0, height_ - 1);
        on += on_[std::size_t(py) * width_ + px];
        ++all;
      }
    return on == all ? 1 : on == 0 ? 0 : -1;
  }

  RectF rectFBorders;

 private:
  int width_, height_;
  std::vector<char> on_;
};

bool White(const Pixel& p) {
  return p[0] == 255 && p[1] == 255 && p[2] == 255 && p[3] == 255;
}
// A pixel covered whole by a black dot; small dots never cover one whole.
bool Solid(const Pixel& p) {
  return std::max({p[0], p[1], p[2]}) < 40;
}

struct Tally {
  int pixels = 0, white = 0, solid = 0;
  long luma = 0;
};

// The ground is white but for light noise, the letters are grey with dots,
// and whole black pixels (the large dots) sit only along the outlines, not
// deep inside the strokes.
TEST(AncientMosaic, DotsMakeTheLettersAndLargeOnesTheirOutlines) {
  const int w = 1000, h = 400;
  for (std::int32_t seed : {1, 2}) {
    const MosaicLetters letters(seed, w, h);
    const Picture picture = Render(33, "ABCDE", w, h, seed);
    Tally ground, deep, edge;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
        const int at = letters.At(x, y);
        Tally& t = at == 0 ? ground : at == 1 ? deep : edge;
        ++t.pixels;
        t.white += White(p);
        t.solid += Solid(p);
        t.luma += Luma(p);
      }
    ASSERT_GT(deep.pixels, 10000) << "seed " << seed;
    EXPECT_GT(ground.white, ground.pixels * 3 / 4) << "seed " << seed;
    EXPECT_LT(deep.luma / deep.pixels + 40, ground.luma / ground.pixels) << "seed " << seed;
    EXPECT_GT(edge.solid, 1000) << "seed " << seed;
    EXPECT_LT(deep.solid, edge.solid / 50) << "seed " << seed;
    EXPECT_LT(ground.solid, edge.solid / 50) << "seed " << seed;
  }
}

// Away from the text's frame only the light noise touches the white ground.
TEST(AncientMosaic, NothingButNoiseOutsideTheFrame) {
  const int w = 400, h = 100;
  int outside = 0, white = 0, dark = 0;
  for (std::int32_t seed : {3, 4, 5}) {
    const RectF frame = MosaicLetters(seed, w, h).rectFBorders;
    const Picture picture = Render(33, "ABCDE", w, h, seed);
    // Dots thrown at the frame's edge spread up to two pixels beyond it.
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (x < frame.X - 3 || x > frame.GetRight() + 3 || y < frame.Y - 3 ||
            y > frame.GetBottom() + 3) {
          const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
          ++outside;
          white += White(p);
          dark += Luma(p) < 128;
        }
  }
  ASSERT_GT(outside, 1000);
  EXPECT_GT(white, outside * 3 / 4);
  EXPECT_LT(dark, outside / 100);
}

// Without a single dot the picture is the white ground alone.
TEST(AncientMosaic, TinyPictureIsWhite) {
  EXPECT_EQ(Count(Render(33, "ABCDE", 1, 2), White), 2);
}

}  // namespace
}  // namespace style_tests
