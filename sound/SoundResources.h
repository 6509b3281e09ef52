// Where the module keeps its voice: three resources of the custom type "WAVE".
#pragma once

#include <cstddef>

namespace MirelGlyphward {

inline constexpr const char* kSoundResourceType = "WAVE";
inline constexpr int kWaveHeaderId = 203;  // canonical 44-byte RIFF/WAVE header
inline constexpr int kClipIndexId = 204;   // 12-byte records, a..z, 1..9, 0
inline constexpr int kClipBankId = 206;    // the clips back to back, 8 kHz 16-bit mono

inline constexpr size_t kWaveHeaderSize = 44;
inline constexpr size_t kLookupRecordSize = 12;

}  // namespace MirelGlyphward
