// Looking a character up in index records built byte by byte here.
#include <gtest/gtest.h>

#include "SoundBuilder.h"

namespace {

using MirelGlyphward::SoundBuilder;
using MirelGlyphward::SoundLookup;

// Three records: 'x' at 0x04030201 length 0x0A0B0C0D, 'y' at 16 length 2,
// and a second 'x' that must never be found.
const unsigned char kIndex[] = {
    'x', 0xCD, 0xCD, 0xCD, 0x01, 0x02, 0x03, 0x04, 0x0D, 0x0C, 0x0B, 0x0A,
    'y', 0xCD, 0xCD, 0xCD, 0x10, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
    'x', 0xCD, 0xCD, 0xCD, 0x99, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,
};

TEST(FindLookup, ReadsTheLittleEndianFieldsOfTheFirstMatch) {
  SoundLookup lookup = SoundBuilder::FindLookup('x', kIndex, 3);
  EXPECT_EQ(lookup.character, 'x');
  EXPECT_EQ(lookup.offset, 0x04030201u);
  EXPECT_EQ(lookup.length, 0x0A0B0C0Du);
  EXPECT_EQ(lookup.reserved[0], 0xCD);
  lookup = SoundBuilder::FindLookup('y', kIndex, 3);
  EXPECT_EQ(lookup.offset, 16u);
  EXPECT_EQ(lookup.length, 2u);
}

// Characters that are missing, bytes of the reserved fields, and records
// beyond the given count give the not-found offset.
TEST(FindLookup, MissingCharacterGivesTheNotFoundOffset) {
  const std::pair<char, int> cases[] = {{'z', 3}, {'\0', 3}, {'\xCD', 3}, {'y', 1}, {'x', 0}};
  for (const auto& [character, records] : cases)
    EXPECT_EQ(SoundBuilder::FindLookup(character, kIndex, records).offset, 0xFFFFFFFFu)
        << int(character) << " in " << records;
}

}  // namespace
