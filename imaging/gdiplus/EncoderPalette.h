// An 8-bit palette for a 32-bit picture, as GIF needs. Alpha plays no part:
// every pixel counts with its stored colour.
//
// A picture of at most 256 distinct colours keeps them exactly. Otherwise
// the palette comes from median cut over a histogram with 5 bits per
// channel: it follows the picture's own colours (a few hues with smooth
// anti-aliased ramps in typical pictures here), where a fixed 6 x 6 x 6 cube
// spends most entries on colours that never occur and bands those ramps.
// Pixels are mapped to their box's colour without dithering, which keeps
// edges clean and LZW runs long.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "EncoderPixels.h"
#include "GdiplusTypes.h"

namespace Gdiplus {

struct PaletteColor {
  BYTE red = 0;
  BYTE green = 0;
  BYTE blue = 0;
};

class EncoderPalette {
 public:
  static constexpr UINT kMaxColors = 256;

  // Builds the palette of a valid picture. Throws std::bad_alloc.
  explicit EncoderPalette(const EncoderPixels& pixels);

  UINT Size() const { return size_; }
  const std::array<PaletteColor, kMaxColors>& Colors() const { return colors_; }
  // True when every pixel's colour is in the palette unchanged.
  bool IsExact() const { return exact_; }

  // Palette indices of one row of B, G, R, A pixels.
  void MapRow(const BYTE* bgra, UINT width, BYTE* indices) const;

 private:
  bool CollectExactColors(const EncoderPixels& pixels);
  void BuildMedianCut(const EncoderPixels& pixels);
  int FindExact(std::uint32_t rgb) const;
  bool InsertExact(std::uint32_t rgb);

  std::array<PaletteColor, kMaxColors> colors_{};
  UINT size_ = 0;
  bool exact_ = false;
  // Exact mode: open-addressed table of 24-bit colours and their indices.
  std::vector<std::uint32_t> exactKeys_;
  std::vector<BYTE> exactIndices_;
  // Median-cut mode: palette index of every 5-bit-per-channel cell.
  std::vector<BYTE> cellIndices_;
};

}  // namespace Gdiplus
