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

// An exact capacity gets the bytes alone, a larger one a trailing zero too,
// a smaller one fails and gets nothing; the capacity comes back as the size.
TEST_F(LoadResourceBytes, CopiesWhatTheCapacityHolds) {
  const struct {
    DWORD capacity;
    bool ok;
    std::string written;
  } cases[] = {{3, true, "abc"}, {5, true, std::string("abc\0", 4)}, {2, false, ""}};
  for (const auto& c : cases) {
    unsigned char buffer[8];
    std::memset(buffer, 0xEE, sizeof buffer);
    DWORD size = c.capacity;
    EXPECT_EQ(Load(300, buffer, &size), c.ok) << c.capacity;
    if (c.ok) {
      EXPECT_EQ(size, 3u);
    }
    EXPECT_EQ(std::memcmp(buffer, c.written.data(), c.written.size()), 0) << c.capacity;
    EXPECT_EQ(buffer[c.written.size()], 0xEE) << c.capacity;
  }
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
