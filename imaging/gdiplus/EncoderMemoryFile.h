// A growable file in memory for encoders whose libraries seek back over what
// they wrote (libtiff patches its header and writes the directory last).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

class EncoderMemoryFile {
 public:
  // The largest file an encoder may produce; writes beyond it fail.
  static constexpr std::uint64_t kMaxSize = std::uint64_t(1) << 30;

  // Bytes copied; fewer than size at the end of the file.
  std::size_t Read(void* data, std::size_t size);
  // All or nothing: false when the file would outgrow kMaxSize or memory.
  bool Write(const void* data, std::size_t size);
  // whence as for fseek; false for a position before the start or past
  // kMaxSize, which leaves the position as it was.
  bool Seek(std::int64_t offset, int whence);

  std::uint64_t Position() const { return position_; }
  std::uint64_t Size() const { return bytes_.size(); }
  const BYTE* Data() const { return bytes_.data(); }

 private:
  std::vector<BYTE> bytes_;
  std::uint64_t position_ = 0;
};

}  // namespace Gdiplus
