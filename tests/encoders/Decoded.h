// Pictures read back through each format's reference decoder, with the facts
// of the file that the encoders promise.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace encoder_tests {

using Bytes = std::vector<std::uint8_t>;

struct DecodedPicture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  // R, G, B, A per pixel, rows top to bottom; A is 255 where the format has
  // no alpha.
  Bytes rgba;

  std::array<std::uint8_t, 4> At(std::uint32_t x, std::uint32_t y) const {
    const std::uint8_t* p = &rgba[(std::size_t(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
};

struct JpegFacts {
  int components = 0;
  int lumaH = 0, lumaV = 0, chromaH = 0, chromaV = 0;
  bool jfif = false;
  int densityUnit = 0, xDensity = 0, yDensity = 0;
};

struct PngFacts {
  int colorType = -1;
  int bitDepth = 0;
};

struct GifFacts {
  std::string signature;  // the first six bytes
  int imageCount = 0;
  bool hasGraphicsControl = false;
  int colorCount = 0;
};

struct TiffFacts {
  std::uint16_t bitsPerSample = 0;
  std::uint16_t samplesPerPixel = 0;
  std::uint16_t photometric = 0;
  std::uint16_t compression = 0;
  std::uint16_t planarConfig = 0;
  std::vector<std::uint16_t> extraSamples;
};

struct BmpFacts {
  std::uint32_t fileSize = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
};

// Each returns false, with the decoder's complaint in error, when the file
// does not decode.
bool DecodeJpeg(std::span<const std::uint8_t> file, DecodedPicture& picture, JpegFacts& facts,
                std::string& error);
bool DecodePng(std::span<const std::uint8_t> file, DecodedPicture& picture, PngFacts& facts,
               std::string& error);
bool DecodeGif(std::span<const std::uint8_t> file, DecodedPicture& picture, GifFacts& facts,
               std::string& error);
bool DecodeTiff(std::span<const std::uint8_t> file, DecodedPicture& picture, TiffFacts& facts,
                std::string& error);
// BMP has no reference library here; this reader takes the 32-bit BI_RGB
// files the encoder writes, bottom-up or top-down.
bool DecodeBmp(std::span<const std::uint8_t> file, DecodedPicture& picture, BmpFacts& facts,
               std::string& error);

}  // namespace encoder_tests
