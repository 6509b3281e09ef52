// One record of the clip index: which character, and where its clip lies in
// the clip bank. Read field by field from little-endian bytes, so the
// in-memory layout of this struct does not matter.
#pragma once

#include <cstdint>

namespace MirelGlyphward {

struct SoundLookup {
  unsigned char character;
  unsigned char reserved[3];
  uint32_t offset;
  uint32_t length;
};

// The result of looking up a character that has no clip.
inline constexpr uint32_t kLookupNotFound = 0xFFFFFFFF;
inline constexpr SoundLookup errorSoundLookup = {0, {0xCD, 0xCD, 0xCD}, kLookupNotFound, 0};

}  // namespace MirelGlyphward
