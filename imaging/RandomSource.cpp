#include "RandomSource.h"

#include <sys/random.h>

#include <cerrno>
#include <chrono>

namespace MirelGlyphward {
namespace {

std::uint32_t EntropyBits() {
  std::uint32_t bits = 0;
  for (;;) {
    const ssize_t got = getrandom(&bits, sizeof bits, 0);
    if (got == ssize_t(sizeof bits)) return bits;
    if (got < 0 && errno != EINTR) break;
  }
  // No entropy source: fall back to the finest clock there is rather than fail.
  return std::uint32_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

thread_local RandomSource* threadSource = nullptr;

// Constructed while the module loads, so the engine exists before any caller.
[[maybe_unused]] RandomSource& loadTimeEngine = ProcessRandomSource();

}  // namespace

std::int32_t ReduceSeed(std::uint32_t entropy) {
  return std::int32_t(entropy % 2147483646u) + 1;
}

RandomSource::RandomSource() : RandomSource(ReduceSeed(EntropyBits())) {}

RandomSource::RandomSource(std::int32_t seed)
    : engine_(std::uint32_t(seed >= 1 && seed <= 2147483646 ? seed : 1)) {}

bool RandomSource::Seed(std::int32_t seed) {
  if (seed < 1 || seed > 2147483646) return false;
  engine_.seed(std::uint32_t(seed));
  steps_ = 0;
  return true;
}

RandomSource& ProcessRandomSource() {
  static RandomSource source;
  return source;
}

RandomSource& CurrentRandomSource() {
  RandomSource* bound = threadSource;
  return bound ? *bound : ProcessRandomSource();
}

RandomSource* BindThreadRandomSource(RandomSource* source) {
  RandomSource* previous = threadSource;
  threadSource = source;
  return previous;
}

int RandomNumber(int n) {
  return CurrentRandomSource().NextNumber(n);
}

}  // namespace MirelGlyphward
