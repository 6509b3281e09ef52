#include "EncoderSink.h"

#include <algorithm>

namespace Gdiplus {

bool EncoderSink::Write(const void* data, std::size_t size) {
  if (failed_) return false;
  const auto* bytes = static_cast<const BYTE*>(data);
  // IStream counts in 32 bits; larger blocks go in pieces.
  constexpr std::size_t kMaxChunk = std::size_t(1) << 30;
  while (size > 0) {
    const ULONG chunk = ULONG(std::min(size, kMaxChunk));
    ULONG written = 0;
    if (FAILED(stream_->Write(bytes, chunk, &written)) || written != chunk) {
      failed_ = true;
      return false;
    }
    bytes += chunk;
    size -= chunk;
  }
  return true;
}

}  // namespace Gdiplus
