// What the chessboard floor shared by the chess styles shows on decoded
// pixels: only opaque black and white; squares laid out from the floor's
// corners as drawn from the seed; letters in the colour opposite to the
// square beneath them.
#pragma once

#include <cstdint>
#include <ostream>

#include "StyleTestSupport.h"

namespace style_tests {

// One picture size of a chess style and the board it must get. frameSteps:
// the engine steps the style takes before it draws the floor's corners.
struct FloorCase {
  int style;
  std::uint64_t frameSteps;
  int width;
  int height;
  int cols;
  int rows;
};
std::ostream& operator<<(std::ostream& os, const FloorCase& c);
class ChessFloors : public ::testing::TestWithParam<FloorCase> {};

// Every pixel of the style's pictures, at sizes down to one pixel, is opaque
// black or opaque white.
void ExpectPaintedBlackAndWhite(int style);

// A picture with letters set against the bare board of the same seed (a
// blank code makes the same draws and no letters).
struct Inversion {
  int same = 0;
  int blackOverWhite = 0;  // white on the bare board, black under the letters
  int whiteOverBlack = 0;
  int other = 0;
};
Inversion CompareWithBareBoard(const Picture& lettered, const Picture& bare);
bool Inverted(const Pixel& lettered, const Pixel& bare);

}  // namespace style_tests
