// Reads the TYPELIB 1 resource from a module file on disk, without loading
// the module: modules keep the type library's image in the ELF section
// ".glyphward_resources" (magic "GWRS", a count, then 24-byte entries of a
// 12-byte type name, id, offset and size, then the data).
#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "TypeLibLoad.h"

namespace glyphward_typelib {
namespace {

constexpr char kSection[] = ".glyphward_resources";
constexpr std::uint64_t kMaxSectionBytes = 16 * 1024 * 1024;

class File {
 public:
  explicit File(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~File() {
    if (fd_ >= 0) ::close(fd_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  bool Open() const { return fd_ >= 0; }
  std::uint64_t Size() const {
    struct stat status {};
    return ::fstat(fd_, &status) == 0 && S_ISREG(status.st_mode) ? std::uint64_t(status.st_size)
                                                                 : 0;
  }
  // Reads exactly `size` bytes at `offset`.
  bool Read(std::uint64_t offset, void* buffer, std::size_t size) const {
    auto* out = static_cast<char*>(buffer);
    while (size > 0) {
      const ssize_t n = ::pread(fd_, out, size, off_t(offset));
      if (n <= 0) return false;
      out += n;
      offset += std::uint64_t(n);
      size -= std::size_t(n);
    }
    return true;
  }

 private:
  int fd_;
};

std::uint32_t Word(const unsigned char* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// The bytes of the named section, checked against the file's bounds.
bool ReadSection(const File& file, std::vector<unsigned char>& section) {
  const std::uint64_t fileSize = file.Size();
  Elf64_Ehdr header;
  if (!file.Read(0, &header, sizeof header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_shentsize != sizeof(Elf64_Shdr) ||
      header.e_shstrndx >= header.e_shnum ||
      header.e_shoff + std::uint64_t(header.e_shnum) * sizeof(Elf64_Shdr) > fileSize)
    return false;
  std::vector<Elf64_Shdr> sections(header.e_shnum);
  if (!file.Read(header.e_shoff, sections.data(), sections.size() * sizeof(Elf64_Shdr)))
    return false;
  const Elf64_Shdr& names = sections[header.e_shstrndx];
  if (names.sh_size > kMaxSectionBytes || names.sh_offset + names.sh_size > fileSize) return false;
  std::vector<char> nameTable(names.sh_size + 1, '\0');
  if (!file.Read(names.sh_offset, nameTable.data(), names.sh_size)) return false;
  for (const Elf64_Shdr& candidate : sections) {
    if (candidate.sh_name >= names.sh_size ||
        std::strcmp(nameTable.data() + candidate.sh_name, kSection) != 0)
      continue;
    if (candidate.sh_type == SHT_NOBITS || candidate.sh_size > kMaxSectionBytes ||
        candidate.sh_offset + candidate.sh_size > fileSize)
      return false;
    section.resize(candidate.sh_size);
    return file.Read(candidate.sh_offset, section.data(), section.size());
  }
  return false;
}

}  // namespace

bool ReadModuleTypeLibrary(const std::string& path, std::string& text) {
  File file(path);
  std::vector<unsigned char> section;
  if (!file.Open() || !ReadSection(file, section)) return false;
  if (section.size() < 8 || std::memcmp(section.data(), "GWRS", 4) != 0) return false;
  const std::uint64_t count = Word(section.data() + 4);
  if (count > (section.size() - 8) / 24) return false;
  for (std::uint64_t i = 0; i < count; ++i) {
    const unsigned char* entry = section.data() + 8 + i * 24;
    if (std::memcmp(entry, "TYPELIB\0", 8) != 0 || Word(entry + 12) != 1) continue;
    const std::uint64_t offset = Word(entry + 16), size = Word(entry + 20);
    if (offset + size > section.size()) return false;
    text.assign(reinterpret_cast<const char*>(section.data() + offset), size);
    return true;
  }
  return false;
}

}  // namespace glyphward_typelib
