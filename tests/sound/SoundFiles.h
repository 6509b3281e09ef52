// The committed resource files, read straight from disk, so that tests can
// compare what the module assembles with an independent reading of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace SoundTests {

using Bytes = std::vector<unsigned char>;

// Index order of the characters: a to z, then 1 to 9, then 0.
inline const std::string kCharacters = "abcdefghijklmnopqrstuvwxyz1234567890";

Bytes ReadResourceFile(const std::string& name);
uint32_t ReadLe32(const unsigned char* p);
uint16_t ReadLe16(const unsigned char* p);

struct IndexRecord {
  unsigned char character;
  uint32_t offset;
  uint32_t length;
};

// Record number (0-based) of clip_index.bin.
IndexRecord RecordAt(size_t number);

// The clip of record number, cut from clip_bank.bin.
Bytes ClipAt(size_t number);

// The clip of a character, found by its position in kCharacters.
Bytes ClipOf(char character);

}  // namespace SoundTests
