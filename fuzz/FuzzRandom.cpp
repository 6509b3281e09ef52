#include "FuzzRandom.h"

#include <stdexcept>

#include "SystemRandom.h"

namespace glyphward_fuzz {
namespace {

std::uint64_t state = 1;

// splitmix64: cheap, and every byte of its output varies.
std::uint64_t Next() {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void ResetRandom(std::uint64_t seed) {
  state = seed;
}

}  // namespace glyphward_fuzz

namespace glyphward_service {

void FillRandom(void* data, std::size_t size) {
  auto* out = static_cast<unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i)
    out[i] = static_cast<unsigned char>(glyphward_fuzz::Next());
}

std::uint32_t RandomBelow(std::uint32_t bound) {
  if (bound == 0) throw std::invalid_argument("RandomBelow: bound must be at least 1");
  return static_cast<std::uint32_t>(glyphward_fuzz::Next() % bound);
}

std::string RandomCode(std::string_view alphabet, std::size_t length) {
  if (alphabet.empty()) throw std::invalid_argument("RandomCode: the alphabet is empty");
  std::string code(length, '\0');
  for (char& c : code) c = alphabet[RandomBelow(std::uint32_t(alphabet.size()))];
  return code;
}

}  // namespace glyphward_service
