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

TEST(BuildWave, EmptyCodeGivesTheBareHeader) {
  Wave wave = Build("");
  ASSERT_EQ(wave.count, 44);
  EXPECT_EQ(ReadLe32(wave.bytes.get() + 4), 36u);
  EXPECT_EQ(ReadLe32(wave.bytes.get() + 40), 0u);
  // Everything but the two size fields comes from the header resource.
  Bytes header = ReadResourceFile("wave_header.bin");
  EXPECT_EQ(std::memcmp(wave.bytes.get(), header.data(), 4), 0);
  EXPECT_EQ(std::memcmp(wave.bytes.get() + 8, header.data() + 8, 32), 0);
}

TEST(BuildWave, EachCharacterAloneGivesHeaderAndExactlyItsClip) {
  for (char c : kCharacters) {
    Bytes clip = ClipOf(c);
    Wave wave = Build(std::string(1, c));
    ASSERT_EQ(wave.count, static_cast<int32_t>(44 + clip.size())) << c;
    EXPECT_EQ(ReadLe32(wave.bytes.get() + 4), clip.size() + 36) << c;
    EXPECT_EQ(ReadLe32(wave.bytes.get() + 40), clip.size()) << c;
    EXPECT_EQ(wave.Data(), clip) << c;
  }
}

TEST(BuildWave, UpperAndLowerCaseGiveTheSameBytes) {
  Wave upper = Build("AB2");
  Wave lower = Build("ab2");
  ASSERT_EQ(upper.count, lower.count);
  EXPECT_EQ(std::memcmp(upper.bytes.get(), lower.bytes.get(), upper.count), 0);
  EXPECT_EQ(lower.Data(), Concat({ClipOf('a'), ClipOf('b'), ClipOf('2')}));
}

TEST(BuildWave, RepeatedCharacterPlaysItsClipEachTime) {
  Bytes seven = ClipOf('7');
  Wave wave = Build("77");
  EXPECT_EQ(wave.count, static_cast<int32_t>(44 + 2 * seven.size()));
  EXPECT_EQ(wave.Data(), Concat({seven, seven}));
}

TEST(BuildWave, TenPlaysRecord27ThenRecord36) {
  EXPECT_EQ(RecordAt(26).character, '1');
  EXPECT_EQ(RecordAt(35).character, '0');
  EXPECT_EQ(Build("10").Data(), Concat({ClipAt(26), ClipAt(35)}));
}

TEST(BuildWave, SizeFieldsFollowALongCode) {
  std::string code;
  Bytes expected;
  for (int i = 0; i < 5; ++i) {
    for (char c : kCharacters) {
      code += c;
      Bytes clip = ClipOf(c);
      expected.insert(expected.end(), clip.begin(), clip.end());
    }
  }
  Wave wave = Build(code);
  ASSERT_EQ(wave.count, static_cast<int32_t>(44 + expected.size()));
  EXPECT_EQ(ReadLe32(wave.bytes.get() + 4), static_cast<uint32_t>(wave.count - 8));
  EXPECT_EQ(ReadLe32(wave.bytes.get() + 40), static_cast<uint32_t>(wave.count - 44));
  EXPECT_EQ(wave.Data(), expected);
}

TEST(BuildWave, CharactersWithoutAClipFailWithTheLookupMessage) {
  const std::string codes[] = {"A-B",
                               std::string("a\0b", 3),
                               std::string(1, '\0'),
                               " ",
                               "ab c",
                               "a.",
                               "\xE9",
                               "\xC3\xA9",
                               "ABC_",
                               "@",
                               "[",
                               "`",
                               "{",
                               "/",
                               ":"};
  for (const std::string& code : codes) {
    EXPECT_EQ(FailureOf(code), "Letter not found in lookup table !") << code;
  }
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
