// BSTRs: a 32-bit byte count stored just before the characters, and a 16-bit
// terminator after them that the count does not include.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "oleauto.h"

namespace {

// Keeps the prefix, the characters and the terminator within a 32-bit count.
constexpr std::size_t kMaxByteLength = 0x7FFFFFF0u;

BSTR AllocateBytes(const void* source, std::size_t byteLength) {
  if (byteLength > kMaxByteLength) return nullptr;
  // After an odd count the terminator is also a whole character at the next
  // character boundary, so a scan for a 16-bit NUL ends inside the block.
  const std::size_t padded = (byteLength + 1) / 2 * 2;
  auto* block = static_cast<unsigned char*>(std::malloc(sizeof(std::uint32_t) + padded + 2));
  if (!block) return nullptr;
  const auto prefix = static_cast<std::uint32_t>(byteLength);
  std::memcpy(block, &prefix, sizeof prefix);
  unsigned char* text = block + sizeof prefix;
  if (source)
    std::memcpy(text, source, byteLength);
  else
    std::memset(text, 0, byteLength);
  std::memset(text + byteLength, 0, padded + 2 - byteLength);
  return reinterpret_cast<BSTR>(text);
}

std::uint32_t ByteLength(BSTR bstr) {
  std::uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<unsigned char*>(bstr) - sizeof prefix, sizeof prefix);
  return prefix;
}

}  // namespace

extern "C" {

BSTR WINAPI SysAllocString(const OLECHAR* psz) {
  if (!psz) return nullptr;
  std::size_t length = 0;
  while (psz[length] != 0) ++length;
  return AllocateBytes(psz, length * sizeof(OLECHAR));
}

BSTR WINAPI SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
  if (ui > kMaxByteLength / sizeof(OLECHAR)) return nullptr;
  return AllocateBytes(strIn, std::size_t(ui) * sizeof(OLECHAR));
}

BSTR WINAPI SysAllocStringByteLen(LPCSTR psz, UINT len) {
  return AllocateBytes(psz, len);
}

void WINAPI SysFreeString(BSTR bstrString) {
  if (bstrString) std::free(reinterpret_cast<unsigned char*>(bstrString) - sizeof(std::uint32_t));
}

UINT WINAPI SysStringLen(BSTR pbstr) {
  return pbstr ? ByteLength(pbstr) / sizeof(OLECHAR) : 0;
}

UINT WINAPI SysStringByteLen(BSTR bstr) {
  return bstr ? ByteLength(bstr) : 0;
}

}  // extern "C"
