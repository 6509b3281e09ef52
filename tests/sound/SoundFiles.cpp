#include "SoundFiles.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace SoundTests {

Bytes ReadResourceFile(const std::string& name) {
  std::ifstream in(std::string(GLYPHWARD_SOUND_RESOURCE_DIR) + "/" + name, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + name);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t ReadLe32(const unsigned char* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint16_t ReadLe16(const unsigned char* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

IndexRecord RecordAt(size_t number) {
  static const Bytes index = ReadResourceFile("clip_index.bin");
  if (number >= index.size() / 12) throw std::out_of_range("no such record");
  const unsigned char* record = index.data() + number * 12;
  return IndexRecord{record[0], ReadLe32(record + 4), ReadLe32(record + 8)};
}

Bytes ClipAt(size_t number) {
  static const Bytes bank = ReadResourceFile("clip_bank.bin");
  IndexRecord record = RecordAt(number);
  if (uint64_t{record.offset} + record.length > bank.size()) {
    throw std::out_of_range("clip outside the bank");
  }
  auto begin = bank.begin() + record.offset;
  return Bytes(begin, begin + record.length);
}

Bytes ClipOf(char character) {
  size_t number = kCharacters.find(character);
  if (number == std::string::npos) throw std::out_of_range("no clip for this character");
  return ClipAt(number);
}

}  // namespace SoundTests
