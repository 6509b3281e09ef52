#include <gtest/gtest.h>

#include <ostream>

#include "CaptchaEngine.h"
#include "CreatePicture.h"
#include "GdiplusStartup.h"
#include "PictureTestSupport.h"
#include "TestSupport.h"

using namespace picture_tests;
using testing_support::ArrayBytes;
using testing_support::Bstr;
using testing_support::CaptchaPtr;
using testing_support::FreshEngine;
using testing_support::TakeErrorDescription;

namespace {

struct FormatCase {
  const char16_t* put;
  std::string format;
  std::vector<unsigned char> signature;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
  *out << c.format;
}

class Formats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Formats, DefaultPictureDecodesBackAtItsSize) {
  FreshEngine(555);
  CaptchaPtr captcha;
  Bstr format(GetParam().put);
  captcha->put_Format(format.value);
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(captcha->CreateImage(&result), S_OK);
  const std::vector<unsigned char> bytes = ArrayBytes(result);
  VariantClear(&result);
  ASSERT_GE(bytes.size(), GetParam().signature.size());
  EXPECT_TRUE(std::equal(GetParam().signature.begin(), GetParam().signature.end(), bytes.begin()));
  const DecodedPicture picture = Decode(GetParam().format, bytes);
  EXPECT_EQ(picture.width, 250u);
  EXPECT_EQ(picture.height, 50u);
  // Five code characters and the chalk frame's five draws.
  EXPECT_EQ(Steps(), 10u);

  // The chalk ground was never painted: transparent where alpha is kept,
  // black where it is not.
  const auto corner = picture.At(0, 49);
  if (GetParam().format == "PNG" || GetParam().format == "TIFF") {
    EXPECT_EQ(corner[3], 0);
  } else {
    EXPECT_LE(corner[0], 8);
    EXPECT_LE(corner[1], 8);
    EXPECT_LE(corner[2], 8);
  }
  int bright = 0;
  for (std::uint32_t y = 0; y < picture.height; ++y)
    for (std::uint32_t x = 0; x < picture.width; ++x) {
      const auto p = picture.At(x, y);
      if (p[0] > 200 && p[1] > 200 && p[2] > 200 && p[3] > 200) ++bright;
    }
  EXPECT_GT(bright, 100);
}

INSTANTIATE_TEST_SUITE_P(
    AllFive, Formats,
    ::testing::Values(FormatCase{u"jpg", "JPEG", {0xFF, 0xD8, 0xFF}},
                      FormatCase{u"png", "PNG", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}},
                      FormatCase{u"gif", "GIF", {'G', 'I', 'F', '8', '9', 'a'}},
                      FormatCase{u"tiff", "TIFF", {'I', 'I', 42, 0}},
                      FormatCase{u"bmp", "BMP", {'B', 'M'}}));

TEST(CreatePicture, UnsupportedFormatFailsAfterTheNewCodeIsSet) {
  FreshEngine(9);
  CaptchaPtr captcha;
  Bstr format(u"xyz");
  captcha->put_Format(format.value);
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(captcha->CreateImage(&result), E_FAIL);
  EXPECT_EQ(result.vt, VT_EMPTY);
  EXPECT_EQ(TakeErrorDescription(), u"This picture format is not supported !");
  EXPECT_EQ(testing_support::Value(captcha.p).size(), 5u);
  // The picture was drawn before the format was looked at.
  EXPECT_EQ(Steps(), 10u);
}

TEST(CreatePicture, FormatComparisonIsCaseSensitive) {
  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
  EXPECT_THROW(MirelGlyphward::CreatePicture("AB", {250, 50}, 31, "Png", bytes, count),
               std::string);
  MirelGlyphward::CreatePicture("AB", {250, 50}, 31, "PNG", bytes, count);
  EXPECT_GT(count, 8);
}

struct BadRequest {
  std::int32_t width, height, style;
  std::u16string message;
};

void PrintTo(const BadRequest& c, std::ostream* out) {
  *out << c.width << "x" << c.height << " style " << c.style;
}

class BadRequests : public ::testing::TestWithParam<BadRequest> {};

TEST_P(BadRequests, FailBeforeDrawingWithAMessage) {
  FreshEngine(10);
  CaptchaPtr captcha;
  captcha->put_ImageWidth(GetParam().width);
  captcha->put_ImageHeight(GetParam().height);
  captcha->put_TextStyle(GetParam().style);
  Bstr code(u"KEEPME");
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(captcha->CreateImageFromCode(code.value, &result), E_FAIL);
  EXPECT_EQ(TakeErrorDescription(), GetParam().message);
  EXPECT_EQ(testing_support::Value(captcha.p), u"KEEPME");
  EXPECT_EQ(Steps(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, BadRequests,
    ::testing::Values(BadRequest{0, 50, 31, u"The picture width and height must be positive !"},
                      BadRequest{-3, 50, 31, u"The picture width and height must be positive !"},
                      BadRequest{4097, 50, 31, u"The picture is too large !"},
                      BadRequest{250, 4097, 31, u"The picture is too large !"},
                      BadRequest{4096, 1025, 31, u"The picture is too large !"},
                      BadRequest{250, 50, 50, u"This text style is not supported !"},
                      BadRequest{250, 50, -1, u"This text style is not supported !"}));

TEST(CreatePicture, LargestAllowedPictureIsMade) {
  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
  Seed(1);
  MirelGlyphward::CreatePicture("AB", {4096, 1024}, 31, "BMP", bytes, count);
  EXPECT_EQ(count, 14 + 40 + 4096 * 1024 * 4);
}

TEST(CreatePicture, TwoCreationsGiveTwoPictures) {
  FreshEngine(12);
  CaptchaPtr captcha;
  Bstr format(u"png");
  captcha->put_Format(format.value);
  VARIANT a, b;
  VariantInit(&a);
  VariantInit(&b);
  ASSERT_EQ(captcha->CreateImage(&a), S_OK);
  ASSERT_EQ(captcha->CreateImage(&b), S_OK);
  EXPECT_NE(ArrayBytes(a), ArrayBytes(b));
  VariantClear(&a);
  VariantClear(&b);
}

TEST(CreatePicture, EveryPathShutsTheGraphicsSessionDown) {
  std::shared_ptr<unsigned char[]> bytes;
  std::int32_t count = 0;
  MirelGlyphward::CreatePicture("AB", {250, 50}, 31, "GIF", bytes, count);
  EXPECT_EQ(Gdiplus::GdiplusActiveSessions(), 0);
  EXPECT_THROW(MirelGlyphward::CreatePicture("AB", {250, 50}, 31, "XYZ", bytes, count),
               std::string);
  EXPECT_EQ(Gdiplus::GdiplusActiveSessions(), 0);
  EXPECT_THROW(MirelGlyphward::CreatePicture("AB", {0, 50}, 31, "GIF", bytes, count), std::string);
  EXPECT_EQ(Gdiplus::GdiplusActiveSessions(), 0);
}

TEST(CreatePicture, GraphicsSessionsCountAndRefuseOtherVersions) {
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
  EXPECT_NE(token, 0u);
  EXPECT_EQ(Gdiplus::GdiplusActiveSessions(), 1);
  input.GdiplusVersion = 2;
  ULONG_PTR other = 7;
  EXPECT_EQ(Gdiplus::GdiplusStartup(&other, &input, nullptr), Gdiplus::UnsupportedGdiplusVersion);
  EXPECT_EQ(other, 0u);
  Gdiplus::GdiplusShutdown(token);
  EXPECT_EQ(Gdiplus::GdiplusActiveSessions(), 0);
}

TEST(CreatePicture, EncoderLookupFindsEveryMimeTypeInOrder) {
  CLSID clsid{};
  EXPECT_EQ(MirelGlyphward::GetEncoderClsid(u"image/bmp", &clsid), 0);
  EXPECT_EQ(MirelGlyphward::GetEncoderClsid(u"image/jpeg", &clsid), 1);
  EXPECT_EQ(MirelGlyphward::GetEncoderClsid(u"image/png", &clsid), 4);
  EXPECT_EQ(clsid.Data1, 0x557CF406u);
  EXPECT_EQ(MirelGlyphward::GetEncoderClsid(u"image/PNG", &clsid), -1);
  EXPECT_EQ(MirelGlyphward::GetEncoderClsid(u"image/webp", &clsid), -1);
}

}  // namespace
