// WAV assembly from the module's own resources: the header's size fields and
// the clips of the code's characters, in order, checked against the clips
// cut from the committed files.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "SoundBuilder.h"
#include "SoundFiles.h"

namespace {

using namespace SoundTests;
using MirelGlyphward::SoundBuilder;

struct Wave {
  std::shared_ptr<unsigned char[]> bytes;
  int32_t count = -1;
  Bytes Data() const { return Bytes(bytes.get() + 44, bytes.get() + count); }
};

Wave Build(const std::string& code) {
  Wave wave;
  SoundBuilder().BuildWave(code, wave.bytes, wave.count);
  return wave;
}

// The message that BuildWave raises, or "" when it succeeds.
std::string FailureOf(const std::string& code) {
  try {
    Build(code);
  } catch (const std::string& message) {
    return message;
  }
  return "";
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The header resource with its two size fields set, then the clips of the
// code's characters in order; case does not matter, a repeated character
// plays its clip each time, and "10" is ten as record 27 then record 36.
TEST(BuildWave, HeaderThenTheClipsOfTheCharacters) {
  const Bytes header = ReadResourceFile("wave_header.bin");
  std::vector<std::pair<std::string, Bytes>> cases = {
      {"", {}},
      {"AB2", Concat({ClipOf('a'), ClipOf('b'), ClipOf('2')})},
      {"ab2", Concat({ClipOf('a'), ClipOf('b'), ClipOf('2')})},
      {"77", Concat({ClipOf('7'), ClipOf('7')})},
      {"10", Concat({ClipAt(26), ClipAt(35)})}};
  Bytes once;
  for (char c : kCharacters) {
    cases.push_back({std::string(1, c), ClipOf(c)});
    once = Concat({once, ClipOf(c)});
  }
  cases.push_back({kCharacters + kCharacters + kCharacters, Concat({once, once, once})});
  for (const auto& [code, data] : cases) {
    SCOPED_TRACE(code);
    const Wave wave = Build(code);
    ASSERT_EQ(wave.count, static_cast<int32_t>(44 + data.size()));
    EXPECT_EQ(ReadLe32(wave.bytes.get() + 4), data.size() + 36);
    EXPECT_EQ(ReadLe32(wave.bytes.get() + 40), data.size());
    EXPECT_EQ(std::memcmp(wave.bytes.get(), header.data(), 4), 0);
    EXPECT_EQ(std::memcmp(wave.bytes.get() + 8, header.data() + 8, 32), 0);
    EXPECT_EQ(wave.Data(), data);
  }
}

TEST(BuildWave, CharactersWithoutAClipFailWithTheLookupMessage) {
  // The characters next to the ranges of letters and digits, and beyond ASCII.
  const std::string codes[] = {"A-B",
                               std::string("a\0b", 3),
                               std::string(1, '\0'),
                               " ",
                               "\xE9",
                               "\xC3\xA9",
                               "@",
                               "[",
                               "`",
                               "{",
                               "/",
                               ":"};
  for (const std::string& code : codes)
    EXPECT_EQ(FailureOf(code), "Letter not found in lookup table !") << code;
}

TEST(BuildWave, FailureLeavesTheOutputsAlone) {
  auto previous = std::make_shared<unsigned char[]>(3);
  std::shared_ptr<unsigned char[]> bytes = previous;
  int32_t count = 3;
  EXPECT_THROW(SoundBuilder().BuildWave("a-b", bytes, count), std::string);
  EXPECT_EQ(bytes, previous);
  EXPECT_EQ(count, 3);
}

TEST(BuildWave, CodeTooLongForA32BitSizeFailsBeforeAllocating) {
  // Just enough of the longest clip to pass INT32_MAX bytes: the count and
  // RIFF sizes would wrap, so the code must be refused, not assembled.
  size_t longest = 0;
  char longestCharacter = 'a';
  for (char c : kCharacters) {
    if (ClipOf(c).size() > longest) {
      longest = ClipOf(c).size();
      longestCharacter = c;
    }
  }
  std::string code((INT32_MAX - 44) / longest + 1, longestCharacter);
  EXPECT_EQ(FailureOf(code), "The code is too long to be spoken!");
}

}  // namespace
