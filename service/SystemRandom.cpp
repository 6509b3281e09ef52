#include "SystemRandom.h"

#include <sys/random.h>

#include <cerrno>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace glyphward_service {

void FillRandom(void* data, std::size_t size) {
  auto* out = static_cast<unsigned char*>(data);
  while (size > 0) {
    const ssize_t got = getrandom(out, size, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "getrandom");
    }
    // Cannot happen for size > 0, but looping on it would hang forever.
    if (got == 0) throw std::runtime_error("getrandom returned no bytes");
    out += got;
    size -= static_cast<std::size_t>(got);
  }
}

std::uint32_t RandomBelow(std::uint32_t bound) {
  if (bound == 0) throw std::invalid_argument("RandomBelow: bound must be at least 1");
  // 2^32 mod bound: draws below it are the surplus that would bias `x % bound`.
  const std::uint32_t surplus = (0u - bound) % bound;
  for (;;) {
    std::uint32_t x;
    FillRandom(&x, sizeof x);
    if (x >= surplus) return x % bound;
  }
}

std::string RandomCode(std::string_view alphabet, std::size_t length) {
  if (alphabet.empty()) throw std::invalid_argument("RandomCode: the alphabet is empty");
  if (alphabet.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::invalid_argument("RandomCode: the alphabet is too large");
  const auto size = static_cast<std::uint32_t>(alphabet.size());
  std::string code(length, '\0');
  for (char& c : code) c = alphabet[RandomBelow(size)];
  return code;
}

}  // namespace glyphward_service
