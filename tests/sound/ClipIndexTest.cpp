// The committed clip index and bank: layout, order and clip sizes, and the
// embedded resources being exactly these files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "SoundBuilder.h"
#include "SoundFiles.h"
#include "glyphward_resources.h"

namespace {

using namespace SoundTests;

constexpr size_t kRecords = 36;
constexpr double kBytesPerSecond = 8000 * 2;

TEST(ClipIndex, Holds36RecordsOf12Bytes) {
  EXPECT_EQ(ReadResourceFile("clip_index.bin").size(), kRecords * 12);
}

TEST(ClipIndex, RecordsRunFromAToZThenOneToNineThenZero) {
  const std::string expected = "abcdefghijklmnopqrstuvwxyz1234567890";
  for (size_t i = 0; i < kRecords; ++i) {
    EXPECT_EQ(RecordAt(i).character, static_cast<unsigned char>(expected[i])) << "record " << i;
  }
}

TEST(ClipIndex, ReservedBytesAreCD) {
  Bytes index = ReadResourceFile("clip_index.bin");
  for (size_t i = 0; i < kRecords; ++i) {
    for (size_t j = 1; j <= 3; ++j) EXPECT_EQ(index[i * 12 + j], 0xCD) << "record " << i;
  }
}

TEST(ClipIndex, ClipsLieBackToBackAndFillTheBank) {
  EXPECT_EQ(RecordAt(0).offset, 0u);
  for (size_t i = 1; i < kRecords; ++i) {
    EXPECT_EQ(RecordAt(i).offset, RecordAt(i - 1).offset + RecordAt(i - 1).length) << i;
  }
  IndexRecord last = RecordAt(kRecords - 1);
  EXPECT_EQ(uint64_t{last.offset} + last.length, ReadResourceFile("clip_bank.bin").size());
}

TEST(ClipIndex, ClipsHoldWholeSamplesAndLastHalfASecondToOnePointThree) {
  for (size_t i = 0; i < kRecords; ++i) {
    IndexRecord record = RecordAt(i);
    EXPECT_EQ(record.length % 2, 0u) << record.character;
    EXPECT_GE(record.length / kBytesPerSecond, 0.5) << record.character;
    EXPECT_LE(record.length / kBytesPerSecond, 1.3) << record.character;
  }
}

TEST(ClipIndex, EveryClipHasSound) {
  // A clip of silence would pass every size check and still say nothing.
  for (size_t i = 0; i < kRecords; ++i) {
    Bytes clip = ClipAt(i);
    int peak = 0;
    for (size_t j = 0; j + 1 < clip.size(); j += 2) {
      int sample = static_cast<int16_t>(ReadLe16(clip.data() + j));
      peak = std::max(peak, std::abs(sample));
    }
    EXPECT_GT(peak, 8000) << "record " << i;
  }
}

TEST(ClipIndex, EmbeddedResourcesAreTheCommittedFiles) {
  const std::pair<int, const char*> resources[] = {
      {203, "wave_header.bin"}, {204, "clip_index.bin"}, {206, "clip_bank.bin"}};
  for (const auto& [id, file] : resources) {
    Bytes expected = ReadResourceFile(file);
    DWORD size = 0;
    ASSERT_TRUE(MirelGlyphward::SoundBuilder::LoadResourceBytes(id, nullptr, &size, "WAVE",
                                                                GlyphwardModuleHandle()));
    Bytes embedded(size);
    ASSERT_TRUE(MirelGlyphward::SoundBuilder::LoadResourceBytes(id, embedded.data(), &size, "WAVE",
                                                                GlyphwardModuleHandle()));
    EXPECT_EQ(embedded, expected) << file;
  }
}

}  // namespace
