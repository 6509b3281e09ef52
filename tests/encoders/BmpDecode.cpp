#include <cstdlib>

#include "Decoded.h"

namespace encoder_tests {

namespace {

std::uint16_t U16(const std::uint8_t* p) {
  return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t(U16(p)) | (std::uint32_t(U16(p + 2)) << 16);
}

}  // namespace

bool DecodeBmp(std::span<const std::uint8_t> file, DecodedPicture& picture, BmpFacts& facts,
               std::string& error) {
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') {
    error = "no BMP file header";
    return false;
  }
  facts.fileSize = U32(&file[2]);
  facts.pixelOffset = U32(&file[10]);
  facts.infoSize = U32(&file[14]);
  facts.width = std::int32_t(U32(&file[18]));
  facts.height = std::int32_t(U32(&file[22]));
  facts.planes = U16(&file[26]);
  facts.bitCount = U16(&file[28]);
  facts.compression = U32(&file[30]);
  facts.imageSize = U32(&file[34]);
  if (facts.bitCount != 32 || facts.compression != 0 || facts.width <= 0 || facts.height == 0) {
    error = "not an uncompressed 32-bit BMP";
    return false;
  }
  picture.width = std::uint32_t(facts.width);
  picture.height = std::uint32_t(std::abs(facts.height));
  const std::uint64_t rowBytes = std::uint64_t(picture.width) * 4;
  if (facts.pixelOffset > file.size() ||
      rowBytes * picture.height > file.size() - facts.pixelOffset) {
    error = "pixels missing";
    return false;
  }
  picture.rgba.assign(std::size_t(rowBytes) * picture.height, 0);
  for (std::uint32_t y = 0; y < picture.height; ++y) {
    // Positive heights store the bottom row first.
    const std::uint32_t stored = facts.height > 0 ? picture.height - 1 - y : y;
    const std::uint8_t* source = &file[facts.pixelOffset + stored * rowBytes];
    std::uint8_t* target = &picture.rgba[y * rowBytes];
    for (std::uint32_t x = 0; x < picture.width; ++x, source += 4, target += 4) {
      target[0] = source[2];
      target[1] = source[1];
      target[2] = source[0];
      target[3] = source[3];
    }
  }
  return true;
}

}  // namespace encoder_tests
