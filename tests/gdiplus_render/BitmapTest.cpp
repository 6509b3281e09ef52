#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <cstring>
#include <memory>
#include <ostream>

#include "Bitmap.h"
#include "RenderTestSupport.h"

using namespace Gdiplus;
using RenderTest::PixelAt;

namespace {

struct BadSize {
  INT width;
  INT height;
  Status expected;
};

void PrintTo(const BadSize& size, std::ostream* out) {
  *out << size.width << "x" << size.height;
}

class BitmapBadSize : public testing::TestWithParam<BadSize> {};

TEST_P(BitmapBadSize, ReportsStatusAndHasNoPixels) {
  const BadSize& size = GetParam();
  Bitmap bitmap(size.width, size.height);
  EXPECT_EQ(bitmap.GetLastStatus(), size.expected);
  EXPECT_EQ(bitmap.Surface().scan0, nullptr);
  EXPECT_EQ(bitmap.GetWidth(), 0u);
  Color color;
  EXPECT_EQ(bitmap.GetPixel(0, 0, &color), InvalidParameter);
  EXPECT_EQ(bitmap.SetPixel(0, 0, Color(0xFFFFFFFF)), InvalidParameter);
  BitmapData data;
  EXPECT_EQ(bitmap.LockBits(nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data),
            InvalidParameter);
  EXPECT_EQ(bitmap.Clone(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BitmapBadSize,
    testing::Values(BadSize{0, 10, InvalidParameter}, BadSize{10, 0, InvalidParameter},
                    BadSize{-5, 10, InvalidParameter}, BadSize{10, -1, InvalidParameter},
                    BadSize{INT_MIN, INT_MIN, InvalidParameter},
                    // The stride would not fit a signed 32-bit integer.
                    BadSize{INT_MAX / 4 + 1, 1, InvalidParameter},
                    // Bytes beyond the allocation limit, and beyond size_t on
                    // a naive 32-bit product.
                    BadSize{65536, 65536, OutOfMemory}, BadSize{INT_MAX / 4, INT_MAX, OutOfMemory}),
    [](const testing::TestParamInfo<BadSize>& info) {
      auto text = [](INT v) {
        return v < 0 ? "minus" + std::to_string(-std::int64_t(v)) : std::to_string(v);
      };
      return text(info.param.width) + "x" + text(info.param.height);
    });

TEST(Bitmap, StartsTransparentBlack) {
  Bitmap bitmap(7, 3);
  ASSERT_EQ(bitmap.GetLastStatus(), Ok);
  EXPECT_EQ(bitmap.GetWidth(), 7u);
  EXPECT_EQ(bitmap.GetHeight(), 3u);
  EXPECT_EQ(bitmap.GetPixelFormat(), PixelFormat32bppARGB);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
}

TEST(Bitmap, UnsupportedFormatIsRefused) {
  Bitmap bitmap(4, 4, 0x21808);  // 24 bpp RGB
  EXPECT_EQ(bitmap.GetLastStatus(), InvalidParameter);
}

TEST(Bitmap, GetLastStatusResetsAfterReading) {
  Bitmap bitmap(2, 2);
  Color color;
  EXPECT_EQ(bitmap.GetPixel(5, 5, &color), InvalidParameter);
  EXPECT_EQ(bitmap.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(bitmap.GetLastStatus(), Ok);
}

TEST(Bitmap, SetPixelKeepsStraightColourWithPartialAlpha) {
  Bitmap bitmap(4, 4);
  // Colours that premultiplied storage would round away.
  const ARGB samples[] = {0x80010203, 0x80FFFFFF, 0x01FF8040, 0x00123456, 0xFF000000};
  int x = 0;
  for (ARGB sample : samples) {
    ASSERT_EQ(bitmap.SetPixel(x % 4, x / 4, Color(sample)), Ok);
    EXPECT_EQ(PixelAt(bitmap, x % 4, x / 4), sample);
    ++x;
  }
}

TEST(Bitmap, PixelAccessOutsideIsRefused) {
  Bitmap bitmap(3, 2);
  Color color;
  EXPECT_EQ(bitmap.GetPixel(-1, 0, &color), InvalidParameter);
  EXPECT_EQ(bitmap.GetPixel(3, 0, &color), InvalidParameter);
  EXPECT_EQ(bitmap.GetPixel(0, 2, &color), InvalidParameter);
  EXPECT_EQ(bitmap.GetPixel(0, 0, nullptr), InvalidParameter);
  EXPECT_EQ(bitmap.SetPixel(0, -1, Color(0xFF00FF00)), InvalidParameter);
  EXPECT_EQ(RenderTest::CountPainted(bitmap), 0);
}

TEST(Bitmap, LockBitsGivesBgraRowsWithStride) {
  Bitmap bitmap(5, 4);
  bitmap.SetPixel(2, 1, Color(0x80112233));
  bitmap.SetPixel(4, 3, Color(0xFFA0B0C0));
  const Rect area(2, 1, 3, 3);
  BitmapData data;
  ASSERT_EQ(bitmap.LockBits(&area, ImageLockModeRead, PixelFormat32bppARGB, &data), Ok);
  EXPECT_EQ(data.Width, 3u);
  EXPECT_EQ(data.Height, 3u);
  EXPECT_EQ(data.PixelFormat, PixelFormat32bppARGB);
  EXPECT_GE(data.Stride, 5 * 4);
  const auto* first = static_cast<const BYTE*>(data.Scan0);
  // Byte order in memory: blue, green, red, alpha.
  EXPECT_EQ(first[0], 0x33);
  EXPECT_EQ(first[1], 0x22);
  EXPECT_EQ(first[2], 0x11);
  EXPECT_EQ(first[3], 0x80);
  const BYTE* last = first + 2 * data.Stride + 2 * 4;
  EXPECT_EQ(last[0], 0xC0);
  EXPECT_EQ(last[3], 0xFF);
  EXPECT_EQ(bitmap.UnlockBits(&data), Ok);
}

TEST(Bitmap, LockBitsWriteReachesPixels) {
  Bitmap bitmap(3, 3);
  BitmapData data;
  ASSERT_EQ(bitmap.LockBits(nullptr, ImageLockModeWrite, PixelFormat32bppARGB, &data), Ok);
  auto* row = static_cast<BYTE*>(data.Scan0) + data.Stride;
  const BYTE pixel[4] = {0x01, 0x02, 0x03, 0x04};
  std::memcpy(row + 4, pixel, 4);
  ASSERT_EQ(bitmap.UnlockBits(&data), Ok);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), 0x04030201u);
}

TEST(Bitmap, LockBitsRefusesBadRequests) {
  Bitmap bitmap(4, 4);
  BitmapData data;
  const Rect outside(2, 2, 3, 1);
  const Rect empty(0, 0, 0, 2);
  EXPECT_EQ(bitmap.LockBits(&outside, ImageLockModeRead, PixelFormat32bppARGB, &data),
            InvalidParameter);
  EXPECT_EQ(bitmap.LockBits(&empty, ImageLockModeRead, PixelFormat32bppARGB, &data),
            InvalidParameter);
  EXPECT_EQ(bitmap.LockBits(nullptr, 0, PixelFormat32bppARGB, &data), InvalidParameter);
  EXPECT_EQ(bitmap.LockBits(nullptr, ImageLockModeRead, PixelFormat32bppARGB, nullptr),
            InvalidParameter);
  EXPECT_EQ(bitmap.UnlockBits(&data), WrongState);
  ASSERT_EQ(bitmap.LockBits(nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data), Ok);
  BitmapData second;
  EXPECT_EQ(bitmap.LockBits(nullptr, ImageLockModeRead, PixelFormat32bppARGB, &second), WrongState);
  EXPECT_EQ(bitmap.UnlockBits(&data), Ok);
}

TEST(Bitmap, CloneCopiesTheRectangle) {
  Bitmap bitmap(6, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) bitmap.SetPixel(x, y, Color(ARGB(0x10000000u * (x + 1) + y)));
  }
  std::unique_ptr<Bitmap> part(bitmap.Clone(Rect(2, 1, 3, 4), PixelFormat32bppARGB));
  ASSERT_NE(part, nullptr);
  ASSERT_EQ(part->GetWidth(), 3u);
  ASSERT_EQ(part->GetHeight(), 4u);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(*part, x, y), PixelAt(bitmap, x + 2, y + 1));
  }
  std::unique_ptr<Image> whole(bitmap.Clone());
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(PixelAt(static_cast<Bitmap&>(*whole), 5, 4), PixelAt(bitmap, 5, 4));
  // A copy is independent of its source.
  bitmap.SetPixel(5, 4, Color(0xFF00FF00));
  EXPECT_NE(PixelAt(static_cast<Bitmap&>(*whole), 5, 4), 0xFF00FF00u);
}

TEST(Bitmap, CloneOutsideFails) {
  Bitmap bitmap(6, 5);
  EXPECT_EQ(bitmap.Clone(Rect(4, 0, 3, 1), PixelFormat32bppARGB), nullptr);
  EXPECT_EQ(bitmap.Clone(Rect(-1, 0, 2, 1), PixelFormat32bppARGB), nullptr);
  EXPECT_EQ(bitmap.Clone(Rect(0, 0, 0, 1), PixelFormat32bppARGB), nullptr);
  EXPECT_EQ(bitmap.GetLastStatus(), InvalidParameter);
}

}  // namespace
