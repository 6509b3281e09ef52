#include <png.h>

#include "Decoded.h"

namespace encoder_tests {

namespace {

// Owns the decoder state behind libpng's simplified reading interface, which
// keeps libpng's error handling inside libpng.
class PngImage {
 public:
  PngImage() { image_.version = PNG_IMAGE_VERSION; }
  PngImage(PngImage&& other) noexcept : image_(other.image_) { other.image_.opaque = nullptr; }
  PngImage& operator=(PngImage&& other) noexcept {
    if (this != &other) {
      png_image_free(&image_);
      image_ = other.image_;
      other.image_.opaque = nullptr;
    }
    return *this;
  }
  ~PngImage() { png_image_free(&image_); }
  png_image& get() { return image_; }

 private:
  png_image image_{};
};

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
         p[3];
}

}  // namespace

bool DecodePng(std::span<const std::uint8_t> file, DecodedPicture& picture, PngFacts& facts,
               std::string& error) {
  // The PNG standard: the 8-byte signature, then IHDR with width, height,
  // bit depth and colour type at fixed offsets.
  if (file.size() < 33 || BigEndian32(&file[12]) != 0x49484452u) {
    error = "no IHDR chunk first";
    return false;
  }
  facts.bitDepth = file[24];
  facts.colorType = file[25];

  PngImage image;
  if (!png_image_begin_read_from_memory(&image.get(), file.data(), file.size())) {
    error = image.get().message;
    return false;
  }
  image.get().format = PNG_FORMAT_RGBA;
  picture.width = image.get().width;
  picture.height = image.get().height;
  picture.rgba.assign(PNG_IMAGE_SIZE(image.get()), 0);
  if (!png_image_finish_read(&image.get(), nullptr, picture.rgba.data(), 0, nullptr)) {
    error = image.get().message;
    return false;
  }
  return true;
}

}  // namespace encoder_tests
