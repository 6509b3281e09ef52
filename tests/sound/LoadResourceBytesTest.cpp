// LoadResourceBytes over a small table registered under a made-up module.
#include <gtest/gtest.h>

#include <cstring>

#include "SoundBuilder.h"
#include "TestResources.h"

namespace {

using MirelGlyphward::SoundBuilder;
using SoundTests::FakeModule;

const BYTE kAbc[] = {'a', 'b', 'c'};
// 70000 would turn into resource 4464 if the id were cut to 16 bits.
const BYTE kAliased[] = {'!'};
const GLYPHWARD_RESOURCE kTable[] = {
    {"WAVE", MAKEINTRESOURCEA(300), kAbc, 3},
    {"WAVE", MAKEINTRESOURCEA(70000 & 0xFFFF), kAliased, 1},
};

class LoadResourceBytes : public ::testing::Test {
 protected:
  HMODULE module_ = FakeModule(1);
  Glyphward::ResourceRegistration registration_{module_, kTable, 2};

  bool Load(int id, unsigned char* destination, DWORD* size, LPCSTR type = "WAVE") {
    return SoundBuilder::LoadResourceBytes(id, destination, size, type, module_);
  }
};

TEST_F(LoadResourceBytes, WithoutADestinationReportsTheSize) {
  DWORD size = 1234;
  EXPECT_TRUE(Load(300, nullptr, &size));
  EXPECT_EQ(size, 3u);
}

TEST_F(LoadResourceBytes, ExactCapacityCopiesWithoutATerminator) {
  unsigned char buffer[5];
  std::memset(buffer, 0xEE, sizeof buffer);
  DWORD size = 3;
  ASSERT_TRUE(Load(300, buffer, &size));
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(std::memcmp(buffer, "abc", 3), 0);
  EXPECT_EQ(buffer[3], 0xEE);
}

TEST_F(LoadResourceBytes, LargerCapacityWritesOneTrailingZero) {
  unsigned char buffer[6];
  std::memset(buffer, 0xEE, sizeof buffer);
  DWORD size = 5;
  ASSERT_TRUE(Load(300, buffer, &size));
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(std::memcmp(buffer, "abc", 4), 0);  // includes the 0 byte
  EXPECT_EQ(buffer[4], 0xEE);
  EXPECT_EQ(buffer[5], 0xEE);
}

TEST_F(LoadResourceBytes, SmallerCapacityFailsAndWritesNothing) {
  unsigned char buffer[3] = {0xEE, 0xEE, 0xEE};
  DWORD size = 2;
  EXPECT_FALSE(Load(300, buffer, &size));
  EXPECT_EQ(buffer[0], 0xEE);
  EXPECT_EQ(buffer[1], 0xEE);
}

TEST_F(LoadResourceBytes, DestinationWithoutACapacityFails) {
  unsigned char buffer[8] = {};
  EXPECT_FALSE(Load(300, buffer, nullptr));
}

TEST_F(LoadResourceBytes, BadIdsAndMissingResourcesFail) {
  DWORD size = 0;
  EXPECT_FALSE(Load(0, nullptr, &size));
  EXPECT_FALSE(Load(-300, nullptr, &size));
  EXPECT_FALSE(Load(301, nullptr, &size));
  EXPECT_FALSE(Load(70000, nullptr, &size));
  EXPECT_TRUE(Load(70000 & 0xFFFF, nullptr, &size));
  EXPECT_FALSE(Load(300, nullptr, &size, "RCDATA"));
  EXPECT_FALSE(SoundBuilder::LoadResourceBytes(300, nullptr, &size, "WAVE", FakeModule(2)));
}

}  // namespace
