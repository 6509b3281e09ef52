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

// 36 records of 12 bytes, a to z, then 1 to 9, then 0; three reserved bytes
// of 0xCD each; clips of whole samples lasting 0.5 to 1.3 s, back to back,
// filling the bank, each with sound in it.
TEST(ClipIndex, LayoutOrderAndClipSizes) {
  const Bytes index = ReadResourceFile("clip_index.bin");
  ASSERT_EQ(index.size(), kRecords * 12);
  const std::string expected = "abcdefghijklmnopqrstuvwxyz1234567890";
  uint64_t next = 0;
  for (size_t i = 0; i < kRecords; ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    const IndexRecord record = RecordAt(i);
    EXPECT_EQ(record.character, static_cast<unsigned char>(expected[i]));
    for (size_t j = 1; j <= 3; ++j) EXPECT_EQ(index[i * 12 + j], 0xCD);
    EXPECT_EQ(record.offset, next);
    EXPECT_EQ(record.length % 2, 0u);
    EXPECT_GE(record.length / kBytesPerSecond, 0.5);
    EXPECT_LE(record.length / kBytesPerSecond, 1.3);
    next = uint64_t{record.offset} + record.length;
    // A clip of silence would pass every size check and still say nothing.
    const Bytes clip = ClipAt(i);
    int peak = 0;
    for (size_t j = 0; j + 1 < clip.size(); j += 2)
      peak = std::max(peak, std::abs(int(static_cast<int16_t>(ReadLe16(clip.data() + j)))));
    EXPECT_GT(peak, 8000);
  }
  EXPECT_EQ(next, ReadResourceFile("clip_bank.bin").size());
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
