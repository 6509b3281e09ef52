// WantedCircular: the picture hatched all over with tiny ink arches, dense
// inside the letters and mostly erased around them.
#include <cmath>

#include "Bitmap.h"
#include "Font.h"
#include "Graphics.h"
#include "LetterMask.h"
#include "Pen.h"
#include "Region.h"
#include "StyleTestSupport.h"
#include "Tools.h"

namespace style_tests {
namespace {

using namespace Gdiplus;

// Sixteen draws per arch (its box, seven points); n = W·H/4 black arches
// inside the letters, n/10 erasing ones, then 0.8·n black and 2·n erasing
// ones around them.
std::uint64_t ExpectedSteps(int width, int height) {
  const std::uint64_t n = AreaCount(width, height, 0.25f);
  const auto around = std::uint64_t(std::ceil(0.8 * double(n)));
  return kFrameSteps + 16 * (n + n / 10 + around + 2 * n);
}

INSTANTIATE_TEST_SUITE_P(WantedCircular, StepCounts,
                         ::testing::Values(StepCase{7, 250, 50, "ABCDE", ExpectedSteps(250, 50)},
                                           StepCase{7, 173, 61, "ABCDE", ExpectedSteps(173, 61)},
                                           StepCase{7, 2, 2, "AB", kFrameSteps + 16 * 4},
                                           StepCase{7, 1, 1, "A", kFrameSteps},
                                           StepCase{7, 61, 17, "", ExpectedSteps(61, 17)}));

constexpr ARGB kInk = 0xFF000000;
constexpr ARGB kPaper = 0xFFF5F5F5;

bool Is(const Pixel& p, ARGB c) {
  return p == Pixel{std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c), 255};
}

struct HatchCase {
  std::int32_t seed;
  int width, height;
};

void PrintTo(const HatchCase& c, std::ostream* os) {
  *os << "seed " << c.seed << " " << c.width << "x" << c.height;
}

class WantedCircularPixels : public ::testing::TestWithParam<HatchCase> {};

// Ink and paper only, with no anti-aliased shades; the letters show only
// as far denser ink than the ground, which keeps some ink too.
TEST_P(WantedCircularPixels, LettersAreDenserInk) {
  const HatchCase& c = GetParam();
  const float w = float(c.width), h = float(c.height);
  const LetterMask mask(c.seed, "ABCDE", 7, FontStyleBold, RectF(0, 0, w, h),
                        RectF(0.2f * w, 0.2f * h, 0.6f * w, 0.6f * h));
  const Picture picture = Render(7, "ABCDE", c.width, c.height, c.seed);
  int other = 0, inside = 0, inkInside = 0, outside = 0, inkOutside = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
      other += !Is(p, kInk) && !Is(p, kPaper);
      const int letter = mask.At(x, y);
      if (letter == 1) ++inside, inkInside += Is(p, kInk);
      if (letter == 0) ++outside, inkOutside += Is(p, kInk);
    }
  EXPECT_EQ(other, 0);
  ASSERT_GT(inside, 0);
  ASSERT_GT(outside, 0);
  const double inkIn = double(inkInside) / inside, inkOut = double(inkOutside) / outside;
  EXPECT_GT(inkIn, 0.4) << inkOut;
  EXPECT_GT(inkIn, 4 * inkOut);
  EXPECT_GT(inkOutside, outside / 1000);
}

INSTANTIATE_TEST_SUITE_P(WantedCircular, WantedCircularPixels,
                         ::testing::Values(HatchCase{1, 250, 50}, HatchCase{6, 250, 50},
                                           HatchCase{2, 173, 61}, HatchCase{3, 600, 150}));

// The picture drawn again straight from the description, every arch stroked
// whether or not the clip shows any of it: arches the style leaves out
// because the clip hides them whole leave no trace.
TEST(WantedCircular, ArchesLeftOutWouldLeaveNoTrace) {
  const int width = 173, height = 61;
  const std::int32_t seed = 11;
  const Picture picture = Render(7, "W8Q", width, height, seed);

  Seed(seed);
  Bitmap bitmap(width, height);
  Graphics g(&bitmap);
  g.SetSmoothingMode(SmoothingModeDefault);
  const MirelGlyphward::RandomClass rand;
  const float W = float(width), H = float(height);
  const RectF rectImage(0, 0, W, H);
  const RectF rectFBorders =
      rand.NextBorders(rectImage, RectF(0.2f * W, 0.2f * H, 0.6f * W, 0.6f * H));
  const float boxWidth = W / 60, boxHeight = H / 60, jitter = boxWidth / 3;
  const Font font(rand.NextFontName(7).c_str(), 200.0f, FontStyleBold, UnitPoint);
  g.Clear(Color(kPaper));
  const int n = int(W * H * 0.25f);
  GraphicsPath path(FillModeAlternate);
  MirelGlyphward::Tools::AddFittedString(u"W8Q", font, rectFBorders, &path);
  const Pen ink(Color(kInk), 1.0f), paper(Color(kPaper), 1.0f);
  auto arches = [&](const Pen& pen, double count) {
    for (int i = 0; double(i) < count; ++i) {
      const RectF r = rand.NextRectInside(rectImage, boxWidth, boxHeight);
      const float L = r.X, B = r.GetBottom(), top = B - 1.1f * r.Height;
      const float fractions[7] = {0, 0.2f, 0.3f, 0.5f, 0.7f, 0.8f, 1};
      PointF p[7];
      for (int k = 0; k < 7; ++k)
        p[k] = rand.NextPointAround(PointF(L + fractions[k] * r.Width, k % 3 ? top : B), jitter);
      g.DrawBezier(&pen, p[0], p[1], p[2], p[3]);
      g.DrawBezier(&pen, p[3], p[4], p[5], p[6]);
    }
  };
  g.SetClip(&path, CombineModeReplace);
  arches(ink, n);
  arches(paper, n / 10);
  g.ResetClip();
  const Region rgn(rectImage);
  g.SetClip(&path, CombineModeReplace);
  g.SetClip(&rgn, CombineModeXor);
  arches(ink, 0.8 * n);
  arches(paper, 2.0 * n);
  EXPECT_EQ(Steps(), ExpectedSteps(width, height));

  int differ = 0, inked = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Color c;
      bitmap.GetPixel(x, y, &c);
      const Pixel p = picture.At(std::uint32_t(x), std::uint32_t(y));
      differ += !Is(p, c.GetValue());
      inked += Is(p, kInk);
    }
  EXPECT_GT(inked, 1000);
  EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace style_tests
