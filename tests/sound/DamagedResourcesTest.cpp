// A module whose sound resources are missing, empty or inconsistent makes
// BuildWave fail with a message instead of reading past a buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "SoundBuilder.h"
#include "SoundFiles.h"
#include "TestResources.h"

namespace {

using MirelGlyphward::SoundBuilder;
using SoundTests::Bytes;
using SoundTests::FakeModule;

const char kMissing[] = "Failed to load the sound resources!";
const char kDamaged[] = "The sound resources are damaged!";

Bytes Record(char c, uint32_t offset, uint32_t length) {
  Bytes r = {static_cast<unsigned char>(c), 0xCD, 0xCD, 0xCD};
  for (uint32_t v : {offset, length}) {
    for (int i = 0; i < 4; ++i) r.push_back(static_cast<unsigned char>(v >> (8 * i)));
  }
  return r;
}

// The three resources of a small voice, which each test spoils in one way:
// 'a' is 4 bytes at 0, 'b' 2 bytes at 4 in a 6-byte bank.
class DamagedResources : public ::testing::Test {
 protected:
  Bytes header_ = SoundTests::ReadResourceFile("wave_header.bin");
  Bytes index_ = Concat(Record('a', 0, 4), Record('b', 4, 2));
  Bytes bank_ = {1, 2, 3, 4, 5, 6};

  static Bytes Concat(const Bytes& x, const Bytes& y) {
    Bytes all = x;
    all.insert(all.end(), y.begin(), y.end());
    return all;
  }

  // Builds code with the resources as they are now; "" when it succeeds.
  std::string FailureOf(const std::string& code, bool withHeader = true, bool withIndex = true,
                        bool withBank = true) {
    std::vector<GLYPHWARD_RESOURCE> table;
    auto add = [&](bool wanted, int id, const Bytes& bytes) {
      if (wanted) {
        table.push_back(
            {"WAVE", MAKEINTRESOURCEA(id), bytes.data(), static_cast<DWORD>(bytes.size())});
      }
    };
    add(withHeader, 203, header_);
    add(withIndex, 204, index_);
    add(withBank, 206, bank_);
    HMODULE module = FakeModule(20);
    Glyphward::ResourceRegistration registration(module, table.data(), table.size());
    std::shared_ptr<unsigned char[]> bytes;
    int32_t count = 0;
    try {
      SoundBuilder(module).BuildWave(code, bytes, count);
    } catch (const std::string& message) {
      return message;
    }
    return "";
  }
};

TEST_F(DamagedResources, IntactSmallVoiceWorks) {
  // The fixture itself must be sound, or the failures below prove nothing.
  EXPECT_EQ(FailureOf("ab"), "");
  EXPECT_EQ(FailureOf("B"), "");
}

TEST_F(DamagedResources, ModuleWithoutSoundResourcesFails) {
  std::shared_ptr<unsigned char[]> bytes;
  int32_t count = 0;
  try {
    SoundBuilder(FakeModule(21)).BuildWave("a", bytes, count);
    FAIL() << "built a sound without resources";
  } catch (const std::string& message) {
    EXPECT_EQ(message, kMissing);
  }
}

TEST_F(DamagedResources, EachMissingResourceFails) {
  EXPECT_EQ(FailureOf("a", false, true, true), kMissing);
  EXPECT_EQ(FailureOf("a", true, false, true), kMissing);
  EXPECT_EQ(FailureOf("a", true, true, false), kMissing);
  // Even an empty code needs the header.
  EXPECT_EQ(FailureOf("", false, true, true), kMissing);
}

TEST_F(DamagedResources, EmptyResourcesFail) {
  bank_.clear();
  EXPECT_EQ(FailureOf("a"), kMissing);
  bank_ = {1, 2, 3, 4, 5, 6};
  index_.clear();
  EXPECT_EQ(FailureOf(""), kMissing);
}

TEST_F(DamagedResources, HeaderOfTheWrongShapeFails) {
  header_.pop_back();
  EXPECT_EQ(FailureOf(""), kDamaged);
  header_ = SoundTests::ReadResourceFile("wave_header.bin");
  header_[36] = 'D';  // "Data" instead of "data"
  EXPECT_EQ(FailureOf(""), kDamaged);
}

TEST_F(DamagedResources, IndexWithAPartRecordFails) {
  index_.push_back(0);
  EXPECT_EQ(FailureOf("a"), kDamaged);
}

TEST_F(DamagedResources, ClipReachingPastTheBankFails) {
  index_ = Concat(Record('a', 0, 4), Record('b', 4, 4));
  EXPECT_EQ(FailureOf("a"), "");
  EXPECT_EQ(FailureOf("b"), kDamaged);
}

TEST_F(DamagedResources, OffsetThatWouldWrapIn32BitsFails) {
  index_ = Concat(Record('a', 0, 4), Record('b', 0xFFFFFFF0u, 0x20));
  EXPECT_EQ(FailureOf("b"), kDamaged);
}

TEST_F(DamagedResources, ClipOfAnOddLengthFails) {
  index_ = Concat(Record('a', 0, 3), Record('b', 4, 2));
  EXPECT_EQ(FailureOf("a"), kDamaged);
}

}  // namespace
