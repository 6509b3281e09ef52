#include "SoundBuilder.h"
#include "SoundResources.h"

namespace MirelGlyphward {
namespace {

uint32_t ReadLittleEndian32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

SoundLookup SoundBuilder::FindLookup(char c, const unsigned char* arrSoundLookup, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const unsigned char* record = arrSoundLookup + i * kLookupRecordSize;
    if (record[0] != static_cast<unsigned char>(c)) continue;
    SoundLookup lookup{};
    lookup.character = record[0];
    lookup.reserved[0] = record[1];
    lookup.reserved[1] = record[2];
    lookup.reserved[2] = record[3];
    lookup.offset = ReadLittleEndian32(record + 4);
    lookup.length = ReadLittleEndian32(record + 8);
    return lookup;
  }
  return errorSoundLookup;
}

}  // namespace MirelGlyphward
