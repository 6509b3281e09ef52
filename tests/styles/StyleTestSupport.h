// What the style tests share: drawing a code in a style through picture
// creation, reading the encoded picture back, asking decoded pixels, and
// working out again from the seed where a style's frame and letters lie.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GdiplusTypes.h"
#include "PictureTestSupport.h"
#include "RandomClass.h"
#include "Region.h"

namespace style_tests {

using picture_tests::Seed;
using picture_tests::Steps;
using Pixel = std::array<std::uint8_t, 4>;  // R, G, B, A
using Picture = encoder_tests::DecodedPicture;
using Gdiplus::Color;
using Gdiplus::RectF;

// The code drawn in `style` from engine seed `seed`, encoded as `format` and
// decoded again by that format's reference decoder.
Picture Render(int style, const std::string& code, int width = 250, int height = 50,
               std::int32_t seed = 1, const std::string& format = "PNG");

// Pixels of `picture` for which `predicate` holds, over the whole picture or
// the rectangle [x0, x1) × [y0, y1).
int Count(const Picture& picture, const std::function<bool(const Pixel&)>& predicate);
int Count(const Picture& picture, const std::function<bool(const Pixel&)>& predicate, int x0,
          int y0, int x1, int y1);

template <class Visit>
void ForEachPixel(const Picture& picture, Visit visit) {
  for (int y = 0; y < int(picture.height); ++y)
    for (int x = 0; x < int(picture.width); ++x)
      visit(x, y, picture.At(std::uint32_t(x), std::uint32_t(y)));
}

// One row of the step-count table: a style's picture of `code` at
// width × height takes exactly `expected` engine steps. Each style family
// instantiates StepCounts with its own rows, the expected counts worked out
// from the style's description rather than by running its drawing code.
struct StepCase {
  int style;
  int width;
  int height;
  std::string code;
  std::uint64_t expected;
};
std::ostream& operator<<(std::ostream& os, const StepCase& c);
class StepCounts : public ::testing::TestWithParam<StepCase> {};

// The common frame: four draws for the text's rectangle, one for the font.
constexpr std::uint64_t kFrameSteps = 5;
// (int)(W · H · factor) in single precision, as the styles size their loops.
std::uint64_t AreaCount(int width, int height, float factor);

inline int Luma(const Pixel& p) {
  return (299 * p[0] + 587 * p[1] + 114 * p[2]) / 1000;
}

// Opaque and within `tolerance` of `c` in every channel.
bool Is(const Pixel& p, const Color& c, int tolerance = 0);
Pixel Complement(const Pixel& p);
// The most frequent pixel among those `predicate` accepts.
Pixel MostCommon(
    const Picture& picture,
    const std::function<bool(const Pixel&)>& predicate = [](const Pixel&) { return true; });
Pixel Darkest(const Picture& picture);
Pixel Lightest(const Picture& picture);
// How far opaque `p` lies from `from` towards `to`, 0 to 1, as anti-aliased
// edges mix them; -1 when it is no such mix within `tolerance` per channel.
double MixShare(const Pixel& p, const Pixel& from, const Pixel& to, double tolerance = 2.5);
Pixel Opaque(const Color& c);

// The rectangle of fractions (x, y, w, h) of a width × height picture.
RectF Part(int width, int height, float x, float y, float w, float h);

// The text's rectangle a style draws between `outer` and `inner` from engine
// seed `seed`; the engine is left right after it.
RectF SeededFrame(std::int32_t seed, const RectF& outer, const RectF& inner);

// Where the letters of a style lie, worked out again from the seed: the
// engine is seeded, the random frame and the font are drawn as such a style
// draws them, and the fitted outline (or the text bent between the guide
// curves) is turned into a pixel mask. The engine is left right after the
// frame, so a test can go on with the style's own draws.
class LetterMask {
 public:
  LetterMask(std::int32_t seed, const std::string& code, int style, Gdiplus::INT fontStyle,
             const RectF& outer, const RectF& inner, int width, int height, bool curved = false,
             int margin = 1);

  // 1 when pixel (x, y) and its neighbours up to `margin` pixels away are all
  // inside the letters, 0 when all are outside, -1 near an edge, where
  // anti-aliasing or rounding may go either way.
  int At(int x, int y) const;
  bool Inside(int x, int y) const;

  MirelGlyphward::RandomClass rand;
  RectF rectFBorders;
  Gdiplus::Region letters;

 private:
  int width_, height_, margin_;
  std::vector<char> inside_;  // with a border of `margin` pixels
};

}  // namespace style_tests
