#include "EncoderMemoryFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>

namespace Gdiplus {

std::size_t EncoderMemoryFile::Read(void* data, std::size_t size) {
  if (position_ >= bytes_.size()) return 0;
  const std::size_t count = std::size_t(std::min<std::uint64_t>(size, bytes_.size() - position_));
  std::memcpy(data, bytes_.data() + position_, count);
  position_ += count;
  return count;
}

bool EncoderMemoryFile::Write(const void* data, std::size_t size) {
  if (size == 0) return true;
  if (size > kMaxSize - position_) return false;
  const std::uint64_t end = position_ + size;
  if (end > bytes_.size()) {
    try {
      // Doubling keeps libtiff's many small writes linear overall.
      if (end > bytes_.capacity()) {
        bytes_.reserve(std::size_t(std::min<std::uint64_t>(
            kMaxSize, std::max<std::uint64_t>(end, bytes_.capacity() * 2))));
      }
      bytes_.resize(std::size_t(end));
    } catch (const std::bad_alloc&) {
      return false;
    } catch (const std::length_error&) {
      return false;
    }
  }
  std::memcpy(bytes_.data() + position_, data, size);
  position_ = end;
  return true;
}

bool EncoderMemoryFile::Seek(std::int64_t offset, int whence) {
  std::uint64_t base = 0;
  switch (whence) {
    case SEEK_SET:
      base = 0;
      break;
    case SEEK_CUR:
      base = position_;
      break;
    case SEEK_END:
      base = bytes_.size();
      break;
    default:
      return false;
  }
  if (offset < 0) {
    const std::uint64_t back = std::uint64_t(-(offset + 1)) + 1;
    if (back > base) return false;
    position_ = base - back;
    return true;
  }
  if (std::uint64_t(offset) > kMaxSize || base + std::uint64_t(offset) > kMaxSize) return false;
  position_ = base + std::uint64_t(offset);
  return true;
}

}  // namespace Gdiplus
