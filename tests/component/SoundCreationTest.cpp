#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "TestSupport.h"

using namespace testing_support;

namespace {

std::uint32_t Le32(const std::vector<unsigned char>& b, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

class SoundCreation : public ::testing::Test {
 protected:
  void SetUp() override { FreshEngine(); }

  std::vector<unsigned char> Sound(const char16_t* code) {
    Bstr text(code);
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(captcha->CreateSoundFromCode(text.value, &v), S_OK);
    std::vector<unsigned char> bytes = ArrayBytes(v);
    VariantClear(&v);
    return bytes;
  }

  CaptchaPtr captcha;
};

TEST_F(SoundCreation, EmptyCodeIsABareHeader) {
  captcha->put_CodeLength(0);
  VARIANT v;
  VariantInit(&v);
  ASSERT_EQ(captcha->CreateSound(&v), S_OK);
  const std::vector<unsigned char> bytes = ArrayBytes(v);
  VariantClear(&v);
  ASSERT_EQ(bytes.size(), 44u);
  EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
  EXPECT_EQ(Le32(bytes, 4), 36u);
  EXPECT_EQ(Le32(bytes, 40), 0u);
}

TEST_F(SoundCreation, CaseOfTheCodeDoesNotChangeTheSoundButIsKept) {
  const std::vector<unsigned char> upper = Sound(u"AB2");
  EXPECT_EQ(Value(captcha.p), u"AB2");
  const std::vector<unsigned char> lower = Sound(u"ab2");
  EXPECT_EQ(Value(captcha.p), u"ab2");
  EXPECT_EQ(upper, lower);
  EXPECT_EQ(Le32(upper, 40) + 44, upper.size());
  EXPECT_EQ(Le32(upper, 4) + 8, upper.size());
}

TEST_F(SoundCreation, BadCharacterFailsAfterTheCodeBecomesCurrent) {
  Bstr text(u"A-B");
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I2;
  EXPECT_EQ(captcha->CreateSoundFromCode(text.value, &v), E_FAIL);
  EXPECT_EQ(v.vt, VT_I2);
  EXPECT_EQ(TakeErrorDescription(), u"Letter not found in lookup table !");
  EXPECT_EQ(Value(captcha.p), u"A-B");
}

TEST_F(SoundCreation, CodeOfZeroCharactersCannotBeSpoken) {
  captcha->put_CodeType(3);
  captcha->put_CodeLength(4);
  VARIANT v;
  VariantInit(&v);
  EXPECT_EQ(captcha->CreateSound(&v), E_FAIL);
  EXPECT_EQ(TakeErrorDescription(), u"Letter not found in lookup table !");
  EXPECT_EQ(Steps(), 4u);
}

TEST_F(SoundCreation, GeneratedCodesAreAlwaysSpeakable) {
  for (int type : {0, 1, 2}) {
    captcha->put_CodeType(type);
    captcha->put_CodeLength(40);
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(captcha->CreateSound(&v), S_OK) << type;
    VariantClear(&v);
  }
}

}  // namespace
