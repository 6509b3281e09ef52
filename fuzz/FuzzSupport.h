// What the fuzz targets share: a failure that libFuzzer records with its
// input, and a file in memory for readers that only take a path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace glyphward_fuzz {

// Reports a wrong result and aborts, so the input is kept as a crash.
[[noreturn]] void Fail(const char* what);

// A memfd that library code opens by path (/proc/self/fd/N): each input
// reaches a file reader without touching the disk.
class MemoryFile {
 public:
  explicit MemoryFile(const char* name);
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  const std::string& Path() const { return path_; }
  std::u16string WidePath() const { return std::u16string(path_.begin(), path_.end()); }
  // Makes the file hold exactly these bytes.
  void Replace(const std::uint8_t* data, std::size_t size);

 private:
  int fd_;
  std::string path_;
};

}  // namespace glyphward_fuzz
