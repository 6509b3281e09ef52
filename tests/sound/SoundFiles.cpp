#include "SoundFiles.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <sys/wait.h>

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

std::string RunCommand(const std::string& command, int& status) {
  struct PipeCloser {
    int* status;
    void operator()(FILE* pipe) const { *status = pclose(pipe); }
  };
  std::string output;
  int rawStatus = -1;
  {
    std::unique_ptr<FILE, PipeCloser> pipe(popen(command.c_str(), "r"), PipeCloser{&rawStatus});
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::array<char, 256> buffer{};
    size_t read = 0;
    while ((read = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
      output.append(buffer.data(), read);
    }
  }
  status = (rawStatus != -1 && WIFEXITED(rawStatus)) ? WEXITSTATUS(rawStatus) : -1;
  return output;
}

TempFile::TempFile(const std::string& suffix) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / ("glyphward-sound-XXXXXX" + suffix)).string();
  int fd = mkstemps(pattern.data(), static_cast<int>(suffix.size()));
  if (fd < 0) throw std::runtime_error("cannot create a temporary file");
  close(fd);
  path_ = pattern;
}

TempFile::~TempFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

void TempFile::Write(const unsigned char* data, size_t size) const {
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) throw std::runtime_error("cannot write " + path_);
}

}  // namespace SoundTests
