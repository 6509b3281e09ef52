#include "FuzzSupport.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace glyphward_fuzz {

void Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

MemoryFile::MemoryFile(const char* name) : fd_(::memfd_create(name, MFD_CLOEXEC)) {
  if (fd_ < 0) Fail("memfd_create");
  path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() {
  ::close(fd_);
}

void MemoryFile::Replace(const std::uint8_t* data, std::size_t size) {
  if (::ftruncate(fd_, 0) != 0) Fail("ftruncate");
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pwrite(fd_, data + done, size - done, off_t(done));
    if (n <= 0) Fail("pwrite");
    done += std::size_t(n);
  }
}

}  // namespace glyphward_fuzz
