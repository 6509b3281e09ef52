#include "StyleTestSupport.h"

#include <gtest/gtest.h>

#include "CreatePicture.h"

namespace style_tests {

Picture Render(int style, const std::string& code, int width, int height, std::int32_t seed,
               const std::string& format) {
  Seed(seed);
  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
  MirelGlyphward::CreatePicture(code, {width, height}, style, format, bytes, count);
  Picture picture =
      picture_tests::Decode(format, std::vector<unsigned char>(bytes.get(), bytes.get() + count));
  EXPECT_EQ(picture.width, std::uint32_t(width));
  EXPECT_EQ(picture.height, std::uint32_t(height));
  return picture;
}

int Count(const Picture& picture, const std::function<bool(const Pixel&)>& predicate) {
  return Count(picture, predicate, 0, 0, int(picture.width), int(picture.height));
}

int Count(const Picture& picture, const std::function<bool(const Pixel&)>& predicate, int x0,
          int y0, int x1, int y1) {
  int count = 0;
  for (int y = std::max(y0, 0); y < std::min(y1, int(picture.height)); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, int(picture.width)); ++x)
      if (predicate(picture.At(std::uint32_t(x), std::uint32_t(y)))) ++count;
  return count;
}

}  // namespace style_tests
