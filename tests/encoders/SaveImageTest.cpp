#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <cstring>

#include "BitmapData.h"
#include "EncoderTestSupport.h"
#include "LimitedStream.h"
#include "SaveImage.h"

namespace encoder_tests {
namespace {

using namespace Gdiplus;

struct Format {
  const char* name;
  CLSID clsid;
};

void PrintTo(const Format& value, std::ostream* out) {
  *out << value.name;
}

const std::array<Format, 5> kFormats = {{{"BMP", kBmpEncoder},
                                         {"JPEG", kJpegEncoder},
                                         {"GIF", kGifEncoder},
                                         {"TIFF", kTiffEncoder},
                                         {"PNG", kPngEncoder}}};

class EveryFormat : public testing::TestWithParam<Format> {};

// The quality block goes to every encoder alike; those that take no quality
// ignore it, even with a value JPEG would refuse.
TEST_P(EveryFormat, QualityBlockIsAcceptedAndOnlyJpegUsesIt) {
  auto bitmap = MakeBitmap(250, 50, SmoothColor);
  QualityBlock hundred(100);
  QualityBlock outOfRange(500);
  const Saved plain = SaveToBytes(*bitmap, GetParam().clsid);
  const Saved withQuality = SaveToBytes(*bitmap, GetParam().clsid, &hundred.params);
  ASSERT_EQ(plain.status, Ok);
  ASSERT_EQ(withQuality.status, Ok);
  EXPECT_FALSE(withQuality.bytes.empty());
  const bool isJpeg = GetParam().clsid == kJpegEncoder;
  EXPECT_EQ(plain.bytes == withQuality.bytes, !isJpeg);
  EXPECT_EQ(SaveToBytes(*bitmap, GetParam().clsid, &outOfRange.params).status,
            isJpeg ? InvalidParameter : Ok);
}

// A stream that fills up must give a failure, wherever it stops.
TEST_P(EveryFormat, FullStreamIsReportedAsFailure) {
  auto bitmap = MakeBitmap(250, 50, Noise);
  const Saved whole = SaveToBytes(*bitmap, GetParam().clsid);
  ASSERT_EQ(whole.status, Ok);
  for (const std::size_t limit : {std::size_t(0), std::size_t(1), std::size_t(60),
                                  whole.bytes.size() / 2, whole.bytes.size() - 1}) {
    SCOPED_TRACE(limit);
    LimitedStream stream(limit);
    EXPECT_EQ(SaveImageToStream(bitmap.get(), &stream, &GetParam().clsid, nullptr), Win32Error);
    EXPECT_EQ(stream.references(), 1u);
  }
  LimitedStream exact(whole.bytes.size());
  EXPECT_EQ(SaveImageToStream(bitmap.get(), &exact, &GetParam().clsid, nullptr), Ok);
  EXPECT_EQ(exact.bytes(), whole.bytes);
}

TEST_P(EveryFormat, WritesAtTheCurrentPositionAndLeavesTheBitmapUnlocked) {
  auto bitmap = MakeBitmap(30, 20, AlphaRamp);
  const Saved alone = SaveToBytes(*bitmap, GetParam().clsid);
  ASSERT_EQ(alone.status, Ok);

  StreamRef stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()), S_OK);
  const BYTE prefix[3] = {'X', 'Y', 'Z'};
  ASSERT_EQ(stream.get()->Write(prefix, 3, nullptr), S_OK);
  ASSERT_EQ(SaveImageToStream(bitmap.get(), stream.get(), &GetParam().clsid, nullptr), Ok);
  Bytes expected(prefix, prefix + 3);
  expected.insert(expected.end(), alone.bytes.begin(), alone.bytes.end());
  EXPECT_EQ(ReadAll(stream.get()), expected);

  BitmapData data;
  ASSERT_EQ(bitmap->LockBits(nullptr, ImageLockModeRead, PixelFormat32bppARGB, &data), Ok);
  EXPECT_EQ(bitmap->UnlockBits(&data), Ok);
}

TEST_P(EveryFormat, LockedBitmapIsRefusedAndStaysLocked) {
  auto bitmap = MakeBitmap(8, 8, Noise);
  BitmapData data;
  ASSERT_EQ(bitmap->LockBits(nullptr, ImageLockModeWrite, PixelFormat32bppARGB, &data), Ok);
  const Saved saved = SaveToBytes(*bitmap, GetParam().clsid);
  EXPECT_EQ(saved.status, WrongState);
  EXPECT_TRUE(saved.bytes.empty());
  EXPECT_EQ(bitmap->UnlockBits(&data), Ok);
}

TEST_P(EveryFormat, BitmapWithoutPixelsIsRefused) {
  Bitmap empty(0, 0, PixelFormat32bppARGB);
  const Saved saved = SaveToBytes(empty, GetParam().clsid);
  EXPECT_EQ(saved.status, InvalidParameter);
  EXPECT_TRUE(saved.bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(Encoders, EveryFormat, testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

// GIF stores sizes in 16 bits and baseline JPEG allows at most 65500; the
// other formats take anything a bitmap can be.
TEST(SaveImageToStream, SizesBeyondAFormatsFieldsAreAnOverflow) {
  struct Limit {
    CLSID clsid;
    int largest;
  };
  for (const Limit& limit : {Limit{kGifEncoder, 65535}, Limit{kJpegEncoder, 65500}}) {
    auto fits = MakeBitmap(limit.largest, 1, SmoothColor);
    auto tooWide = MakeBitmap(limit.largest + 1, 1, SmoothColor);
    auto tooTall = MakeBitmap(1, limit.largest + 1, SmoothColor);
    EXPECT_EQ(SaveToBytes(*fits, limit.clsid).status, Ok);
    const Saved wide = SaveToBytes(*tooWide, limit.clsid);
    EXPECT_EQ(wide.status, ValueOverflow);
    EXPECT_TRUE(wide.bytes.empty());
    EXPECT_EQ(SaveToBytes(*tooTall, limit.clsid).status, ValueOverflow);
  }
  auto wide = MakeBitmap(65536, 1, SmoothColor);
  for (const CLSID& clsid : {kBmpEncoder, kTiffEncoder, kPngEncoder}) {
    EXPECT_EQ(SaveToBytes(*wide, clsid).status, Ok);
  }
}

TEST(SaveImageToStream, MissingArgumentsAreInvalid) {
  auto bitmap = MakeBitmap(4, 4, Noise);
  StreamRef stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()), S_OK);
  EXPECT_EQ(SaveImageToStream(nullptr, stream.get(), &kPngEncoder, nullptr), InvalidParameter);
  EXPECT_EQ(SaveImageToStream(bitmap.get(), nullptr, &kPngEncoder, nullptr), InvalidParameter);
  EXPECT_EQ(SaveImageToStream(bitmap.get(), stream.get(), nullptr, nullptr), InvalidParameter);
  EXPECT_TRUE(ReadAll(stream.get()).empty());
}

TEST(SaveImageToStream, UnknownEncoderIsAnUnknownFormat) {
  auto bitmap = MakeBitmap(4, 4, Noise);
  // The EMF and ICO codecs of GDI+ exist, but have no encoder.
  CLSID unknown = kPngEncoder;
  unknown.Data1 = 0x557cf403;
  const Saved saved = SaveToBytes(*bitmap, unknown);
  EXPECT_EQ(saved.status, UnknownImageFormat);
  EXPECT_TRUE(saved.bytes.empty());
}

}  // namespace
}  // namespace encoder_tests
