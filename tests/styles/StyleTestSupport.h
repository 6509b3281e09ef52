// What the style tests share: drawing a code in a style through picture
// creation, reading the encoded picture back, and asking decoded pixels.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "PictureTestSupport.h"

namespace style_tests {

using picture_tests::Seed;
using picture_tests::Steps;
using Pixel = std::array<std::uint8_t, 4>;  // R, G, B, A
using Picture = encoder_tests::DecodedPicture;

// The code drawn in `style` from engine seed `seed`, encoded as `format` and
// decoded again by that format's reference decoder.
Picture Render(int style, const std::string& code, int width = 250, int height = 50,
               std::int32_t seed = 1, const std::string& format = "PNG");

// Pixels of `picture` for which `predicate` holds, over the whole picture or
// the rectangle [x0, x1) × [y0, y1).
int Count(const Picture& picture, const std::function<bool(const Pixel&)>& predicate);
int Count(const Picture& picture, const std::function<bool(const Pixel&)>& predicate, int x0,
          int y0, int x1, int y1);

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

}  // namespace style_tests
