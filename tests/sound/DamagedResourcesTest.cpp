// A module whose sound resources are missing, empty or inconsistent makes
// BuildWave fail with a message instead of reading past a buffer.
#include <gtest/gtest.h>

#include <functional>
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

Bytes Concat(const Bytes& x, const Bytes& y) {
  Bytes all = x;
  all.insert(all.end(), y.begin(), y.end());
  return all;
}

// The three resources of a small voice, which each case spoils in one way:
// 'a' is 4 bytes at 0, 'b' 2 bytes at 4 in a 6-byte bank.
struct SmallVoice {
  Bytes header_ = SoundTests::ReadResourceFile("wave_header.bin");
  Bytes index_ = Concat(Record('a', 0, 4), Record('b', 4, 2));
  Bytes bank_ = {1, 2, 3, 4, 5, 6};

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

TEST(DamagedResources, IntactSmallVoiceWorks) {
  // The small voice itself must be sound, or the failures below prove nothing.
  EXPECT_EQ(SmallVoice().FailureOf("ab"), "");
  EXPECT_EQ(SmallVoice().FailureOf("B"), "");
  std::shared_ptr<unsigned char[]> bytes;
  int32_t count = 0;
  try {
    SoundBuilder(FakeModule(21)).BuildWave("a", bytes, count);
    FAIL() << "built a sound without resources";
  } catch (const std::string& message) {
    EXPECT_EQ(message, kMissing);
  }
}

// Each case spoils the small voice in one way; an empty code needs the
// header alone, and 'a' needs all three resources.
TEST(DamagedResources, EachDamageFailsWithItsMessage) {
  struct Case {
    const char* what;
    std::function<void(SmallVoice&)> spoil;
    std::string code;
    bool header = true, index = true, bank = true;
    const char* message = kDamaged;
  };
  const Case cases[] = {
      {"no header", {}, "", false, true, true, kMissing},
      {"no index", {}, "a", true, false, true, kMissing},
      {"no bank", {}, "a", true, true, false, kMissing},
      {"empty bank", [](auto& f) { f.bank_.clear(); }, "a", true, true, true, kMissing},
      {"empty index", [](auto& f) { f.index_.clear(); }, "", true, true, true, kMissing},
      {"short header", [](auto& f) { f.header_.pop_back(); }, ""},
      {"Data, not data", [](auto& f) { f.header_[36] = 'D'; }, ""},
      {"part record", [](auto& f) { f.index_.push_back(0); }, "a"},
      {"clip past the bank",
       [](auto& f) { f.index_ = Concat(Record('a', 0, 4), Record('b', 4, 4)); }, "b"},
      {"offset wrapping in 32 bits",
       [](auto& f) { f.index_ = Concat(Record('a', 0, 4), Record('b', 0xFFFFFFF0u, 0x20)); }, "b"},
      {"odd length", [](auto& f) { f.index_ = Concat(Record('a', 0, 3), Record('b', 4, 2)); }, "a"},
  };
  for (const Case& c : cases) {
    SmallVoice voice;
    if (c.spoil) c.spoil(voice);
    EXPECT_EQ(voice.FailureOf(c.code, c.header, c.index, c.bank), c.message) << c.what;
  }
  // A clip within the bank still plays beside one that reaches past it.
  SmallVoice voice;
  voice.index_ = Concat(Record('a', 0, 4), Record('b', 4, 4));
  EXPECT_EQ(voice.FailureOf("a"), "");
}

}  // namespace
